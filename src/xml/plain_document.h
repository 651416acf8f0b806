// A document in the plain form this program writes, read where it lies. In that form every
// element ends with its own end tag, text stands only in elements without children, only
// blanks stand between elements, and attributes are name="value" pairs without blanks. For
// such a text the element tree (TXMLNode) is known without being built: each element is
// the node it would give, with the same tag, body and attributes, and writing it out and
// parsing it again gives it back. PlainDocument records where each element's parts lie, in
// one pass and without copying; any other text is refused, and is then read as a tree.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rb {

class PlainElement;

class PlainDocument {
public:
    // Whether `text` is in the plain form with at most `maxElements` elements; when it is,
    // its elements are at hand until the next Scan (the text must outlive them).
    bool Scan(std::string_view text, size_t maxElements = SIZE_MAX);
    bool Plain() const { return plain_; }  // what the last Scan answered
    size_t ElementCount() const { return plain_ ? elements_.size() : 0; }

    PlainElement Root() const;  // "no element" unless Plain()

private:
    friend class PlainElement;
    struct Element {
        uint32_t tag, tagSize;
        uint32_t attributes, attributesSize;  // the start tag's text after the name
        uint32_t body, bodySize;              // trimmed; only in elements without children
        uint32_t end;                         // just past the end tag
        uint32_t next;                        // the next sibling's index; 0 for none
        uint32_t childCount;                  // the first child is the next element
    };
    bool ScanStartTag(const char*& at);
    bool ScanEndTag(const char*& at, const Element& open) const;

    bool ScanElements(size_t maxElements);

    std::string_view text_;
    std::vector<Element> elements_;
    bool plain_ = false;
};

// One element of a scanned document, with the reading interface of a TXMLNode. Copies are
// cheap; a default-constructed one stands for "no element".
class PlainElement {
public:
    PlainElement() = default;
    PlainElement(const PlainDocument* document, uint32_t index) : doc_(document), index_(index) {}

    explicit operator bool() const { return doc_ != nullptr; }
    std::string_view Tag() const { return {doc_->text_.data() + At().tag, At().tagSize}; }
    std::string_view Body() const { return {doc_->text_.data() + At().body, At().bodySize}; }
    int ChildCount() const { return static_cast<int>(At().childCount); }
    PlainElement FirstChild() const {
        return At().childCount ? PlainElement(doc_, index_ + 1) : PlainElement();
    }
    PlainElement NextSibling() const {
        return At().next ? PlainElement(doc_, At().next) : PlainElement();
    }
    // The value of the first attribute named `name` (ignoring case); empty when none.
    std::string Attribute(std::string_view name) const;
    // The element's text as it stands in the document.
    std::string XML() const;
    // The body followed by each child as the tree writes it (TXMLNode::StoredValue).
    std::string StoredValue() const;

private:
    const PlainDocument::Element& At() const { return doc_->elements_[index_]; }
    const PlainDocument* doc_ = nullptr;
    uint32_t index_ = 0;
};

}  // namespace rb
