#pragma once

#include <optional>
#include <string>

#include "model/DisplayModel.h"
#include "model/Platform.h"
#include "model/Playback.h"
#include "model/ZoomDrag.h"
#include "scene/MapNetwork.h"
#include "scene/Viewport.h"

namespace talvo::display {

// The display's commands without widgets: opening the three files, changing the timing plan,
// choosing a plot file, and the model, playback and view they act on. The main window
// forwards its menu commands here and shows the result.
class DisplaySession {
  public:
    DisplaySession(Prompter& prompter, FileChooser& chooser);

    const DisplayModel& model() const { return model_; }
    // The loaded map as drawn; empty while nothing is loaded.
    const scene::MapNetwork& network() const { return network_; }
    Playback& playback() { return playback_; }
    const Playback& playback() const { return playback_; }
    // The view is kept across opens and plan changes: reopening a run's files keeps its
    // scale and zoom.
    scene::Viewport& view() { return view_; }
    const scene::Viewport& view() const { return view_; }
    ZoomDrag& drag() { return drag_; }
    const ZoomDrag& drag() const { return drag_; }

    bool loaded() const { return loaded_; }
    // Whether the last open got as far as reading its files (and so replaced the model).
    bool lastOpenRead() const { return lastOpenRead_; }
    bool changeTimePlanEnabled() const { return loaded_; }
    // "Visual Talvo Display", and once loaded the project, occupancy and plan files.
    const std::string& caption() const { return caption_; }
    // Whether the last successful open read the same project as the one before it (so that
    // the view on it still fits).
    bool reopenedSameProject() const { return reopenedSameProject_; }

    // "&Open": asks for the project, occupancy and plan files in turn, then loads them.
    bool open();
    // The same with the names already given (command line); an empty name is reported as
    // not specified.
    bool openFiles(const std::string& project, const std::string& occupancy,
                   const std::string& plan);
    // "&Change time plan": a new plan for the loaded map and occupancy.
    bool changeTimePlan();
    // "&Plot CTM ...": the chosen plot file when it exists, else nothing (and a message when
    // a name was given that does not exist).
    std::optional<std::string> choosePlotFile();
    // "&Reset Zoom".
    void resetZoom() { view_.reset(); }
    // One timer tick of the playback, and the steps and jumps of the playback controls.
    void tick() { playback_.tick(model_.parameters().endStep); }
    void seek(int step) { playback_.seek(step, model_.parameters().endStep); }
    void stepForward() { playback_.stepForward(model_.parameters().endStep); }
    void stepBack() { playback_.stepBack(model_.parameters().endStep); }

    // The readers: each shows its own message on failure and returns false.
    bool loadMap(const std::string& path);
    bool loadOccupancy(const std::string& path);
    bool loadTimePlan(const std::string& path);
    void resetDisplayModel();

  private:
    std::string ask(const char* title, const char* filter);
    bool loadAll(const std::string& project, const std::string& occupancy, const std::string& plan);
    void setLoadedCaption();

    Prompter& prompter_;
    FileChooser& chooser_;
    DisplayModel model_;
    scene::MapNetwork network_;
    Playback playback_;
    scene::Viewport view_;
    ZoomDrag drag_;
    bool loaded_ = false;
    bool lastOpenRead_ = false;
    bool reopenedSameProject_ = false;
    std::string caption_;
    std::string projectPath_;  // of the loaded run
    std::string occupancyPath_;
    std::string planPath_;
};

// True when path names an existing file (not a folder).
bool FileExists(const std::string& path);

}  // namespace talvo::display
