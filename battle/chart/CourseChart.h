#pragma once
// The tab "Verlauf": the course of the battle just fought as a chart, for each
// side the ships, the stability or the attack left (b_CourseValue) over the
// rounds, the round axis logarithmic for a battle of more than 1,000 rounds.
// The chart itself is built when the tab is first shown or a picture is asked
// for, so a start without a battle never builds one.
#include "battle/BattleCourse.h"

#include <QByteArray>
#include <QWidget>
#include <memory>

class QComboBox;
class QStackedLayout;
class QLabel;

class QChart;
class QChartView;

namespace qf {

class CourseChart : public QWidget {
    Q_OBJECT
public:
    enum class Value { Ships, Stability, Attack };
    enum class Picture { Png, Svg };

    explicit CourseChart(QWidget *parent = nullptr);

    // The course to draw; null: no battle (or one whose course is not known).
    void setCourse(std::shared_ptr<const BattleCourse> course);
    const std::shared_ptr<const BattleCourse> &course() const { return course_; }
    bool hasCourse() const { return course_ && !course_->empty(); }

    // The chart as a picture of the chart's size on screen (800 x 500 before it was shown).
    QByteArray picture(Picture kind);

    // The chart, built if it was not yet; for the tests.
    QChart *chart();

    // The rounds beyond which the round axis is logarithmic.
    static constexpr int64_t kLinearRounds = 1000;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void b_CourseValueChange(int index);
    void build();
    void draw();

    std::shared_ptr<const BattleCourse> course_;
    QComboBox *b_CourseValue;
    QStackedLayout *stack_;
    QLabel *empty_;
    QChartView *view_ = nullptr;
    bool stale_ = true;
};

} // namespace qf
