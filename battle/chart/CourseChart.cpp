#include "battle/chart/CourseChart.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QStackedLayout>
#include <QSvgGenerator>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

namespace qf {

namespace {

int64_t valueOf(const CourseSide &side, CourseChart::Value value)
{
    switch (value) {
    case CourseChart::Value::Stability:
        return side.stabilityLeft;
    case CourseChart::Value::Attack:
        return side.attackLeft;
    case CourseChart::Value::Ships:
        break;
    }
    return side.shipsLeft;
}

QString valueTitle(CourseChart::Value value)
{
    switch (value) {
    case CourseChart::Value::Stability:
        return QStringLiteral("Stabilität übrig");
    case CourseChart::Value::Attack:
        return QStringLiteral("Angriff übrig");
    case CourseChart::Value::Ships:
        break;
    }
    return QStringLiteral("Schiffe übrig");
}

// The series of one side. On a logarithmic axis the state before the first
// round stands at round 1, where the axis begins.
QLineSeries *sideSeries(const BattleCourse &course, Side side, CourseChart::Value value, bool logarithmic)
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

QAbstractAxis *roundAxis(int64_t lastRound)
{
    if (lastRound > CourseChart::kLinearRounds) {
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
    axis->setTitleText(QStringLiteral("Runde"));
    return axis;
}

QValueAxis *valueAxis(const BattleCourse &course, CourseChart::Value value)
{
    int64_t most = 1;
    for (const CoursePoint &p : course.points())
        for (Side side : kBothSides)
            most = std::max(most, valueOf(p.of(side), value));
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setRange(0, double(most));
    axis->applyNiceNumbers();
    axis->setTitleText(valueTitle(value));
    return axis;
}

} // namespace

CourseChart::CourseChart(QWidget *parent)
    : QWidget(parent), b_CourseValue(new QComboBox(this)), stack_(new QStackedLayout),
      empty_(new QLabel(QStringLiteral("Noch kein Kampf simuliert."), this))
{
    b_CourseValue->setObjectName(QStringLiteral("b_CourseValue"));
    b_CourseValue->addItems({QStringLiteral("Schiffe"), QStringLiteral("Stabilität"), QStringLiteral("Angriff")});
    b_CourseValue->setToolTip(QStringLiteral("Was der Verlauf für jede Seite zeigt"));
    empty_->setAlignment(Qt::AlignCenter);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Übrig:"), this));
    row->addWidget(b_CourseValue);
    row->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addLayout(stack_, 1);
    stack_->addWidget(empty_);
    connect(b_CourseValue, &QComboBox::currentIndexChanged, this, &CourseChart::b_CourseValueChange);
}

void CourseChart::setCourse(std::shared_ptr<const BattleCourse> course)
{
    course_ = std::move(course);
    stale_ = true;
    if (isVisible())
        draw();
}

void CourseChart::b_CourseValueChange(int)
{
    stale_ = true;
    if (isVisible())
        draw();
}

void CourseChart::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    draw();
}

void CourseChart::build()
{
    if (view_)
        return;
    view_ = new QChartView(new QChart, this);
    view_->setObjectName(QStringLiteral("b_Course"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->chart()->legend()->setAlignment(Qt::AlignBottom);
    stack_->addWidget(view_);
}

void CourseChart::draw()
{
    build();
    stack_->setCurrentWidget(hasCourse() ? static_cast<QWidget *>(view_) : empty_);
    if (!stale_)
        return;
    stale_ = false;
    QChart *c = view_->chart();
    c->removeAllSeries();
    for (QAbstractAxis *axis : c->axes())
        c->removeAxis(axis), delete axis;
    if (!hasCourse())
        return;
    const Value value = Value(std::clamp(b_CourseValue->currentIndex(), 0, 2));
    const int64_t last = course_->points().back().round;
    QAbstractAxis *x = roundAxis(last);
    QValueAxis *y = valueAxis(*course_, value);
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    for (Side side : kBothSides) {
        QLineSeries *series = sideSeries(*course_, side, value, last > kLinearRounds);
        c->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    c->setTitle(QStringLiteral("Verlauf des Kampfes: %1 Runden").arg(last));
}

QChart *CourseChart::chart()
{
    draw();
    return view_->chart();
}

QByteArray CourseChart::picture(Picture kind)
{
    draw();
    // Before the tab was first shown the view has no size of its own yet.
    const QSize size = view_->isVisible() ? view_->size() : QSize(800, 500);
    if (!view_->isVisible())
        view_->resize(size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (kind == Picture::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Verlauf des Kampfes"));
        QPainter painter(&svg);
        view_->render(&painter);
    } else {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            view_->render(&painter);
        }
        image.save(&buffer, "PNG");
    }
    return bytes;
}

} // namespace qf
