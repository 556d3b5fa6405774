#pragma once
// Shared plumbing of schiffsdesigner-cli: argument reading, bad-usage errors and output.
#include "cli/JsonText.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QByteArray>
#include <QJsonValue>
#include <chrono>
#include <cstdint>
#include <optional>
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

// One output item: its JSON key, the whole line printed without --json, the
// field's text and whether the text is a number or a time in JSON.
enum class ValueKind { Number, Time };
struct OutputField {
    const char *key;
    QString line;
    QString value;
    ValueKind kind = ValueKind::Number;
};

// How a command is run: from the command line (text or --json on standard output)
// or as one request of `batch` (always JSON, kept in `answer` as compact text,
// nothing printed).
struct Run {
    bool batch = false;
    std::optional<QByteArray> fleets; // batch: the request's "fleets" object, read in place of "-"
    QByteArray answer;
    QString error; // batch: the message of a run that ended with a status other than 0
};

// A command's JSON result: printed indented, or in batch kept as the answer.
void emitJson(Run &run, const QJsonObject &object);
void emitJson(Run &run, const JsonObjectText &object);

// An option's value that must be a whole decimal number from `least` to `most`;
// else bad usage naming `label` (the option) and the text.
int64_t strictNumber(const QString &label, const QString &text, int64_t least, int64_t most);

// A figure's text as a JSON number (whole numbers as integers, decimals with the
// locale's separator as doubles); a text that is no number gives null.
QJsonValue numberJson(const QString &text);
// The same as JSON text; a plain whole number is its own text.
QByteArray numberText(const QString &text);

// A time: {"text": "68:35:49", "minutes": 4115.81...}; minutes null when the text is no time.
JsonObjectText timeJson(const QString &text);

// Prints the lines (or one JSON object) to standard output, UTF-8, LF line ends.
void printFields(const std::vector<OutputField> &fields, bool json, Run &run);
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
