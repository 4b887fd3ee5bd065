// TEMPORARY: stand-in bodies until the model library lands; replaced by forwarding.
#include "EditorDocument.h"

#include <fstream>
#include <sstream>

#include "MapGeometry.h"

namespace talvo {

struct EditorDocument::Impl {
    Project project;
    NetworkTables snapshot;
    int laneNum = 1;
    int speed = 65;
    int orientation = 1;
};

EditorDocument::EditorDocument() : impl_(std::make_unique<Impl>()) {
    MarkUnmodified();
}
EditorDocument::~EditorDocument() = default;

Project& EditorDocument::project() { return impl_->project; }
const Project& EditorDocument::project() const { return impl_->project; }
int& EditorDocument::newCellLaneNum() { return impl_->laneNum; }
int& EditorDocument::newCellSpeed() { return impl_->speed; }
int& EditorDocument::newCellOrientation() { return impl_->orientation; }

std::string EditorDocument::AddCell(double x, double y) {
    auto& t = impl_->project.tables;
    if (t.cells.size() >= 500) return "You can't have more than 500 cells.";
    CellRecord c;
    c.cellID = ++t.lastCellID;
    c.x = x;
    c.y = y;
    c.laneNum = impl_->laneNum;
    c.orientation = impl_->orientation;
    c.speed = impl_->speed;
    c.capacityFactor = 1.0;
    c.capacity = 1.0;
    t.cells.push_back(c);
    return {};
}
std::string EditorDocument::AddLink(int from, int to) {
    auto& t = impl_->project.tables;
    if (from == to) return "You cannot add link to the same cell.";
    for (auto& l : t.links)
        if ((l.fromCell == from && l.toCell == to) || (l.fromCell == to && l.toCell == from))
            return "You cannot add duplicate link.";
    LinkRecord l;
    l.linkID = ++t.lastLinkID;
    l.fromCell = from;
    l.toCell = to;
    l.mergeDivert = 1.0;
    t.links.push_back(l);
    return {};
}
std::string EditorDocument::AddNode(double x, double y) {
    auto& t = impl_->project.tables;
    if (t.nodes.size() >= 50) return "You cannot add more than 50 nodes.";
    NodeRecord n;
    n.nodeID = ++t.lastCellID;
    n.x = x;
    n.y = y;
    t.nodes.push_back(n);
    return {};
}
std::string EditorDocument::DeleteCell(int position) {
    auto& t = impl_->project.tables;
    const auto& c = t.cells[position];
    if (c.signalID != 0) return "You can't delete this cell because there is signal on it.";
    for (auto& l : t.links)
        if (l.fromCell == c.cellID || l.toCell == c.cellID)
            return "You can't delete this cell because link: " + std::to_string(l.fromCell) +
                   "->" + std::to_string(l.toCell) + " referencing it.";
    t.cells[position] = t.cells.back();
    t.cells.pop_back();
    return {};
}
std::string EditorDocument::DeleteLink(int position) {
    auto& t = impl_->project.tables;
    t.links[position] = t.links.back();
    t.links.pop_back();
    return {};
}
std::string EditorDocument::DeleteNode(int position) {
    auto& t = impl_->project.tables;
    for (auto& l : t.links)
        if (l.passNode == t.nodes[position].nodeID)
            return "You can't delete this node because there are links referencing it.";
    t.nodes[position] = t.nodes.back();
    t.nodes.pop_back();
    return {};
}
void EditorDocument::TakeSnapshot() { impl_->snapshot = impl_->project.tables; }
void EditorDocument::RestoreSnapshot() { impl_->project.tables = impl_->snapshot; }
void EditorDocument::Reset() {
    impl_->project.tables = NetworkTables{};
    ResetParameters(impl_->project.params);
}

namespace {
std::string Text(const Project& p) {
    std::ostringstream o;
    for (auto& c : p.tables.cells) o << c.cellID << ',' << c.x << ',' << c.y << ',' << c.speed << ';';
    for (auto& l : p.tables.links) o << l.fromCell << ',' << l.toCell << ';';
    for (auto& n : p.tables.nodes) o << n.nodeID << ',' << n.x << ',' << n.y << ';';
    return o.str();
}
}  // namespace

std::string EditorDocument::Save(const std::string& path) {
    std::ofstream(path) << Text(impl_->project);
    return {};
}
bool EditorDocument::Open(const std::string& path, ProjectLayout layout, std::string& message) {
    ProjectReadResult r = ReadProject(path, layout, impl_->project.params);
    impl_->project = r.project;
    if (!r.ok) message = r.detail;
    return r.ok;
}
bool EditorDocument::IsModified() const { return Text(impl_->project) != savedText_; }
void EditorDocument::MarkUnmodified() { savedText_ = Text(impl_->project); }

}  // namespace talvo
