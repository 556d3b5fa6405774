#include "battle/page/CourseChart.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibrary>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace qf {

namespace {

const QString kNoBattle = QStringLiteral("Noch kein Kampf simuliert.");

// Where the chart library may be: beside the installed program, or in the build tree.
QStringList chartLibraryPaths()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir + QStringLiteral("/../lib/quarzfink-schiffsdesigner/quarzfink_chart"),
            QString::fromUtf8(QF_CHART_BUILD_DIR "/quarzfink_chart")};
}

} // namespace

CourseChart::CourseChart(QWidget *parent)
    : QWidget(parent), b_CourseValue(new QComboBox(this)), stack_(new QStackedLayout), note_(new QLabel(kNoBattle, this))
{
    b_CourseValue->setObjectName(QStringLiteral("b_CourseValue"));
    b_CourseValue->addItems({QStringLiteral("Schiffe"), QStringLiteral("Stabilität"), QStringLiteral("Angriff")});
    b_CourseValue->setToolTip(QStringLiteral("Was der Verlauf für jede Seite zeigt"));
    note_->setAlignment(Qt::AlignCenter);
    note_->setWordWrap(true);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Übrig:"), this));
    row->addWidget(b_CourseValue);
    row->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addLayout(row);
    layout->addLayout(stack_, 1);
    stack_->addWidget(note_);
    connect(b_CourseValue, &QComboBox::currentIndexChanged, this, &CourseChart::b_CourseValueChange);
}

void CourseChart::setCourse(std::shared_ptr<const BattleCourse> course)
{
    setNoCourseReason(kNoBattle);
    course_ = std::move(course);
    stale_ = true;
    if (isVisible())
        draw();
}

void CourseChart::setNoCourseReason(const QString &why)
{
    if (loadError_.isEmpty()) // a chart that cannot be drawn says so instead
        note_->setText(why);
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

bool CourseChart::load()
{
    if (drawing_ || !loadError_.isEmpty())
        return drawing_ != nullptr;
    for (const QString &path : chartLibraryPaths()) {
        QLibrary library(path); // never unloaded: the chart's code stays while the program runs
        if (auto make = reinterpret_cast<MakeCourseDrawing>(library.resolve(kMakeCourseDrawing))) {
            drawing_ = make(this);
            stack_->addWidget(drawing_->widget());
            return true;
        }
        loadError_ = library.errorString();
    }
    note_->setText(QStringLiteral("Das Diagramm ist nicht verfügbar: %1").arg(loadError_));
    return false;
}

void CourseChart::draw()
{
    const bool loaded = load();
    stack_->setCurrentWidget(loaded && hasCourse() ? drawing_->widget() : static_cast<QWidget *>(note_));
    if (!loaded || !stale_)
        return;
    stale_ = false;
    drawing_->draw(course_.get(), CourseValue(std::clamp(b_CourseValue->currentIndex(), 0, 2)));
}

QChart *CourseChart::chart()
{
    draw();
    return drawing_ ? drawing_->chart() : nullptr;
}

QByteArray CourseChart::picture(CoursePicture kind)
{
    draw();
    return drawing_ ? drawing_->picture(kind) : QByteArray();
}

} // namespace qf
