#include "model/DisplaySession.h"

#include <exception>
#include <filesystem>
#include <fstream>

#include "model/DisplayMessages.h"
#include "model/DisplayScene.h"
#include "model/MapReader.h"
#include "model/OccupancyReader.h"
#include "model/ReadError.h"
#include "model/TimePlanReader.h"

namespace talvo::display {
namespace {

struct FileToCheck {
    const std::string& path;
    const char* notSpecified;
    const char* notExists;
};

}  // namespace

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

DisplaySession::DisplaySession(Prompter& prompter, FileChooser& chooser)
    : prompter_(prompter), chooser_(chooser), caption_(msg::kCaption) {}

std::string DisplaySession::ask(const char* title, const char* filter) {
    return chooser_.openFileName(FileDialogRequest{title, filter, 1, ""});
}

bool DisplaySession::open() {
    lastOpenRead_ = false;
    // A cancelled file dialog is the user's choice, not a mistake to be told about.
    const std::string project = ask(msg::kProjectTitle, msg::kProjectFilter);
    if (project.empty()) {
        return false;
    }
    const std::string occupancy = ask(msg::kOccupancyTitle, msg::kOccupancyFilter);
    if (occupancy.empty()) {
        return false;
    }
    const std::string plan = ask(msg::kTimePlanTitle, msg::kTimePlanFilter);
    if (plan.empty()) {
        return false;
    }
    return openFiles(project, occupancy, plan);
}

bool DisplaySession::openFiles(const std::string& project, const std::string& occupancy,
                               const std::string& plan) {
    lastOpenRead_ = false;
    const FileToCheck files[] = {
        {project, msg::kTalvoNotSpecified, msg::kTalvoNotExists},
        {occupancy, msg::kOccupancyNotSpecified, msg::kOccupancyNotExists},
        {plan, msg::kTimePlanNotSpecified, msg::kTimePlanNotExists},
    };
    for (const FileToCheck& file : files) {
        if (file.path.empty()) {
            prompter_.caution(file.notSpecified);
            return false;
        }
    }
    for (const FileToCheck& file : files) {
        if (!FileExists(file.path)) {
            prompter_.caution(file.notExists, file.path);
            return false;
        }
    }
    lastOpenRead_ = true;
    try {
        return loadAll(project, occupancy, plan);
    } catch (const std::exception& error) {
        resetDisplayModel();
        prompter_.caution(msg::kCorruption, error.what());
        return false;
    }
}

bool DisplaySession::loadAll(const std::string& project, const std::string& occupancy,
                             const std::string& plan) {
    const std::string previousProject = projectPath_;
    resetDisplayModel();
    playback_.stop();
    const bool ok = loadMap(project) && loadOccupancy(occupancy) && loadTimePlan(plan);
    if (!ok) {
        resetDisplayModel();
        return false;
    }
    loaded_ = true;
    reopenedSameProject_ = project == previousProject;
    network_ = scene::MapNetworkOf(model_.project);
    projectPath_ = project;
    occupancyPath_ = occupancy;
    planPath_ = plan;
    setLoadedCaption();
    return true;
}

void DisplaySession::setLoadedCaption() {
    caption_ = msg::kCaptionPrefix + projectPath_ + ", occupancy " + occupancyPath_ + ", plan " +
               planPath_;
}

bool DisplaySession::changeTimePlan() {
    const std::string plan = ask(msg::kChangePlanTitle, msg::kChangePlanFilter);
    if (plan.empty()) {
        return false;  // cancelled
    }
    if (!FileExists(plan)) {
        prompter_.caution(msg::kTimePlanNotExists, plan);
        return false;
    }
    playback_.stop();
    if (!loadTimePlan(plan)) {
        return false;
    }
    planPath_ = plan;
    setLoadedCaption();
    return true;
}

std::optional<std::string> DisplaySession::choosePlotFile() {
    const std::string path = ask(msg::kPlotTitle, msg::kPlotFilter);
    if (path.empty()) {
        return std::nullopt;
    }
    if (!FileExists(path)) {
        prompter_.caution(msg::kFileNotFound, path);
        return std::nullopt;
    }
    return path;
}

bool DisplaySession::loadMap(const std::string& path) {
    try {
        ReadDisplayMap(path, model_);
        return true;
    } catch (const ReadError& error) {
        prompter_.caution(msg::kBadMap, error.what());
        return false;
    }
}

bool DisplaySession::loadOccupancy(const std::string& path) {
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            throw ReadError(path + ": the file cannot be opened");
        }
        ReadOccupancy(in, path, model_);
        return true;
    } catch (const ReadError& error) {
        prompter_.caution(msg::kBadOccupancy, error.what());
        return false;
    }
}

bool DisplaySession::loadTimePlan(const std::string& path) {
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            throw ReadError(path + ": the file cannot be opened");
        }
        // The current plan stays in force unless the new one reads whole.
        ApplyTimePlan(ReadTimePlan(in, path, model_), model_);
        return true;
    } catch (const ReadError& error) {
        prompter_.caution(msg::kBadTimePlan, error.what());
        return false;
    }
}

void DisplaySession::resetDisplayModel() {
    model_ = DisplayModel{};
    network_ = scene::MapNetwork{};
    loaded_ = false;
    caption_ = msg::kCaption;
    projectPath_.clear();
    occupancyPath_.clear();
    planPath_.clear();
}

}  // namespace talvo::display
