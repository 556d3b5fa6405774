#pragma once
// What the chart library (battle/chart, loaded on first use) offers the page:
// a widget that draws a battle's course with Qt Charts and makes pictures of
// it. Header only, so the library needs nothing of the program but this.
#include "battle/BattleCourse.h"

#include <QByteArray>

class QChart;
class QWidget;

namespace qf {

enum class CourseValue { Ships, Stability, Attack };
enum class CoursePicture { Png, Svg };

// The rounds beyond which the round axis is logarithmic.
constexpr int64_t kLinearCourseRounds = 1000;

class CourseDrawing {
public:
    virtual ~CourseDrawing() = default;
    // The widget that draws; its parent owns it (and so this drawing).
    virtual QWidget *widget() = 0;
    // Draws `course` (null or empty: nothing) with `value` for each side.
    virtual void draw(const BattleCourse *course, CourseValue value) = 0;
    // The chart as a picture of the widget's size (800 x 500 before it was shown).
    virtual QByteArray picture(CoursePicture kind) = 0;
    virtual QChart *chart() = 0;
};

// The library's one entry point: `extern "C" CourseDrawing *qfMakeCourseDrawing(QWidget *parent)`.
using MakeCourseDrawing = CourseDrawing *(*)(QWidget *parent);
constexpr char kMakeCourseDrawing[] = "qfMakeCourseDrawing";

} // namespace qf
