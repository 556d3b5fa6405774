#pragma once
// Prepared answers for the program's questions, so widget tests run without a person.
#include "ui/UserPrompts.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

namespace qf::test {

class ScriptedPrompts : public UserPrompts {
public:
    // Answers the next modal dialog: the function may fill in fields and returns
    // QDialog::Accepted or QDialog::Rejected.
    using DialogAnswer = std::function<int(QDialog &)>;

    void answerDialog(DialogAnswer answer) { dialogAnswers.push_back(std::move(answer)); }
    void acceptDialog() { answerDialog([](QDialog &) { return int(QDialog::Accepted); }); }
    void rejectDialog() { answerDialog([](QDialog &) { return int(QDialog::Rejected); }); }
    // Sets the named edit of the dialog, then accepts it.
    void acceptWithText(const QString &editName, const QString &text);
    void answerOpenFile(const QString &path) { openAnswers.push_back(path); }
    void answerSaveFile(const QString &path) { saveAnswers.push_back(path); }
    // Several files chosen at once in the next open dialog.
    void answerOpenFiles(const QStringList &paths) { openManyAnswers.push_back(paths); }
    QStringList openFileNames(QWidget *parent, const FileDialogRequest &request) override;

    int execDialog(QDialog &dialog) override;
    QString openFileName(QWidget *parent, const FileDialogRequest &request) override;
    QString saveFileName(QWidget *parent, const FileDialogRequest &request) override;
    void showError(QWidget *parent, const QString &message) override;
    void showWarning(QWidget *parent, const QString &title, const QString &message) override;
    void showInformation(QWidget *parent, const QString &title, const QString &message) override;
    // Answers from `questionAnswers`; without a prepared answer the player says no.
    bool askQuestion(QWidget *parent, const QString &title, const QString &question, const QString &yes,
                     const QString &no) override;

    std::deque<DialogAnswer> dialogAnswers;
    std::deque<QString> openAnswers;
    std::deque<QStringList> openManyAnswers;
    std::deque<QString> saveAnswers;
    QStringList shownDialogs;          // objectName and title of each dialog shown
    QList<FileDialogRequest> fileDialogs; // every file dialog asked for
    QStringList errors;                // every error box
    QStringList warnings;              // every warning: title, a line break, the message
    QStringList informations;          // every message: title, a line break, the message
    // Answers of askChoice by their text; without one the player takes the default.
    int askChoice(QWidget *parent, const QString &title, const QString &question, const QStringList &answers,
                  int fallback) override;

    std::deque<bool> questionAnswers;
    std::deque<QString> choiceAnswers;
    QList<QStringList> choices;        // the answers offered by each askChoice
    std::function<void()> onChoice;    // runs while each askChoice is open
    QStringList questions;             // every question: title, a line break, the question
};

} // namespace qf::test
