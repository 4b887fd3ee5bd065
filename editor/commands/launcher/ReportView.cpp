#include "ReportView.h"

#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

namespace talvo {

namespace {

QPlainTextEdit* FixedPitchText(const char* name, QWidget* parent) {
    auto* text = new QPlainTextEdit(parent);
    text->setObjectName(name);
    text->setReadOnly(true);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    return text;
}

}  // namespace

ReportView::ReportView(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmReport");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    notice_ = new QLabel(this);
    notice_->setObjectName("lblReportNotice");
    notice_->setWordWrap(true);
    notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notice_->setContentsMargins(8, 6, 8, 6);
    notice_->setStyleSheet("QLabel { background: #fff0c0; color: #600; }");
    notice_->hide();
    layout->addWidget(notice_);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    text_ = FixedPitchText("txtReport", splitter);
    cells_ = FixedPitchText("txtCellIDs", splitter);
    cells_->hide();
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    resize(760, 620);
}

bool ReportView::load(const QString& path) {
    setWindowTitle(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QString text = QString::fromLocal8Bit(file.readAll());
    text.remove(QLatin1Char('\r'));
    text_->setPlainText(text);
    return true;
}

QString ReportView::text() const {
    return text_->toPlainText();
}

void ReportView::setNotice(const QString& text) {
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
}

QString ReportView::notice() const {
    return notice_->text();
}

void ReportView::setCellTable(const QString& text) {
    cells_->setPlainText(text);
    cells_->setVisible(!text.isEmpty());
    if (!text.isEmpty()) {
        resize(1040, height());
    }
}

QString ReportView::cellTable() const {
    return cells_->toPlainText();
}

}  // namespace talvo
