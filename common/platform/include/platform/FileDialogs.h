#pragma once
// The file dialogs of both programs: filters in the "Name|pattern|Name|pattern" form turned
// into Qt's, and dialogs that start in the folder a file was last chosen in.

#include <QString>
#include <string>

#include "platform/FileDialogRequest.h"

class QWidget;

namespace talvo {

// "Name|pattern|..." as Qt's "Name (pattern);;..." list; a name without its pattern in
// parentheses gets it, and patterns listed with ';' are separated by spaces as Qt wants.
QString QtFilterList(const std::string& filter);
// The n-th (1-based) filter of such a list in Qt's form; empty when there is none.
QString QtSelectedFilter(const std::string& filter, int filterIndex);

// The folder a program's file dialogs start in: the one a file was last chosen in,
// remembered per user between sessions under the program's settings, else `fallback`.
class LastFolder {
  public:
    LastFolder(QString program, QString fallback)
        : program_(std::move(program)), fallback_(std::move(fallback)) {}
    QString folder() const;
    // Remembers the folder of a chosen file; an empty name (a cancelled dialog) changes nothing.
    void remember(const QString& chosenFile) const;
    // Where a dialog starts: an absolute suggested name as it is, else the name in the folder.
    QString startFor(const std::string& initialName) const;

  private:
    QString program_;
    QString fallback_;
};

// Qt's file dialogs over a LastFolder: the chosen file, or empty when cancelled.
class QtFileDialogs {
  public:
    QtFileDialogs(QWidget* parent, LastFolder folder)
        : parent_(parent), folder_(std::move(folder)) {}
    std::string openFileName(const FileDialogRequest& request) const;
    std::string saveFileName(const FileDialogRequest& request) const;

  private:
    QWidget* parent_;
    LastFolder folder_;
};

}  // namespace talvo
