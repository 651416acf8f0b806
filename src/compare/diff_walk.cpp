// The generic walk of two inventories over their published-property tables.
#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "compare/diff.h"
#include "compare/diff_match.h"
#include "compare/diff_tables.h"
#include "core/collection.h"
#include "core/property_text.h"
#include "core/text.h"

namespace rb::compare {
namespace {

using tables::Rule;
using tables::TextForm;
using tables::VolatileRow;

enum class Treat : uint8_t { Scalar, Object, List };

// How one property of a class is compared, worked out once per class and walk.
struct PropPlan {
    const PropInfo* prop = nullptr;
    Treat treat = Treat::Scalar;
    bool never = false;
    bool always = false;                     // left out unless volatile values are asked for
    std::vector<const VolatileRow*> rules;  // the Margin and When rows
};

struct ClassPlan {
    std::vector<PropPlan> props;
    bool isCollection = false;
};

// Where the values compared lie: the section, the list and item they belong to (while
// inside an item: the later list's keys and the item's place there, its name looked up only
// for a change), and the path of the nested objects above them ("TimeZone.").
struct Where {
    std::string_view section;
    std::string_view list;
    detail::ListKeys* keys = nullptr;
    int index = -1;
    std::string prefix;
    bool inItem = false;
};

std::string_view ItemName(const Where& w) {
    return w.keys ? w.keys->Key(w.index).name : std::string_view();
}

int64_t OrdOf(const Persistent& obj, const char* name) {
    const PropInfo* p = obj.Class().FindProperty(name);
    return p && p->getOrd ? p->getOrd(obj) : 0;
}

bool WithinMargin(const VolatileRow& row, const Persistent& a, const Persistent& b,
                  const PropInfo& prop) {
    if (!prop.getOrd) return false;
    const int64_t va = prop.getOrd(a), vb = prop.getOrd(b);
    const int64_t reference =
        *row.reference ? OrdOf(b, row.reference) : std::max(std::llabs(va), std::llabs(vb));
    const double moved = static_cast<double>(va > vb ? va - vb : vb - va);
    return moved * 100.0 <= static_cast<double>(row.percent) * static_cast<double>(reference);
}

class Walker {
public:
    Walker(const DiffOptions& options, std::vector<Change>& out) : options_(options), out_(out) {}

    void Section(std::string_view name, const Persistent& before, const Persistent& after) {
        Where where;
        where.section = name;
        Object(where, before, after);
    }

private:
    const ClassPlan& Plan(const ClassInfo& cls);
    void Object(const Where& w, const Persistent& a, const Persistent& b);
    void Nested(const Where& w, const PropPlan& p, const Persistent& oa, const Persistent& ob);
    bool LeftOut(const PropPlan& p, const Persistent& a, const Persistent& b) const;
    bool SameScalar(const PropInfo& pa, const Persistent& a, const PropInfo& pb,
                    const Persistent& b);
    void Items(const Where& w, const Collection& a, const Collection& b);
    void JoinedList(const Where& w, const PropInfo& prop, const Collection& a,
                    const Collection& b);
    void Emit(ChangeKind kind, std::string_view list, std::string_view item, const Where& w,
              std::string property, std::string oldValue, std::string newValue);

    const DiffOptions& options_;
    std::vector<Change>& out_;
    std::unordered_map<const ClassInfo*, ClassPlan> plans_;
    std::string scratchA_, scratchB_;
};

const ClassPlan& Walker::Plan(const ClassInfo& cls) {
    const auto found = plans_.find(&cls);
    if (found != plans_.end()) return found->second;
    ClassPlan plan;
    plan.isCollection = cls.InheritsFrom(Collection::StaticClass());
    for (const PropInfo& prop : cls.Properties()) {
        PropPlan p;
        p.prop = &prop;
        if (prop.kind == TypeKind::tkClass) {
            const ClassInfo* held = prop.classInfo ? prop.classInfo() : nullptr;
            const bool list = held && held->InheritsFrom(Collection::StaticClass());
            p.treat = list ? Treat::List : Treat::Object;
        }
        for (const VolatileRow& row : tables::Volatiles()) {
            if (!SameText(row.property, prop.name)) continue;
            if (!tables::IsClassOrDerived(cls, row.itemClass)) continue;
            if (row.rule == Rule::Never) p.never = true;
            if (row.rule == Rule::Always) p.always = true;
            if (row.rule == Rule::Margin || row.rule == Rule::When) p.rules.push_back(&row);
        }
        plan.props.push_back(std::move(p));
    }
    return plans_.emplace(&cls, std::move(plan)).first->second;
}

bool Walker::LeftOut(const PropPlan& p, const Persistent& a, const Persistent& b) const {
    if (options_.includeVolatile) return false;
    if (p.always) return true;
    for (const VolatileRow* row : p.rules) {
        if (row->rule == Rule::When && (row->applies(a) || row->applies(b))) return true;
        if (row->rule == Rule::Margin && WithinMargin(*row, a, b, *p.prop)) return true;
    }
    return false;
}

bool Walker::SameScalar(const PropInfo& pa, const Persistent& a, const PropInfo& pb,
                        const Persistent& b) {
    if (&pa == &pb && pa.strField) return *pa.strField(a) == *pa.strField(b);
    if (&pa == &pb && pa.getOrd) return pa.getOrd(a) == pa.getOrd(b);
    return PropertyValueView(a, pa, scratchA_) == PropertyValueView(b, pb, scratchB_);
}

void Walker::Object(const Where& w, const Persistent& a, const Persistent& b) {
    const ClassPlan& plan = Plan(a.Class());
    const bool sameClass = &a.Class() == &b.Class();
    for (const PropPlan& p : plan.props) {
        if (p.never) continue;
        const PropInfo* pb = sameClass ? p.prop : b.Class().FindProperty(p.prop->name);
        if (!pb || pb->kind != p.prop->kind) continue;  // an item of another class lacks it
        if (p.treat != Treat::Scalar) {
            if (p.always && !options_.includeVolatile) continue;
            const Persistent* oa = p.prop->getObj ? p.prop->getObj(a) : nullptr;
            const Persistent* ob = pb->getObj ? pb->getObj(b) : nullptr;
            if (oa && ob) Nested(w, p, *oa, *ob);
            continue;
        }
        if (SameScalar(*p.prop, a, *pb, b) || LeftOut(p, a, b)) continue;
        Emit(ChangeKind::Changed, w.inItem ? w.list : "", w.inItem ? ItemName(w) : "", w,
             w.prefix + p.prop->name, PropertyValueText(a, *p.prop), PropertyValueText(b, *pb));
    }
    if (plan.isCollection && !w.inItem) {
        Items(w, static_cast<const Collection&>(a), static_cast<const Collection&>(b));
    }
}

// An object held by a property: its properties one level down; a list inside an item is one
// value, a list of the section's a list of items.
void Walker::Nested(const Where& w, const PropPlan& p, const Persistent& oa,
                    const Persistent& ob) {
    if (p.treat == Treat::List && w.inItem) {
        JoinedList(w, *p.prop, static_cast<const Collection&>(oa),
                   static_cast<const Collection&>(ob));
        return;
    }
    Where inner = w;
    inner.prefix = w.prefix + p.prop->name;
    if (p.treat == Treat::Object) {
        inner.prefix += '.';
        Object(inner, oa, ob);
        return;
    }
    const std::string list = inner.prefix;
    inner.list = list;
    inner.prefix += '.';
    Object(inner, oa, ob);
}

void Walker::Items(const Where& w, const Collection& a, const Collection& b) {
    const tables::ListRow* row = tables::FindList(w.section, w.list);
    const TextForm form = row ? row->form : TextForm::Whole;
    detail::ListKeys ka(a, form), kb(b, form);
    const std::vector<int> pairs = detail::PairItems(ka, kb);
    std::vector<char> matched(static_cast<size_t>(kb.Count()), 0);
    for (int i = 0; i < ka.Count(); ++i) {
        const int j = pairs[static_cast<size_t>(i)];
        if (j < 0) {
            const std::string_view name = ka.Key(i).name;
            Emit(ChangeKind::Removed, w.list, name, w, "", std::string(name), "");
            continue;
        }
        matched[static_cast<size_t>(j)] = 1;
        if (!ka.Strings()) {
            Where inner;
            inner.section = w.section;
            inner.list = w.list;
            inner.keys = &kb;
            inner.index = j;
            inner.inItem = true;
            Object(inner, a.Item(i), b.Item(j));
            continue;
        }
        if (form == TextForm::Whole || ka.Text(i) == kb.Text(j)) continue;
        const detail::ItemKey before = ka.Key(i), after = kb.Key(j);
        if (before.value == after.value) continue;
        Emit(ChangeKind::Changed, w.list, after.parts[0].text, w,
             form == TextForm::Program ? "Version" : "", std::string(before.value),
             std::string(after.value));
    }
    for (int j = 0; j < kb.Count(); ++j) {
        if (matched[static_cast<size_t>(j)]) continue;
        const std::string_view name = kb.Key(j).name;
        Emit(ChangeKind::Added, w.list, name, w, "", "", std::string(name));
    }
}

void Walker::JoinedList(const Where& w, const PropInfo& prop, const Collection& a,
                        const Collection& b) {
    detail::ListKeys ka(a, TextForm::Whole), kb(b, TextForm::Whole);
    if (detail::SameNames(ka, kb)) return;
    Emit(ChangeKind::Changed, w.list, ItemName(w), w, w.prefix + prop.name,
         detail::JoinedNames(ka), detail::JoinedNames(kb));
}

void Walker::Emit(ChangeKind kind, std::string_view list, std::string_view item, const Where& w,
                  std::string property, std::string oldValue, std::string newValue) {
    Change c;
    c.kind = kind;
    c.section = std::string(w.section);
    c.list = std::string(list);
    c.item = std::string(item);
    c.property = std::move(property);
    c.oldValue = std::move(oldValue);
    c.newValue = std::move(newValue);
    out_.push_back(std::move(c));
}

bool Gathered(const TMSystemInfo& info, int page) {
    return page < 0 || info.ProcessList.Contains(static_cast<TProcessPage>(page));
}

}  // namespace

const char* ChangeKindName(ChangeKind kind) {
    switch (kind) {
        case ChangeKind::Added: return "added";
        case ChangeKind::Removed: return "removed";
        default: return "changed";
    }
}

bool operator==(const Change& a, const Change& b) {
    return a.kind == b.kind && a.section == b.section && a.list == b.list && a.item == b.item &&
           a.property == b.property && a.oldValue == b.oldValue && a.newValue == b.newValue;
}

Difference DiffInventories(const TMSystemInfo& before, const TMSystemInfo& after,
                           const DiffOptions& options) {
    Difference result;
    Walker walker(options, result.changes);
    // The aggregate's own properties say how the document was made (ProcessList) or belong
    // to the component (Name, Tag): only its sections are compared.
    for (const PropInfo& prop : TMSystemInfo::StaticClass().Properties()) {
        if (prop.kind != TypeKind::tkClass || !prop.getObj) continue;
        const tables::SectionRow* row = tables::FindSection(prop.name);
        if (row && row->volatileSection && !options.includeVolatile) continue;
        if (row && (!Gathered(before, row->page) || !Gathered(after, row->page))) {
            result.skippedSections.emplace_back(prop.name);
            continue;
        }
        const Persistent* a = prop.getObj(before);
        const Persistent* b = prop.getObj(after);
        if (a && b) walker.Section(prop.name, *a, *b);
    }
    return result;
}

}  // namespace rb::compare
