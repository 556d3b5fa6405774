#include "compare/window/CompareWindow.h"

#include "compare/CompareTableModel.h"
#include "compare/TableText.h"
#include "designer/DesignerPage.h"
#include "library/DesignCollection.h"
#include "library/FileWriting.h"
#include "model/WholeNumber.h"
#include "ui/HandlerGuard.h"
#include "ui/UserPrompts.h"

#include <QBrush>
#include <QClipboard>
#include <QColor>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace qf {

namespace {

// Better than the reference green, worse red, in the usual light shades of a
// spreadsheet, with dark text of the same hue so either stays readable.
class StandingColours : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::BackgroundRole && role != Qt::ForegroundRole)
            return QIdentityProxyModel::data(index, role);
        const auto standing = Standing(QIdentityProxyModel::data(index, CompareTableModel::StandingRole).toInt());
        if (standing == Standing::Neutral)
            return QVariant();
        const bool better = standing == Standing::Better;
        if (role == Qt::BackgroundRole)
            return QBrush(better ? QColor(0xc6, 0xef, 0xce) : QColor(0xff, 0xc7, 0xce));
        return QBrush(better ? QColor(0x00, 0x61, 0x00) : QColor(0x9c, 0x00, 0x06));
    }
};

QString settingsText(const CompareSettings &s)
{
    QString text = QStringLiteral("Werte wie auf der Designer-Seite: ");
    text += s.flightTime ? QStringLiteral("Flugzeit für Distanz %1").arg(s.distanceText)
                         : QStringLiteral("Beschleunigung");
    return text + QStringLiteral(", Schiffsfabrik %1, Waffenfabrik %2").arg(s.shipFactory).arg(s.warFactory);
}

} // namespace

CompareWindow::CompareWindow(DesignCollection &designs, DesignerPage &page, UserPrompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window), page_(page), prompts_(prompts)
{
    setObjectName(QStringLiteral("CompareWindow"));
    setWindowTitle(QStringLiteral("Designvergleich"));
    model_ = new CompareTableModel(designs, this);
    buildLayout(designs);
    followDesignerPage();
    CompareReferenceSelect(CompareReference->currentIndex());

    connect(&page_, &DesignerPage::figureSettingsChanged, this, &CompareWindow::followDesignerPage);
    connect(CompareReference, &QComboBox::currentIndexChanged, this, &CompareWindow::CompareReferenceSelect);
    connect(CompareSaveCsv, &QPushButton::clicked, this, &CompareWindow::CompareSaveCsvClick);
    connect(CompareCopy, &QPushButton::clicked, this, &CompareWindow::CompareCopyClick);
    connect(CompareClose, &QPushButton::clicked, this, &QWidget::close);
    resize(1000, 380);
}

void CompareWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        placeBesideMainWindow();
    }
}

void CompareWindow::placeBesideMainWindow()
{
    QWidget *main = parentWidget() ? parentWidget()->window() : nullptr;
    if (!main || !main->screen())
        return;
    const QRect screen = main->screen()->availableGeometry();
    const QRect beside = main->frameGeometry();
    const int tableWidth = CompareTable->horizontalHeader()->length() + 2 * CompareTable->frameWidth()
                           + CompareTable->verticalScrollBar()->sizeHint().width();
    const int frame = frameGeometry().width() - width();
    const int room = std::max(screen.right() - beside.right(), beside.left() - screen.left()) - frame - 8;
    const int width = std::min(tableWidth + layout()->contentsMargins().left() + layout()->contentsMargins().right(),
                               std::max(room, 600));
    resize(std::min(width, screen.width() - frame), height());
    const bool right = screen.right() - beside.right() >= beside.left() - screen.left();
    const int x = right ? beside.right() + 8 : beside.left() - 8 - frameGeometry().width();
    move(std::clamp(x, screen.left(), std::max(screen.left(), screen.right() - frameGeometry().width())),
         std::max(beside.top(), screen.top()));
}

void CompareWindow::buildLayout(DesignCollection &designs)
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *referenceLabel = new QLabel(QStringLiteral("Vergleich mit:"), this);
    CompareReference = new QComboBox(this);
    CompareReference->setObjectName(QStringLiteral("CompareReference"));
    CompareReference->setModel(&designs);
    CompareReference->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CompareReference->setMinimumContentsLength(16);
    referenceLabel->setBuddy(CompareReference);
    CompareSettingsText = new QLabel(this);
    CompareSettingsText->setObjectName(QStringLiteral("CompareSettingsText"));
    top->addWidget(referenceLabel);
    top->addWidget(CompareReference);
    top->addSpacing(12);
    top->addWidget(CompareSettingsText, 1);
    layout->addLayout(top);

    CompareTable = new QTableView(this);
    CompareTable->setObjectName(QStringLiteral("CompareTable"));
    auto *colours = new StandingColours(this);
    colours->setSourceModel(model_);
    CompareTable->setModel(colours);
    CompareTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    CompareTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CompareTable->verticalHeader()->setVisible(false);
    CompareTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Collection order until the player clicks a header.
    CompareTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    CompareTable->setSortingEnabled(true);
    layout->addWidget(CompareTable, 1);

    auto *buttons = new QHBoxLayout;
    CompareSaveCsv = new QPushButton(QStringLiteral("Als CSV speichern..."), this);
    CompareSaveCsv->setObjectName(QStringLiteral("CompareSaveCsv"));
    CompareCopy = new QPushButton(QStringLiteral("Kopieren"), this);
    CompareCopy->setObjectName(QStringLiteral("CompareCopy"));
    CompareCopy->setShortcut(QKeySequence::Copy);
    CompareClose = new QPushButton(QStringLiteral("Schließen"), this);
    CompareClose->setObjectName(QStringLiteral("CompareClose"));
    buttons->addWidget(CompareSaveCsv);
    buttons->addWidget(CompareCopy);
    buttons->addStretch(1);
    buttons->addWidget(CompareClose);
    layout->addLayout(buttons);
}

void CompareWindow::followDesignerPage()
{
    guarded(prompts_, this, [&] {
        CompareSettings s;
        s.distanceText = page_.distanceText();
        s.shipFactory = readWholeNumber(page_.shipFactoryText());
        s.warFactory = readWholeNumber(page_.warFactoryText());
        s.flightTime = page_.flightTimeShown();
        model_->setSettings(s);
        // The page counts a factory below 1 as 1.
        s.shipFactory = std::max(s.shipFactory, 1);
        s.warFactory = std::max(s.warFactory, 1);
        CompareSettingsText->setText(settingsText(s));
    });
}

void CompareWindow::CompareReferenceSelect(int index)
{
    guarded(prompts_, this, [&] { model_->setReference(index); });
}

QString CompareWindow::tableText(QChar separator) const
{
    return SeparatedTable(model_->headerTexts(), model_->shownRows(), separator);
}

void CompareWindow::CompareSaveCsvClick()
{
    guarded(prompts_, this, [&] {
        FileDialogRequest request;
        request.objectName = QStringLiteral("CompareSaveDialog");
        request.title = QStringLiteral("Als CSV speichern...");
        request.filters = QStringList{QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("Alle Dateien (*.*)")};
        request.defaultSuffix = QStringLiteral("csv");
        request.fileName = QStringLiteral("Designvergleich.csv");
        const QString path = prompts_.saveFileName(this, request);
        if (path.isEmpty())
            return;
        QString why;
        if (!WriteFileReplacing(path, tableText(u';').toUtf8(), &why))
            prompts_.showWarning(this, QStringLiteral("Speichern fehlgeschlagen"), SaveFailureText(path, why));
    });
}

void CompareWindow::CompareCopyClick()
{
    guarded(prompts_, this, [&] { QGuiApplication::clipboard()->setText(tableText(u'\t')); });
}

} // namespace qf
