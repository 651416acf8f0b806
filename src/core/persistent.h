// Persistent objects (classes with published-property tables) and components (persistent
// objects with an owner, a Name and a Tag).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/typeinfo.h"

namespace rb {

// Declares the class-information members of a persistent class; the table itself is defined
// once in the class's .cpp file (ClassName::StaticClass).
#define RB_PERSISTENT_CLASS                                        \
public:                                                            \
    static const ::rb::ClassInfo& StaticClass();                   \
    const ::rb::ClassInfo& Class() const override { return StaticClass(); }

class Persistent {
public:
    Persistent() = default;
    Persistent(const Persistent&) = delete;
    Persistent& operator=(const Persistent&) = delete;
    virtual ~Persistent() = default;

    static const ClassInfo& StaticClass();
    virtual const ClassInfo& Class() const { return StaticClass(); }
    std::string ClassName() const { return Class().Name(); }
    bool InheritsFrom(const ClassInfo& info) const { return Class().InheritsFrom(info); }
};

// Generic access to published properties by name (ignoring case). Each raises
// Exception("Unknown property: <name>") when the class has no such property, and
// EPropertyConvertError when the property's kind does not fit the call.
const PropInfo& GetPropInfo(const Persistent& obj, std::string_view name);
int64_t GetOrdProp(const Persistent& obj, std::string_view name);
void SetOrdProp(Persistent& obj, std::string_view name, int64_t value);
std::string GetStrProp(const Persistent& obj, std::string_view name);
void SetStrProp(Persistent& obj, std::string_view name, const std::string& value);
Persistent* GetObjectProp(const Persistent& obj, std::string_view name);

class Component : public Persistent {
    RB_PERSISTENT_CLASS
public:
    explicit Component(Component* owner = nullptr);
    ~Component() override;

    Component* Owner() const { return owner_; }
    const std::vector<Component*>& Components() const { return components_; }

    std::string Name;
    int32_t Tag = 0;

private:
    Component* owner_ = nullptr;
    std::vector<Component*> components_;  // not owned: C++ ownership stays with the creator
};

}  // namespace rb
