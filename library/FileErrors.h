#pragma once
// The German words for what went wrong with a file, shared by every message the
// program and the command-line tool give: the operating system's reason by its
// error code, and the place and reason of a fault in a JSON text.
#include <QByteArray>
#include <QJsonParseError>
#include <QString>

namespace qf {

// "keine Berechtigung", "Datenträger voll", ... for an errno value; an unknown
// code reads "Systemfehler N".
QString SystemErrorText(int code);

// "Zeile L, Spalte S: <reason>" for a parse error of `json`: lines and columns
// count from 1, columns in characters.
QString JsonErrorText(const QByteArray &json, const QJsonParseError &error);

} // namespace qf
