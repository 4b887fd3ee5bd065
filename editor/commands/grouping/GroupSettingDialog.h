#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "grouping/GroupEditor.h"
#include "grouping/GroupTable.h"
#include "model/EditResult.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace talvo {

class NumberField;
class Prompter;
struct NetworkTables;

// The three group setting dialogs share one layout: a group count, a group chooser, the
// candidate cells on the left, the group's cells on the right, moves between them and a
// delete button. dlgStreet adds the street's name, dlgCTMPlot the plot flag and its steps.
// Every change goes into the tables given, a copy that the window hands to the model as
// one command when the dialog closes.
class GroupSettingDialog : public QDialog {
    Q_OBJECT

  public:
    GroupSettingDialog(GroupKind kind, NetworkTables& tables, Prompter& prompter,
                       QWidget* parent = nullptr);
    ~GroupSettingDialog() override;

  private:
    void build();
    void fillChooser();
    void showGroup();
    void countChanged(int count);
    void chooserChanged(int index);
    void moveRight();
    void moveLeft();
    void deleteGroup();
    void refuseOr(const EditResult& result);
    void plotFlagToggled(bool checked);
    EditResult storeStep(double value, bool isStart);
    QString storedStep(bool isStart) const;
    int* chosenStep(bool isStart) const;

    GroupKind kind_;
    NetworkTables& tables_;
    Prompter& prompter_;
    std::unique_ptr<GroupTable> table_;
    GroupEditor editor_;
    bool filling_ = false;

    QSpinBox* count_ = nullptr;
    QComboBox* chooser_ = nullptr;
    QListWidget* available_ = nullptr;
    QListWidget* added_ = nullptr;
    QLineEdit* streetName_ = nullptr;
    QCheckBox* plotFlag_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    std::vector<NumberField*> stepFields_;
};

}  // namespace talvo
