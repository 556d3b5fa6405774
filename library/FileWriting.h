#pragma once
// Writing a whole file so that it either holds all the new bytes or stays as it was:
// the bytes go to a temporary file that replaces the target only when complete.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>
#include <memory>

namespace qf {

// Returns whether the file now holds the bytes; if not, `error` (when given) says why.
// Only a regular file is replaced: a device, pipe, socket or folder at `path` fails.
bool WriteFileReplacing(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// What the player reads when a file could not be written: the file and the reason.
QString SaveFailureText(const QString &path, const QString &why);

// Tests put a device between the writer and the temporary file (one that fails after
// N bytes, say). The wrapper gets the open temporary file and returns the device to
// write to. An empty function removes the wrapper.
using WriteDeviceWrapper = std::function<std::unique_ptr<QIODevice>(QIODevice &file)>;
void SetWriteDeviceWrapper(WriteDeviceWrapper wrapper);

} // namespace qf
