#pragma once
// Tabs inside a page: Ctrl+Tab and Ctrl+PgUp/PgDn keep switching the main window's
// pages, as they do everywhere else on the page, instead of these inner tabs.
#include <QTabWidget>

namespace qf {

class NestedTabWidget : public QTabWidget {
    Q_OBJECT
public:
    using QTabWidget::QTabWidget;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace qf
