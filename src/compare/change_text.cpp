#include "compare/change_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "compare/diff_tables.h"
#include "core/cp1252.h"
#include "core/text.h"

namespace rb::compare {
namespace {

// Enumeration values a line shows in Spanish.
struct SpanishValue {
    const char* value;
    const char* text;
};

const SpanishValue kSpanishValues[] = {
    {"stBoot", "Arranque"},
    {"stSystem", "Sistema"},
    {"stAuto", "Automático"},
    {"stManual", "Manual"},
    {"stDisabled", "Deshabilitado"},
    {"csStopped", "Detenido"},
    {"csStartPending", "Iniciándose"},
    {"csStopPending", "Deteniéndose"},
    {"csRunning", "En ejecución"},
    {"csContinuePending", "Reanudándose"},
    {"csPausePending", "Pausándose"},
    {"csPaused", "En pausa"},
    {"True", "Sí"},
    {"False", "No"},
};

// Values of a section the summary names instead of counting them.
struct HeadlineRow {
    const char* section;
    const char* property;
    const char* label;
    bool gigabytes;  // a number of bytes, shown in GB
};

const HeadlineRow kHeadlines[] = {
    {"Machine", "Name", "nombre", false},
    {"OS", "SOName", "sistema", false},
    {"CPU", "VendorID", "procesador", false},
    {"Memory", "PhysicalTotal", "memoria", true},
};

constexpr tables::Noun kDefaultNoun{"elemento", "elementos", false};
const char kUtf8Arrow[] = "\xE2\x86\x92";  // U+2192, written in UTF-8 bytes

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    }
    return line;
}

std::string Shown(std::string_view value) {
    if (value.empty()) return "\"\"";
    for (const SpanishValue& row : kSpanishValues) {
        if (value == row.value) return row.text;
    }
    return OneLine(value);
}

std::string Quoted(std::string_view text) {
    return "\"" + OneLine(text) + "\"";
}

std::string Head(const Change& c) {
    std::string head = SectionCaption(c.section) + ":";
    const tables::ListRow* row = tables::FindList(c.section, c.list);
    if (!c.list.empty() && (!row || row->named)) head += " " + c.list;
    return head;
}

// A number of bytes in GB with at most one decimal: "0,5", "16".
std::string Gigabytes(std::string_view bytes) {
    const std::optional<int64_t> value = TryStrToInt64(bytes);
    if (!value || *value < 0) return Shown(bytes);
    const auto tenths = static_cast<int64_t>(std::llround(static_cast<double>(*value) * 10.0 /
                                                          (1024.0 * 1024.0 * 1024.0)));
    std::string text = IntToStr(tenths / 10);
    if (tenths % 10 != 0) text += "," + IntToStr(std::llabs(tenths % 10));
    return text;
}

// One piece of the summary: a plain text, or a headline "label from -> to".
struct Phrase {
    std::string text;
    bool headline = false;
    std::string from, to;
};

Phrase Plain(std::string text) {
    Phrase p;
    p.text = std::move(text);
    return p;
}

Phrase Headline(std::string label, std::string from, std::string to) {
    Phrase p = Plain(std::move(label));
    p.headline = true;
    p.from = std::move(from);
    p.to = std::move(to);
    return p;
}

struct ListCount {
    std::string_view list;
    int added = 0, removed = 0, changed = 0;
    std::string_view lastChanged;
};

const HeadlineRow* FindHeadline(const Change& c) {
    for (const HeadlineRow& row : kHeadlines) {
        if (c.section == row.section && c.property == row.property) return &row;
    }
    return nullptr;
}

tables::Noun NounOf(std::string_view section, std::string_view list) {
    const tables::SectionRow* s = tables::FindSection(section);
    const tables::ListRow* l = tables::FindList(section, list);
    if (list.empty() && s && *s->noun.singular) return s->noun;
    return l ? l->noun : kDefaultNoun;
}

std::string Counted(int count, const tables::Noun& noun) {
    return IntToStr(count) + " " + (count == 1 ? noun.singular : noun.plural);
}

void AddCounts(std::string_view section, const ListCount& lc, std::vector<Phrase>& parts) {
    const tables::Noun noun = NounOf(section, lc.list);
    if (lc.added) parts.push_back(Plain("+" + Counted(lc.added, noun)));
    if (lc.removed) parts.push_back(Plain("-" + Counted(lc.removed, noun)));
    if (lc.changed) {
        const char* ending = noun.feminine ? (lc.changed == 1 ? "a" : "as")
                                           : (lc.changed == 1 ? "o" : "os");
        parts.push_back(Plain(Counted(lc.changed, noun) + " cambiad" + ending));
    }
}

// The parts of one section's run of changes [first, last).
void AddSection(const std::vector<Change>& changes, size_t first, size_t last,
                std::vector<Phrase>& parts) {
    const std::string& section = changes[first].section;
    std::vector<ListCount> lists;
    std::vector<Phrase> headlines;
    std::vector<std::string_view> others;
    for (size_t k = first; k < last; ++k) {
        const Change& c = changes[k];
        if (c.list.empty() && c.item.empty()) {
            if (const HeadlineRow* h = FindHeadline(c)) {
                const auto value = h->gigabytes ? Gigabytes : Shown;
                headlines.push_back(Headline(h->label, value(c.oldValue),
                                             value(c.newValue) + (h->gigabytes ? " GB" : "")));
            } else if (std::find(others.begin(), others.end(), c.property) == others.end()) {
                others.push_back(c.property);
            }
            continue;
        }
        auto lc = std::find_if(lists.begin(), lists.end(),
                               [&](const ListCount& l) { return l.list == c.list; });
        if (lc == lists.end()) {
            lc = lists.insert(lists.end(), ListCount());
            lc->list = c.list;
        }
        if (c.kind == ChangeKind::Added) ++lc->added;
        if (c.kind == ChangeKind::Removed) ++lc->removed;
        if (c.kind == ChangeKind::Changed && (lc->changed == 0 || lc->lastChanged != c.item)) {
            ++lc->changed;
            lc->lastChanged = c.item;
        }
    }
    for (const ListCount& lc : lists) AddCounts(section, lc, parts);
    parts.insert(parts.end(), headlines.begin(), headlines.end());
    if (!others.empty()) {
        const int n = static_cast<int>(others.size());
        parts.push_back(Plain(IntToStr(n) + (n == 1 ? " cambio en " : " cambios en ") +
                              SectionCaption(section)));
    }
}

std::string Render(const std::vector<Change>& changes, bool utf8) {
    std::vector<Phrase> parts;
    for (size_t first = 0; first < changes.size();) {
        size_t last = first + 1;
        while (last < changes.size() && changes[last].section == changes[first].section) ++last;
        AddSection(changes, first, last, parts);
        first = last;
    }
    const auto text = [utf8](const std::string& s) { return utf8 ? Cp1252ToUtf8(s) : s; };
    if (parts.empty()) return text("sin cambios");
    std::string out;
    for (const Phrase& p : parts) {
        if (!out.empty()) out += ", ";
        out += text(p.text);
        if (p.headline) {
            out += " " + text(p.from) + " " + (utf8 ? kUtf8Arrow : "->") + " " + text(p.to);
        }
    }
    return out;
}

}  // namespace

std::string SectionCaption(std::string_view section) {
    const tables::SectionRow* row = tables::FindSection(section);
    return row ? row->caption : std::string(section);
}

std::string ChangeLine(const Change& c) {
    std::string line = Head(c);
    switch (c.kind) {
        case ChangeKind::Added: return line + " + " + Quoted(c.item);
        case ChangeKind::Removed: return line + " - " + Quoted(c.item);
        case ChangeKind::Changed: break;
    }
    if (!c.item.empty()) line += " " + Quoted(c.item);
    if (!c.property.empty()) line += " " + c.property;
    return line + ": " + Shown(c.oldValue) + " -> " + Shown(c.newValue);
}

std::string ChangeSummary(const std::vector<Change>& changes) {
    return Render(changes, false);
}

std::string ChangeSummaryUtf8(const std::vector<Change>& changes) {
    return Render(changes, true);
}

}  // namespace rb::compare
