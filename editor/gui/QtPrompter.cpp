#include "QtPrompter.h"

#include <QMessageBox>
#include <QString>

#include "mapview/ScreenFit.h"

namespace talvo {

void QtPrompter::caution(const std::string& text) {
    // A second line (the file, line and value of a failed read) is shown under the message.
    const QString all = QString::fromStdString(text);
    const qsizetype lineEnd = all.indexOf('\n');
    QMessageBox box(QMessageBox::Critical, "Caution!", lineEnd < 0 ? all : all.left(lineEnd),
                    QMessageBox::Ok, parent_);
    if (lineEnd >= 0) {
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
