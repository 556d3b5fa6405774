#include "library/commands/LibraryDialogs.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qf {

namespace {
QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

TConfirmationDlg::TConfirmationDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label1(new QLabel(this))
{
    setObjectName(QStringLiteral("ConfirmationDlg"));
    setWindowTitle(QStringLiteral("Bitte bestätigen sie..."));
    setModal(true);
    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setFixedSize(169, 81);
    auto *bevelLayout = new QVBoxLayout(bevel);
    bevelLayout->addWidget(Label1, 0, Qt::AlignCenter);

    QPushButton *ok = button(this, "OKBtn", QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton *cancel = button(this, "CancelBtn", QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(bevel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(198, 154)));
}

void TConfirmationDlg::AskConfirmation(const QString &caption, const QString &question)
{
    setWindowTitle(caption);
    Label1->setText(question);
}

QString TConfirmationDlg::question() const { return Label1->text(); }

TImportExportDialog::TImportExportDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      IEText(new QPlainTextEdit(this)), OKBtn(button(this, "OKBtn", QStringLiteral("OK"))),
      CancelBtn(button(this, "CancelBtn", QStringLiteral("Cancel"))),
      ie_copy(button(this, "ie_copy", QStringLiteral("Kopieren")))
{
    setObjectName(QStringLiteral("ImportExportDialog"));
    setModal(true);
    IEText->setObjectName(QStringLiteral("IEText"));
    IEText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    IEText->setLineWrapMode(QPlainTextEdit::NoWrap);
    IEText->setMinimumHeight(385);
    OKBtn->setDefault(true);
    OKBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ie_copy, &QPushButton::clicked, this, &TImportExportDialog::ie_copyClick);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(IEText);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn); // ie_copy takes the same place for the export
    buttons->addWidget(ie_copy);
    buttons->addStretch();
    layout->addLayout(buttons);
    resize(QSize(368, 426).expandedTo(sizeHint()));
}

void TImportExportDialog::prepareImport(const QStringList &guidance)
{
    IEText->clear();
    IEText->setPlainText(guidance.join(u'\n'));
    setWindowTitle(QStringLiteral("Importieren"));
    ie_copy->hide();
    CancelBtn->show();
}

void TImportExportDialog::prepareExport(const QStringList &lines)
{
    IEText->clear();
    setWindowTitle(QStringLiteral("Exportieren"));
    ie_copy->show();
    CancelBtn->hide();
    IEText->setPlainText(lines.join(u'\n'));
}

QString TImportExportDialog::exchangedText() const { return IEText->toPlainText(); }

void TImportExportDialog::ie_copyClick()
{
    IEText->selectAll();
    QString text = IEText->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(text);
}

} // namespace qf
