#pragma once

#include <QString>

#include "core/Dialogs.h"
#include "platform/FileDialogs.h"

class QWidget;

namespace talvo {

// "Name|pattern|Name|pattern" to Qt's "Name (pattern);;Name (pattern)" list. Returns
// the filter list and, through selected, the entry of the 1-based filterIndex.
inline QString ToQtFilter(const std::string& filter, int filterIndex, QString* selected) {
    if (selected != nullptr) {
        if (const QString entry = QtSelectedFilter(filter, filterIndex); !entry.isEmpty()) {
            *selected = entry;
        }
    }
    return QtFilterList(filter);
}

class QtDialogs : public Dialogs {
  public:
    // File dialogs start in the folder last used, else the home folder.
    explicit QtDialogs(QWidget* parent);

    std::string OpenFileName(const std::string& title, const std::string& filter, int filterIndex,
                             const std::string& initialName) override;
    std::string SaveFileName(const std::string& title, const std::string& filter, int filterIndex,
                             const std::string& initialName) override;
    std::optional<ColourValue> ChooseColour(ColourValue initial) override;
    SaveChoice AskSaveChanges(const std::string& text) override;

  private:
    QWidget* parent_;
    QtFileDialogs files_;
};

}  // namespace talvo
