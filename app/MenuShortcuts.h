#pragma once
// Makes the menu's shortcuts win over the field that has the focus, as the
// original program's menus did: Ctrl+A would select a field's text and, under
// X11, Ctrl+E move to its end. A shortcut wins only where its menu is enabled;
// where it is not, the key stays the field's.
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <optional>

class QMenu;
class QWidget;

namespace qf {

class MenuShortcuts : public QObject {
    Q_OBJECT
public:
    // Watches the keys of every widget in `window` for the items of `menus`.
    MenuShortcuts(QWidget *window, QList<QMenu *> menus);

    // For keys that are a menu item's shortcut: whether that item can be used now
    // (it and every menu it stands in are enabled). Nothing for other keys.
    std::optional<bool> usable(const QKeySequence &keys) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    QList<QMenu *> menus_;
};

} // namespace qf
