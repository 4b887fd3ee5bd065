#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "model/Platform.h"
#include "platform/FileDialogs.h"

namespace talvo::display {

// Prints a picture; the Qt implementation goes through Qt's print dialog.
class PicturePrinter {
  public:
    virtual ~PicturePrinter() = default;
    virtual void print(const QImage& picture) = 0;
};

// What the windows need from the platform; tests pass recording implementations.
struct DisplayPlatform {
    Prompter* prompter = nullptr;
    FileChooser* chooser = nullptr;
    PicturePrinter* printer = nullptr;
    QString programDirectory;  // where "ctmplot.bmp" is saved
};

// The folder the Display's file dialogs start in: the last one a file was chosen in
// (remembered between sessions), else the current one.
LastFolder DisplayFolder();

// File dialogs that start in the last folder used unless given a name to start from.
class QtFileChooser : public FileChooser {
  public:
    explicit QtFileChooser(QWidget* parent = nullptr) : files_(parent, DisplayFolder()) {}
    std::string openFileName(const FileDialogRequest& request) override {
        return files_.openFileName(request);
    }
    std::string saveFileName(const FileDialogRequest& request) override {
        return files_.saveFileName(request);
    }

  private:
    QtFileDialogs files_;
};

// Qt's print dialog, then the picture on one page; a printer that cannot be used is shown.
class QtPicturePrinter : public PicturePrinter {
  public:
    explicit QtPicturePrinter(Prompter& prompter, QWidget* parent = nullptr)
        : prompter_(prompter), parent_(parent) {}
    void print(const QImage& picture) override;

  private:
    Prompter& prompter_;
    QWidget* parent_;
};

}  // namespace talvo::display
