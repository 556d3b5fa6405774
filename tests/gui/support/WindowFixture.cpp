#include "support/WindowFixture.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>

namespace qf::test {

WindowFixture::WindowFixture(QStringList arguments, const QByteArray &iniContent)
    : oldCurrent_(QDir::currentPath())
{
    QDir::setCurrent(dir_.path());
    // The program keeps settings, planning and unsaved designs in the user's folders: its own per window.
    for (const char *folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        qputenv(folder, QFile::encodeName(dir_.filePath(QString::fromLatin1(folder).toLower())));
    if (!iniContent.isNull()) {
        QFile ini(dir_.filePath(QStringLiteral("KRM.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(iniContent);
    }
    arguments.prepend(QStringLiteral("schiffsdesigner"));
    window_ = std::make_unique<TKRM_Main>(state, prompts, arguments);
    window_->setExitHandler([this](int status) { exitStatuses << status; });
    // Every page at hand, as after a look at each (the window makes them when first shown).
    window_->calculatorPage();
    window_->battlePage();
}

WindowFixture::~WindowFixture()
{
    window_.reset();
    QDir::setCurrent(oldCurrent_);
}

QString WindowFixture::userConfigPath() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/KRM.ini");
}

QLineEdit *WindowFixture::edit(const QString &name) const
{
    auto *e = window_->findChild<QLineEdit *>(name);
    if (!e)
        qFatal("no edit named %s", qPrintable(name));
    return e;
}

QStringList WindowFixture::logLines() const
{
    return window_->findChild<QPlainTextEdit *>(QStringLiteral("DebugConsole"))
        ->toPlainText()
        .split(u'\n');
}

void WindowFixture::typeInto(const QString &name, const QString &text)
{
    QLineEdit *e = edit(name);
    e->setFocus();
    e->selectAll();
    if (text.isEmpty())
        QTest::keyClick(e, Qt::Key_Delete);
    else
        QTest::keyClicks(e, text);
}

} // namespace qf::test
