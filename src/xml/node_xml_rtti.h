// The property-driven XML writer and reader. Writing builds the text directly; reading assigns
// each property from the child element named after it, reading a document in the form this
// writer gives where it lies and any other as a parsed TXMLNode tree.
#pragma once

#include <string>
#include <vector>
#include <string_view>

#include "xml/xml_node_tree.h"
#include "xml/xml_rtti.h"

namespace rb {

class PlainDocument;

class TNodeXMLRTTI : public TCustomXMLRTTI {
public:
    TNodeXMLRTTI() = default;

    std::unique_ptr<TRTTIEnabler> NewWriter() const override;

    // The bound object as one element: start tag with TYPE, one line per simple property,
    // nested objects and collection items as elements of their own, end tag. CR LF line ends,
    // no declaration.
    std::string XML() override;
    // Fills the bound object from text. The top element's name and attributes are not
    // checked; elements that match no property are ignored and properties without an
    // element keep their values. Objects are never created for properties; a collection is
    // rebuilt from its item elements.
    void SetXML(std::string_view text) override;
    std::string Schema() const override { return "<Not Supported/>"; }
    void SetSchema(std::string_view) override {}

    // XML() appended to `out`, without copying the nested texts level by level.
    void WriteTo(std::string& out);
    // SetXML() from an element already parsed; `node` stands for the bound object.
    void ReadNode(const TXMLNode& node);
    // SetXML() of a text already scanned for the plain form (`scan` answered for `text`).
    void ReadScanned(std::string_view text, const PlainDocument& scan);

private:
    TNodeXMLRTTI& Child();
    void WriteStartTag(std::string& out) const;
    void WriteNested(const BoundProperty& prop, std::string& out);
    void WriteItems(std::string& out);
    // Reading works alike on a parsed tree and on a plain document read in place
    // (node_xml_rtti_read.cpp); Element is the one or the other's element handle.
    template <class Element>
    void ReadFrom(Element top, bool clean);
    template <class Element>
    void PropertyElements(Element top, Element* found) const;  // one per bound property
    template <class Element>
    void ReadItems(Element top, bool clean);
    template <class Element>
    static void ReadChild(TNodeXMLRTTI& child, Element element, bool clean);

    TNodeXMLRTTI* child_ = nullptr;  // ChildWriter() as a node writer, once checked
    const ClassInfo* notCollection_ = nullptr;  // the last class read that is no collection

    size_t sizeHint_ = 0;  // room to reserve for the next XML
};

}  // namespace rb
