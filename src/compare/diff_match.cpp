#include "compare/diff_match.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/property_text.h"
#include "sysinfo/string_collection.h"

namespace rb::compare::detail {
namespace {

using tables::TextForm;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsVersionChar(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
           c == '-' || c == '_';
}

bool IsVersion(std::string_view word) {
    if (word.empty()) return false;
    const bool starts = IsDigit(word[0]) ||
                        ((word[0] == 'v' || word[0] == 'V') && word.size() > 1 && IsDigit(word[1]));
    return starts && std::all_of(word.begin(), word.end(), IsVersionChar);
}

std::string_view FileNamePart(std::string_view path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool Blank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

ItemKey StringKey(std::string_view text, TextForm form) {
    ItemKey key;
    key.name = text;
    key.parts[0].text = text;
    if (form == TextForm::Program) {
        SplitProgram(text, key.parts[0].text, key.value);
    } else if (form == TextForm::NameValue) {
        const size_t equals = text.find('=');
        if (equals != std::string_view::npos) {
            key.parts[0].text = text.substr(0, equals);
            key.value = text.substr(equals + 1);
        }
    }
    return key;
}

const PropInfo* FindNamed(const ClassInfo& cls, const char* name) {
    return *name ? cls.FindProperty(name) : nullptr;
}

}  // namespace

bool SameKey(const ItemKey& a, const ItemKey& b) {
    for (int i = 0; i < 2; ++i) {
        if (a.parts[i].number != b.parts[i].number || a.parts[i].text != b.parts[i].text) {
            return false;
        }
    }
    return true;
}

ListKeys::ListKeys(const Collection& list, TextForm form)
    : list_(list),
      form_(form),
      strings_(list.ItemClass().InheritsFrom(TStringCollectionItem::StaticClass())) {}

std::string_view ListKeys::Text(int index) const {
    if (!strings_) return std::string_view();
    return static_cast<const TStringCollectionItem&>(list_.Item(index)).TheString;
}

ItemKey ListKeys::Key(int index) {
    return strings_ ? StringKey(Text(index), form_) : ObjectKey(list_.Item(index));
}

bool ListKeys::SameItem(int i, ListKeys& other, int j) {
    if (strings_ && other.strings_) return Text(i) == other.Text(j);
    const ItemKey a = Key(i);
    const ItemKey b = other.Key(j);
    return a.name == b.name && SameKey(a, b);
}

const ListKeys::ClassKeys& ListKeys::KeysFor(const ClassInfo& cls) {
    if (classKeys_.cls == &cls) return classKeys_;
    ClassKeys& k = classKeys_;
    k = ClassKeys();
    k.cls = &cls;
    k.row = tables::FindKey(cls);
    if (!k.row) return k;
    k.keys[0] = FindNamed(cls, k.row->keys[0]);
    k.keys[1] = FindNamed(cls, k.row->keys[1]);
    k.name = FindNamed(cls, k.row->name);
    k.fallback = FindNamed(cls, k.row->fallbackName);
    return k;
}

// A text property's value as a view: of the member itself, or of a copy kept here.
std::string_view ListKeys::TextOf(const Persistent& item, const PropInfo& prop) {
    if (prop.strField) return *prop.strField(item);
    held_.push_back(std::make_unique<std::string>(PropertyValueText(item, prop)));
    return *held_.back();
}

KeyPart ListKeys::PartOf(const Persistent& item, const PropInfo* prop) {
    KeyPart part;
    if (!prop) return part;
    if (prop->IsString()) {
        part.text = TextOf(item, *prop);
    } else if (prop->getOrd) {
        part.number = prop->getOrd(item);
    }
    return part;
}

ItemKey ListKeys::ObjectKey(const Persistent& item) {
    const ClassKeys& k = KeysFor(item.Class());
    ItemKey key;
    if (!k.row) return key;  // no key: items pair in order
    key.parts[0] = PartOf(item, k.keys[0]);
    key.parts[1] = PartOf(item, k.keys[1]);
    if (k.name && k.name->IsString()) key.name = TextOf(item, *k.name);
    if (k.row->fileNameKey) {
        key.parts[0].text = FileNamePart(key.parts[0].text);
        key.name = FileNamePart(key.name);
    }
    if (Blank(key.name) && k.fallback && k.fallback->IsString()) {
        key.name = TextOf(item, *k.fallback);
    }
    if (Blank(key.name)) {
        key.name = Blank(key.parts[1].text) ? key.parts[0].text : key.parts[1].text;
    }
    return key;
}

void SplitProgram(std::string_view text, std::string_view& name, std::string_view& version) {
    name = text;
    version = std::string_view();
    const size_t blank = text.rfind(' ');
    if (blank == std::string_view::npos || !IsVersion(text.substr(blank + 1))) return;
    const size_t end = text.find_last_not_of(' ', blank);
    if (end == std::string_view::npos) return;
    name = text.substr(0, end + 1);
    version = text.substr(blank + 1);
}

std::string JoinedNames(ListKeys& keys) {
    std::string text;
    for (int i = 0; i < keys.Count(); ++i) {
        if (i > 0) text += ", ";
        text += keys.Key(i).name;
    }
    return text;
}

bool SameNames(ListKeys& a, ListKeys& b) {
    if (a.Count() != b.Count()) return false;
    int same = 0;  // the usual case first: the same names in the same order
    while (same < a.Count() && a.Key(same).name == b.Key(same).name) ++same;
    if (same == a.Count()) return true;
    std::vector<std::string_view> na, nb;
    for (int i = 0; i < a.Count(); ++i) na.push_back(a.Key(i).name);
    for (int i = 0; i < b.Count(); ++i) nb.push_back(b.Key(i).name);
    std::sort(na.begin(), na.end());
    std::sort(nb.begin(), nb.end());
    return na == nb;
}

}  // namespace rb::compare::detail
