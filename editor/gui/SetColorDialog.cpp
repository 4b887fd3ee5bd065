#include "SetColorDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "scenepainter/ScenePainter.h"

namespace talvo {

SetColorDialog::SetColorDialog(const ColourScheme& current, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), chosen_(current), dialogs_(dialogs) {
    setObjectName("dlgSetColor");
    setWindowTitle("Color Scheme Setting");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    struct Entry {
        const char* box;
        const char* button;
        const char* caption;
        ColourValue ColourScheme::*member;
    };
    const Entry entries[] = {
        {"picCell", "cmdCell", "&Cell", &ColourScheme::cell},
        {"picLine", "cmdLine", "&Line", &ColourScheme::line},
        {"picNode", "cmdNode", "&Node", &ColourScheme::node},
        {"picText", "cmdText", "&Text", &ColourScheme::text},
        {"picSelection", "cmdSelection", "&Selection", &ColourScheme::selection},
    };
    int row = 0;
    for (const Entry& e : entries) {
        auto* box = new QLabel;
        box->setObjectName(e.box);
        box->setMinimumSize(60, 20);
        box->setAutoFillBackground(true);
        ShowSample(box, chosen_.*(e.member));
        auto* button = new QPushButton(e.caption);
        button->setObjectName(e.button);
        grid->addWidget(box, row, 0);
        grid->addWidget(button, row, 1);
        ++row;
        const auto member = e.member;
        connect(button, &QPushButton::clicked, this, [this, box, member] {
            if (const auto colour = dialogs_.ChooseColour(chosen_.*member)) {
                chosen_.*member = *colour;
                ShowSample(box, *colour);
            }
        });
    }
    const OkCancel buttons = AddOkCancel(this, layout);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
}

void SetColorDialog::ShowSample(QLabel* box, ColourValue colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, scene::ToQColor(scene::Colour::FromValue(colour)));
    box->setPalette(palette);
}

}  // namespace talvo
