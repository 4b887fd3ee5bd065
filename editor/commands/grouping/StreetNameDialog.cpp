#include "grouping/StreetNameDialog.h"

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
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    layout->addRow(ok);
    connect(ok, &QPushButton::clicked, this, &StreetNameDialog::accept);
}

void StreetNameDialog::accept() {
    street_.streetName = name_->text().toStdString();
    QDialog::accept();
}

}  // namespace talvo
