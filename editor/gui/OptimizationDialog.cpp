#include "OptimizationDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "CheckedField.h"
#include "DialogParts.h"
#include "FieldChecks.h"
#include "FieldParsers.h"

namespace talvo {

OptimizationDialog::OptimizationDialog(GlobalParameters& params, Prompter& prompter,
                                       QWidget* parent)
    : QDialog(parent), params_(params), prompter_(prompter) {
    setObjectName("dlgOptimization");
    setWindowTitle("Optimization Parameters");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    maxCycleTime_ = AddTextRow(form, "txtMaxCycleTime", "Max. Cycle Time:");
    minGreenTime_ = AddTextRow(form, "txtMinGreenTime", "Minimum Green Time:");
    lostTime_ = AddTextRow(form, "txtLostTime", "Lost Time:");
    populationSize_ = AddTextRow(form, "txtPopulationSize", "Population Size:");
    generationNum_ = AddTextRow(form, "txtGenerationNum", "No. of Generation:");
    terminationNum_ =
        AddTextRow(form, "txtTerminationNum", "Terminate if not Improve:", "Generations");
    mutationRate_ = AddTextRow(form, "txtMutationRate", "Mutation Rate:");
    fitnessIndex_ = AddTextRow(form, "txtFitnessIndex", "Fitness Power Index:");

    auto* reliability = new QGroupBox("Reliability Factor");
    auto* reliabilityForm = new QFormLayout(reliability);
    volMultiplier_ = AddTextRow(reliabilityForm, "txtVolMultiplier", "Volume Multiplier:");
    layout->addWidget(reliability);

    adaptWebster_ = new QCheckBox("Adapt Webster Seed:");
    adaptWebster_->setObjectName("chkAdaptWebster");
    initialSeed_ = new QCheckBox("Initial Seed Provided:");
    initialSeed_->setObjectName("chkInitialSeed");
    layout->addWidget(adaptWebster_);
    layout->addWidget(initialSeed_);

    auto* strategies = new QGroupBox("Control Strategies");
    auto* strategyLayout = new QVBoxLayout(strategies);
    auto* group = new QButtonGroup(this);
    const char* names[3] = {"optFTP", "optVGFC", "optVGVC"};
    const char* captions[3] = {"Fixed Green && Fixed Cycle", "Variable Green && Fixed Cycle",
                               "Variable Green && Variable Cycle"};
    for (int i = 0; i < 3; ++i) {
        strategies_[i] = new QRadioButton(captions[i]);
        strategies_[i]->setObjectName(names[i]);
        group->addButton(strategies_[i]);
        strategyLayout->addWidget(strategies_[i]);
    }
    layout->addWidget(strategies);
    const OkCancel buttons = AddOkCancel(this, layout);

    SetTextUnchecked(maxCycleTime_, QString::number(params_.maxCycleTime));
    SetTextUnchecked(minGreenTime_, QString::number(params_.minGreenTime));
    SetTextUnchecked(lostTime_, QString::number(params_.lostTime));
    SetTextUnchecked(populationSize_, QString::number(params_.populationSize));
    SetTextUnchecked(generationNum_, QString::number(params_.generationNum));
    SetTextUnchecked(terminationNum_, QString::number(params_.terminationNum));
    SetTextUnchecked(mutationRate_, FormatRealField(params_.mutationRate));
    SetTextUnchecked(fitnessIndex_, QString::number(params_.fitnessIndex));
    SetTextUnchecked(volMultiplier_, FormatRealField(params_.volMultiplier));
    adaptWebster_->setChecked(params_.adaptWebster);
    initialSeed_->setChecked(params_.initialSeed);
    if (params_.controlStrategy >= 1 && params_.controlStrategy <= 3) {
        strategies_[params_.controlStrategy - 1]->setChecked(true);
    }

    GlobalParameters& p = params_;
    BindIntegerField(maxCycleTime_, prompter_, [&p] { return p.maxCycleTime; });
    BindIntegerField(minGreenTime_, prompter_, [&p] { return p.minGreenTime; });
    BindIntegerField(lostTime_, prompter_, [&p] { return p.lostTime; });
    BindIntegerField(populationSize_, prompter_, [&p] { return p.populationSize; });
    BindIntegerField(generationNum_, prompter_, [&p] { return p.generationNum; });
    BindIntegerField(terminationNum_, prompter_, [&p] { return p.terminationNum; });
    BindRealField(
        mutationRate_, prompter_, [&p] { return p.mutationRate; }, nullptr, 0.0, 1.0,
        "The Mutation Rate must be between 0 to 1.");
    BindIntegerField(fitnessIndex_, prompter_, [&p] { return p.fitnessIndex; });
    BindRealField(volMultiplier_, prompter_, [&p] { return p.volMultiplier; });

    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        Store();
        accept();
    });
}

void OptimizationDialog::Store() {
    auto integer = [this](QLineEdit* e) { return ParseIntegerField(e->text(), prompter_); };
    auto real = [this](QLineEdit* e) { return ParseRealField(e->text(), prompter_); };
    params_.maxCycleTime = integer(maxCycleTime_);
    params_.minGreenTime = integer(minGreenTime_);
    params_.lostTime = integer(lostTime_);
    params_.populationSize = integer(populationSize_);
    params_.generationNum = integer(generationNum_);
    params_.terminationNum = integer(terminationNum_);
    params_.mutationRate = real(mutationRate_);
    params_.fitnessIndex = integer(fitnessIndex_);
    params_.volMultiplier = real(volMultiplier_);
    params_.adaptWebster = adaptWebster_->isChecked();
    params_.initialSeed = initialSeed_->isChecked();
    for (int i = 0; i < 3; ++i) {
        if (strategies_[i]->isChecked()) {
            params_.controlStrategy = i + 1;
        }
    }
}

}  // namespace talvo
