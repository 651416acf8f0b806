// Binding of a property-driven XML writer to an object: the writer walks the object's
// published-property table, so any persistent class can be written and read without code of
// its own. TNodeXMLRTTI (node_xml_rtti.h) does the writing and reading.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/persistent.h"
#include "core/typeinfo.h"

namespace rb {

// "&" -> "&amp;", then "<" -> "&lt;", then ">" -> "&gt;"; nothing else is touched.
std::string XMLEscape(std::string_view text);
void AppendXMLEscaped(std::string& out, std::string_view text);  // XMLEscape onto `out`
// "&lt;" -> "<", then "&gt;" -> ">", then "&amp;" -> "&".
std::string XMLUnescape(std::string_view text);

class TRTTIEnabler {
public:
    TRTTIEnabler();
    TRTTIEnabler(const TRTTIEnabler&) = delete;
    TRTTIEnabler& operator=(const TRTTIEnabler&) = delete;
    virtual ~TRTTIEnabler();

    // A new writer of this writer's own class (for nested objects and the child writer).
    virtual std::unique_ptr<TRTTIEnabler> NewWriter() const;

    Persistent* RTTIObject() const { return object_; }
    // Binds `object`: records its published properties whose kind is in FindTypes and, for
    // each class-typed one, a nested writer bound to the property's current object.
    virtual void SetRTTIObject(Persistent* object);
    const std::string& TagName() const { return tagName_; }
    void SetTagName(std::string name) { tagName_ = std::move(name); }
    // Class name of the bound object; "nil" after binding nil.
    const std::string& TagClassType() const { return tagClassType_; }
    TTypeKinds FindTypes() const { return findTypes_; }
    void SetFindTypes(TTypeKinds kinds) { findTypes_ = kinds; }

    // The bound properties in index order, by upper-case name.
    int PropertyCount() const { return static_cast<int>(props_.size()); }
    const std::string& PropertyNames(int index) const;  // EListError for a bad index
    TypeKind PropertyKinds(int index) const;
    // The object a class-typed property held at binding time; nullptr when nil or unknown.
    Persistent* ObjectProperty(std::string_view upperName) const;
    // Value as escaped element text; empty when no object is bound.
    std::string GetPropertyText(std::string_view upperName) const;
    // Unescapes `text` and assigns it (see AssignPropertyText for the conversions).
    void SetPropertyText(std::string_view upperName, std::string_view text);

    // Objects nested deeper than this are refused (a cycle among object properties would
    // otherwise recurse until the stack runs out).
    static constexpr int kMaxNesting = 256;

protected:
    struct BoundProperty {
        const std::string& name;  // upper case, the class table's
        const PropInfo* info;
        std::unique_ptr<TRTTIEnabler> nested;  // class-typed properties only
    };
    const std::vector<BoundProperty>& Bound() const { return props_; }
    std::string PropertyTextAt(size_t index) const;
    void AppendPropertyTextAt(size_t index, std::string& out) const;  // without a copy
    void SetPropertyTextAt(size_t index, std::string_view text);
    // The writer for objects one level down, created on first use and reused; it gets this
    // writer's FindTypes. Raises when the nesting passes kMaxNesting.
    TRTTIEnabler& ChildWriter();

private:
    struct BindLink;
    void Bind(Persistent* object, const BindLink* outer);
    void Record(Persistent* object);
    size_t IndexOf(std::string_view upperName) const;

    Persistent* object_ = nullptr;
    std::string tagName_;
    std::string tagClassType_;
    TTypeKinds findTypes_;
    std::vector<BoundProperty> props_;
    // Whether props_ were recorded by a whole binding of object_'s class, with FindTypes
    // boundKinds_, and hold no nested writer: another object of that class may then use them.
    bool reusable_ = false;
    TTypeKinds boundKinds_;
    std::unique_ptr<TRTTIEnabler> child_;
    int depth_ = 0;  // levels below the writer its user created
};

class TCustomXMLRTTI : public TRTTIEnabler {
public:
    // Comma-separated names of properties written as attributes of the start tag.
    const std::string& InTagProperties() const { return inTagProperties_; }
    void SetInTagProperties(std::string names) { inTagProperties_ = std::move(names); }
    // Whether the start tag carries TYPE="<class name>".
    bool ShowType() const { return showType_; }
    void SetShowType(bool value) { showType_ = value; }
    // When not empty, written as the ID attribute of the start tag.
    const std::string& ObjectID() const { return objectID_; }
    void SetObjectID(std::string id) { objectID_ = std::move(id); }

    // The bound object as XML text; assigning fills the bound object from XML text.
    virtual std::string XML() = 0;
    virtual void SetXML(std::string_view text) = 0;
    virtual std::string Schema() const = 0;
    virtual void SetSchema(std::string_view schema) = 0;

private:
    std::string inTagProperties_;
    bool showType_ = true;
    std::string objectID_;
};

// Base of objects that write and read themselves through a writer they are given (and do
// not own). Descendants publish the properties of the document's top level.
class TXMLAware : public Persistent {
    RB_PERSISTENT_CLASS
public:
    explicit TXMLAware(TCustomXMLRTTI* writer) : writer_(writer) {}

    TCustomXMLRTTI* Writer() const { return writer_; }
    // Bind the writer to this object under `tagName`, then write or read. Without a writer
    // both raise "RTTIEnabler not assigned.".
    std::string WriteXML(const std::string& tagName);
    void ReadXML(const std::string& tagName, std::string_view text);

private:
    TCustomXMLRTTI& BoundWriter(const std::string& tagName);
    TCustomXMLRTTI* writer_;
};

}  // namespace rb
