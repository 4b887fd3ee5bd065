#pragma once

#include <string>

#include "model/EditorModel.h"

namespace talvo {

// The network being edited as the window sees it: the model library's EditorModel, the
// current file name and whether there is unsaved work. Table positions here are 0-based
// (as the window's selection keeps them); the model's operations take 1-based indices.
class EditorDocument {
  public:
    EditorModel& model() { return model_; }
    const EditorModel& model() const { return model_; }
    Project& project() { return model_.project(); }
    const Project& project() const { return model_.project(); }
    NewCellDefaults& newCellDefaults() { return model_.newCellDefaults(); }

    // Model operations; each returns its refusal message, empty when it succeeded.
    std::string AddCell(double x, double y);
    std::string AddLink(int fromCellID, int toCellID);
    std::string AddNode(double x, double y);
    std::string DeleteCell(int position);
    std::string DeleteLink(int position);
    std::string DeleteNode(int position);
    void TakeSnapshot() { model_.TakeSnapshot(); }
    void RestoreSnapshot() { model_.RestoreSnapshot(); }

    const std::string& fileName() const { return fileName_; }
    void setFileName(const std::string& name) { fileName_ = name; }

    // True when the network differs from what was last saved, opened or created new.
    bool IsModified() const;
    void MarkUnmodified();

  private:
    EditorModel model_;
    std::string fileName_;
    std::string savedText_ = FormatProjectText();
    std::string FormatProjectText() const;
};

}  // namespace talvo
