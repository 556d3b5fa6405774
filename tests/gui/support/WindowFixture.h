#pragma once
// The whole main window in a fresh working directory, with prepared answers.
#include "ui/AppState.h"
#include "app/KRM_Main.h"
#include "support/ScriptedPrompts.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>

namespace qf::test {

class WindowFixture {
public:
    explicit WindowFixture(QStringList arguments = {}, const QByteArray &iniContent = QByteArray());
    ~WindowFixture();

    TKRM_Main &window() { return *window_; }
    // The window goes as in a crash: nothing of its ending runs.
    void dropWindow() { window_.reset(); }
    QString path(const QString &name) const { return dir_.filePath(name); }
    // KRM.ini in the user's configuration folder of this window.
    QString userConfigPath() const;
    QLineEdit *edit(const QString &name) const;
    QString text(const QString &name) const { return edit(name)->text(); }
    QStringList logLines() const;
    // Replaces the text as a player would: select all, then type.
    void typeInto(const QString &name, const QString &text);

    AppState state;
    ScriptedPrompts prompts;
    QList<int> exitStatuses;

private:
    QTemporaryDir dir_;
    QString oldCurrent_;
    std::unique_ptr<TKRM_Main> window_;
};

} // namespace qf::test
