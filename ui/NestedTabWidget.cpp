#include "ui/NestedTabWidget.h"

#include <QKeyEvent>

namespace qf {

void NestedTabWidget::keyPressEvent(QKeyEvent *event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (control) {
            event->ignore(); // on to the page control
            return;
        }
        break;
    default:
        break;
    }
    QTabWidget::keyPressEvent(event);
}

} // namespace qf
