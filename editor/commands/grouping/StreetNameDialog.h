#pragma once

#include <QDialog>

class QLineEdit;

namespace talvo {

struct StreetRecord;

// "Street Name Setting" (dlgStreetName): takes the name of a street just made with "&Add".
class StreetNameDialog : public QDialog {
    Q_OBJECT

  public:
    StreetNameDialog(StreetRecord& street, QWidget* parent = nullptr);

  private:
    void accept() override;

    StreetRecord& street_;
    QLineEdit* name_ = nullptr;
};

}  // namespace talvo
