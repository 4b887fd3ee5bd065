#pragma once

#include <QDialog>

#include "core/ColourScheme.h"
#include "core/Dialogs.h"

class QLabel;

namespace talvo {

// dlgSetColor: five sample boxes, each with a button that opens the colour chooser.
class SetColorDialog : public QDialog {
    Q_OBJECT
  public:
    SetColorDialog(const ColourScheme& current, Dialogs& dialogs, QWidget* parent = nullptr);
    // The colours of the five boxes, to be taken on OK.
    const ColourScheme& chosen() const { return chosen_; }

  private:
    void ShowSample(QLabel* box, ColourValue colour);

    ColourScheme chosen_;
    Dialogs& dialogs_;
};

}  // namespace talvo
