#include "xml/xml_node_tree.h"

#include <cstring>
#include <unordered_map>

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
         PropRW<&TXMLNode::BodyText, &TXMLNode::SetBody>("Body"),
         PropRW<&TXMLNode::TagText, &TXMLNode::SetTag>("Tag"),
         PropRW<&TXMLNode::Parent, nullptr>("Parent", "TXMLNode")},
        MakeInstance<TXMLNode>);
    return info;
}

// The nodes and texts of one tree. Nodes come in chunks and never move; a text is copied once
// into a text chunk (tags that repeat are kept once) and handed out as a view.
struct TXMLNode::Store {
    static constexpr uint32_t kTop = 0xFFFFFFFFu;
    static constexpr size_t kNodesPerChunk = 256;
    static constexpr size_t kTextChunk = 64 * 1024;
    static constexpr size_t kSharedTagLimit = 64;     // longer tags are not looked up
    static constexpr size_t kSharedTagCount = 4096;   // nor are tags past this many kinds

    explicit Store(TXMLNode& topNode) : top(topNode) {}

    TXMLNode& At(uint32_t place) {
        if (place == kTop) return top;
        --place;
        return nodes[place / kNodesPerChunk][place % kNodesPerChunk];
    }

    TXMLNode& NewNode() {
        if (nodeCount % kNodesPerChunk == 0) {
            nodes.push_back(std::make_unique<TXMLNode[]>(kNodesPerChunk));
        }
        TXMLNode& node = nodes.back()[nodeCount % kNodesPerChunk];
        node.self_ = ++nodeCount;
        node.store_ = this;
        return node;
    }

    const char* Keep(std::string_view text) {
        if (text.empty()) return "";
        if (text.size() > kTextChunk / 4) {  // a long text gets a chunk of its own
            texts.push_back(std::make_unique<char[]>(text.size()));
            std::memcpy(texts.back().get(), text.data(), text.size());
            return texts.back().get();
        }
        if (text.size() > textLeft) {
            texts.push_back(std::make_unique<char[]>(kTextChunk));
            textNext = texts.back().get();
            textLeft = kTextChunk;
        }
        char* kept = textNext;
        std::memcpy(kept, text.data(), text.size());
        textNext += text.size();
        textLeft -= text.size();
        return kept;
    }

    const char* KeepTag(std::string_view tag) {
        if (tag.size() > kSharedTagLimit) return Keep(tag);
        if (const auto it = tags.find(tag); it != tags.end()) return it->second;
        const char* kept = Keep(tag);
        if (tags.size() < kSharedTagCount) tags.emplace(std::string_view(kept, tag.size()), kept);
        return kept;
    }

    TXMLNode& top;
    std::vector<std::unique_ptr<TXMLNode[]>> nodes;
    uint32_t nodeCount = 0;  // nodes in use; their places are 1 to nodeCount
    std::vector<std::unique_ptr<char[]>> texts;
    char* textNext = nullptr;
    size_t textLeft = 0;
    std::unordered_map<std::string_view, const char*> tags;
};

TXMLNode::TXMLNode() = default;

// The top node's store frees every node of the tree at once; no node frees another.
TXMLNode::~TXMLNode() = default;

TXMLNode::Store& TXMLNode::TheStore() {
    if (!store_) {
        ownStore_ = std::make_unique<Store>(*this);
        store_ = ownStore_.get();
        self_ = Store::kTop;
    }
    return *store_;
}

void TXMLNode::SetBody(std::string_view value) {
    body_ = value.empty() ? "" : TheStore().Keep(value);
    bodySize_ = static_cast<uint32_t>(value.size());
}

void TXMLNode::SetTag(std::string_view value) {
    tag_ = value.empty() ? "" : TheStore().KeepTag(value);
    tagSize_ = static_cast<uint32_t>(value.size());
}

StringList& TXMLNode::Properties() {
    if (!properties_) properties_ = std::make_unique<StringList>();
    return *properties_;
}

const StringList& TXMLNode::Properties() const {
    static const StringList kNone;
    return properties_ ? *properties_ : kNone;
}

TXMLNode* TXMLNode::Parent() const { return parent_ ? &store_->At(parent_) : nullptr; }

TXMLNode* TXMLNode::FirstChild() const { return firstChild_ ? &store_->At(firstChild_) : nullptr; }

TXMLNode* TXMLNode::NextSibling() const {
    return nextSibling_ ? &store_->At(nextSibling_) : nullptr;
}

// The top node drops its whole store; any other node lets go of its children, whose room
// stays in the store until the tree is freed.
void TXMLNode::Clear() {
    tag_ = body_ = "";
    tagSize_ = bodySize_ = 0;
    properties_.reset();
    firstChild_ = lastChild_ = childCount_ = cursor_ = cursorIndex_ = 0;
    if (ownStore_) {
        ownStore_.reset();
        store_ = nullptr;
        self_ = 0;
    }
}

TXMLNode& TXMLNode::Children(int index) const {
    if (index < 0 || index >= ChildCount()) {
        throw EListError(Format("List index out of bounds (%d)", index));
    }
    const auto wanted = static_cast<uint32_t>(index);
    if (!cursor_ || cursorIndex_ > wanted) {
        cursor_ = firstChild_;
        cursorIndex_ = 0;
    }
    while (cursorIndex_ < wanted) {
        cursor_ = store_->At(cursor_).nextSibling_;
        ++cursorIndex_;
    }
    return store_->At(cursor_);
}

int TXMLNode::IndexOfChild(std::string_view name) const {
    int index = 0;
    for (const TXMLNode* child = FirstChild(); child; child = child->NextSibling(), ++index) {
        if (SameText(child->Tag(), name)) return index;
    }
    return -1;
}

TXMLNode& TXMLNode::AddChild() {
    Store& store = TheStore();
    TXMLNode& child = store.NewNode();
    child.shortTags_ = shortTags_;
    child.parent_ = self_;
    if (lastChild_) {
        store.At(lastChild_).nextSibling_ = child.self_;
    } else {
        firstChild_ = child.self_;
    }
    lastChild_ = child.self_;
    ++childCount_;
    return child;
}

void TXMLNode::WriteAttributes(std::string& out) const {
    if (!properties_) return;
    for (const std::string& line : properties_->Lines()) {
        const size_t eq = line.find('=');
        out += ' ';
        out.append(line, 0, eq);
        out += "=\"";
        if (eq != std::string::npos) out.append(line, eq + 1, std::string::npos);
        out += '"';
    }
}

namespace {
bool BlankOnly(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) > 32) return false;
    }
    return true;
}
}  // namespace

// Writes an element that has no children and no body, or the start of one that has.
void TXMLNode::WriteStart(std::string& out) const {
    const bool empty = childCount_ == 0 && bodySize_ == 0;
    if (empty && shortTags_ && BlankOnly(Tag())) return;
    out += '<';
    out += Tag();
    WriteAttributes(out);
    if (!empty) {
        out += '>';
        out += Body();
    } else if (shortTags_) {
        out += " />\r\n";
    } else {
        out += "></";
        out += Tag();
        out += ">\r\n";
    }
}

// Depth-first with an explicit stack of (node, next child) so depth costs no call stack.
void TXMLNode::WriteTo(std::string& out) const {
    struct Frame {
        const TXMLNode* node;
        const TXMLNode* next;
    };
    std::vector<Frame> open;
    const auto start = [&](const TXMLNode& node) {
        node.WriteStart(out);
        if (node.childCount_ > 0 || node.bodySize_ > 0) open.push_back({&node, node.FirstChild()});
    };
    start(*this);
    while (!open.empty()) {
        Frame& top = open.back();
        if (const TXMLNode* child = top.next) {
            top.next = child->NextSibling();
            start(*child);  // may reallocate `open`: top not used after
            continue;
        }
        out += "</";
        out += top.node->Tag();
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
    std::string out(Body());
    for (const TXMLNode* child = FirstChild(); child; child = child->NextSibling()) {
        child->WriteTo(out);
    }
    return out;
}

}  // namespace rb
