#pragma once
// Reads a project file (.tin) into a Project. Two layouts: the current one, and the
// earlier one of "Open Old ..." which has no CTM plot groups and carries three unused
// fields after each delay group's cell count.

#include <string>

#include "common/ProjectRecords.h"

namespace talvo {

enum class ProjectLayout { Current, Legacy };

struct ProjectReadResult {
    bool ok = false;
    Project project;     // the whole network when ok; File New state otherwise
    std::string detail;  // on failure: the file, line and value at fault
};

// The message the editor shows for any failed read.
inline constexpr const char* kIncorrectFileFormat = "Incorrect file format!  Check the version!";

// Reads path whole. Any failure (missing file, end of file, a field that does not
// convert, a count beyond a table's capacity) gives ok = false and a project in File New
// state. The result's initialCellOccupancy is taken from keep, which also gives the cell
// scales that a failed read leaves.
ProjectReadResult ReadProject(const std::string& path, ProjectLayout layout,
                              const GlobalParameters& keep = GlobalParameters{});

// The same, from text already in memory (name is used in messages).
ProjectReadResult ReadProjectText(std::string text, const std::string& name, ProjectLayout layout,
                                  const GlobalParameters& keep = GlobalParameters{});

}  // namespace talvo
