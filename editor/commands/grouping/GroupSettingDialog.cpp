#include "grouping/GroupSettingDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "FieldText.h"
#include "NumberField.h"
#include "common/ProjectRecords.h"
#include "grouping/GroupTexts.h"
#include "grouping/ModelGroupTables.h"
#include "platform/Prompter.h"

namespace talvo {

namespace {

struct DialogNames {
    const char* dialog;
    const char* title;
    const char* countCaption;
    const char* countSpinner;
    const char* countText;
    const char* chooserCaption;
    const char* chooser;
    const char* left;
    const char* right;
    const char* deleteButton;
    const char* deleteCaption;
};

const DialogNames& NamesFor(GroupKind kind) {
    static const DialogNames street{
        "dlgStreet",    "Street Name Group Setting", "Number of Street:",     "udcStreetNum",
        "txtStreetNum", "Current Street:",           "cmbCurrentStreet",      "lstAvailableCell",
        "lstAddedCell", "cmdDeleteStreet",           "&Delete Current Street"};
    static const DialogNames delay{"dlgSpecialRoad",          "Delay Result Group Setting",
                                   "Number of Special Road:", "udcSpecialRoadNum",
                                   "txtSpecialRoadNum",       "Current Road:",
                                   "cmbCurrentRoad",          "lstAvailableLink",
                                   "lstSpecialRoadLink",      "cmdDeleteRoad",
                                   "&Delete Current Road"};
    static const DialogNames plot{
        "dlgCTMPlot",         "CTM Plot Group Setting", "Number of CTM Plot:", "udcSpecialRoadNum",
        "txtSpecialRoadNum",  "Current Plot:",          "cmbCurrentRoad",      "lstAvailableLink",
        "lstSpecialRoadLink", "cmdDeleteRoad",          "&Delete Current Plot"};
    switch (kind) {
        case GroupKind::StreetName:
            return street;
        case GroupKind::DelayResult:
            return delay;
        case GroupKind::CtmPlot:
            break;
    }
    return plot;
}

QString CellText(int cellId) {
    return QString("%1").arg(cellId, 4, 10, QLatin1Char('0'));
}
QString GroupText(int group) {
    return QString("%1").arg(group, 2, 10, QLatin1Char('0'));
}

void FillCells(QListWidget* list, const std::vector<int>& ids) {
    list->clear();
    for (const int id : ids) {
        auto* item = new QListWidgetItem(CellText(id), list);
        item->setData(Qt::UserRole, id);
    }
}

}  // namespace

GroupSettingDialog::GroupSettingDialog(GroupKind kind, NetworkTables& tables, Prompter& prompter,
                                       QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      tables_(tables),
      prompter_(prompter),
      table_(MakeGroupTable(kind, tables)),
      editor_(*table_, MakeNetworkView(tables)) {
    build();
    fillChooser();
    showGroup();
}

GroupSettingDialog::~GroupSettingDialog() = default;

void GroupSettingDialog::build() {
    const DialogNames& names = NamesFor(kind_);
    setObjectName(names.dialog);
    setWindowTitle(names.title);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout();
    layout->addLayout(top);

    count_ = new QSpinBox(this);
    count_->setObjectName(names.countSpinner);
    count_->setRange(0, editor_.maxGroups());
    count_->setValue(editor_.groupCount());
    // Typing "14" must not pass through 1 on the way and drop groups 2 to 13 with their
    // cells: a typed count takes effect on Enter or when the box loses the focus.
    count_->setKeyboardTracking(false);
    if (auto* text = count_->findChild<QLineEdit*>()) {
        text->setObjectName(names.countText);
    }
    top->addWidget(new QLabel(names.countCaption, this), 0, 0);
    top->addWidget(count_, 0, 1);

    chooser_ = new QComboBox(this);
    chooser_->setObjectName(names.chooser);
    top->addWidget(new QLabel(names.chooserCaption, this), 1, 0);
    top->addWidget(chooser_, 1, 1);

    if (kind_ == GroupKind::StreetName) {
        streetName_ = new QLineEdit(this);
        streetName_->setObjectName("txtStreetName");
        top->addWidget(new QLabel("Name:", this), 2, 0);
        top->addWidget(streetName_, 2, 1);
        connect(streetName_, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (editor_.currentGroup() != 0) {
                tables_.streets[editor_.currentGroup() - 1].streetName = text.toStdString();
            }
        });
    }
    if (kind_ == GroupKind::CtmPlot) {
        plotFlag_ = new QCheckBox("Plot Required?", this);
        plotFlag_->setObjectName("chkOccupancyPlot");
        start_ = new QLineEdit(this);
        start_->setObjectName("txtStart");
        end_ = new QLineEdit(this);
        end_->setObjectName("txtEnd");
        startLabel_ = new QLabel("Start:", this);
        startLabel_->setObjectName("lblStart");
        endLabel_ = new QLabel("End:", this);
        endLabel_->setObjectName("lblEnd");
        top->addWidget(plotFlag_, 2, 0, 1, 2);
        top->addWidget(startLabel_, 3, 0);
        top->addWidget(start_, 3, 1);
        top->addWidget(endLabel_, 4, 0);
        top->addWidget(end_, 4, 1);
        connect(plotFlag_, &QCheckBox::toggled, this, &GroupSettingDialog::plotFlagToggled);
        for (const bool isStart : {true, false}) {
            stepFields_.push_back(new NumberField(
                isStart ? start_ : end_, rules::kTime, prompter_,
                [this, isStart] { return storedStep(isStart); },
                [this, isStart](double value) { return storeStep(value, isStart); }));
        }
    }

    auto* lists = new QHBoxLayout();
    layout->addLayout(lists, 1);
    available_ = new QListWidget(this);
    available_->setObjectName(names.left);
    added_ = new QListWidget(this);
    added_->setObjectName(names.right);
    auto* moves = new QVBoxLayout();
    auto* right = new QPushButton(">", this);
    right->setObjectName("cmdRight");
    auto* left = new QPushButton("<", this);
    left->setObjectName("cmdLeft");
    moves->addStretch();
    moves->addWidget(right);
    moves->addWidget(left);
    moves->addStretch();
    lists->addWidget(available_);
    lists->addLayout(moves);
    lists->addWidget(added_);

    auto* buttons = new QHBoxLayout();
    layout->addLayout(buttons);
    auto* remove = new QPushButton(names.deleteCaption, this);
    remove->setObjectName(names.deleteButton);
    auto* confirm = new QPushButton("&Confirm", this);
    confirm->setObjectName("cmdConfirm");
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(confirm);
    for (QPushButton* button : {right, left, remove, confirm}) {
        button->setAutoDefault(false);
    }

    connect(count_, &QSpinBox::valueChanged, this, &GroupSettingDialog::countChanged);
    connect(chooser_, &QComboBox::currentIndexChanged, this, &GroupSettingDialog::chooserChanged);
    connect(right, &QPushButton::clicked, this, &GroupSettingDialog::moveRight);
    connect(left, &QPushButton::clicked, this, &GroupSettingDialog::moveLeft);
    connect(remove, &QPushButton::clicked, this, &GroupSettingDialog::deleteGroup);
    connect(confirm, &QPushButton::clicked, this, [this] {
        CommitAll(stepFields_);
        accept();
    });
}

void GroupSettingDialog::fillChooser() {
    filling_ = true;
    chooser_->clear();
    for (int g = 1; g <= editor_.groupCount(); ++g) {
        chooser_->addItem(GroupText(g));
    }
    chooser_->setCurrentIndex(editor_.currentGroup() - 1);
    count_->setValue(editor_.groupCount());
    filling_ = false;
}

void GroupSettingDialog::showGroup() {
    filling_ = true;
    FillCells(available_, editor_.available());
    FillCells(added_, editor_.added());
    const int group = editor_.currentGroup();
    if (streetName_ != nullptr) {
        SetTextUnchecked(
            streetName_,
            group == 0 ? QString() : QString::fromStdString(tables_.streets[group - 1].streetName));
        streetName_->setEnabled(group != 0);
    }
    if (plotFlag_ != nullptr) {
        const bool flag = group != 0 && tables_.plotGroups[group - 1].occupancyPlot;
        plotFlag_->setEnabled(group != 0);
        plotFlag_->setChecked(flag);
        SetTextUnchecked(start_, storedStep(true));
        SetTextUnchecked(end_, storedStep(false));
        for (QWidget* w : std::initializer_list<QWidget*>{start_, end_, startLabel_, endLabel_}) {
            w->setEnabled(flag);
        }
    }
    filling_ = false;
}

void GroupSettingDialog::countChanged(int count) {
    if (filling_) {
        return;
    }
    editor_.setGroupCount(count);
    fillChooser();
    showGroup();
}

void GroupSettingDialog::chooserChanged(int index) {
    if (filling_) {
        return;
    }
    CommitAll(stepFields_);  // what was typed belongs to the group shown so far
    editor_.chooseGroup(index + 1);
    showGroup();
}

void GroupSettingDialog::refuseOr(const EditResult& result) {
    if (!result) {
        prompter_.caution(result.message());
    }
}

void GroupSettingDialog::moveRight() {
    std::optional<int> cell;
    if (const QListWidgetItem* item = available_->currentItem(); item && item->isSelected()) {
        cell = item->data(Qt::UserRole).toInt();
    }
    refuseOr(editor_.moveRight(cell));
    showGroup();
}

void GroupSettingDialog::moveLeft() {
    std::optional<int> position;
    if (const QListWidgetItem* item = added_->currentItem(); item && item->isSelected()) {
        position = added_->row(item) + 1;
    }
    refuseOr(editor_.moveLeft(position));
    showGroup();
}

void GroupSettingDialog::deleteGroup() {
    const EditResult deleted = editor_.deleteCurrent();
    refuseOr(deleted);
    if (deleted) {
        fillChooser();
    }
    showGroup();
}

void GroupSettingDialog::plotFlagToggled(bool checked) {
    if (filling_ || editor_.currentGroup() == 0) {
        return;
    }
    tables_.plotGroups[editor_.currentGroup() - 1].occupancyPlot = checked;
    for (QWidget* w : std::initializer_list<QWidget*>{start_, end_, startLabel_, endLabel_}) {
        w->setEnabled(checked);
    }
}

int* GroupSettingDialog::chosenStep(bool isStart) const {
    if (editor_.currentGroup() == 0) {
        return nullptr;
    }
    PlotGroup& group = tables_.plotGroups[editor_.currentGroup() - 1];
    return isStart ? &group.startStep : &group.endStep;
}

EditResult GroupSettingDialog::storeStep(double value, bool isStart) {
    int* step = chosenStep(isStart);
    if (step == nullptr) {
        return EditResult::Refused({});
    }
    *step = static_cast<int>(value);
    return EditResult::Done();
}

QString GroupSettingDialog::storedStep(bool isStart) const {
    const int* step = chosenStep(isStart);
    return step == nullptr ? QString() : QString::number(*step);
}

}  // namespace talvo
