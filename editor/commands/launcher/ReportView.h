#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace talvo {

// A run's report in a window of its own: read-only, fixed-pitch, lines unwrapped, so that
// the report's columns stand as the engine wrote them. Beside it the table of the report's
// cell numbers with their map IDs, and over it why a failed run stopped.
class ReportView : public QWidget {
    Q_OBJECT

  public:
    explicit ReportView(QWidget* parent = nullptr);

    // Shows the file; false (with nothing shown) when it cannot be read.
    bool load(const QString& path);
    QString text() const;
    // Why the run stopped, over the report; hidden while empty.
    void setNotice(const QString& text);
    QString notice() const;
    // The report's cell numbers with their map IDs; hidden while empty.
    void setCellTable(const QString& text);
    QString cellTable() const;

  private:
    QLabel* notice_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPlainTextEdit* cells_ = nullptr;
};

}  // namespace talvo
