#include "battle/page/FleetWidgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>

namespace qf {

namespace {

constexpr int kNameRole = Qt::UserRole;
constexpr int kCountRole = Qt::UserRole + 1;

// Draws an entry's name shortened in the middle ("Schlacht…Mk. 3") so that the
// count after it is always shown whole.
class EntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString name = index.data(kNameRole).toString();
        const QString count = index.data(kCountRole).toString();
        if (name.isEmpty() || option->rect.isEmpty())
            return;
        const QWidget *widget = option->widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        const int margin = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1);
        const int room = style->subElementRect(QStyle::SE_ItemViewItemText, option, widget).width() - margin;
        const QFontMetrics metrics(option->font);
        const int forName = std::max(0, room - metrics.horizontalAdvance(count));
        option->text = metrics.elidedText(name, Qt::ElideMiddle, forName) + count;
        option->textElideMode = Qt::ElideNone;
    }
};

} // namespace

FleetList::FleetList(QWidget *parent) : QListWidget(parent)
{
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new EntryDelegate(this));
}

void FleetList::addEntry(const QString &name, int64_t count, const QString &details)
{
    const QString suffix = QStringLiteral(" (") + QString::number(count) + u')';
    auto *item = new QListWidgetItem(name + suffix, this);
    item->setData(kNameRole, name);
    item->setData(kCountRole, suffix);
    item->setToolTip(name + u'\n' + details);
}

void FleetList::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    setGridSize(QSize(qMax(20, viewport()->width() / 2), fontMetrics().height() + 2));
}

ClickWatcher::ClickWatcher(QLineEdit *field, std::function<void()> onClick)
    : QObject(field), field_(field), onClick_(std::move(onClick))
{
    field->installEventFilter(this);
}

bool ClickWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && field_->rect().contains(mouse->position().toPoint()))
            onClick_();
    }
    return QObject::eventFilter(watched, event);
}

KeyWatcher::KeyWatcher(QListWidget *list, OnKey onKey) : QObject(list), onKey_(std::move(onKey))
{
    list->installEventFilter(this);
}

bool KeyWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        return onKey_(key->key(), key->text());
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qf
