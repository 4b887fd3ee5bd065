#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "model/Platform.h"

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

// "Name (*.ext)|*.ext|..." as a Qt filter list ("Name (*.ext);;...").
QString QtFilterList(const std::string& filter);
// The n-th (1-based) filter of such a list, in Qt's form.
QString QtSelectedFilter(const std::string& filter, int filterIndex);

// The folder a file dialog starts in: the last one a file was chosen in (remembered between
// sessions), else the current one.
QString LastFileFolder();
void RememberFileFolder(const std::string& chosenFile);

// File dialogs that start in the last folder used unless given a name to start from.
class QtFileChooser : public FileChooser {
  public:
    explicit QtFileChooser(QWidget* parent = nullptr) : parent_(parent) {}
    std::string openFileName(const FileDialogRequest& request) override;
    std::string saveFileName(const FileDialogRequest& request) override;

  private:
    QWidget* parent_;
};

class QtPicturePrinter : public PicturePrinter {
  public:
    explicit QtPicturePrinter(QWidget* parent = nullptr) : parent_(parent) {}
    void print(const QImage& picture) override;

  private:
    QWidget* parent_;
};

}  // namespace talvo::display
