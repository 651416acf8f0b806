// Pairing the items of two lists: the runs of the same items at both ends in place, the rest
// through an index of their keys.
#include <algorithm>
#include <functional>
#include <utility>

#include "compare/diff_match.h"

namespace rb::compare::detail {
namespace {

size_t HashOf(const ItemKey& key) {
    const std::hash<std::string_view> text;
    const std::hash<int64_t> number;
    size_t h = text(key.parts[0].text);
    h = h * 31 + text(key.parts[1].text);
    h = h * 31 + number(key.parts[0].number);
    return h * 31 + number(key.parts[1].number);
}

// Items of the later list sorted by the hash of their key (and name), with links past the
// items already paired, so that a long run of equal items is passed at once.
class Index {
public:
    Index(const std::vector<ItemKey>& items, bool byName) : items_(items), byName_(byName) {
        for (size_t j = 0; j < items.size(); ++j) entries_.emplace_back(Hash(items[j]), j);
        std::sort(entries_.begin(), entries_.end());
        for (size_t p = 0; p < entries_.size(); ++p) skip_.push_back(p + 1);
    }

    // The position among `items` of an unpaired item that matches `key`, now paired; -1 when
    // there is none.
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
    std::vector<std::pair<size_t, size_t>> entries_;  // hash, position among items_
    std::vector<size_t> skip_;
};

std::vector<ItemKey> KeysOf(ListKeys& list, size_t first, size_t last) {
    std::vector<ItemKey> keys;
    keys.reserve(last - first);
    for (size_t i = first; i < last; ++i) keys.push_back(list.Key(static_cast<int>(i)));
    return keys;
}

}  // namespace

std::vector<int> PairItems(ListKeys& before, ListKeys& after) {
    const size_t n = static_cast<size_t>(before.Count()), m = static_cast<size_t>(after.Count());
    std::vector<int> pairs(n, -1);
    size_t head = 0, tail = 0;
    while (head < n && head < m &&
           before.SameItem(static_cast<int>(head), after, static_cast<int>(head))) {
        pairs[head] = static_cast<int>(head);
        ++head;
    }
    while (tail < n - head && tail < m - head &&
           before.SameItem(static_cast<int>(n - 1 - tail), after, static_cast<int>(m - 1 - tail))) {
        pairs[n - 1 - tail] = static_cast<int>(m - 1 - tail);
        ++tail;
    }
    if (head + tail == n || head + tail == m) return pairs;
    // The middle: first items of the same key and name, then of the same key.
    const std::vector<ItemKey> earlier = KeysOf(before, head, n - tail);
    const std::vector<ItemKey> later = KeysOf(after, head, m - tail);
    std::vector<char> used(later.size(), 0);
    for (const bool byName : {true, false}) {
        Index index(later, byName);
        for (size_t i = 0; i < earlier.size(); ++i) {
            if (pairs[head + i] >= 0) continue;
            const int j = index.Take(earlier[i], used);
            if (j >= 0) pairs[head + i] = static_cast<int>(head) + j;
        }
    }
    return pairs;
}

}  // namespace rb::compare::detail
