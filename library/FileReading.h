#pragma once
// Reading a whole input with a bound. The program's own files are small (a
// design file or KRM.ini a few hundred bytes, a fleets file a few kilobytes),
// so a reader takes at most the bound and one byte more, and anything longer
// is refused without reading the rest: a huge file, /dev/zero or an endless
// pipe cannot eat the memory. The size is never asked first, since a file may
// grow while it is read and a device has no size.
//
// Only regular files are read from a path: a named pipe (FIFO) would block the
// open until a writer appears, a device may never end, a directory has no
// bytes. They fail at once, without blocking, as NotARegularFile.
//
// Core and window use the same calls:
//   const FileRead r = ReadRegularFile(path, kMaxDesignFileSize);
//   if (!r.ok()) { log or message box with ReadFailureText(r.failure, kMaxDesignFileSize); }
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace qf {

enum class ReadFailure {
    None,            // read whole, at most the bound
    CannotOpen,      // missing, no permission, or an open that failed otherwise
    NotARegularFile, // a FIFO, socket, device or directory
    TooLarge,        // more bytes than the bound
    ReadError,       // the system reported an error while reading
};

struct FileRead {
    QByteArray bytes; // empty unless ok()
    ReadFailure failure = ReadFailure::None;
    int systemError = 0; // errno of a CannotOpen or ReadError, when the system gave one

    bool ok() const { return failure == ReadFailure::None; }
};

// Largest bound a reader accepts; a larger one counts as this.
constexpr qint64 kLargestReadBound = qint64(1) << 30;

// The whole regular file at `path`, if it holds at most `bound` bytes. Never
// blocks on a FIFO and never opens a device for reading: anything that is not
// a regular file fails as NotARegularFile (a symbolic link counts as what it
// points to).
FileRead ReadRegularFile(const QString &path, qint64 bound);

// Everything from an open descriptor up to its end, if that is at most `bound`
// bytes; the descriptor stays open. Any kind of descriptor is read (a pipe, a
// terminal, a device), so only the bound applies; it waits for input as the
// descriptor does. Reading stops after bound + 1 bytes.
FileRead ReadDescriptor(int fd, qint64 bound);

// Standard input up to its end, with the bound of ReadDescriptor.
FileRead ReadStandardInput(qint64 bound);

// A size in the words of the program's texts: "1 MiB", "64 KiB", "100 Bytes".
QString SizeText(qint64 bytes);

// A short German reason for a failure, for a message box or the command-line
// tool's message: "Datei nicht lesbar", "keine normale Datei", "Datei zu groß
// (mehr als 1 MiB)", "Lesefehler". Empty for None.
QString ReadFailureText(ReadFailure failure, qint64 bound);
// The same, with the system's reason where it gave one: "keine Berechtigung",
// "Datei oder Ordner nicht vorhanden", ... (SystemErrorText).
QString ReadFailureText(const FileRead &read, qint64 bound);

} // namespace qf
