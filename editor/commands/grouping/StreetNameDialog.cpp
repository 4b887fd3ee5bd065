#include "grouping/StreetNameDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "common/ProjectRecords.h"

namespace talvo {

StreetNameDialog::StreetNameDialog(StreetRecord& street, QWidget* parent)
    : QDialog(parent), street_(street) {
    setObjectName("dlgStreetName");
    setWindowTitle("Street Name Setting");
    setModal(true);
    auto* layout = new QFormLayout(this);
    name_ = new QLineEdit(QString::fromStdString(street.streetName), this);
    name_->setObjectName("txtStreetName");
    layout->addRow("Name:", name_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelButton");
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &StreetNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &StreetNameDialog::reject);
    // Wide enough for its whole title.
    setMinimumWidth(320);
}

void StreetNameDialog::accept() {
    street_.streetName = name_->text().toStdString();
    QDialog::accept();
}

}  // namespace talvo
