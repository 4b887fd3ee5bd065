#include "ui/SpeedDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace talvo::display {

SpeedDialog::SpeedDialog(Playback& playback, QWidget* parent)
    : QDialog(parent), playback_(playback) {
    setObjectName("frmSpeed");
    setWindowTitle("Speed Setting");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Speed Slider", this));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName("sdrSpeed");
    slider_->setRange(1, 10);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setPageStep(1);
    slider_->setValue(playback_.speedPosition());
    layout->addWidget(slider_);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    layout->addWidget(ok);
    connect(slider_, &QSlider::valueChanged, this, &SpeedDialog::sdrSpeed_Change);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void SpeedDialog::sdrSpeed_Change(int position) {
    playback_.setSpeedPosition(position);
    emit intervalChanged(playback_.intervalMs());
}

}  // namespace talvo::display
