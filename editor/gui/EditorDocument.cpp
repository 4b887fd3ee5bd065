#include "EditorDocument.h"

#include "model/ProjectWriter.h"

namespace talvo {

namespace {

std::string MessageOf(const EditResult& result) {
    return result.ok() ? std::string() : result.message();
}

}  // namespace

std::string EditorDocument::AddCell(double x, double y) {
    return MessageOf(model_.AddCell(x, y));
}

std::string EditorDocument::AddLink(int fromCellID, int toCellID) {
    return MessageOf(model_.AddLink(fromCellID, toCellID));
}

std::string EditorDocument::AddNode(double x, double y) {
    return MessageOf(model_.AddNode(x, y));
}

std::string EditorDocument::DeleteCell(int position) {
    return MessageOf(model_.DeleteCell(position + 1));
}

std::string EditorDocument::DeleteLink(int position) {
    return MessageOf(model_.DeleteLink(position + 1));
}

std::string EditorDocument::DeleteNode(int position) {
    return MessageOf(model_.DeleteNode(position + 1));
}

std::string EditorDocument::FormatProjectText() const {
    return FormatProject(model_.project());
}

bool EditorDocument::IsModified() const {
    return FormatProjectText() != savedText_;
}

void EditorDocument::MarkUnmodified() {
    savedText_ = FormatProjectText();
}

}  // namespace talvo
