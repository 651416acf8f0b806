#include "remoting/rc_types.h"

#include <cmath>

#include "core/text.h"
#include "remoting/rc_complex.h"

namespace rb {

Currency Currency::FromDouble(double value) {
    return Currency{static_cast<int64_t>(std::llround(value * 10000.0))};
}

RCClassInfo::RCClassInfo(const char* name, const RCClassInfo* parent, std::vector<RCPropInfo> own,
                         Factory factory)
    : name_(name), parent_(parent), factory_(factory) {
    if (parent_) props_ = parent_->Properties();
    props_.insert(props_.end(), own.begin(), own.end());
}

bool RCClassInfo::InheritsFrom(const RCClassInfo& other) const {
    for (const RCClassInfo* c = this; c; c = c->parent_) {
        if (c == &other) return true;
    }
    return false;
}

std::unique_ptr<RCObject> RCClassInfo::Create() const {
    return factory_ ? factory_() : nullptr;
}

namespace {

std::vector<const RCClassInfo*>& Registry() {
    static std::vector<const RCClassInfo*> classes;
    return classes;
}

}  // namespace

void RegisterRCClass(const RCClassInfo& info) {
    for (const RCClassInfo* c : Registry()) {
        if (c == &info) return;
    }
    Registry().push_back(&info);
}

const RCClassInfo* FindRCClass(std::string_view name) {
    for (const RCClassInfo* c : Registry()) {
        if (SameText(c->Name(), name)) return c;
    }
    return nullptr;
}

const RCTypeInfo& BooleanTypeInfo() {
    static const RCTypeInfo info{TypeKind::tkEnumeration, "Boolean", OrdType::UByte};
    return info;
}

// Recognised by its identity: a date-time is a Double for every other purpose.
const RCTypeInfo& DateTimeTypeInfo() {
    static const RCTypeInfo info{TypeKind::tkFloat, "TDateTime", OrdType::SLong, FloatType::Double};
    return info;
}

namespace detail {

RCTypeInfo MakeIntegerType(OrdType ord, const char* name) {
    RCTypeInfo t{TypeKind::tkInteger, name};
    t.ord = ord;
    return t;
}

RCTypeInfo MakeFloatType(FloatType type, const char* name) {
    RCTypeInfo t{TypeKind::tkFloat, name};
    t.floatType = type;
    return t;
}

}  // namespace detail

const RCClassInfo& RCObject::StaticClass() {
    static const RCClassInfo info("TObject", nullptr, {});
    return info;
}

const RCClassInfo& TRCComplexType::StaticClass() {
    static const RCClassInfo info("TRCComplexType", &RCObject::StaticClass(), {});
    return info;
}

const RCClassInfo& TRCArray::StaticClass() {
    static const RCClassInfo info("TRCArray", &TRCComplexType::StaticClass(), {});
    return info;
}

}  // namespace rb
