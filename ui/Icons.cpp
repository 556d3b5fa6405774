#include "ui/Icons.h"

#include <QImageReader>
#include <QPainter>
#include <QPixmap>

namespace qf {

QIcon ProgramIcon()
{
    // Told the format, the image reader uses Qt's own PNG reader; left to find it, it
    // would first load every image-format plugin to ask each.
    QIcon icon;
    for (int size : {32, 64}) {
        QImageReader reader(QStringLiteral(":/icons/quarzfink-schiffsdesigner-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

DeferredIconEngine::DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

const QIcon &DeferredIconEngine::icon()
{
    if (!made_) {
        icon_ = make_();
        made_ = true;
    }
    return icon_;
}

void DeferredIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return icon().pixmap(size, mode, state);
}

QPixmap DeferredIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    return icon().pixmap(size, scale, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return icon().actualSize(size, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return icon().availableSizes(mode, state);
}

QIconEngine *DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(*this);
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

bool DeferredIconEngine::isNull()
{
    return icon().isNull();
}

QIcon DeferredIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                      const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // Made without the option and widget: both may be gone when it is first drawn.
    const QStyle *base = baseStyle();
    return QIcon(new DeferredIconEngine([base, standardIcon] { return base->standardIcon(standardIcon); }));
}

} // namespace qf
