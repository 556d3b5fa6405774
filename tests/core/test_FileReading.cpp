// Reading inputs with a bound: only regular files from a path, never blocking on
// a FIFO, never more than the bound and one byte.
#include "library/FileReading.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace qf;

namespace {

class FileReading : public ::testing::Test {
protected:
    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_EQ(f.write(content), content.size());
        return path;
    }
    QString fifo(const QString &name)
    {
        const QString path = dir.filePath(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return path;
    }
    QTemporaryDir dir;
};

// Reads `path` on another thread. Should the read hang in a FIFO's open, a
// writer is opened after a few seconds to let it go, and the test fails
// instead of hanging the suite.
FileRead readWithWatchdog(const QString &path, qint64 bound)
{
    auto reading = std::async(std::launch::async, [&] { return ReadRegularFile(path, bound); });
    if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "reading " << path.toStdString() << " blocked";
        const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    return reading.get();
}

// A pipe whose two ends are closed with the test.
struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(::pipe(fds), 0); }
    ~Pipe()
    {
        closeWriter();
        if (fds[0] >= 0)
            ::close(fds[0]);
    }
    int reader() const { return fds[0]; }
    void write(const QByteArray &bytes) { EXPECT_EQ(::write(fds[1], bytes.constData(), size_t(bytes.size())), bytes.size()); }
    void closeWriter()
    {
        if (fds[1] >= 0)
            ::close(fds[1]);
        fds[1] = -1;
    }
};

} // namespace

TEST_F(FileReading, ARegularFileIsReadWholeUpToTheBound)
{
    const QByteArray text = "Lager 3\r\nPanzer 2\r\n";
    const FileRead small = ReadRegularFile(write("a.shp", text), 1024);
    EXPECT_TRUE(small.ok());
    EXPECT_EQ(small.failure, ReadFailure::None);
    EXPECT_EQ(small.bytes, text);

    const FileRead empty = ReadRegularFile(write("leer.shp", QByteArray()), 1024);
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.bytes.isEmpty());

    // Exactly the bound is still taken; one byte more is not. Larger than one
    // chunk of the reader, so the reading goes round its loop.
    const qint64 bound = 200 * 1024 + 7;
    QByteArray exact(bound, 'x');
    exact[0] = 'A';
    exact[bound - 1] = 'Z';
    const FileRead atBound = ReadRegularFile(write("genau.json", exact), bound);
    EXPECT_TRUE(atBound.ok());
    EXPECT_EQ(atBound.bytes, exact);
    const FileRead past = ReadRegularFile(write("zu-gross.json", exact + 'y'), bound);
    EXPECT_EQ(past.failure, ReadFailure::TooLarge);
    EXPECT_TRUE(past.bytes.isEmpty());

    // A bound below 0 counts as 0.
    EXPECT_TRUE(ReadRegularFile(dir.filePath("leer.shp"), -5).ok());
    EXPECT_EQ(ReadRegularFile(dir.filePath("a.shp"), -5).failure, ReadFailure::TooLarge);
}

TEST_F(FileReading, MissingFilesCannotBeOpened)
{
    for (const QString &path : {dir.filePath("fehlt.shp"), QString(), dir.filePath("fehlt/a.shp"),
                                QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b")}) {
        const FileRead r = ReadRegularFile(path, 1024);
        EXPECT_EQ(r.failure, ReadFailure::CannotOpen) << path.toStdString();
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.bytes.isEmpty());
    }
}

TEST_F(FileReading, OnlyRegularFilesAreRead)
{
    QDir(dir.path()).mkdir("verzeichnis");
    const QString pipe = fifo("pipe.shp");
    const QString linkToPipe = dir.filePath("link-pipe.shp");
    ASSERT_TRUE(QFile::link(pipe, linkToPipe));
    const QString linkToFile = dir.filePath("link-datei.shp");
    ASSERT_TRUE(QFile::link(write("datei.shp", "Lager 2\n"), linkToFile));

    // A listening socket in the file system.
    const QString socketPath = dir.filePath("sock");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(socketPath);
    ASSERT_LT(size_t(socketName.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, socketName.constData(), size_t(socketName.size()));
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    ASSERT_EQ(::listen(sock, 1), 0);

    for (const QString &path : {pipe, linkToPipe, dir.filePath("verzeichnis"), socketPath,
                                QStringLiteral("/dev/zero"), QStringLiteral("/dev/null"),
                                QStringLiteral("/dev/urandom")}) {
        const FileRead r = readWithWatchdog(path, 1024 * 1024);
        EXPECT_EQ(r.failure, ReadFailure::NotARegularFile) << path.toStdString();
        EXPECT_TRUE(r.bytes.isEmpty());
    }
    ::close(sock);

    const FileRead linked = ReadRegularFile(linkToFile, 1024);
    EXPECT_TRUE(linked.ok());
    EXPECT_EQ(linked.bytes, QByteArray("Lager 2\n"));
}

TEST_F(FileReading, ADescriptorIsReadToItsEndWithinTheBound)
{
    Pipe pipe;
    pipe.write("{\"home\": []}");
    pipe.closeWriter();
    const FileRead r = ReadDescriptor(pipe.reader(), 1024);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, QByteArray("{\"home\": []}"));
}

TEST_F(FileReading, ADescriptorIsReadNoFurtherThanOneBytePastTheBound)
{
    Pipe pipe;
    pipe.write(QByteArray(100, 'a'));
    pipe.closeWriter();
    EXPECT_EQ(ReadDescriptor(pipe.reader(), 10).failure, ReadFailure::TooLarge);
    // Eleven bytes were taken; the other 89 are still in the pipe.
    char rest[200];
    EXPECT_EQ(::read(pipe.reader(), rest, sizeof(rest)), 89);

    // An endless device ends at the bound.
    const int zero = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(zero, 0);
    const FileRead endless = ReadDescriptor(zero, 1024 * 1024);
    EXPECT_EQ(endless.failure, ReadFailure::TooLarge);
    EXPECT_TRUE(endless.bytes.isEmpty());
    ::close(zero);
}

TEST_F(FileReading, ADescriptorWithoutBlockingWaitsForItsInput)
{
    Pipe pipe;
    const int flags = ::fcntl(pipe.reader(), F_GETFL);
    ASSERT_EQ(::fcntl(pipe.reader(), F_SETFL, flags | O_NONBLOCK), 0);
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pipe.write("Lager ");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pipe.write("3");
        pipe.closeWriter();
    });
    const FileRead r = ReadDescriptor(pipe.reader(), 1024);
    writer.join();
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, QByteArray("Lager 3"));
}

TEST_F(FileReading, AClosedDescriptorIsAReadError)
{
    EXPECT_EQ(ReadDescriptor(-1, 1024).failure, ReadFailure::ReadError);
}

TEST(FileReadingTexts, ReasonsInTheProgramsWords)
{
    const struct {
        ReadFailure failure;
        qint64 bound;
        const char *text;
    } cases[] = {
        {ReadFailure::None, 1024, ""},
        {ReadFailure::CannotOpen, 1024, "Datei nicht lesbar"},
        {ReadFailure::NotARegularFile, 1024, "keine normale Datei"},
        {ReadFailure::TooLarge, 1024 * 1024, "Datei zu groß (mehr als 1 MiB)"},
        {ReadFailure::TooLarge, 3 * 1024 * 1024, "Datei zu groß (mehr als 3 MiB)"},
        {ReadFailure::TooLarge, 64 * 1024, "Datei zu groß (mehr als 64 KiB)"},
        {ReadFailure::TooLarge, 1000, "Datei zu groß (mehr als 1000 Bytes)"},
        {ReadFailure::ReadError, 1024, "Lesefehler"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadFailureText(c.failure, c.bound), QString::fromUtf8(c.text)) << c.text;
    EXPECT_EQ(SizeText(0), QStringLiteral("0 Bytes"));
    EXPECT_EQ(SizeText(1536), QStringLiteral("1536 Bytes"));
    EXPECT_EQ(SizeText(2048), QStringLiteral("2 KiB"));
}
