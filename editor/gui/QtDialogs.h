#pragma once

#include <QString>

#include "core/Dialogs.h"

class QWidget;

namespace talvo {

// "Name|pattern|Name|pattern" to Qt's "Name (pattern);;Name (pattern)" list. Returns
// the filter list and, through selected, the entry of the 1-based filterIndex.
QString ToQtFilter(const std::string& filter, int filterIndex, QString* selected);

class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    std::string OpenFileName(const std::string& title, const std::string& filter, int filterIndex,
                             const std::string& initialName) override;
    std::string SaveFileName(const std::string& title, const std::string& filter, int filterIndex,
                             const std::string& initialName) override;
    std::optional<ColourValue> ChooseColour(ColourValue initial) override;
    SaveChoice AskSaveChanges(const std::string& text) override;

  private:
    QWidget* parent_;
};

}  // namespace talvo
