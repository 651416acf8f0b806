// Writing objects as a document: a start tag, each property as an element (or an attribute of
// the start tag), nested objects and collection items one level down.
#include "xml/node_xml_rtti.h"

#include <new>
#include <vector>

#include "core/collection.h"
#include "core/exception.h"
#include "core/text.h"
#include "xml/node_xml_rtti_shared.h"

namespace rb {

namespace xml_detail {

void RethrowWithMessage(const std::string& message) {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const EPropertyConvertError&) {
        throw EPropertyConvertError(message);
    } catch (const EConvertError&) {
        throw EConvertError(message);
    } catch (const EListError&) {
        throw EListError(message);
    } catch (const std::exception&) {
        throw Exception(message);
    }
}

std::string ItemElementName(const Collection& collection) {
    const std::string name = collection.ItemClass().Name();
    return name.empty() ? name : name.substr(1);
}

}  // namespace xml_detail

namespace {

using xml_detail::ItemElementName;
using xml_detail::RethrowWithMessage;

std::vector<std::string> SplitNames(const std::string& list) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        names.push_back(Trim(std::string_view(list).substr(start, end - start)));
        start = end + 1;
    }
    return names;
}

bool Listed(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names) {
        if (SameText(n, name)) return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<TRTTIEnabler> TNodeXMLRTTI::NewWriter() const {
    return std::make_unique<TNodeXMLRTTI>();
}

TNodeXMLRTTI& TNodeXMLRTTI::Child() {
    TRTTIEnabler& writer = ChildWriter();
    if (&writer != child_) {
        child_ = dynamic_cast<TNodeXMLRTTI*>(&writer);
        if (!child_) throw Exception("The child writer is not a node writer");
    }
    return *child_;
}

std::string TNodeXMLRTTI::XML() {
    std::string out;
    out.reserve(sizeHint_);  // the last document's size: one allocation for the next alike
    WriteTo(out);
    sizeHint_ = out.size() + out.size() / 16;
    return out;
}

void TNodeXMLRTTI::WriteStartTag(std::string& out) const {
    out += '<';
    out += TagName();
    if (ShowType()) {
        out += " TYPE=\"";
        out += TagClassType();
        out += '"';
    }
    if (!ObjectID().empty()) {
        out += " ID=\"";
        out += ObjectID();
        out += '"';
    }
    if (!InTagProperties().empty()) {
        const std::vector<std::string> names = SplitNames(InTagProperties());
        for (size_t i = 0; i < Bound().size(); ++i) {
            const BoundProperty& prop = Bound()[i];
            if (prop.info->kind == TypeKind::tkClass || !Listed(names, prop.name)) continue;
            out += ' ';
            out += prop.name;
            out += "=\"";
            AppendPropertyTextAt(i, out);
            out += "\" ";
        }
    }
    out += ">\r\n";
}

void TNodeXMLRTTI::WriteTo(std::string& out) {
    WriteStartTag(out);
    std::vector<std::string> inTag;
    if (!InTagProperties().empty()) inTag = SplitNames(InTagProperties());
    for (size_t i = 0; i < Bound().size(); ++i) {
        const BoundProperty& prop = Bound()[i];
        if (prop.info->kind == TypeKind::tkClass) {
            WriteNested(prop, out);
        } else if (inTag.empty() || !Listed(inTag, prop.name)) {
            const std::string& element = prop.info->element;
            const size_t open = prop.info->ElementOpenSize();
            out.append(element, 0, open);
            AppendPropertyTextAt(i, out);
            out.append(element, open, std::string::npos);
        }
    }
    WriteItems(out);
    out += "</";
    out += TagName();
    out += ">\r\n";
}

void TNodeXMLRTTI::WriteNested(const BoundProperty& prop, std::string& out) {
    Persistent* object = prop.nested->RTTIObject();
    if (!object) return;  // a nil object writes nothing
    try {
        TNodeXMLRTTI& child = Child();
        child.SetRTTIObject(object);
        child.SetTagName(prop.name);
        child.WriteTo(out);
    } catch (...) {
        RethrowWithMessage("Error Outputting for property [" + prop.name + "]");
    }
}

void TNodeXMLRTTI::WriteItems(std::string& out) {
    const auto* collection = dynamic_cast<const Collection*>(RTTIObject());
    if (!collection || collection->Count() == 0) return;
    const std::string itemName = ItemElementName(*collection);
    TNodeXMLRTTI& child = Child();
    for (int i = 0; i < collection->Count(); ++i) {
        child.SetRTTIObject(&collection->Item(i));
        child.SetTagName(itemName);
        child.WriteTo(out);
    }
}

}  // namespace rb
