#include "xml/xml_rtti.h"

#include <cstdint>
#include <cstring>

#include "core/exception.h"
#include "core/text.h"
#include "core/property_text.h"
#include "xml/byte_words.h"

namespace rb {

namespace {

// Whether any of the eight bytes of `word` is '&', '<' or '>'.
bool HasMarkup(uint64_t word) {
    using namespace xml_detail;
    return (Equal(word, '&') | Equal(word, '<') | Equal(word, '>')) != 0;
}

}  // namespace

void AppendXMLEscaped(std::string& out, std::string_view text) {
    // One pass does what the three replacements in their order do: "&" goes first, so the
    // ampersands the other two bring in are not escaped again. Runs without a special
    // character are copied whole; they are found eight bytes at a time.
    const char* const data = text.data();
    const size_t size = text.size();
    size_t from = 0;
    size_t i = 0;
    while (i < size) {
        if (i + 8 <= size) {
            if (!HasMarkup(xml_detail::LoadWord(data + i))) {
                i += 8;
                continue;
            }
        }
        const size_t end = i + 8 < size ? i + 8 : size;
        for (; i < end; ++i) {
            const char c = data[i];
            if (c != '&' && c != '<' && c != '>') continue;
            out.append(data + from, i - from);
            out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
            from = i + 1;
        }
    }
    out.append(data + from, size - from);
}

std::string XMLEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendXMLEscaped(out, text);
    return out;
}

// One pass does what the three replacements in their order do: each pattern starts with the
// only '&' it holds and none is made by replacing another, so the matches are the same.
std::string XMLUnescape(std::string_view text) {
    struct Entity {
        std::string_view text;
        char character;
    };
    static constexpr Entity kEntities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}};
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t amp = text.find('&'); amp != std::string_view::npos; amp = text.find('&', amp)) {
        const Entity* found = nullptr;
        for (const Entity& entity : kEntities) {
            if (text.substr(amp, entity.text.size()) == entity.text) found = &entity;
        }
        if (!found) {
            ++amp;
            continue;
        }
        out.append(text.data() + from, amp - from);
        out += found->character;
        amp += found->text.size();
        from = amp;
    }
    out.append(text.data() + from, text.size() - from);
    return out;
}

// Objects being bound by one SetRTTIObject call, innermost first: a property whose object is
// already among them closes a cycle and is recorded without being walked again.
struct TRTTIEnabler::BindLink {
    const Persistent* object;
    const BindLink* outer;
    int depth;
};

namespace {
constexpr uint32_t kAllKindsButUnknown = ((1U << 18) - 1) & ~1U;

std::string DefaultTagName(const Persistent& object) {
    // An unnamed component would give an element without a name; the class name serves.
    const auto* component = dynamic_cast<const Component*>(&object);
    if (component && !component->Name.empty()) return component->Name;
    const std::string name = object.ClassName();
    return name.empty() ? name : name.substr(1);
}
}  // namespace

TRTTIEnabler::TRTTIEnabler() : findTypes_(TTypeKinds::FromMask(kAllKindsButUnknown)) {}

TRTTIEnabler::~TRTTIEnabler() = default;

std::unique_ptr<TRTTIEnabler> TRTTIEnabler::NewWriter() const {
    return std::make_unique<TRTTIEnabler>();
}

void TRTTIEnabler::SetRTTIObject(Persistent* object) { Bind(object, nullptr); }

void TRTTIEnabler::Record(Persistent* object) {
    props_.clear();
    reusable_ = false;
    object_ = object;
    const char* type = object ? object->Class().Name() : "nil";
    if (tagClassType_ != type) tagClassType_ = type;  // items in a row mostly share a class
}

void TRTTIEnabler::Bind(Persistent* object, const BindLink* outer) {
    // Another object of the class just bound, with no object properties: the recorded
    // properties stand (the items of a collection are bound one after another).
    if (object && object_ && reusable_ && &object->Class() == &object_->Class() &&
        boundKinds_ == findTypes_) {
        if (tagName_.empty()) tagName_ = DefaultTagName(*object);
        object_ = object;
        return;
    }
    // Binding nil also drops the previous object's properties and nested writers: keeping
    // them would write stale elements and hand out objects that may be gone.
    Record(nullptr);
    if (!object) {
        if (tagName_.empty()) tagName_ = "NULL";
        return;
    }
    if (tagName_.empty()) tagName_ = DefaultTagName(*object);
    Record(object);
    const BindLink link{object, outer, outer ? outer->depth + 1 : 0};
    bool nested = false;
    for (const PropInfo& prop : object->Class().Properties()) {
        if (!findTypes_.Contains(prop.kind)) continue;
        BoundProperty bound{prop.upperName, &prop, nullptr};
        if (prop.kind == TypeKind::tkClass) {
            bound.nested = NewWriter();
            bound.nested->findTypes_ = findTypes_;
            bound.nested->tagName_ = prop.name;
            Persistent* value = prop.getObj ? prop.getObj(*object) : nullptr;
            bool seen = link.depth >= kMaxNesting;
            for (const BindLink* l = &link; l && !seen; l = l->outer) seen = l->object == value;
            if (seen) {
                bound.nested->Record(value);
            } else {
                bound.nested->Bind(value, &link);
            }
        }
        nested = nested || bound.nested;
        props_.push_back(std::move(bound));
    }
    boundKinds_ = findTypes_;
    reusable_ = !nested;
}

TRTTIEnabler& TRTTIEnabler::ChildWriter() {
    if (depth_ >= kMaxNesting) {
        throw Exception(Format("Objects nested more than %d levels deep", kMaxNesting));
    }
    if (!child_) {
        child_ = NewWriter();
        child_->depth_ = depth_ + 1;
    }
    child_->findTypes_ = findTypes_;
    return *child_;
}

const std::string& TRTTIEnabler::PropertyNames(int index) const {
    if (index < 0 || index >= PropertyCount()) {
        throw EListError(Format("List index out of bounds (%d)", index));
    }
    return props_[static_cast<size_t>(index)].name;
}

TypeKind TRTTIEnabler::PropertyKinds(int index) const {
    PropertyNames(index);  // index check
    return props_[static_cast<size_t>(index)].info->kind;
}

size_t TRTTIEnabler::IndexOf(std::string_view upperName) const {
    for (size_t i = 0; i < props_.size(); ++i) {
        if (SameText(props_[i].name, upperName)) return i;
    }
    return props_.size();
}

Persistent* TRTTIEnabler::ObjectProperty(std::string_view upperName) const {
    const size_t i = IndexOf(upperName);
    if (i == props_.size() || !props_[i].nested) return nullptr;
    return props_[i].nested->object_;
}

std::string TRTTIEnabler::GetPropertyText(std::string_view upperName) const {
    if (!object_) return std::string();
    const size_t i = IndexOf(upperName);
    if (i == props_.size()) throw Exception("Unknown property: " + std::string(upperName));
    return PropertyTextAt(i);
}

void TRTTIEnabler::SetPropertyText(std::string_view upperName, std::string_view text) {
    if (!object_) return;
    const size_t i = IndexOf(upperName);
    if (i == props_.size()) throw Exception("Unknown property: " + std::string(upperName));
    SetPropertyTextAt(i, text);
}

std::string TRTTIEnabler::PropertyTextAt(size_t index) const {
    std::string out;
    AppendPropertyTextAt(index, out);
    return out;
}

void TRTTIEnabler::AppendPropertyTextAt(size_t index, std::string& out) const {
    if (!object_) return;
    std::string scratch;
    AppendXMLEscaped(out, PropertyValueView(*object_, *props_[index].info, scratch));
}

void TRTTIEnabler::SetPropertyTextAt(size_t index, std::string_view text) {
    if (!object_) return;
    const BoundProperty& bound = props_[index];
    if (text.find('&') == std::string_view::npos) {
        AssignPropertyText(*object_, *bound.info, text, bound.name);  // nothing to unescape
    } else {
        AssignPropertyText(*object_, *bound.info, XMLUnescape(text), bound.name);
    }
}

const ClassInfo& TXMLAware::StaticClass() {
    static const ClassInfo info("TXMLAware", &Persistent::StaticClass(), {});
    return info;
}

TCustomXMLRTTI& TXMLAware::BoundWriter(const std::string& tagName) {
    if (!writer_) throw Exception("RTTIEnabler not assigned.");
    writer_->SetRTTIObject(this);
    writer_->SetTagName(tagName);
    return *writer_;
}

std::string TXMLAware::WriteXML(const std::string& tagName) { return BoundWriter(tagName).XML(); }

void TXMLAware::ReadXML(const std::string& tagName, std::string_view text) {
    BoundWriter(tagName).SetXML(text);
}

}  // namespace rb
