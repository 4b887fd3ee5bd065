#pragma once

#include <memory>
#include <string>

#include "common/ProjectReader.h"
#include "common/ProjectRecords.h"

namespace talvo {

// The network being edited as the window sees it: the model with its operations, the
// undo snapshot, the current file name and whether there is unsaved work. Every model
// change goes through the model library; this class only forwards and keeps the
// window's bookkeeping beside it.
class EditorDocument {
public:
    EditorDocument();
    ~EditorDocument();
    EditorDocument(const EditorDocument&) = delete;
    EditorDocument& operator=(const EditorDocument&) = delete;

    Project& project();
    const Project& project() const;

    // Defaults for cells added with the cell tool.
    int& newCellLaneNum();
    int& newCellSpeed();
    int& newCellOrientation();

    // Model operations; each returns its refusal message, empty when it succeeded.
    std::string AddCell(double x, double y);
    std::string AddLink(int fromCellID, int toCellID);
    std::string AddNode(double x, double y);
    std::string DeleteCell(int position);
    std::string DeleteLink(int position);
    std::string DeleteNode(int position);
    void TakeSnapshot();
    void RestoreSnapshot();
    void Reset();

    // Files. Save returns an error message naming the file, empty on success.
    std::string Save(const std::string& path);
    // Reads a project; on failure the model is in File New state and message says why.
    bool Open(const std::string& path, ProjectLayout layout, std::string& message);

    const std::string& fileName() const { return fileName_; }
    void setFileName(const std::string& name) { fileName_ = name; }

    // True when the network differs from what was last saved, opened or created new.
    bool IsModified() const;
    void MarkUnmodified();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string fileName_;
    std::string savedText_;
};

}  // namespace talvo
