#include "library/FileWriting.h"

#include "library/Descriptor.h"
#include "library/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qf {

namespace {
WriteDeviceWrapper &deviceWrapper()
{
    static WriteDeviceWrapper wrapper;
    return wrapper;
}

// The new bytes wait under ".NAME.PID-N.tmp" beside the file for the moment of the
// rename; a process killed in that moment leaves it, and the next save of the same
// file removes it.
QString tempSuffix() { return QStringLiteral(".tmp"); }

QString tempPath(const QFileInfo &target)
{
    static std::atomic<int> counter{0};
    return target.absolutePath() + QStringLiteral("/.%1.%2-%3%4")
                                       .arg(target.fileName())
                                       .arg(qint64(::getpid()))
                                       .arg(counter++)
                                       .arg(tempSuffix());
}

bool processIsGone(qint64 pid) { return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH; }

// Removes the temporary files of earlier saves of `target` whose process has ended.
void removeStaleTemporaries(const QFileInfo &target)
{
    const QString prefix = QStringLiteral(".") + target.fileName() + u'.';
    const QDir folder(target.absolutePath());
    const QStringList names = folder.entryList({prefix + QStringLiteral("*") + tempSuffix()},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QString middle = name.mid(prefix.size(), name.size() - prefix.size() - tempSuffix().size());
        bool number = false;
        const qint64 pid = middle.section(u'-', 0, 0).toLongLong(&number);
        if (number && processIsGone(pid))
            QFile::remove(folder.filePath(name));
    }
}

// A file without a name in the target's folder, where the system has them.
int openUnnamed(const QFileInfo &target)
{
#ifdef O_TMPFILE
    return ::open(QFile::encodeName(target.absolutePath()).constData(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0666);
#else
    errno = EOPNOTSUPP;
    return -1;
#endif
}

int openNamed(const QString &temp)
{
    return ::open(QFile::encodeName(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

// Writes every byte through the test's wrapper, if there is one; returns errno or 0.
int writeAll(int fd, const QByteArray &bytes)
{
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return errno ? errno : EIO;
    std::unique_ptr<QIODevice> wrapped;
    if (deviceWrapper())
        wrapped = deviceWrapper()(file);
    QIODevice &out = wrapped ? *wrapped : static_cast<QIODevice &>(file);
    qint64 written = 0;
    while (written < bytes.size()) {
        errno = 0;
        const qint64 n = out.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            return errno ? errno : EIO;
        written += n;
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Gives the unnamed file the temporary name.
int linkUnnamed(int fd, const QString &temp)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(temp).constData(), AT_SYMLINK_FOLLOW)
            == 0
        ? 0
        : errno;
}

// The complete bytes under the temporary name; returns errno or 0. An unnamed file
// gets the name only when it is complete; where the system has no unnamed files (or
// cannot name one) the named file is written and removed again on a failure.
int writeTemporary(const QFileInfo &target, const QString &temp, const QByteArray &bytes, const struct stat *old)
{
    for (const bool named : {false, true}) {
        const Descriptor fd(named ? openNamed(temp) : openUnnamed(target));
        if (!fd.valid()) {
            if (!named)
                continue;
            return errno;
        }
        if (old)
            ::fchmod(fd.get(), old->st_mode & 07777); // the file keeps its permissions
        const int code = writeAll(fd.get(), bytes);
        if (code != 0) {
            if (named)
                ::unlink(QFile::encodeName(temp).constData());
            return code;
        }
        if (named || linkUnnamed(fd.get(), temp) == 0)
            return 0;
    }
    return EIO;
}

// After the rename the folder itself is synced, so the new name survives a power cut.
void syncFolder(const QFileInfo &target)
{
    const Descriptor folder(::open(QFile::encodeName(target.absolutePath()).constData(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid())
        ::fsync(folder.get());
}
} // namespace

void SetWriteDeviceWrapper(WriteDeviceWrapper wrapper) { deviceWrapper() = std::move(wrapper); }

bool WriteFileReplacing(const QString &givenPath, const QByteArray &bytes, QString *error)
{
    // A symbolic link stays one: the file it points to is replaced.
    const QFileInfo given(givenPath);
    const QString path = given.isSymLink() && !given.canonicalFilePath().isEmpty() ? given.canonicalFilePath()
                                                                                   : givenPath;
    const auto fail = [&](int code) {
        if (error)
            *error = SystemErrorText(code);
        return false;
    };
    // The new file takes the old one's place by a rename, which would put a regular
    // file where a device, a pipe or a socket was (/dev/null, say). Only a regular
    // file (or none yet) is replaced.
    const QFileInfo target(path);
    struct stat old {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        if (error)
            *error = QStringLiteral("keine normale Datei");
        return false;
    }
    removeStaleTemporaries(target);
    const QString temp = tempPath(target);
    if (const int code = writeTemporary(target, temp, bytes, exists ? &old : nullptr))
        return fail(code);
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        const int code = errno;
        ::unlink(QFile::encodeName(temp).constData());
        return fail(code);
    }
    syncFolder(target);
    return true;
}

QString SaveFailureText(const QString &path, const QString &why)
{
    return QStringLiteral("Die Datei \u201E%1\u201C konnte nicht geschrieben werden: %2")
        .arg(QDir::toNativeSeparators(path), why.isEmpty() ? QStringLiteral("unbekannter Fehler") : why);
}

} // namespace qf
