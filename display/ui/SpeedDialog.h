#pragma once

#include <QDialog>
#include <QSlider>

#include "model/Playback.h"

namespace talvo::display {

// frmSpeed, "Speed Setting": the slider sets the playback interval at once.
class SpeedDialog : public QDialog {
    Q_OBJECT
  public:
    SpeedDialog(Playback& playback, QWidget* parent = nullptr);

  signals:
    void intervalChanged(int intervalMs);

  private:
    void sdrSpeed_Change(int position);

    Playback& playback_;
    QSlider* slider_ = nullptr;
};

}  // namespace talvo::display
