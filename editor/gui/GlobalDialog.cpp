#include "GlobalDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "CheckedField.h"
#include "DialogParts.h"
#include "FieldChecks.h"
#include "FieldParsers.h"
#include "common/NumberText.h"

namespace talvo {

namespace {

QString Plain(double value) {
    return QString::fromStdString(FormatReal(value));
}

}  // namespace

GlobalDialog::GlobalDialog(GlobalParameters& params, Prompter& prompter, QWidget* parent)
    : QDialog(parent), params_(params), prompter_(prompter) {
    setObjectName("dlgGlobal");
    setWindowTitle("Global Parameter Setting");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    wvRatio_ = AddTextRow(form, "txtWVRatio", "W / V Ratio:");
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

    // Load: the ratio shows two decimals (more only when it has them), the rest plain
    // numbers.
    SetTextUnchecked(wvRatio_, FormatRealField(params_.wvRatio));
    SetTextUnchecked(jamDensity_, QString::number(params_.jamDensity));
    SetTextUnchecked(saturationFlow_, QString::number(params_.saturationFlow));
    SetTextUnchecked(initialOccupancy_, QString::number(params_.initialCellOccupancy));
    SetTextUnchecked(timeStep_, QString::number(params_.timeStep));
    SetTextUnchecked(endSimulationStep_, QString::number(params_.endSimulationStep));
    SetTextUnchecked(startStep_, QString::number(params_.startStep));
    SetTextUnchecked(endStep_, QString::number(params_.endStep));
    SetTextUnchecked(phaseCycle_, QString::number(params_.phaseCycle));
    SetTextUnchecked(networkCycleTime_, QString::number(params_.networkCycleTime));
    SetTextUnchecked(cellScaleX_, Plain(params_.cellScaleX));
    SetTextUnchecked(cellScaleY_, Plain(params_.cellScaleY));
    optimization_->setChecked(params_.optimizationOn);
    simulation_->setChecked(!params_.optimizationOn);
    cmdOptimization_->setEnabled(params_.optimizationOn);

    GlobalParameters& p = params_;
    BindRealField(
        wvRatio_, prompter_, [&p] { return p.wvRatio; }, nullptr, 0.0, 1.0,
        "The W/V Ratio must be between 0 to 1.");
    BindIntegerField(jamDensity_, prompter_, [&p] { return p.jamDensity; });
    BindIntegerField(saturationFlow_, prompter_, [&p] { return p.saturationFlow; });
    BindIntegerField(
        initialOccupancy_, prompter_, [&p] { return p.initialCellOccupancy; }, nullptr, 0, 100,
        "You must enter a number between 0 and 100 in this field.");
    BindIntegerField(timeStep_, prompter_, [&p] { return p.timeStep; });
    BindIntegerField(endSimulationStep_, prompter_, [&p] { return p.endSimulationStep; });
    BindIntegerField(startStep_, prompter_, [&p] { return p.startStep; });
    BindIntegerField(endStep_, prompter_, [&p] { return p.endStep; });
    BindIntegerField(phaseCycle_, prompter_, [&p] { return p.phaseCycle; });
    BindIntegerField(networkCycleTime_, prompter_, [&p] { return p.networkCycleTime; });
    BindRealField(cellScaleX_, prompter_, [&p] { return p.cellScaleX; });
    BindRealField(cellScaleY_, prompter_, [&p] { return p.cellScaleY; });

    connect(optimization_, &QRadioButton::toggled, cmdOptimization_, &QPushButton::setEnabled);
    connect(cmdOptimization_, &QPushButton::clicked, this, [this] {
        if (openOptimization) {
            openOptimization();
        }
    });
    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        Store();
        accept();
    });
}

void GlobalDialog::Store() {
    // Each box holds an accepted value (or is blank, which stores 0).
    auto integer = [this](QLineEdit* e) { return ParseIntegerField(e->text(), prompter_); };
    auto real = [this](QLineEdit* e) { return ParseRealField(e->text(), prompter_); };
    params_.wvRatio = real(wvRatio_);
    params_.jamDensity = integer(jamDensity_);
    params_.saturationFlow = integer(saturationFlow_);
    params_.initialCellOccupancy = integer(initialOccupancy_);
    params_.timeStep = integer(timeStep_);
    params_.endSimulationStep = integer(endSimulationStep_);
    params_.startStep = integer(startStep_);
    params_.endStep = integer(endStep_);
    params_.phaseCycle = integer(phaseCycle_);
    params_.networkCycleTime = integer(networkCycleTime_);
    params_.cellScaleX = real(cellScaleX_);
    params_.cellScaleY = real(cellScaleY_);
    params_.optimizationOn = optimization_->isChecked();
}

}  // namespace talvo
