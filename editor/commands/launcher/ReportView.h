#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace talvo {

// A run's report in a window of its own: read-only, fixed-pitch, lines unwrapped, so that
// the report's columns stand as the engine wrote them.
class ReportView : public QWidget {
    Q_OBJECT

  public:
    explicit ReportView(QWidget* parent = nullptr);

    // Shows the file; false (with nothing shown) when it cannot be read.
    bool load(const QString& path);
    QString text() const;

  private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace talvo
