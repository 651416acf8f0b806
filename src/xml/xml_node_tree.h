// A small, forgiving XML element tree: elements, attributes without blanks in their values,
// and text. Parsing never fails and never rejects input; writing gives the document form the
// property-driven reader expects. Parsing, writing and destruction are iterative, so a
// hostile document (very deep, very long, unterminated) costs time linear in its size and no
// stack.
#pragma once

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

    const std::string& Body() const { return body_; }
    void SetBody(std::string value) { body_ = std::move(value); }
    const std::string& Tag() const { return tag_; }
    void SetTag(std::string value) { tag_ = std::move(value); }
    // Attributes as name=value lines in source order, values without their quotes.
    StringList& Properties() { return properties_; }
    const StringList& Properties() const { return properties_; }
    TXMLNode* Parent() const { return parent_; }

    int ChildCount() const { return static_cast<int>(children_.size()); }
    // Raises EListError "List index out of bounds (<i>)" for a bad index.
    TXMLNode& Children(int index) const;
    // First child whose tag equals `name` ignoring case; -1 when there is none.
    int IndexOfChild(std::string_view name) const;
    // Appends a new child with this node's ShortTags and returns it.
    TXMLNode& AddChild();

private:
    void Clear();
    void ClearChildren();
    void WriteStart(std::string& out) const;
    void WriteAttributes(std::string& out) const;

    bool buildChildren_ = true;
    bool shortTags_ = true;
    std::string body_;
    std::string tag_;
    StringList properties_;
    TXMLNode* parent_ = nullptr;
    std::vector<std::unique_ptr<TXMLNode>> children_;
};

}  // namespace rb
