#pragma once
// The program's icon, and icons made when first drawn.
//
// An image file whose format is not named is read by asking every image-format plugin
// first, which loads all of them (and the SVG and JPEG libraries) into the process.
// Qt's standard icons are read that way, and the main window's menu bar asks for one
// at its start, for a button it shows only when the bar is too narrow for its menus.
// Both together took about a twentieth of the start.
#include <QIcon>
#include <QIconEngine>
#include <QProxyStyle>

#include <functional>

namespace qf {

// The program's icon in the sizes a window needs (larger views use the installed theme
// icon), read from the GUI library's resources as PNG by name.
QIcon ProgramIcon();

// An icon that calls its maker the first time it is drawn or measured, and is that
// icon from then on.
class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> make);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    const QIcon &icon();

    std::function<QIcon()> make_;
    QIcon icon_;
    bool made_ = false;
};

// The style the platform would give the program, except that the menu bar's
// extension button gets its icon when it is first drawn.
class DeferredIconStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace qf
