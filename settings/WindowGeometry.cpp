#include "settings/WindowGeometry.h"

#include "library/FileReading.h"
#include "library/FileWriting.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <algorithm>

namespace qf {

namespace {

// Coordinates beyond these are no screen's; they also keep the sums below in range.
constexpr int kLargestCoordinate = 1000000;
constexpr int kLargestSize = 100000;
// A settings file of a few lines.
constexpr qint64 kMaxGeometryFileSize = 4096;

// The part of the window that must lie on a screen to be grabbed: the width of a
// title bar's grip and the height of two lines, or the whole window if smaller.
constexpr int kGripWidth = 100;
constexpr int kGripHeight = 40;

QMap<QString, QString> keysOf(const QByteArray &bytes)
{
    QMap<QString, QString> keys;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

std::optional<int> numberIn(const QMap<QString, QString> &keys, const char *key, int low, int high)
{
    bool ok = false;
    const int value = keys.value(QString::fromLatin1(key)).toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

QByteArray WindowGeometry::format() const
{
    return QStringLiteral("[Fenster]\r\nX=%1\r\nY=%2\r\nBreite=%3\r\nHoehe=%4\r\nMaximiert=%5\r\n")
        .arg(normal.x())
        .arg(normal.y())
        .arg(normal.width())
        .arg(normal.height())
        .arg(maximised ? 1 : 0)
        .toUtf8();
}

std::optional<WindowGeometry> WindowGeometry::parse(const QByteArray &bytes)
{
    const QMap<QString, QString> keys = keysOf(bytes);
    const auto x = numberIn(keys, "X", -kLargestCoordinate, kLargestCoordinate);
    const auto y = numberIn(keys, "Y", -kLargestCoordinate, kLargestCoordinate);
    const auto width = numberIn(keys, "Breite", 1, kLargestSize);
    const auto height = numberIn(keys, "Hoehe", 1, kLargestSize);
    const auto maximised = numberIn(keys, "Maximiert", 0, 1);
    if (!x || !y || !width || !height || !maximised)
        return std::nullopt;
    WindowGeometry g;
    g.normal = QRect(*x, *y, *width, *height);
    g.maximised = *maximised == 1;
    return g;
}

std::optional<WindowGeometry> WindowGeometry::load(const QString &path)
{
    const FileRead read = ReadRegularFile(path, kMaxGeometryFileSize);
    if (!read.ok())
        return std::nullopt;
    return parse(read.bytes);
}

bool WindowGeometry::save(const QString &path) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return WriteFileReplacing(path, format());
}

bool WindowGeometry::isOnAScreen(const QList<QRect> &screens) const
{
    const int needWidth = std::min(normal.width(), kGripWidth);
    const int needHeight = std::min(normal.height(), kGripHeight);
    return std::any_of(screens.begin(), screens.end(), [&](const QRect &screen) {
        const QRect shown = screen.intersected(normal);
        return shown.width() >= needWidth && shown.height() >= needHeight;
    });
}

} // namespace qf
