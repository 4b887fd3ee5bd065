#pragma once

#include <optional>
#include <string>

#include "model/DisplayModel.h"
#include "model/DisplayView.h"
#include "model/Platform.h"
#include "model/Playback.h"

namespace talvo::display {

// The display's commands without widgets: opening the three files, changing the timing plan,
// choosing a plot file, and the model, playback and view they act on. The main window
// forwards its menu commands here and shows the result.
class DisplaySession {
  public:
    DisplaySession(Prompter& prompter, FileChooser& chooser);

    const DisplayModel& model() const { return model_; }
    Playback& playback() { return playback_; }
    const Playback& playback() const { return playback_; }
    DisplayView& view() { return view_; }
    const DisplayView& view() const { return view_; }
    ZoomDrag& drag() { return drag_; }
    const ZoomDrag& drag() const { return drag_; }

    bool loaded() const { return loaded_; }
    // Whether the last open got as far as reading its files (and so replaced the model).
    bool lastOpenRead() const { return lastOpenRead_; }
    bool changeTimePlanEnabled() const { return loaded_; }
    const std::string& caption() const { return caption_; }

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
    // One timer tick of the playback.
    void tick() { playback_.tick(model_.parameters.endStep); }

    // The readers: each shows its own message on failure and returns false.
    bool loadMap(const std::string& path);
    bool loadOccupancy(const std::string& path);
    bool loadTimePlan(const std::string& path);
    void resetDisplayModel();

  private:
    std::string ask(const char* title, const char* filter);
    bool loadAll(const std::string& project, const std::string& occupancy, const std::string& plan);

    Prompter& prompter_;
    FileChooser& chooser_;
    DisplayModel model_;
    Playback playback_;
    DisplayView view_;
    ZoomDrag drag_;
    bool loaded_ = false;
    bool lastOpenRead_ = false;
    std::string caption_;
};

// True when path names an existing file (not a folder).
bool FileExists(const std::string& path);

}  // namespace talvo::display
