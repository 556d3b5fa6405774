#include "support/ScriptedPrompts.h"

#include <QLineEdit>
#include <stdexcept>

namespace qf::test {

void ScriptedPrompts::acceptWithText(const QString &editName, const QString &text)
{
    answerDialog([editName, text](QDialog &dialog) {
        auto *edit = dialog.findChild<QLineEdit *>(editName);
        if (!edit)
            throw std::logic_error("dialog has no such edit");
        edit->setText(text);
        return int(QDialog::Accepted);
    });
}

int ScriptedPrompts::execDialog(QDialog &dialog)
{
    shownDialogs << dialog.objectName() + QStringLiteral(": ") + dialog.windowTitle();
    if (dialogAnswers.empty())
        return QDialog::Rejected; // nobody prepared an answer: the player cancels
    DialogAnswer answer = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    return answer(dialog);
}

QString ScriptedPrompts::openFileName(QWidget *, const FileDialogRequest &request)
{
    fileDialogs << request;
    if (openAnswers.empty())
        return QString();
    const QString path = openAnswers.front();
    openAnswers.pop_front();
    return path;
}

QStringList ScriptedPrompts::openFileNames(QWidget *parent, const FileDialogRequest &request)
{
    if (openManyAnswers.empty())
        return UserPrompts::openFileNames(parent, request);
    fileDialogs << request;
    const QStringList paths = openManyAnswers.front();
    openManyAnswers.pop_front();
    return paths;
}

QString ScriptedPrompts::saveFileName(QWidget *, const FileDialogRequest &request)
{
    fileDialogs << request;
    if (saveAnswers.empty())
        return QString();
    const QString path = saveAnswers.front();
    saveAnswers.pop_front();
    return path;
}

void ScriptedPrompts::showError(QWidget *, const QString &message) { errors << message; }

void ScriptedPrompts::showWarning(QWidget *, const QString &title, const QString &message)
{
    warnings << title + u'\n' + message;
}

void ScriptedPrompts::showInformation(QWidget *, const QString &title, const QString &message)
{
    informations << title + u'\n' + message;
}

bool ScriptedPrompts::askQuestion(QWidget *, const QString &title, const QString &question, const QString &,
                                  const QString &)
{
    questions << title + u'\n' + question;
    if (questionAnswers.empty())
        return false;
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

int ScriptedPrompts::askChoice(QWidget *, const QString &title, const QString &question,
                               const QStringList &answers, int fallback)
{
    questions << title + u'\n' + question;
    choices << answers;
    if (onChoice)
        onChoice();
    if (choiceAnswers.empty())
        return fallback;
    const QString answer = choiceAnswers.front();
    choiceAnswers.pop_front();
    if (!answers.contains(answer))
        throw std::logic_error("no such answer offered");
    return int(answers.indexOf(answer));
}

} // namespace qf::test
