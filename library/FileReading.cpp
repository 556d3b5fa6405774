#include "library/FileReading.h"

#include "library/Descriptor.h"
#include "library/FileErrors.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qf {

namespace {

FileRead failed(ReadFailure failure, int systemError = 0)
{
    FileRead result;
    result.failure = failure;
    result.systemError = systemError;
    return result;
}

// Waits until a descriptor opened without blocking has input (or its end).
bool waitForInput(int fd)
{
    pollfd p{};
    p.fd = fd;
    p.events = POLLIN;
    for (;;) {
        if (::poll(&p, 1, -1) >= 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

} // namespace

FileRead ReadDescriptor(int fd, qint64 bound)
{
    bound = std::clamp<qint64>(bound, 0, kLargestReadBound);
    // One byte past the bound tells a file of exactly the bound from a longer one.
    const qint64 limit = bound + 1;
    constexpr qint64 kChunk = 64 * 1024;
    QByteArray bytes;
    qint64 have = 0;
    while (have < limit) {
        const qint64 chunk = std::min(limit - have, kChunk);
        bytes.resize(have + chunk);
        const ssize_t n = ::read(fd, bytes.data() + have, size_t(chunk));
        if (n > 0) {
            have += n;
            continue;
        }
        if (n == 0)
            break;
        if (errno == EINTR)
            continue;
        if ((errno == EAGAIN || errno == EWOULDBLOCK) && waitForInput(fd))
            continue;
        return failed(ReadFailure::ReadError, errno);
    }
    if (have > bound)
        return failed(ReadFailure::TooLarge);
    bytes.resize(have);
    FileRead result;
    result.bytes = bytes;
    return result;
}

FileRead ReadStandardInput(qint64 bound) { return ReadDescriptor(STDIN_FILENO, bound); }

FileRead ReadRegularFile(const QString &path, qint64 bound)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return failed(ReadFailure::CannotOpen);
    const QByteArray name = QFile::encodeName(path);
    // Looked at before opening, so that no device is ever opened (opening some
    // has effects of its own); a file that changes in between is caught below.
    struct stat before {};
    if (::stat(name.constData(), &before) != 0)
        return failed(ReadFailure::CannotOpen, errno);
    if (!S_ISREG(before.st_mode))
        return failed(ReadFailure::NotARegularFile);
    // Without O_NONBLOCK the open of a FIFO would wait for a writer.
    const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.valid())
        return failed(ReadFailure::CannotOpen, errno);
    struct stat opened {};
    if (::fstat(file.get(), &opened) != 0)
        return failed(ReadFailure::ReadError, errno);
    if (!S_ISREG(opened.st_mode))
        return failed(ReadFailure::NotARegularFile);
    // A regular file never blocks; the flag is dropped all the same so that a
    // read waits as it usually does.
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
    return ReadDescriptor(file.get(), bound);
}

QString SizeText(qint64 bytes)
{
    constexpr qint64 kKiB = 1024;
    constexpr qint64 kMiB = 1024 * kKiB;
    if (bytes > 0 && bytes % kMiB == 0)
        return QStringLiteral("%1 MiB").arg(bytes / kMiB);
    if (bytes > 0 && bytes % kKiB == 0)
        return QStringLiteral("%1 KiB").arg(bytes / kKiB);
    return QStringLiteral("%1 Bytes").arg(bytes);
}

QString ReadFailureText(ReadFailure failure, qint64 bound)
{
    switch (failure) {
    case ReadFailure::None:
        return QString();
    case ReadFailure::CannotOpen:
        return QStringLiteral("Datei nicht lesbar");
    case ReadFailure::NotARegularFile:
        return QStringLiteral("keine normale Datei");
    case ReadFailure::TooLarge:
        return QStringLiteral("Datei zu groß (mehr als %1)")
            .arg(SizeText(std::clamp<qint64>(bound, 0, kLargestReadBound)));
    case ReadFailure::ReadError:
        return QStringLiteral("Lesefehler");
    }
    return QString();
}

QString ReadFailureText(const FileRead &read, qint64 bound)
{
    const bool systemReason = read.failure == ReadFailure::CannotOpen || read.failure == ReadFailure::ReadError;
    if (systemReason && read.systemError != 0)
        return SystemErrorText(read.systemError);
    return ReadFailureText(read.failure, bound);
}

} // namespace qf
