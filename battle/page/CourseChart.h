#pragma once
// The tab "Verlauf": the course of the battle just fought as a chart, for each
// side the ships, the stability or the attack left (b_CourseValue) over the
// rounds, the round axis logarithmic for a battle of more than 1,000 rounds.
// The chart itself comes from the chart library (battle/chart), loaded when
// the tab is first shown or a picture is asked for: a start that shows no
// chart does not load Qt Charts.
#include "battle/page/CourseDrawing.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QStackedLayout;

namespace qf {

class CourseChart : public QWidget {
    Q_OBJECT
public:
    explicit CourseChart(QWidget *parent = nullptr);

    // The course to draw; null: no battle (or one whose course is not known).
    void setCourse(std::shared_ptr<const BattleCourse> course);
    const std::shared_ptr<const BattleCourse> &course() const { return course_; }
    bool hasCourse() const { return course_ && !course_->empty(); }
    // Said in place of the chart while there is no course (until the next setCourse).
    void setNoCourseReason(const QString &why);

    // The chart as a picture; empty when the chart library could not be loaded.
    QByteArray picture(CoursePicture kind);
    // The chart, drawn if it was not yet (null without the chart library); for the tests.
    QChart *chart();
    // Why the chart library could not be loaded; empty when it was, or was not yet tried.
    QString loadError() const { return loadError_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void b_CourseValueChange(int index);
    bool load();
    void draw();

    std::shared_ptr<const BattleCourse> course_;
    QComboBox *b_CourseValue;
    QStackedLayout *stack_;
    QLabel *note_;
    CourseDrawing *drawing_ = nullptr; // a child widget, made by the chart library
    QString loadError_;
    bool stale_ = true;
};

} // namespace qf
