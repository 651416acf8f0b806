// Reading a document into objects: each property assigned from the child element named
// after it, nested objects and collection items one level down. A document in the plain form
// this writer gives is read where it lies (plain_document.h); any other is parsed into a node
// tree first. Both give the same elements, so one reading serves both.
#include <unordered_map>
#include <vector>

#include "core/collection.h"
#include "core/text.h"
#include "xml/node_xml_rtti.h"
#include "xml/node_xml_rtti_shared.h"
#include "xml/plain_document.h"

namespace rb {

using xml_detail::ItemElementName;
using xml_detail::RethrowWithMessage;

namespace {

// An element of a parsed tree, with the handle interface PlainElement has.
class TreeElement {
public:
    TreeElement() = default;
    explicit TreeElement(const TXMLNode* node) : node_(node) {}

    explicit operator bool() const { return node_ != nullptr; }
    const TXMLNode& Node() const { return *node_; }
    std::string_view Tag() const { return node_->Tag(); }
    std::string_view Body() const { return node_->Body(); }
    int ChildCount() const { return node_->ChildCount(); }
    TreeElement FirstChild() const { return TreeElement(node_->FirstChild()); }
    TreeElement NextSibling() const { return TreeElement(node_->NextSibling()); }
    std::string Attribute(std::string_view name) const { return node_->Properties().Values(name); }
    std::string XML() const { return node_->XML(); }
    std::string StoredValue() const { return node_->StoredValue(); }

private:
    const TXMLNode* node_ = nullptr;
};

// Finds the first child element with a given upper-case tag. Elements with many children
// (collections) get a map, so looking up each property does not walk every item.
template <class Element>
class ChildFinder {
public:
    explicit ChildFinder(Element node) : node_(node) {
        if (node.ChildCount() <= kLinearLimit) return;
        for (Element c = node.FirstChild(); c; c = c.NextSibling()) {
            first_.emplace(AnsiUpperCase(c.Tag()), c);
        }
    }

    Element Find(const std::string& upperName) const {
        if (node_.ChildCount() <= kLinearLimit) {
            for (Element c = node_.FirstChild(); c; c = c.NextSibling()) {
                if (SameText(c.Tag(), upperName)) return c;
            }
            return Element();
        }
        const auto it = first_.find(upperName);
        return it == first_.end() ? Element() : it->second;
    }

private:
    static constexpr int kLinearLimit = 32;
    Element node_;
    std::unordered_map<std::string, Element> first_;  // emplace keeps the first of a name
};

bool Plain(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) <= 32 || c == '/' || c == '<' || c == '>') return false;
    }
    return true;
}

// Whether writing the node out and parsing the text again gives the node back unchanged
// (same tag, attributes and body): a tag and attributes that parse back the same way, and no
// body beside children (such a body would join the first child's).
bool NodeRoundTrips(const TXMLNode& node) {
    const std::string_view tag = node.Tag();
    if (tag.empty() || tag[0] == '?' || !Plain(tag)) return false;
    const std::string_view body = node.Body();
    if (!body.empty()) {
        if (node.ChildCount() > 0 || body.find_first_of("<>") != std::string_view::npos) return false;
        if (static_cast<unsigned char>(body.front()) <= 32) return false;
        if (static_cast<unsigned char>(body.back()) <= 32) return false;
    }
    const std::vector<std::string>& attributes = node.Properties().Lines();
    for (size_t i = 0; i < attributes.size(); ++i) {
        const std::string& line = attributes[i];
        const size_t eq = line.find('=');
        if (eq == 0 || eq == std::string::npos || !Plain(line)) return false;
        // INDEX first would be parsed back in the string-list line form.
        if (i == 0 && SameText(std::string_view(line).substr(0, eq), "INDEX")) return false;
    }
    return true;
}

bool SubtreeRoundTrips(const TXMLNode& root) {
    std::vector<const TXMLNode*> pending{&root};
    while (!pending.empty()) {
        const TXMLNode& node = *pending.back();
        pending.pop_back();
        if (!NodeRoundTrips(node)) return false;
        for (const TXMLNode* c = node.FirstChild(); c; c = c->NextSibling()) pending.push_back(c);
    }
    return true;
}

// Every element of a plain document gives itself back when written out and parsed again.
bool SubtreeRoundTrips(PlainElement) { return true; }
bool SubtreeRoundTrips(TreeElement element) { return SubtreeRoundTrips(element.Node()); }

}  // namespace

void TNodeXMLRTTI::SetXML(std::string_view text) {
    PlainDocument scan;
    scan.Scan(text);
    ReadScanned(text, scan);
}

void TNodeXMLRTTI::ReadScanned(std::string_view text, const PlainDocument& scan) {
    if (scan.Plain()) {
        ReadFrom(scan.Root(), true);
        return;
    }
    TXMLNode tree;
    tree.SetShortTags(true);
    tree.SetXML(text);
    ReadFrom(TreeElement(&tree), false);
}

void TNodeXMLRTTI::ReadNode(const TXMLNode& node) { ReadFrom(TreeElement(&node), false); }

// A nested object reads its element as written out and parsed again one level down. When
// that gives the same tree (always so for text this writer produced) the element is read in
// place; `clean` says the whole subtree is known to qualify.
template <class Element>
void TNodeXMLRTTI::ReadChild(TNodeXMLRTTI& child, Element element, bool clean) {
    const bool longForm = element.ChildCount() > 0 || !element.Body().empty();
    if (longForm && (clean || SubtreeRoundTrips(element))) {
        child.ReadFrom(element, true);
    } else {
        child.SetXML(element.XML());
    }
}

// The element of each property. Where the children start with the properties' elements in
// the properties' order (as this writer puts them), one walk finds them: the names differ,
// so each is also the first child of its name. The rest are looked up.
template <class Element>
void TNodeXMLRTTI::PropertyElements(Element top, Element* found) const {
    const std::vector<BoundProperty>& props = Bound();
    size_t i = 0;
    for (Element child = top.FirstChild();
         i < props.size() && child && SameText(child.Tag(), props[i].name);
         ++i, child = child.NextSibling()) {
        found[i] = child;
    }
    if (i < props.size()) {
        const ChildFinder<Element> finder(top);
        for (; i < props.size(); ++i) found[i] = finder.Find(props[i].name);
    }
}

template <class Element>
void TNodeXMLRTTI::ReadFrom(Element top, bool clean) {
    if (!RTTIObject()) return;
    // The elements found, on the stack for a class of usual size.
    constexpr size_t kOnStack = 48;
    Element onStack[kOnStack];
    std::vector<Element> onHeap;
    Element* elements = onStack;
    if (Bound().size() > kOnStack) {
        onHeap.resize(Bound().size());
        elements = onHeap.data();
    }
    PropertyElements(top, elements);
    for (size_t i = 0; i < Bound().size(); ++i) {
        const BoundProperty& prop = Bound()[i];
        const Element element = elements[i];
        if (!element) continue;
        if (prop.info->kind != TypeKind::tkClass) {
            if (element.ChildCount() == 0) {
                SetPropertyTextAt(i, element.Body());  // the stored value, without a copy
            } else {
                SetPropertyTextAt(i, element.StoredValue());
            }
            continue;
        }
        Persistent* object = prop.nested->RTTIObject();
        if (!object) continue;  // objects are never created for properties
        TNodeXMLRTTI& child = Child();
        child.SetRTTIObject(object);
        child.SetTagName(prop.name);
        ReadChild(child, element, clean);
    }
    ReadItems(top, clean);
}

namespace {

// Makes the items of a collection. An item keeps its own class when its TYPE names a
// registered class derived from the collection's item class (the media devices of six kinds
// share one collection): otherwise their own properties would be lost on every reading. Any
// other TYPE gives the item class. The items of a collection mostly share a TYPE, so the
// last one's class is kept.
class ItemMaker {
public:
    explicit ItemMaker(Collection& collection) : collection_(collection) {}

    CollectionItem& Make(const std::string& type) {
        if (!known_ || type != type_) {
            type_ = type;
            own_ = OwnClass(type);
            known_ = true;
        }
        if (own_) {
            std::unique_ptr<Persistent> obj = own_->Create();
            if (auto* item = dynamic_cast<CollectionItem*>(obj.get())) {
                obj.release();
                return collection_.Append(std::unique_ptr<CollectionItem>(item));
            }
        }
        return collection_.Add();
    }

private:
    const ClassInfo* OwnClass(const std::string& type) const {
        const ClassInfo* cls = FindClass(type);
        const ClassInfo& itemClass = collection_.ItemClass();
        if (cls && cls != &itemClass && cls->InheritsFrom(itemClass) && cls->CanCreate()) {
            return cls;
        }
        return nullptr;
    }

    Collection& collection_;
    bool known_ = false;
    std::string type_;
    const ClassInfo* own_ = nullptr;
};

}  // namespace

// Only elements with the item name and at least one child element of their own are items.
template <class Element>
void TNodeXMLRTTI::ReadItems(Element top, bool clean) {
    // Most objects read are items, not collections: their class is remembered as such.
    if (&RTTIObject()->Class() == notCollection_) return;
    auto* collection = dynamic_cast<Collection*>(RTTIObject());
    if (!collection) {
        notCollection_ = &RTTIObject()->Class();
        return;
    }
    collection->Clear();
    const std::string itemName = ItemElementName(*collection);
    ItemMaker maker(*collection);
    for (Element element = top.FirstChild(); element; element = element.NextSibling()) {
        if (element.ChildCount() == 0 || !SameText(element.Tag(), itemName)) continue;
        try {
            CollectionItem& item = maker.Make(element.Attribute("TYPE"));
            TNodeXMLRTTI& child = Child();
            child.SetRTTIObject(&item);
            child.SetTagName(itemName);
            ReadChild(child, element, clean);
        } catch (...) {
            RethrowWithMessage("Error Handling class [" + element.Attribute("TYPE") + "]");
        }
    }
}

}  // namespace rb
