#include "platform/QtPrompter.h"

#include <QMessageBox>
#include <QString>

#include "mapview/ScreenFit.h"

namespace talvo {

void QtPrompter::caution(const std::string& text, const std::string& detail) {
    // Without a detail, a text's second line (the file, line and value of a failed read)
    // is shown under the message.
    const QString all = QString::fromStdString(text);
    const qsizetype lineEnd = detail.empty() ? all.indexOf('\n') : -1;
    QMessageBox box(QMessageBox::Critical, "Caution!", lineEnd < 0 ? all : all.left(lineEnd),
                    QMessageBox::Ok, parent_);
    if (!detail.empty()) {
        box.setInformativeText(QString::fromStdString(detail));
    } else if (lineEnd >= 0) {
        box.setInformativeText(all.mid(lineEnd + 1));
    }
    box.setWindowModality(Qt::ApplicationModal);
    mapview::KeepTitleWhole(box);
    box.exec();
}

bool QtPrompter::warning(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, "Warning!", QString::fromStdString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    mapview::KeepTitleWhole(box);
    return box.exec() == QMessageBox::Ok;
}

}  // namespace talvo
