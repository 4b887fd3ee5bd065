#pragma once

namespace talvo::display::msg {

inline constexpr const char* kCaption = "Visual Talvo Display";
inline constexpr const char* kCaptionPrefix = "Visual Talvo Display - ";

inline constexpr const char* kTalvoNotSpecified = "Talvo file is not specified!";
inline constexpr const char* kOccupancyNotSpecified = "Occupancy file is not specified!";
inline constexpr const char* kTimePlanNotSpecified = "Time Plan file is not specified!";
inline constexpr const char* kTalvoNotExists = "Talvo file not exists!";
inline constexpr const char* kOccupancyNotExists = "Occupancy file not exists!";
inline constexpr const char* kTimePlanNotExists = "Time Plan file not exists!";
inline constexpr const char* kCorruption = "Corruption is found in the 3 input files!";
inline constexpr const char* kBadMap = "Incorrect map file format!  Check the version!";
inline constexpr const char* kBadOccupancy = "Incorrect occupancy file format!  Check the version!";
inline constexpr const char* kBadTimePlan =
    "Incorrect Time Plan file format!  Check the version!  No time plan is set!";
inline constexpr const char* kFileNotFound = "File not found!";
inline constexpr const char* kBadPlotFile = "Incorrect file format!  Check the version!";

// File dialogs.
inline constexpr const char* kProjectTitle = "Open Input Data File Dialog";
inline constexpr const char* kProjectFilter = "Talvo Input (*.tin)|*.tin|Text File (*.txt)|*.txt";
inline constexpr const char* kOccupancyTitle = "Open Occupancy Data File Dialog";
inline constexpr const char* kOccupancyFilter =
    "Occupancy Input (*.occ)|*.occ|Text File (*.txt)|*.txt";
inline constexpr const char* kTimePlanTitle = "Open Time Plan Data File Dialog";
inline constexpr const char* kTimePlanFilter =
    "Time Plan Input (*.tpl)|*.tpl|Text File (*.txt)|*.txt";
// The change-plan dialog carries the occupancy dialog's title, as it always has.
inline constexpr const char* kChangePlanTitle = "Open Occupancy Data File Dialog";
inline constexpr const char* kChangePlanFilter =
    "Time Plan Data Input (*.tpl)|*.tpl|Text File (*.txt)|*.txt";
inline constexpr const char* kPlotTitle = "Open CTM Plot Data File Dialog";
inline constexpr const char* kPlotFilter = "CTM Plot File (*.plt)|*.plt|Text File (*.txt)|*.txt";
inline constexpr const char* kPngTitle = "Save Picture As PNG";
inline constexpr const char* kPngFilter = "PNG Picture (*.png)|*.png";

}  // namespace talvo::display::msg
