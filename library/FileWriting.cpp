#include "library/FileWriting.h"

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

bool WriteFileReplacing(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    std::unique_ptr<QIODevice> wrapped;
    if (deviceWrapper())
        wrapped = deviceWrapper()(file);
    QIODevice &out = wrapped ? *wrapped : static_cast<QIODevice &>(file);
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = out.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            file.cancelWriting();
            return false;
        }
        written += n;
    }
    wrapped.reset();
    return file.commit();
}

} // namespace qf
