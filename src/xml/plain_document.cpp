#include "xml/plain_document.h"

#include <algorithm>

#include "core/text.h"
#include "xml/byte_words.h"
#include "xml/xml_node_tree.h"

namespace rb {

namespace {

// What each byte can be: blank (up to the space), markup ('<' and '>'), or a byte of a name
// or an attribute that the tree writes back as it read it (no blank, '/', '<' or '>').
enum : unsigned char { kBlank = 1, kMarkup = 2, kName = 4 };

struct ByteClasses {
    unsigned char of[256];
    constexpr ByteClasses() : of() {
        for (int c = 0; c < 256; ++c) {
            of[c] = c <= 32 ? kBlank : c == '<' || c == '>' ? kMarkup : c == '/' ? 0 : kName;
        }
    }
};
constexpr ByteClasses kClasses;

bool Is(char c, unsigned char kind) { return kClasses.of[static_cast<unsigned char>(c)] & kind; }
bool Blank(char c) { return Is(c, kBlank); }
bool NameByte(char c) { return Is(c, kName); }

const char* SkipBlanks(const char* at, const char* end) {
    while (at < end && Blank(*at)) ++at;
    return at;
}

// The first '<' or '>' from `at`; `end` when there is none.
const char* FindMarkup(const char* at, const char* end) {
    using namespace xml_detail;
    for (; end - at >= 8; at += 8) {
        const uint64_t word = LoadWord(at);
        if (const uint64_t marks = Equal(word, '<') | Equal(word, '>')) {
            return at + FirstMarked(marks);
        }
    }
    while (at < end && !Is(*at, kMarkup)) ++at;
    return at;
}

// Past the bytes of a name from `at`: the first blank, '/', '<' or '>', or `end`.
const char* SkipName(const char* at, const char* end) {
    using namespace xml_detail;
    for (; end - at >= 8; at += 8) {
        const uint64_t word = LoadWord(at);
        const uint64_t marks =
            Below(word, 33) | Equal(word, '/') | Equal(word, '<') | Equal(word, '>');
        if (marks) return at + FirstMarked(marks);
    }
    while (at < end && NameByte(*at)) ++at;
    return at;
}

// Whether the `size` bytes at `a` and `b` are the same.
bool SameBytes(const char* a, const char* b, size_t size) {
    using namespace xml_detail;
    if (size >= 8) {
        for (size_t i = 0; i + 8 <= size; i += 8) {
            if (LoadWord(a + i) != LoadWord(b + i)) return false;
        }
        return LoadWord(a + size - 8) == LoadWord(b + size - 8);  // the last, overlapping
    }
    for (size_t i = 0; i < size; ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

std::string_view StripQuotes(std::string_view v) {
    if (!v.empty() && v.front() == '"') v.remove_prefix(1);
    if (!v.empty() && v.back() == '"') v.remove_suffix(1);
    return v;
}

}  // namespace

// The start tag's name runs to the first space; the attributes after it are pieces split at
// spaces, each a name, '=' and a value. Anything the tree would read otherwise (a short tag,
// a declaration, other blanks, a piece without a name, the index-and-string form that starts
// with INDEX) is refused.
bool PlainDocument::ScanStartTag(const char*& at) {
    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    const char* const name = at;
    at = SkipName(at, end);
    if (at == name || *name == '?' || at == end) return false;
    Element e{};
    e.tag = static_cast<uint32_t>(name - begin);
    e.tagSize = static_cast<uint32_t>(at - name);
    if (*at == ' ') {
        const char* const attributes = at;
        for (bool first = true;; first = false) {
            while (at < end && *at == ' ') ++at;
            if (at == end) return false;
            if (*at == '>') break;
            const char* const piece = at;
            at = SkipName(at, end);
            if (at == end || (*at != ' ' && *at != '>')) return false;
            const char* eq = piece;
            while (eq < at && *eq != '=') ++eq;
            if (eq == at || eq == piece) return false;
            if (first && SameText(std::string_view(piece, size_t(eq - piece)), "INDEX")) {
                return false;
            }
        }
        e.attributes = static_cast<uint32_t>(attributes - begin);
        e.attributesSize = static_cast<uint32_t>(at - attributes);
    }
    if (*at != '>') return false;
    ++at;
    elements_.push_back(e);
    return true;
}

bool PlainDocument::ScanEndTag(const char*& at, const Element& open) const {
    const char* const end = text_.data() + text_.size();
    ++at;  // the '/'
    if (static_cast<size_t>(end - at) <= open.tagSize ||
        !SameBytes(at, text_.data() + open.tag, open.tagSize) || at[open.tagSize] != '>') {
        return false;
    }
    at += open.tagSize + 1;
    return true;
}

bool PlainDocument::Scan(std::string_view text, size_t maxElements) {
    text_ = text;
    elements_.clear();
    plain_ = text.size() < UINT32_MAX && ScanElements(maxElements);
    return plain_;
}

bool PlainDocument::ScanElements(size_t maxElements) {
    // An inventory has an element in about 50 bytes.
    elements_.reserve(std::min(text_.size() / 32, maxElements));
    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    struct Frame {
        uint32_t index;
        uint32_t lastChild;  // 0 until the first child
    };
    std::vector<Frame> open;
    const char* at = SkipBlanks(begin, end);
    for (;;) {
        if (at == end || *at != '<') return false;
        ++at;
        if (at < end && *at == '/') {
            if (open.empty()) return false;
            Element& e = elements_[open.back().index];
            if (!ScanEndTag(at, e)) return false;
            e.end = static_cast<uint32_t>(at - begin);
            open.pop_back();
            at = SkipBlanks(at, end);
            if (open.empty()) return at == end;  // one top element, blanks after it
            continue;
        }
        const auto index = static_cast<uint32_t>(elements_.size());
        if (index == maxElements) return false;
        if (!open.empty()) {
            Frame& parent = open.back();
            if (parent.lastChild) elements_[parent.lastChild].next = index;
            parent.lastChild = index;
            ++elements_[parent.index].childCount;
        } else if (index > 0) {
            return false;
        }
        if (!ScanStartTag(at)) return false;
        open.push_back({index, 0});
        // Up to the next '<': blanks before a child, or the body before the element's own
        // end tag. A '>' there would end a tag of its own.
        const char* lt = FindMarkup(at, end);
        if (lt == end || *lt == '>') return false;
        const char* first = SkipBlanks(at, lt);
        if (lt + 1 < end && lt[1] == '/') {
            const char* last = lt;
            while (last > first && Blank(last[-1])) --last;
            Element& e = elements_[index];
            e.body = static_cast<uint32_t>(first - begin);
            e.bodySize = static_cast<uint32_t>(last - first);
        } else if (first != lt) {
            return false;  // text beside children
        }
        at = lt;
    }
}

PlainElement PlainDocument::Root() const {
    return plain_ ? PlainElement(this, 0) : PlainElement();
}

std::string PlainElement::Attribute(std::string_view name) const {
    std::string_view rest = doc_->text_.substr(At().attributes, At().attributesSize);
    while (!rest.empty()) {
        const size_t space = rest.find(' ');
        const std::string_view piece = rest.substr(0, space);
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
        const size_t eq = piece.find('=');
        if (eq != std::string_view::npos && SameText(piece.substr(0, eq), name)) {
            return std::string(StripQuotes(piece.substr(eq + 1)));
        }
    }
    return std::string();
}

std::string PlainElement::XML() const {
    const uint32_t start = At().tag - 1;  // the '<'
    return std::string(doc_->text_.substr(start, At().end - start));
}

std::string PlainElement::StoredValue() const {
    TXMLNode node;
    node.SetXML(XML());
    return node.StoredValue();
}

}  // namespace rb
