// Writing a whole file: only regular files are replaced.
#include "library/FileErrors.h"
#include "library/FileWriting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qf;

TEST(FileWriting, WritesANewFileAndReplacesARegularOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.shp"));
    QString why;
    ASSERT_TRUE(WriteFileReplacing(path, "eins", &why)) << why.toStdString();
    ASSERT_TRUE(WriteFileReplacing(path, "zwei", &why)) << why.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("zwei"));
}

// A rename over a pipe, a socket or a device would put a regular file in its
// place; such targets fail and stay what they were.
TEST(FileWriting, NoDevicePipeSocketOrFolderIsReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = dir.filePath(QStringLiteral("sock"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(socketPath);
    ASSERT_LT(size_t(native.size()), sizeof(address.sun_path));
    std::copy(native.begin(), native.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    const QString folder = dir.filePath(QStringLiteral("ordner"));
    ASSERT_TRUE(QDir().mkdir(folder));

    for (const QString &path : {fifo, socketPath, folder}) {
        QString why;
        EXPECT_FALSE(WriteFileReplacing(path, "x", &why)) << path.toStdString();
        EXPECT_EQ(why, QStringLiteral("keine normale Datei"));
        EXPECT_FALSE(QFileInfo(path).isFile()) << path.toStdString();
    }
    EXPECT_TRUE(QFileInfo(fifo).exists());
    struct stat st{};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ::close(fd);
}

// The reasons are German, by the system's error code.
TEST(FileWriting, TheReasonIsTheSystemsInGerman)
{
    QTemporaryDir dir;
    QString why;
    EXPECT_FALSE(WriteFileReplacing(dir.filePath(QStringLiteral("fehlt/a.shp")), "x", &why));
    EXPECT_EQ(why, QStringLiteral("Datei oder Ordner nicht vorhanden"));
    const std::pair<int, const char *> reasons[] = {
        {EACCES, "keine Berechtigung"}, {EROFS, "Dateisystem nur lesbar"}, {ENOSPC, "Datenträger voll"},
        {EFBIG, "Datei zu groß"}, {EISDIR, "ist ein Ordner"}, {12345, "Systemfehler 12345"}};
    for (const auto &[code, text] : reasons)
        EXPECT_EQ(SystemErrorText(code), QString::fromUtf8(text)) << code;
}

// A save leaves the file and nothing beside it; what a killed save left is removed by
// the next save of that file, and the file keeps its permissions.
TEST(FileWriting, NoStrayCopyStaysBeside)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.shp"));
    ASSERT_TRUE(WriteFileReplacing(path, "eins"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const QString stale = dir.filePath(QStringLiteral(".a.shp.%1-0.tmp").arg(child));
    QFile left(stale);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    ASSERT_TRUE(WriteFileReplacing(path, "zwei"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.shp")});
    EXPECT_EQ(QFile::permissions(path) & 0x0FFF, QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
}
