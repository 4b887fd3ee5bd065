#include "EngineConsole.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace talvo {

EngineConsole::EngineConsole(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmEngineConsole");
    setAttribute(Qt::WA_DeleteOnClose);
    // The console never takes the focus from the editor.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    console_ = new QPlainTextEdit(this);
    console_->setObjectName("txtConsole");
    console_->setReadOnly(true);
    console_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    console_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(console_);
    resize(720, 420);

    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyReadStandardOutput, this, &EngineConsole::readOutput);
    connect(&process_, &QProcess::finished, this, &EngineConsole::onFinished);
    connect(&process_, &QProcess::errorOccurred, this, &EngineConsole::onError);
}

EngineConsole::~EngineConsole() {
    stopRun();
}

void EngineConsole::start(const QString& script, const QString& programDir, const QString& runDir) {
    title_ = "TALVO - " + runDir;
    setWindowTitle(title_);
    process_.setWorkingDirectory(programDir);
    // Through the shell, so that the script needs no execute permission.
    process_.start("/bin/sh", {script});
}

QString EngineConsole::text() const {
    return console_->toPlainText();
}

void EngineConsole::append(const QString& text) {
    QScrollBar* bar = console_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    console_->moveCursor(QTextCursor::End);
    console_->insertPlainText(text);
    if (atEnd) {
        bar->setValue(bar->maximum());
    }
}

void EngineConsole::readOutput() {
    QString text = QString::fromLocal8Bit(process_.readAllStandardOutput());
    text.remove(QLatin1Char('\r'));
    append(text);
}

void EngineConsole::onFinished(int exitCode, QProcess::ExitStatus status) {
    readOutput();
    if (status == QProcess::CrashExit) {
        append("\n--- TALVO stopped abnormally ---\n");
    } else {
        append(QString("\n--- TALVO ended (exit code %1). Close this window when done. ---\n")
                   .arg(exitCode));
    }
    setWindowTitle(title_ + " (ended)");
    if (!ended_) {
        ended_ = true;
        emit runEnded();
    }
}

void EngineConsole::onError(QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) {
        return;
    }
    append("--- The engine could not be started: " + process_.errorString() + " ---\n");
    setWindowTitle(title_ + " (not started)");
    if (!ended_) {
        ended_ = true;
        emit runEnded();
    }
}

void EngineConsole::stopRun() {
    if (process_.state() == QProcess::NotRunning) {
        return;
    }
    disconnect(&process_, nullptr, this, nullptr);
    process_.kill();
    process_.waitForFinished(3000);
}

void EngineConsole::closeEvent(QCloseEvent* event) {
    stopRun();
    event->accept();
}

}  // namespace talvo
