#include "GlobalDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "FieldText.h"
#include "NumberField.h"
#include "common/NumberText.h"
#include "model/SaturationFlowCheck.h"

namespace talvo {

namespace {

QString Plain(double value) {
    return QString::fromStdString(FormatReal(value));
}

}  // namespace

GlobalDialog::GlobalDialog(const GlobalParameters& params, Prompter& prompter, QWidget* parent)
    : QDialog(parent), values_(params) {
    setObjectName("dlgGlobal");
    setWindowTitle("Global Parameter Setting");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    wvRatio_ = AddTextRow(form, "txtWVRatio", "V/W Ratio:");
    jamDensity_ = AddTextRow(form, "txtJamDensity", "Jam Density:", "Veh/Km");
    saturationFlow_ = AddTextRow(form, "txtSaturationFlow", "Saturation Flow:", "Veh/Hr");
    initialOccupancy_ = AddTextRow(form, "txtInitialCellOccupancy", "Cell Initial Occupancy:", "%");
    timeStep_ = AddTextRow(form, "txtTimeStep", "Time Step:");
    endSimulationStep_ = AddTextRow(form, "txtEndSimulationStep", "End Simulation Step:");
    startStep_ = AddTextRow(form, "txtStartStep", "Start Step:");
    endStep_ = AddTextRow(form, "txtEndStep", "End Step:");
    phaseCycle_ = AddTextRow(form, "txtPhaseCycle", "Simulated Cycles:");
    networkCycleTime_ =
        AddTextRow(form, "txtGlobalNetworkCycleTime", "Regional Network Cycle Time:");
    auto* scaleRow = new QHBoxLayout;
    cellScaleX_ = new QLineEdit;
    cellScaleX_->setObjectName("txtCellScaleX");
    cellScaleY_ = new QLineEdit;
    cellScaleY_->setObjectName("txtCellScaleY");
    scaleRow->addWidget(cellScaleX_);
    scaleRow->addWidget(cellScaleY_);
    form->addRow("Cell Scale", scaleRow);
    saturationFlowWarning_ = new QLabel;
    saturationFlowWarning_->setObjectName("lblSaturationFlowWarning");
    saturationFlowWarning_->setWordWrap(true);
    saturationFlowWarning_->setVisible(false);
    layout->addWidget(saturationFlowWarning_);

    auto* mode = new QGroupBox;
    auto* modeLayout = new QHBoxLayout(mode);
    optimization_ = new QRadioButton("Optimized by Talvo");
    optimization_->setObjectName("chkOptimization");
    simulation_ = new QRadioButton("Simulated by Talvo");
    simulation_->setObjectName("chkSimulation");
    cmdOptimization_ = new QPushButton("&Setting ...");
    cmdOptimization_->setObjectName("cmdOptimization");
    modeLayout->addWidget(optimization_);
    modeLayout->addWidget(cmdOptimization_);
    modeLayout->addWidget(simulation_);
    layout->addWidget(mode);
    const OkCancel buttons = AddOkCancel(this, layout);

    // Load: the ratio shows two decimals (more only when it has them), the cell scales and
    // the rest plain numbers.
    GlobalParameters& p = values_;
    optimization_->setChecked(p.optimizationOn);
    simulation_->setChecked(!p.optimizationOn);
    cmdOptimization_->setEnabled(p.optimizationOn);
    const NumberRule integer = NumberRule::Integer();
    fields_ = {
        BindToValue(wvRatio_, rules::kWVRatio, prompter, p.wvRatio),
        BindToValue(jamDensity_, integer, prompter, p.jamDensity),
        BindToValue(saturationFlow_, integer, prompter, p.saturationFlow),
        BindToValue(initialOccupancy_, rules::kPercent, prompter, p.initialCellOccupancy),
        BindToValue(timeStep_, integer, prompter, p.timeStep),
        BindToValue(endSimulationStep_, rules::kTime, prompter, p.endSimulationStep),
        BindToValue(startStep_, rules::kTime, prompter, p.startStep),
        BindToValue(endStep_, rules::kTime, prompter, p.endStep),
        BindToValue(phaseCycle_, rules::kTime, prompter, p.phaseCycle),
        BindToValue(networkCycleTime_, rules::kTime, prompter, p.networkCycleTime),
        BindToValue(cellScaleX_, NumberRule::Real(), prompter, p.cellScaleX),
        BindToValue(cellScaleY_, NumberRule::Real(), prompter, p.cellScaleY),
    };
    SetTextUnchecked(cellScaleX_, Plain(p.cellScaleX));
    SetTextUnchecked(cellScaleY_, Plain(p.cellScaleY));

    // After the fields' own handlers, which store a complete entry in values_.
    for (QLineEdit* field : {wvRatio_, jamDensity_, saturationFlow_}) {
        connect(field, &QLineEdit::editingFinished, this, &GlobalDialog::showSaturationFlowWarning);
    }

    connect(optimization_, &QRadioButton::toggled, cmdOptimization_, &QPushButton::setEnabled);
    connect(cmdOptimization_, &QPushButton::clicked, this, [this] {
        if (openOptimization) {
            openOptimization();
        }
    });
    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        if (CommitAll(fields_)) {
            values_.optimizationOn = optimization_->isChecked();
            accept();
        }
    });
}

void GlobalDialog::setCellSpeeds(std::vector<double> speeds) {
    cellSpeeds_ = std::move(speeds);
    showSaturationFlowWarning();
}

void GlobalDialog::showSaturationFlowWarning() {
    const auto warning = SaturationFlowWarning(values_.saturationFlow, values_.jamDensity,
                                               values_.wvRatio, cellSpeeds_);
    saturationFlowWarning_->setText(warning ? QString::fromStdString(*warning) : QString());
    saturationFlowWarning_->setVisible(warning.has_value());
}

void GlobalDialog::ApplyTo(GlobalParameters& params) const {
    const GlobalParameters& v = values_;
    params.wvRatio = v.wvRatio;
    params.jamDensity = v.jamDensity;
    params.saturationFlow = v.saturationFlow;
    params.initialCellOccupancy = v.initialCellOccupancy;
    params.timeStep = v.timeStep;
    params.endSimulationStep = v.endSimulationStep;
    params.startStep = v.startStep;
    params.endStep = v.endStep;
    params.phaseCycle = v.phaseCycle;
    params.networkCycleTime = v.networkCycleTime;
    params.cellScaleX = v.cellScaleX;
    params.cellScaleY = v.cellScaleY;
    params.optimizationOn = v.optimizationOn;
}

}  // namespace talvo
