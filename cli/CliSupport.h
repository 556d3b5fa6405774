#pragma once
// Shared plumbing of schiffsdesigner-cli: argument reading, bad-usage errors and output.
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <stdexcept>
#include <utility>
#include <vector>

namespace qf::cli {

// Bad usage or unreadable input: exit status 2, one line on standard error.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// Reads "--name VALUE" options and positional arguments of one command.
class ArgReader {
public:
    explicit ArgReader(QStringList args) : args_(std::move(args)) {}
    bool atEnd() const { return pos_ >= args_.size(); }
    QString next() { return args_.at(pos_++); }
    // The value that must follow an option.
    QString valueFor(const QString &option);

private:
    QStringList args_;
    int pos_ = 0;
};

// One output item: the label a line shows, the control its JSON key names, and the text.
struct OutputField {
    QString key;   // JSON key (control name)
    QString line;  // the whole line printed without --json
    QString value; // the JSON value
};

// Prints the lines (or one JSON object) to standard output, UTF-8, LF line ends.
void printFields(const std::vector<OutputField> &fields, bool json);
void printLines(const QStringList &lines);
void printJson(const QJsonObject &object);

// Writes the text to standard error at once (UTF-8).
void WriteError(const QString &text);

// Where a long run stands, on one line of standard error rewritten a few times
// a second and wiped at the end. Only on a terminal: a script reading standard
// error gets nothing but the one-line messages.
class TerminalStatus {
public:
    TerminalStatus();
    ~TerminalStatus() { wipe(); }
    TerminalStatus(const TerminalStatus &) = delete;
    TerminalStatus &operator=(const TerminalStatus &) = delete;

    bool wanted() const { return terminal_; }
    void show(const QString &line);
    void wipe();

private:
    bool terminal_;
    int width_ = 0;
    std::chrono::steady_clock::time_point last_;
};

} // namespace qf::cli
