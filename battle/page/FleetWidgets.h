#pragma once
// Small widget helpers of the Kampfsimulator page: the fleet lists, which show
// each entry's count whole and shorten a long name in the middle, and watchers
// that turn a click on a total field or a key in a list into a call.
#include <QListWidget>
#include <QObject>
#include <functional>

class QLineEdit;

namespace qf {

// Two columns of entries, filled top to bottom, each as wide as half the list.
class FleetList : public QListWidget {
public:
    explicit FleetList(QWidget *parent);
    // Shows "Name (Count)" with the count whole; the tooltip holds the whole name and `details`.
    void addEntry(const QString &name, int64_t count, const QString &details);
    QSize sizeHint() const override { return QSize(170, 60); }
    QSize minimumSizeHint() const override { return QSize(120, 40); }

protected:
    void resizeEvent(QResizeEvent *event) override;
};

// Calls `onClick` when the left button is released over `field`.
class ClickWatcher : public QObject {
public:
    ClickWatcher(QLineEdit *field, std::function<void()> onClick);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *field_;
    std::function<void()> onClick_;
};

// Hands every key pressed in `list` to `onKey` (key code and text); the keys it
// answers true for are used up, the others move through the list as usual.
class KeyWatcher : public QObject {
public:
    using OnKey = std::function<bool(int key, const QString &text)>;
    KeyWatcher(QListWidget *list, OnKey onKey);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    OnKey onKey_;
};

} // namespace qf
