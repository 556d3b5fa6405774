#include "library/FileWriting.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace qf {

namespace {
WriteDeviceWrapper &deviceWrapper()
{
    static WriteDeviceWrapper wrapper;
    return wrapper;
}
} // namespace

void SetWriteDeviceWrapper(WriteDeviceWrapper wrapper) { deviceWrapper() = std::move(wrapper); }

bool WriteFileReplacing(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // The new file takes the old one's place by a rename, which would put a
    // regular file where a device, a pipe or a socket was (/dev/null, say).
    // Only a regular file (or none yet) is replaced.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return fail(QStringLiteral("keine normale Datei"));
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    std::unique_ptr<QIODevice> wrapped;
    if (deviceWrapper())
        wrapped = deviceWrapper()(file);
    QIODevice &out = wrapped ? *wrapped : static_cast<QIODevice &>(file);
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = out.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            const QString why = out.errorString();
            file.cancelWriting();
            return fail(why);
        }
        written += n;
    }
    wrapped.reset();
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QString SaveFailureText(const QString &path, const QString &why)
{
    return QStringLiteral("Die Datei \u201E%1\u201C konnte nicht geschrieben werden: %2")
        .arg(QDir::toNativeSeparators(path), why.isEmpty() ? QStringLiteral("unbekannter Fehler") : why);
}

} // namespace qf
