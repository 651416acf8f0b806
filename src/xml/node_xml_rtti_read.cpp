// Reading a document into objects: the node tree of the text, then each property assigned
// from the child element named after it, nested objects and collection items one level down.
#include <unordered_map>
#include <vector>

#include "core/collection.h"
#include "core/text.h"
#include "xml/node_xml_rtti.h"
#include "xml/node_xml_rtti_shared.h"

namespace rb {

using xml_detail::ItemElementName;
using xml_detail::RethrowWithMessage;

namespace {

// Finds the first child element with a given upper-case tag. Elements with many children
// (collections) get a map, so looking up each property does not walk every item.
class ChildFinder {
public:
    explicit ChildFinder(const TXMLNode& node) : node_(node) {
        if (node.ChildCount() <= kLinearLimit) return;
        for (int i = 0; i < node.ChildCount(); ++i) {
            first_.emplace(AnsiUpperCase(node.Children(i).Tag()), i);
        }
    }

    const TXMLNode* Find(const std::string& upperName) const {
        int index = -1;
        if (node_.ChildCount() <= kLinearLimit) {
            index = node_.IndexOfChild(upperName);
        } else if (const auto it = first_.find(upperName); it != first_.end()) {
            index = it->second;
        }
        return index < 0 ? nullptr : &node_.Children(index);
    }

private:
    static constexpr int kLinearLimit = 32;
    const TXMLNode& node_;
    std::unordered_map<std::string, int> first_;
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

}  // namespace

// A nested object reads its element as written out and parsed again one level down. When
// that gives the same tree (always so for text this writer produced) the element is read in
// place; `clean` says the whole subtree is known to qualify.
void TNodeXMLRTTI::ReadChild(TNodeXMLRTTI& child, const TXMLNode& element, bool clean) {
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
std::vector<const TXMLNode*> TNodeXMLRTTI::PropertyElements(const TXMLNode& top) const {
    const std::vector<BoundProperty>& props = Bound();
    std::vector<const TXMLNode*> found(props.size(), nullptr);
    size_t i = 0;
    for (const TXMLNode* child = top.FirstChild();
         i < props.size() && child && SameText(child->Tag(), props[i].name);
         ++i, child = child->NextSibling()) {
        found[i] = child;
    }
    if (i < props.size()) {
        const ChildFinder finder(top);
        for (; i < props.size(); ++i) found[i] = finder.Find(props[i].name);
    }
    return found;
}

void TNodeXMLRTTI::ReadFrom(const TXMLNode& top, bool clean) {
    if (!RTTIObject()) return;
    const std::vector<const TXMLNode*> elements = PropertyElements(top);
    for (size_t i = 0; i < Bound().size(); ++i) {
        const BoundProperty& prop = Bound()[i];
        const TXMLNode* element = elements[i];
        if (!element) continue;
        if (prop.info->kind != TypeKind::tkClass) {
            if (element->ChildCount() == 0) {
                SetPropertyTextAt(i, element->Body());  // the stored value, without a copy
            } else {
                SetPropertyTextAt(i, element->StoredValue());
            }
            continue;
        }
        Persistent* object = prop.nested->RTTIObject();
        if (!object) continue;  // objects are never created for properties
        TNodeXMLRTTI& child = Child();
        child.SetRTTIObject(object);
        child.SetTagName(prop.name);
        ReadChild(child, *element, clean);
    }
    ReadItems(top, clean);
}

namespace {

// An item keeps its own class when its TYPE names a registered class derived from the
// collection's item class (the media devices of six kinds share one collection): otherwise
// their own properties would be lost on every reading. Any other TYPE gives the item class.
CollectionItem& NewItem(Collection& collection, const std::string& type) {
    const ClassInfo* cls = FindClass(type);
    if (cls && cls != &collection.ItemClass() && cls->InheritsFrom(collection.ItemClass()) &&
        cls->CanCreate()) {
        std::unique_ptr<Persistent> obj = cls->Create();
        if (auto* item = dynamic_cast<CollectionItem*>(obj.get())) {
            obj.release();
            return collection.Append(std::unique_ptr<CollectionItem>(item));
        }
    }
    return collection.Add();
}

}  // namespace

// Only elements with the item name and at least one child element of their own are items.
void TNodeXMLRTTI::ReadItems(const TXMLNode& top, bool clean) {
    auto* collection = dynamic_cast<Collection*>(RTTIObject());
    if (!collection) return;
    collection->Clear();
    const std::string itemName = ItemElementName(*collection);
    for (int i = 0; i < top.ChildCount(); ++i) {
        const TXMLNode& element = top.Children(i);
        if (element.ChildCount() == 0 || !SameText(element.Tag(), itemName)) continue;
        try {
            CollectionItem& item = NewItem(*collection, element.Properties().Values("TYPE"));
            TNodeXMLRTTI& child = Child();
            child.SetRTTIObject(&item);
            child.SetTagName(itemName);
            ReadChild(child, element, clean);
        } catch (...) {
            RethrowWithMessage("Error Handling class [" + element.Properties().Values("TYPE") +
                               "]");
        }
    }
}

}  // namespace rb
