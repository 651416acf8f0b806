#include "compare/diff_match.h"

#include <algorithm>
#include <functional>
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

// The properties that key and name the items of one class.
struct ClassKeys {
    const ClassInfo* cls = nullptr;
    const tables::KeyRow* row = nullptr;
    const PropInfo* keys[2] = {};
    const PropInfo* name = nullptr;
    const PropInfo* fallback = nullptr;
};

const PropInfo* Find(const ClassInfo& cls, const char* name) {
    return *name ? cls.FindProperty(name) : nullptr;
}

ClassKeys KeysFor(const ClassInfo& cls) {
    ClassKeys k;
    k.cls = &cls;
    k.row = tables::FindKey(cls);
    if (!k.row) return k;
    k.keys[0] = Find(cls, k.row->keys[0]);
    k.keys[1] = Find(cls, k.row->keys[1]);
    k.name = Find(cls, k.row->name);
    k.fallback = Find(cls, k.row->fallbackName);
    return k;
}

// A text property's value as a view: of the member itself, or of a copy kept in `held`.
std::string_view TextOf(const Persistent& item, const PropInfo& prop, KeyList& list) {
    if (prop.strField) return *prop.strField(item);
    list.held.push_back(std::make_unique<std::string>(PropertyValueText(item, prop)));
    return *list.held.back();
}

KeyPart PartOf(const Persistent& item, const PropInfo* prop, KeyList& list) {
    KeyPart part;
    if (!prop) return part;
    if (prop->IsString()) {
        part.text = TextOf(item, *prop, list);
    } else if (prop->getOrd) {
        part.number = prop->getOrd(item);
    }
    return part;
}

ItemKey ObjectKey(const Persistent& item, const ClassKeys& k, KeyList& list) {
    ItemKey key;
    if (!k.row) return key;  // no key: items pair in order
    key.parts[0] = PartOf(item, k.keys[0], list);
    key.parts[1] = PartOf(item, k.keys[1], list);
    if (k.name && k.name->IsString()) key.name = TextOf(item, *k.name, list);
    if (k.row->fileNameKey) {
        key.parts[0].text = FileNamePart(key.parts[0].text);
        key.name = FileNamePart(key.name);
    }
    if (Blank(key.name) && k.fallback && k.fallback->IsString()) {
        key.name = TextOf(item, *k.fallback, list);
    }
    if (Blank(key.name)) {
        key.name = Blank(key.parts[1].text) ? key.parts[0].text : key.parts[1].text;
    }
    return key;
}

size_t HashOf(const ItemKey& key) {
    const std::hash<std::string_view> text;
    const std::hash<int64_t> number;
    size_t h = text(key.parts[0].text);
    h = h * 31 + text(key.parts[1].text);
    h = h * 31 + number(key.parts[0].number);
    return h * 31 + number(key.parts[1].number);
}

bool SameItem(const ItemKey& a, const ItemKey& b) {
    return a.name == b.name && SameKey(a, b);
}

// Items of the later list sorted by the hash of their key (and name), with links past the
// items already paired, so that a long run of equal items is passed at once.
class Index {
public:
    Index(const std::vector<ItemKey>& items, size_t first, size_t last, bool byName)
        : items_(items), byName_(byName) {
        for (size_t j = first; j < last; ++j) entries_.emplace_back(Hash(items[j]), j);
        std::sort(entries_.begin(), entries_.end());
        for (size_t p = 0; p < entries_.size(); ++p) skip_.push_back(p + 1);
    }

    // The position in the later list of an unpaired item that matches `key`, now paired;
    // -1 when there is none.
    int Take(const ItemKey& key, std::vector<char>& used) {
        const size_t hash = Hash(key);
        const auto at = std::lower_bound(entries_.begin(), entries_.end(),
                                         std::make_pair(hash, size_t{0}));
        size_t p = Unused(static_cast<size_t>(at - entries_.begin()), used);
        for (; p < entries_.size() && entries_[p].first == hash; p = Unused(p + 1, used)) {
            const ItemKey& candidate = items_[entries_[p].second];
            if (!SameKey(key, candidate) || (byName_ && candidate.name != key.name)) continue;
            used[entries_[p].second] = 1;
            return static_cast<int>(entries_[p].second);
        }
        return -1;
    }

private:
    size_t Hash(const ItemKey& key) const {
        const size_t h = HashOf(key);
        return byName_ ? h * 31 + std::hash<std::string_view>()(key.name) : h;
    }

    // The first position from `p` whose item is unpaired; the paired ones passed on the way
    // are linked to it.
    size_t Unused(size_t p, const std::vector<char>& used) {
        size_t q = p;
        while (q < entries_.size() && used[entries_[q].second]) q = skip_[q];
        while (p < q) {
            const size_t next = skip_[p];
            skip_[p] = q;
            p = next;
        }
        return q;
    }

    const std::vector<ItemKey>& items_;
    const bool byName_;
    std::vector<std::pair<size_t, size_t>> entries_;  // hash, position in the later list
    std::vector<size_t> skip_;
};

}  // namespace

bool SameKey(const ItemKey& a, const ItemKey& b) {
    for (int i = 0; i < 2; ++i) {
        if (a.parts[i].number != b.parts[i].number || a.parts[i].text != b.parts[i].text) {
            return false;
        }
    }
    return true;
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

KeyList KeysOf(const Collection& list, TextForm form) {
    KeyList keys;
    keys.items.reserve(static_cast<size_t>(list.Count()));
    if (list.ItemClass().InheritsFrom(TStringCollectionItem::StaticClass())) {
        for (int i = 0; i < list.Count(); ++i) {
            const auto& item = static_cast<const TStringCollectionItem&>(list.Item(i));
            keys.items.push_back(StringKey(item.TheString, form));
        }
        return keys;
    }
    ClassKeys k;
    for (int i = 0; i < list.Count(); ++i) {
        const CollectionItem& item = list.Item(i);
        if (&item.Class() != k.cls) k = KeysFor(item.Class());
        keys.items.push_back(ObjectKey(item, k, keys));
    }
    return keys;
}

std::vector<int> PairItems(const std::vector<ItemKey>& before, const std::vector<ItemKey>& after) {
    const size_t n = before.size(), m = after.size();
    std::vector<int> pairs(n, -1);
    size_t head = 0, tail = 0;
    while (head < n && head < m && SameItem(before[head], after[head])) {
        pairs[head] = static_cast<int>(head);
        ++head;
    }
    while (tail < n - head && tail < m - head &&
           SameItem(before[n - 1 - tail], after[m - 1 - tail])) {
        pairs[n - 1 - tail] = static_cast<int>(m - 1 - tail);
        ++tail;
    }
    if (head + tail == n || head + tail == m) return pairs;
    // The middle: first items of the same key and name, then of the same key.
    std::vector<char> used(m, 0);
    for (const bool byName : {true, false}) {
        Index index(after, head, m - tail, byName);
        for (size_t i = head; i < n - tail; ++i) {
            if (pairs[i] < 0) pairs[i] = index.Take(before[i], used);
        }
    }
    return pairs;
}

std::string JoinedNames(const KeyList& keys) {
    std::string text;
    for (const ItemKey& key : keys.items) {
        if (!text.empty()) text += ", ";
        text += key.name;
    }
    return text;
}

bool SameNames(const KeyList& a, const KeyList& b) {
    if (a.items.size() != b.items.size()) return false;
    bool inOrder = true;
    for (size_t i = 0; inOrder && i < a.items.size(); ++i) {
        inOrder = a.items[i].name == b.items[i].name;
    }
    if (inOrder) return true;
    std::vector<std::string_view> na, nb;
    for (const ItemKey& key : a.items) na.push_back(key.name);
    for (const ItemKey& key : b.items) nb.push_back(key.name);
    std::sort(na.begin(), na.end());
    std::sort(nb.begin(), nb.end());
    return na == nb;
}

}  // namespace rb::compare::detail
