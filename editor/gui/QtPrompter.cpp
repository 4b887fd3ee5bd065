#include "QtPrompter.h"

#include <QMessageBox>
#include <QString>

namespace talvo {

void QtPrompter::caution(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, "Caution!", QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool QtPrompter::warning(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, "Warning!", QString::fromStdString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Ok;
}

}  // namespace talvo
