#pragma once
// What the find box asks for: "12" or "c12" a cell, "n3" or "node 3" a node.

#include <QString>
#include <optional>

namespace talvo {

struct FindRequest {
    enum class Kind { Cell, Node } kind = Kind::Cell;
    int id = 0;
    bool operator==(const FindRequest&) const = default;
};

// Nothing for a text that names no ID.
std::optional<FindRequest> ParseFindText(const QString& text);

}  // namespace talvo
