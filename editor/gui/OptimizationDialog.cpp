#include "OptimizationDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "FieldText.h"
#include "NumberField.h"

namespace talvo {

OptimizationDialog::OptimizationDialog(const GlobalParameters& params, Prompter& prompter,
                                       QWidget* parent)
    : QDialog(parent), values_(params) {
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
    refineBox_ = new QCheckBox("Refine the GA's best plan (local search after the GA)");
    refineBox_->setObjectName("chkRefine");
    refineBox_->setToolTip(
        "Runs the engine with --refine: a search in whole seconds from the GA's best plan "
        "and from the existing plan; the report gets a refinement section");
    layout->addWidget(refineBox_);
    const OkCancel buttons = AddOkCancel(this, layout);

    GlobalParameters& p = values_;
    adaptWebster_->setChecked(p.adaptWebster);
    initialSeed_->setChecked(p.initialSeed);
    if (p.controlStrategy >= 1 && p.controlStrategy <= 3) {
        strategies_[p.controlStrategy - 1]->setChecked(true);
    }
    const NumberRule integer = NumberRule::Integer();
    fields_ = {
        BindToValue(maxCycleTime_, rules::kTime, prompter, p.maxCycleTime),
        BindToValue(minGreenTime_, rules::kTime, prompter, p.minGreenTime),
        BindToValue(lostTime_, rules::kTime, prompter, p.lostTime),
        BindToValue(populationSize_, integer, prompter, p.populationSize),
        BindToValue(generationNum_, integer, prompter, p.generationNum),
        BindToValue(terminationNum_, integer, prompter, p.terminationNum),
        BindToValue(mutationRate_, rules::kMutationRate, prompter, p.mutationRate),
        BindToValue(fitnessIndex_, integer, prompter, p.fitnessIndex),
        BindToValue(volMultiplier_, NumberRule::Real(), prompter, p.volMultiplier),
    };

    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        if (!CommitAll(fields_)) {
            return;
        }
        values_.adaptWebster = adaptWebster_->isChecked();
        values_.initialSeed = initialSeed_->isChecked();
        refine_ = refineBox_->isChecked();
        for (int i = 0; i < 3; ++i) {
            if (strategies_[i]->isChecked()) {
                values_.controlStrategy = i + 1;
            }
        }
        accept();
    });
}

void OptimizationDialog::setRefine(bool refine) {
    refine_ = refine;
    refineBox_->setChecked(refine);
}

void OptimizationDialog::ApplyTo(GlobalParameters& params) const {
    const GlobalParameters& v = values_;
    params.maxCycleTime = v.maxCycleTime;
    params.minGreenTime = v.minGreenTime;
    params.lostTime = v.lostTime;
    params.populationSize = v.populationSize;
    params.generationNum = v.generationNum;
    params.terminationNum = v.terminationNum;
    params.mutationRate = v.mutationRate;
    params.fitnessIndex = v.fitnessIndex;
    params.volMultiplier = v.volMultiplier;
    params.adaptWebster = v.adaptWebster;
    params.initialSeed = v.initialSeed;
    params.controlStrategy = v.controlStrategy;
}

}  // namespace talvo
