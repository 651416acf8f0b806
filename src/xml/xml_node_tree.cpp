#include "xml/xml_node_tree.h"

#include "core/exception.h"
#include "core/text.h"

namespace rb {

const ClassInfo& TXMLNode::StaticClass() {
    // Parent names its type explicitly: deriving it would ask for this very table while it
    // is being built. The attribute list is a plain StringList and has no entry.
    static const ClassInfo info(
        "TXMLNode", &Persistent::StaticClass(),
        {PropRW<&TXMLNode::BuildChildren, &TXMLNode::SetBuildChildren>("BuildChildren"),
         PropRW<&TXMLNode::ShortTags, &TXMLNode::SetShortTags>("ShortTags"),
         PropRW<&TXMLNode::XML, &TXMLNode::SetXML>("XML"),
         PropRW<&TXMLNode::StoredValue, nullptr>("StoredValue"),
         PropRW<&TXMLNode::Body, &TXMLNode::SetBody>("Body"),
         PropRW<&TXMLNode::Tag, &TXMLNode::SetTag>("Tag"),
         PropRW<&TXMLNode::Parent, nullptr>("Parent", "TXMLNode")},
        MakeInstance<TXMLNode>);
    return info;
}

TXMLNode::TXMLNode() = default;

TXMLNode::~TXMLNode() { ClearChildren(); }

// Frees the subtree without recursion: each node's children are moved onto a work list
// before the node itself goes, so a 100,000-deep chain costs no stack.
void TXMLNode::ClearChildren() {
    std::vector<std::unique_ptr<TXMLNode>> pending = std::move(children_);
    children_.clear();
    while (!pending.empty()) {
        std::unique_ptr<TXMLNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_) pending.push_back(std::move(child));
        node->children_.clear();
    }
}

void TXMLNode::Clear() {
    body_.clear();
    ClearChildren();
    properties_.Clear();
    tag_.clear();
}

TXMLNode& TXMLNode::Children(int index) const {
    if (index < 0 || index >= ChildCount()) {
        throw EListError(Format("List index out of bounds (%d)", index));
    }
    return *children_[static_cast<size_t>(index)];
}

int TXMLNode::IndexOfChild(std::string_view name) const {
    for (size_t i = 0; i < children_.size(); ++i) {
        if (SameText(children_[i]->tag_, name)) return static_cast<int>(i);
    }
    return -1;
}

TXMLNode& TXMLNode::AddChild() {
    auto child = std::make_unique<TXMLNode>();
    child->shortTags_ = shortTags_;
    child->parent_ = this;
    children_.push_back(std::move(child));
    return *children_.back();
}

void TXMLNode::WriteAttributes(std::string& out) const {
    for (const std::string& line : properties_.Lines()) {
        const size_t eq = line.find('=');
        out += ' ';
        out.append(line, 0, eq);
        out += "=\"";
        if (eq != std::string::npos) out.append(line, eq + 1, std::string::npos);
        out += '"';
    }
}

namespace {
bool BlankOnly(const std::string& s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) > 32) return false;
    }
    return true;
}
}  // namespace

// Writes an element that has no children and no body, or the start of one that has.
void TXMLNode::WriteStart(std::string& out) const {
    const bool empty = children_.empty() && body_.empty();
    if (empty && shortTags_ && BlankOnly(tag_)) return;
    out += '<';
    out += tag_;
    WriteAttributes(out);
    if (!empty) {
        out += '>';
        out += body_;
    } else if (shortTags_) {
        out += " />\r\n";
    } else {
        out += "></";
        out += tag_;
        out += ">\r\n";
    }
}

// Depth-first with an explicit stack of (node, next child) so depth costs no call stack.
void TXMLNode::WriteTo(std::string& out) const {
    struct Frame {
        const TXMLNode* node;
        size_t next;
    };
    std::vector<Frame> open;
    const auto start = [&](const TXMLNode& node) {
        node.WriteStart(out);
        if (!node.children_.empty() || !node.body_.empty()) open.push_back({&node, 0});
    };
    start(*this);
    while (!open.empty()) {
        Frame& top = open.back();
        if (top.next < top.node->children_.size()) {
            start(*top.node->children_[top.next++]);  // may reallocate `open`: top not used after
            continue;
        }
        out += "</";
        out += top.node->tag_;
        out += ">\r\n";
        open.pop_back();
    }
}

std::string TXMLNode::XML() const {
    std::string out;
    WriteTo(out);
    return out;
}

std::string TXMLNode::StoredValue() const {
    std::string out = body_;
    for (const auto& child : children_) child->WriteTo(out);
    return out;
}

}  // namespace rb
