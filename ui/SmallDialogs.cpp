#include "ui/SmallDialogs.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qf {

TEditDialog::TEditDialog(const QString &name, const QString &caption, const QString &editName,
                         const QString &labelText, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      edit_(new QLineEdit(this))
{
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
    edit_->setObjectName(editName);
    auto *label = new QLabel(labelText, this);
    label->setObjectName(editName + QStringLiteral("Label"));
    label->setBuddy(edit_);
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Ok"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("Abbrechen"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit_);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    setMinimumSize(170, 80);
}

QString TEditDialog::text() const { return edit_->text(); }

void TEditDialog::setText(const QString &text) { edit_->setText(text); }

void TEditDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the main window, the edit focused with its text selected.
    if (parentWidget()) {
        const QRect host = parentWidget()->window()->frameGeometry();
        move(host.center() - rect().center());
    }
    edit_->setFocus();
    edit_->selectAll();
}

TShipnameDialog::TShipnameDialog(QWidget *parent)
    : TEditDialog(QStringLiteral("ShipnameDialog"), QStringLiteral("Schiffsbezeichner"),
                  QStringLiteral("NewShipname"), QStringLiteral("       Neuer Schiffsbezeichner"),
                  parent)
{
}

TDistanceOptionDialog::TDistanceOptionDialog(QWidget *parent)
    : TEditDialog(QStringLiteral("DistanceOptionDialog"), QStringLiteral("Option: Entfernung"),
                  QStringLiteral("NewDistance"), QStringLiteral("   Neue Entfernung (1-8000pa)"),
                  parent)
{
}

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);

    auto *icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setFixedSize(60, 60);
    icon->setScaledContents(true);
    icon->setPixmap(windowIcon().isNull()
                        ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(60, 60)
                        : windowIcon().pixmap(60, 60));

    auto line = [panel](const QString &name, const QString &text) {
        auto *l = new QLabel(text, panel);
        l->setObjectName(name);
        l->setWordWrap(true);
        return l;
    };
    auto *title = line(QStringLiteral("ProductName"), QStringLiteral("Quarzfink Schiffsdesigner 3.0a"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    auto *titles = new QVBoxLayout;
    titles->addWidget(title);
    titles->addWidget(line(QStringLiteral("Version"), QStringLiteral("Version 3.0a")));
    top->addLayout(titles);

    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(top);
    panelLayout->addWidget(line(QStringLiteral("Round"),
                                QStringLiteral("Für Runde 5 des Browserspiels Astrakor.")));
    panelLayout->addWidget(line(QStringLiteral("Comments"),
                                QStringLiteral("Alle Werte werden nach den Regeln des Spiels "
                                               "berechnet. Ohne Gewähr.")));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);
    setMinimumSize(298, 213);
}

} // namespace qf
