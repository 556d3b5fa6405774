#pragma once
// Where the main window was left and how large it was, kept in a settings file of
// its own ("window.ini", beside KRM.ini in the user's configuration folder), so
// the window comes back as it was at the next start. KRM.ini keeps its layout.
#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

namespace qf {

class WindowGeometry {
public:
    QRect normal;           // the window's area when it is not maximised
    bool maximised = false;

    static QString fileName() { return QStringLiteral("window.ini"); }

    // The file's text: one "key=value" a line under "[Fenster]", CR LF line ends.
    QByteArray format() const;
    // The geometry a text of ours holds; nothing for a missing key, a number that
    // is not one, a size below 1 or beyond any screen.
    static std::optional<WindowGeometry> parse(const QByteArray &bytes);

    static std::optional<WindowGeometry> load(const QString &path);
    bool save(const QString &path) const;

    // Whether enough of the window lies on one of the screens (given by their
    // areas) to grab it again; a window off every screen is not put back there.
    bool isOnAScreen(const QList<QRect> &screens) const;
};

} // namespace qf
