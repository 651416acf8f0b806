// Parsing text into a TXMLNode: tokeniser, tree builder and attribute parsing. One pass over
// the text; the builder follows the nesting with a pointer to the current node, never with
// recursion.
#include <cstring>

#include "core/text.h"
#include "xml/xml_node_tree.h"

namespace rb {

namespace {

std::string_view TrimView(std::string_view s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return s.substr(b, e - b);
}

std::string_view StripQuotes(std::string_view v) {
    if (!v.empty() && v.front() == '"') v.remove_prefix(1);
    if (!v.empty() && v.back() == '"') v.remove_suffix(1);
    return v;
}

void AddPair(StringList& into, std::string_view name, std::string_view value) {
    std::string line;
    line.reserve(name.size() + value.size() + 1);
    line.append(name).append(1, '=').append(value);
    into.Add(std::move(line));
}

// The string-list line form INDEX="n" STRING="text": the string may hold blanks, so it is
// everything after STRING= with one quote removed at each end.
void ParseIndexString(std::string_view t, StringList& into) {
    std::string_view index = t.substr(6);
    size_t end = std::string_view::npos;
    if (!index.empty() && index[0] == '"') end = index.find('"', 1);
    end = end == std::string_view::npos ? index.find(' ') : end + 1;
    index = index.substr(0, end);
    std::string indexValue;
    for (char c : index) {
        if (c != '"') indexValue += c;
    }
    const size_t at = AnsiUpperCase(t).find("STRING=");
    AddPair(into, "INDEX", indexValue);
    AddPair(into, "STRING", StripQuotes(t.substr(at + 7)));
}

// Strips the parsed tag text of an element into its name and attributes.
void SplitTagText(std::string_view text, TXMLNode& node, bool dropLast) {
    const size_t space = text.find(' ');
    if (space == std::string_view::npos) {
        if (!dropLast) node.SetTag(text);
        return;
    }
    node.SetTag(text.substr(0, space));
    std::string_view attributes = text.substr(space);
    if (dropLast) attributes.remove_suffix(1);
    ParseXMLAttributes(attributes, node.Properties());
}

class TreeBuilder {
public:
    explicit TreeBuilder(TXMLNode& root) : current_(&root) {}

    void Take(const TParsePrimative& p) {
        if (p.kind == TParsePrimative::TDataPrimative) {
            text_.append(p.text);
            return;
        }
        const std::string_view t = p.text;
        if (t[0] == '/') {
            // The name in a closing tag is not compared: nesting follows position only.
            current_->SetBody(TrimView(text_));
            text_.clear();
            if (current_->Parent()) current_ = current_->Parent();
        } else if (t.find('/') == t.size() - 1) {
            // A short tag <name attr="v" />: its name ends at the first blank; without one the
            // child's tag stays empty.
            SplitTagText(t, NewChild(), true);
            text_.clear();
        } else if (t[0] != '?') {
            if (!current_->Tag().empty()) current_ = &NewChild();
            SplitTagText(t, *current_, false);
        }
    }

private:
    TXMLNode& NewChild() {
        TXMLNode& child = current_->AddChild();
        child.SetBuildChildren(false);
        return child;
    }

    TXMLNode* current_;
    std::string text_;  // data since the last closing or short tag
};

}  // namespace

namespace {

template <class Sink>
void Tokenise(std::string_view text, Sink&& sink) {
    // The next '<' and '>' are found with memchr, each kept until passed, so every byte is
    // scanned once per delimiter: linear, and fast on long text runs.
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const auto next = [end](const char* from, char c) {
        const void* hit = from < end ? std::memchr(from, c, static_cast<size_t>(end - from)) : nullptr;
        return hit ? static_cast<const char*>(hit) : end;
    };
    bool inTag = false;
    const char* start = begin;
    const char* lt = next(begin, '<');
    const char* gt = next(begin, '>');
    while (lt != end || gt != end) {
        const char* at = lt < gt ? lt : gt;
        // The run is named by the character that ends it, whatever mode it was read in.
        if (at > start) {
            sink({*at == '<' ? TParsePrimative::TDataPrimative : TParsePrimative::TTagPrimative,
                  std::string_view(start, static_cast<size_t>(at - start))});
        }
        inTag = *at == '<';
        start = at + 1;
        if (at == lt) lt = next(start, '<');
        if (at == gt) gt = next(start, '>');
    }
    if (start < end) {
        sink({inTag ? TParsePrimative::TTagPrimative : TParsePrimative::TDataPrimative,
              std::string_view(start, static_cast<size_t>(end - start))});
    }
}

}  // namespace

void TokeniseXML(std::string_view text, const std::function<void(const TParsePrimative&)>& sink) {
    Tokenise(text, sink);
}

// General form: the trimmed text is cut at every blank; each piece is name=value, the value
// losing one leading and one trailing double quote. Pieces without a name are dropped, so
// values cannot hold blanks.
void ParseXMLAttributes(std::string_view text, StringList& into) {
    const std::string_view t = TrimView(text);
    if (StartsWithText(t, "INDEX=") && AnsiUpperCase(t).find("STRING=") != std::string::npos) {
        ParseIndexString(t, into);
        return;
    }
    size_t start = 0;
    while (start <= t.size()) {
        size_t end = t.find(' ', start);
        if (end == std::string_view::npos) end = t.size();
        const std::string_view piece = t.substr(start, end - start);
        const size_t eq = piece.find('=');
        if (eq != std::string_view::npos && eq > 0) {
            AddPair(into, piece.substr(0, eq), StripQuotes(piece.substr(eq + 1)));
        }
        start = end + 1;
    }
}

void TXMLNode::SetXML(std::string_view text) {
    if (!buildChildren_) return;
    Clear();
    TreeBuilder builder(*this);
    Tokenise(text, [&builder](const TParsePrimative& p) { builder.Take(p); });
}

}  // namespace rb
