#pragma once

#include <QProcess>
#include <QString>
#include <QWidget>

class QPlainTextEdit;

namespace talvo {

// The engine's console: a window of its own that starts the start script without making
// the editor wait, shows everything the engine prints as it comes, and stays open after
// the run until the user closes it. Closing it during a run ends the run, as closing a
// terminal would.
class EngineConsole : public QWidget {
    Q_OBJECT

  public:
    explicit EngineConsole(QWidget* parent = nullptr);
    ~EngineConsole() override;

    void start(const QString& script, const QString& programDir, const QString& runDir);

    QString text() const;
    bool isRunning() const { return process_.state() != QProcess::NotRunning; }

  signals:
    // The engine has ended (or could not be started).
    void runEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void append(const QString& text);
    void readOutput();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void stopRun();

    QPlainTextEdit* console_ = nullptr;
    QProcess process_;
    QString title_;
    bool ended_ = false;
};

}  // namespace talvo
