#include "core/persistent.h"

#include <algorithm>

#include "core/exception.h"

namespace rb {

const ClassInfo& Persistent::StaticClass() {
    static const ClassInfo info("TPersistent", nullptr, {});
    return info;
}

const PropInfo& GetPropInfo(const Persistent& obj, std::string_view name) {
    const PropInfo* p = obj.Class().FindProperty(name);
    if (!p) throw Exception("Unknown property: " + std::string(name));
    return *p;
}

namespace {
[[noreturn]] void WrongKind(const PropInfo& p) {
    throw EPropertyConvertError(std::string("Invalid property type: ") + p.typeName);
}
}  // namespace

int64_t GetOrdProp(const Persistent& obj, std::string_view name) {
    const PropInfo& p = GetPropInfo(obj, name);
    if (!p.getOrd) WrongKind(p);
    return p.getOrd(obj);
}

void SetOrdProp(Persistent& obj, std::string_view name, int64_t value) {
    const PropInfo& p = GetPropInfo(obj, name);
    if (!p.setOrd) WrongKind(p);
    p.setOrd(obj, value);
}

std::string GetStrProp(const Persistent& obj, std::string_view name) {
    const PropInfo& p = GetPropInfo(obj, name);
    if (!p.getStr) WrongKind(p);
    return p.getStr(obj);
}

void SetStrProp(Persistent& obj, std::string_view name, const std::string& value) {
    const PropInfo& p = GetPropInfo(obj, name);
    if (!p.setStr) WrongKind(p);
    p.setStr(obj, value);
}

Persistent* GetObjectProp(const Persistent& obj, std::string_view name) {
    const PropInfo& p = GetPropInfo(obj, name);
    if (!p.getObj) WrongKind(p);
    return p.getObj(obj);
}

const ClassInfo& Component::StaticClass() {
    static const ClassInfo info("TComponent", &Persistent::StaticClass(),
                                {Prop<&Component::Name>("Name", "TComponentName"),
                                 Prop<&Component::Tag>("Tag", "Longint")},
                                MakeInstance<Component>);
    return info;
}

Component::Component(Component* owner) : owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
}

Component::~Component() {
    for (Component* c : components_) c->owner_ = nullptr;
    if (owner_) {
        auto& siblings = owner_->components_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

}  // namespace rb
