#include "app/MenuShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>
#include <functional>

namespace qf {

MenuShortcuts::MenuShortcuts(QWidget *window, QList<QMenu *> menus)
    : QObject(window), window_(window), menus_(std::move(menus))
{
    // A key goes to the focused widget first as a ShortcutOverride, which the
    // application's filters see before any widget does.
    qApp->installEventFilter(this);
}

std::optional<bool> MenuShortcuts::usable(const QKeySequence &keys) const
{
    // An item may stand in several menus, and have several shortcuts: it is usable
    // where any menu it stands in is enabled.
    std::optional<bool> result;
    std::function<void(const QMenu *, bool)> find = [&](const QMenu *menu, bool menuEnabled) {
        for (QAction *action : menu->actions()) {
            if (action->menu())
                find(action->menu(), menuEnabled && action->isEnabled());
            else if (action->shortcuts().contains(keys))
                result = result.value_or(false) || (menuEnabled && action->isEnabled());
        }
    };
    for (const QMenu *menu : menus_)
        find(menu, menu->menuAction()->isEnabled());
    return result;
}

bool MenuShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != window_)
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
    const std::optional<bool> itemUsable = usable(pressed);
    if (!itemUsable)
        return false;
    if (*itemUsable) {
        event->ignore(); // not the field's: the shortcut runs
        return true;
    }
    event->accept(); // the field's, and no menu item runs
    return false;
}

} // namespace qf
