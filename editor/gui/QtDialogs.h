#pragma once

#include <QString>

#include "core/Dialogs.h"
#include "platform/FileDialogs.h"

class QWidget;

namespace talvo {

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
