#pragma once
// "Designvergleich": every design of the collection side by side, in a window
// of its own beside the main window. It follows the collection and the
// Designer page's distance, factory levels and display option as they change.
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace qf {

class CompareTableModel;
class DesignCollection;
class DesignerPage;
class UserPrompts;

class CompareWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own, owned by `parent`.
    CompareWindow(DesignCollection &designs, DesignerPage &page, UserPrompts &prompts, QWidget *parent);

    CompareTableModel &model() const { return *model_; }
    QTableView *table() const { return CompareTable; }
    QComboBox *referenceList() const { return CompareReference; }
    QPushButton *saveCsvButton() const { return CompareSaveCsv; }
    QPushButton *copyButton() const { return CompareCopy; }
    QLabel *settingsLabel() const { return CompareSettingsText; }

    // The table as shown, the separator between fields, a header line first.
    QString tableText(QChar separator) const;

public slots:
    void CompareSaveCsvClick();
    void CompareCopyClick();
    void CompareReferenceSelect(int index);
    // Takes the Designer page's distance, factory levels and display option.
    void followDesignerPage();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout(DesignCollection &designs);
    // The first time it is shown: beside the main window, as wide as the table
    // where the screen has room.
    void placeBesideMainWindow();

    DesignerPage &page_;
    UserPrompts &prompts_;
    CompareTableModel *model_ = nullptr;
    QLabel *CompareSettingsText = nullptr;
    QComboBox *CompareReference = nullptr;
    QTableView *CompareTable = nullptr;
    QPushButton *CompareSaveCsv = nullptr;
    QPushButton *CompareCopy = nullptr;
    QPushButton *CompareClose = nullptr;
    bool placed_ = false;
};

} // namespace qf
