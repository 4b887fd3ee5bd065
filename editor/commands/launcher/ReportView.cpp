#include "ReportView.h"

#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace talvo {

ReportView::ReportView(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmReport");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("txtReport");
    text_->setReadOnly(true);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(text_);
    resize(760, 620);
}

bool ReportView::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QString text = QString::fromLocal8Bit(file.readAll());
    text.remove(QLatin1Char('\r'));
    text_->setPlainText(text);
    setWindowTitle(path);
    return true;
}

QString ReportView::text() const {
    return text_->toPlainText();
}

}  // namespace talvo
