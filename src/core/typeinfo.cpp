#include "core/typeinfo.h"

#include <map>

#include "core/exception.h"
#include "core/persistent.h"
#include "core/text.h"

namespace rb {

const EnumInfo& DescribeEnum(TypeKind) {
    static const char* const names[] = {
        "tkUnknown", "tkInteger", "tkChar", "tkEnumeration", "tkFloat", "tkString",
        "tkSet", "tkClass", "tkMethod", "tkWChar", "tkLString", "tkWString",
        "tkVariant", "tkArray", "tkRecord", "tkInterface", "tkInt64", "tkDynArray",
    };
    static const EnumInfo info{"TTypeKind", names, 18, "TTypeKinds"};
    return info;
}

int64_t OrdMin(OrdType t) {
    switch (t) {
        case OrdType::SByte: return -128;
        case OrdType::SWord: return -32768;
        case OrdType::SLong: return INT32_MIN;
        default: return 0;
    }
}

int64_t OrdMax(OrdType t) {
    switch (t) {
        case OrdType::SByte: return 127;
        case OrdType::UByte: return 255;
        case OrdType::SWord: return 32767;
        case OrdType::UWord: return 65535;
        case OrdType::SLong: return INT32_MAX;
        default: return UINT32_MAX;
    }
}

bool PropInfo::IsOrdinal() const {
    return kind == TypeKind::tkInteger || kind == TypeKind::tkChar ||
           kind == TypeKind::tkEnumeration || kind == TypeKind::tkSet ||
           kind == TypeKind::tkInt64;
}

ClassInfo::ClassInfo(const char* name, const ClassInfo* parent, std::vector<PropInfo> own,
                     Factory factory)
    : name_(name), parent_(parent), factory_(factory) {
    if (parent_) props_ = parent_->props_;
    for (PropInfo& p : own) {
        p.upperName = AnsiUpperCase(p.name);
        p.element = " <" + p.upperName + "></" + p.upperName + ">\r\n";
        if (p.kind == TypeKind::tkClass && !*p.typeName && p.classInfo) {
            p.typeName = p.classInfo()->Name();
        }
        bool redeclared = false;
        for (PropInfo& inherited : props_) {
            if (SameText(inherited.name, p.name)) {
                inherited = p;  // keeps the ancestor's position
                redeclared = true;
                break;
            }
        }
        if (!redeclared) props_.push_back(p);
    }
}

const PropInfo* ClassInfo::FindProperty(std::string_view name) const {
    for (const PropInfo& p : props_) {
        if (SameText(p.name, name)) return &p;
    }
    return nullptr;
}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c; c = c->parent_) {
        if (c == &other) return true;
    }
    return false;
}

std::unique_ptr<Persistent> ClassInfo::Create() const {
    if (!factory_) throw Exception(Format("Cannot create an instance of %s", name_));
    return factory_();
}

namespace {

struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return AnsiCompareText(a, b) < 0;
    }
};

// The registry is filled when the program's units register their classes and only read after.
std::map<std::string, const ClassInfo*, NameLess>& Registry() {
    static std::map<std::string, const ClassInfo*, NameLess> registry;
    return registry;
}

}  // namespace

void RegisterPersistentClass(const ClassInfo& info) { Registry()[info.Name()] = &info; }

const ClassInfo* FindClass(std::string_view name) {
    const auto it = Registry().find(std::string(name));
    return it == Registry().end() ? nullptr : it->second;
}

std::unique_ptr<Persistent> CreateRegistered(std::string_view name) {
    const ClassInfo* info = FindClass(name);
    if (!info) throw Exception(Format("Class %s not found", std::string(name).c_str()));
    return info->Create();
}

}  // namespace rb
