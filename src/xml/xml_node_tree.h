// A small, forgiving XML element tree: elements, attributes without blanks in their values,
// and text. Parsing never fails and never rejects input; writing gives the document form the
// property-driven reader expects. Parsing, writing and destruction are iterative, so a
// hostile document (very deep, very long, unterminated) costs time linear in its size and no
// stack.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/persistent.h"
#include "core/string_list.h"

namespace rb {

// One run of the tokeniser: the text between a '<' and the following '>' (a tag primitive)
// or between a '>' and the following '<' (a data primitive). Views into the parsed text.
struct TParsePrimative {
    enum Kind { TTagPrimative, TDataPrimative };
    Kind kind;
    std::string_view text;
};

// Splits `text` into primitives, handing each to `sink` in order. Quotes give no protection:
// any '<' or '>' ends the current run; empty runs are not emitted.
void TokeniseXML(std::string_view text, const std::function<void(const TParsePrimative&)>& sink);

// Parses attribute text into name=value lines (see the .cpp for the two forms).
void ParseXMLAttributes(std::string_view text, StringList& into);

// Every node of a tree lives in the store of the tree's top node (the node created directly),
// side by side with the texts of its tags, bodies and attributes: a node costs a few dozen
// bytes and no allocation of its own, so a document's tree stays within a small multiple of
// the document's size. Nodes are freed with the top node, or when it parses again.
class TXMLNode : public Persistent {
    RB_PERSISTENT_CLASS
public:
    TXMLNode();
    ~TXMLNode() override;

    // Whether assigning XML parses: True for a node created directly, False for every node
    // the parser creates (only the top node of a tree can be re-parsed).
    bool BuildChildren() const { return buildChildren_; }
    void SetBuildChildren(bool value) { buildChildren_ = value; }
    // Whether an empty element is written in the short form; copied to children on AddChild.
    bool ShortTags() const { return shortTags_; }
    void SetShortTags(bool value) { shortTags_ = value; }

    // The node and its subtree written as text; assigning parses text into this node (the
    // text must not be a view into this node's own tree, which the parse clears first).
    std::string XML() const;
    void SetXML(std::string_view text);
    void WriteTo(std::string& out) const;  // appends what XML() returns

    // Body followed by the written text of each child.
    std::string StoredValue() const;

    // Views into the tree's store, valid until the text is set again or the tree is freed.
    std::string_view Body() const { return {body_, bodySize_}; }
    void SetBody(std::string_view value);
    std::string_view Tag() const { return {tag_, tagSize_}; }
    void SetTag(std::string_view value);
    // Attributes as name=value lines in source order, values without their quotes.
    StringList& Properties();
    const StringList& Properties() const;
    TXMLNode* Parent() const;

    int ChildCount() const { return static_cast<int>(childCount_); }
    // Raises EListError "List index out of bounds (<i>)" for a bad index. Walking the children
    // in order costs constant time a step.
    TXMLNode& Children(int index) const;
    // First child whose tag equals `name` ignoring case; -1 when there is none.
    int IndexOfChild(std::string_view name) const;
    // Appends a new child with this node's ShortTags and returns it.
    TXMLNode& AddChild();

    // The first child and the next sibling, or nullptr: a walk without indexes.
    TXMLNode* FirstChild() const;
    TXMLNode* NextSibling() const;

    struct Store;

private:
    std::string TagText() const { return std::string(Tag()); }
    std::string BodyText() const { return std::string(Body()); }
    Store& TheStore();
    void Clear();
    void WriteStart(std::string& out) const;
    void WriteAttributes(std::string& out) const;

    std::unique_ptr<Store> ownStore_;  // the top node's; empty in every other node
    Store* store_ = nullptr;           // the tree's store; set once the tree has one
    const char* tag_ = "";
    const char* body_ = "";
    std::unique_ptr<StringList> properties_;  // created with the first attribute
    uint32_t tagSize_ = 0;
    uint32_t bodySize_ = 0;
    // Places in the store (0: none). The top node is not in its store; its place is kTop.
    uint32_t self_ = 0;
    uint32_t parent_ = 0;
    uint32_t firstChild_ = 0;
    uint32_t lastChild_ = 0;
    uint32_t nextSibling_ = 0;
    uint32_t childCount_ = 0;
    // The child last reached by Children(), so a walk by index does not start over each time.
    mutable uint32_t cursor_ = 0;
    mutable uint32_t cursorIndex_ = 0;
    bool buildChildren_ = true;
    bool shortTags_ = true;
};

}  // namespace rb
