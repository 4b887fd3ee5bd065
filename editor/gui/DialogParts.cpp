#include "DialogParts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace talvo {

QLineEdit* AddTextRow(QFormLayout* form, const char* objectName, const QString& caption,
                      const QString& unit) {
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    edit->setMaximumWidth(140);
    if (unit.isEmpty()) {
        form->addRow(caption, edit);
    } else {
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(new QLabel(unit));
        form->addRow(caption, row);
    }
    return edit;
}

OkCancel AddOkCancel(QDialog* dialog, QBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    auto* ok = new QPushButton("OK");
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("cmdCancel");
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return {ok, cancel};
}

}  // namespace talvo
