#pragma once

#include <QAction>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "ui/QtPlatform.h"

namespace talvo::display::test {

class RecordingPrinter : public PicturePrinter {
  public:
    void print(const QImage& picture) override { printed.push_back(picture); }
    std::vector<QImage> printed;
};

// Recording prompter, scripted chooser and printer, and a program folder of its own.
struct UiPlatform {
    RecordingPrompter prompter;
    ScriptedChooser chooser;
    RecordingPrinter printer;
    QTemporaryDir programDirectory;

    DisplayPlatform platform() {
        return DisplayPlatform{&prompter, &chooser, &printer, programDirectory.path()};
    }
};

// The bundled arterial example with what the engine wrote for it.
struct RunFiles {
    std::string project;
    std::string occupancy;
    std::string plan;
};
inline RunFiles ArterialRun() {
    return RunFiles{ExampleFile("arterial/arterial.tin"), DataFile("arterial_occu_exist.occ"),
                    DataFile("arterial_opt_exist_plan.tpl")};
}
inline RunFiles CorridorRun() {
    return RunFiles{DataFile("corridor_run.tin"), DataFile("corridor_occu_exist.occ"),
                    DataFile("corridor_plan.tpl")};
}

template <typename T = QAction>
T* Find(const QObject* root, const char* name) {
    return root->findChild<T*>(name);
}

}  // namespace talvo::display::test
