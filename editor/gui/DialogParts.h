#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;
class QBoxLayout;

namespace talvo {

// A captioned text box named objectName, added as a row of the form.
QLineEdit* AddTextRow(QFormLayout* form, const char* objectName, const QString& caption,
                      const QString& unit = QString());

// "OK" (cmdOK) and "Cancel" (cmdCancel) at the foot of the layout. Cancel rejects the
// dialog; the dialog connects OK to its own checks.
struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancel AddOkCancel(QDialog* dialog, QBoxLayout* layout);

}  // namespace talvo
