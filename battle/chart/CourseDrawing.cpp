// The chart library: a battle's course drawn with Qt Charts.
#include "battle/page/CourseDrawing.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>

namespace qf {

namespace {

int64_t valueOf(const CourseSide &side, CourseValue value)
{
    switch (value) {
    case CourseValue::Stability:
        return side.stabilityLeft;
    case CourseValue::Attack:
        return side.attackLeft;
    case CourseValue::Ships:
        break;
    }
    return side.shipsLeft;
}

QString valueTitle(CourseValue value)
{
    switch (value) {
    case CourseValue::Stability:
        return QStringLiteral("Stabilität übrig");
    case CourseValue::Attack:
        return QStringLiteral("Angriff übrig");
    case CourseValue::Ships:
        break;
    }
    return QStringLiteral("Schiffe übrig");
}

// The series of one side. On a logarithmic axis the state before the first
// round stands at round 1, where the axis begins.
QLineSeries *sideSeries(const BattleCourse &course, Side side, CourseValue value, bool logarithmic)
{
    auto *series = new QLineSeries;
    series->setName(side == Side::Home ? QStringLiteral("Heimatflotte") : QStringLiteral("Fremdflotte"));
    QList<QPointF> points;
    points.reserve(qsizetype(course.points().size()));
    for (const CoursePoint &p : course.points()) {
        const int64_t round = logarithmic ? std::max<int64_t>(p.round, 1) : p.round;
        points.append(QPointF(double(round), double(valueOf(p.of(side), value))));
    }
    series->replace(points);
    return series;
}

// Labels are whole numbers: a short range gets a tick per unit, not repeated labels.
void keepTicksWhole(QValueAxis *axis)
{
    const double span = axis->max() - axis->min();
    if (span < axis->tickCount() - 1)
        axis->setTickCount(int(span) + 1);
}

QAbstractAxis *roundAxis(int64_t lastRound)
{
    if (lastRound > kLinearCourseRounds) {
        auto *axis = new QLogValueAxis;
        axis->setBase(10);
        axis->setLabelFormat(QStringLiteral("%.0f"));
        axis->setRange(1, double(lastRound));
        axis->setMinorTickCount(-1);
        axis->setTitleText(QStringLiteral("Runde (logarithmisch)"));
        return axis;
    }
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setRange(0, double(std::max<int64_t>(lastRound, 1)));
    axis->applyNiceNumbers();
    keepTicksWhole(axis);
    axis->setTitleText(QStringLiteral("Runde"));
    return axis;
}

QValueAxis *valueAxis(const BattleCourse &course, CourseValue value)
{
    int64_t most = 1;
    for (const CoursePoint &p : course.points())
        for (Side side : kBothSides)
            most = std::max(most, valueOf(p.of(side), value));
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setRange(0, double(most));
    axis->applyNiceNumbers();
    keepTicksWhole(axis);
    axis->setTitleText(valueTitle(value));
    return axis;
}

} // namespace

// A chart view that draws the course it is given.
class CourseView : public QChartView, public CourseDrawing {
public:
    explicit CourseView(QWidget *parent) : QChartView(new QChart, parent)
    {
        setObjectName(QStringLiteral("b_CourseView"));
        setRenderHint(QPainter::Antialiasing);
        chart()->legend()->setAlignment(Qt::AlignBottom);
    }
    QWidget *widget() override { return this; }
    QChart *chart() override { return QChartView::chart(); }
    void draw(const BattleCourse *course, CourseValue value) override;
    QByteArray picture(CoursePicture kind) override;
};

void CourseView::draw(const BattleCourse *course, CourseValue value)
{
    QChart *c = chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    c->setTitle(QString());
    if (!course || course->empty())
        return;
    const int64_t last = course->points().back().round;
    QAbstractAxis *x = roundAxis(last);
    QValueAxis *y = valueAxis(*course, value);
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    for (Side side : kBothSides) {
        QLineSeries *series = sideSeries(*course, side, value, last > kLinearCourseRounds);
        c->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    c->setTitle(QStringLiteral("Verlauf des Kampfes: %1 Runden").arg(last));
}

QByteArray CourseView::picture(CoursePicture kind)
{
    // Before the tab was first shown the view has no size of its own yet.
    if (!isVisible())
        resize(800, 500);
    const QSize size = this->size();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (kind == CoursePicture::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Verlauf des Kampfes"));
        QPainter painter(&svg);
        render(&painter);
    } else {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            render(&painter);
        }
        image.save(&buffer, "PNG");
    }
    return bytes;
}

} // namespace qf

extern "C" Q_DECL_EXPORT qf::CourseDrawing *qfMakeCourseDrawing(QWidget *parent)
{
    return new qf::CourseView(parent);
}
