// Bases of structured remote-call values: structures (TRCComplexType descendants, sent with
// their class name and their published properties) and arrays (sent with their element count
// and then each element).
#pragma once

#include <cstdint>
#include <vector>

#include "remoting/rc_types.h"

namespace rb {

class TRCComplexType : public RCObject {
    RB_RC_CLASS
};

class TRCArray : public TRCComplexType {
    RB_RC_CLASS
public:
    virtual int32_t Count() const = 0;
    virtual void SetCount(int32_t count) = 0;
    virtual const RCTypeInfo& ElementType() const = 0;
    virtual void* ElementAddress(int32_t index) = 0;
    const void* ElementAddress(int32_t index) const {
        return const_cast<TRCArray*>(this)->ElementAddress(index);
    }
};

// An array of one C++ element type (any type TypeInfoOf knows, bool excepted).
template <class T>
class TRCArrayOf : public TRCArray {
    static_assert(!std::is_same_v<T, bool>, "use uint8_t-sized enumerations for flags");

public:
    int32_t Count() const override { return static_cast<int32_t>(items.size()); }
    void SetCount(int32_t count) override { items.resize(count > 0 ? count : 0); }
    const RCTypeInfo& ElementType() const override { return TypeInfoOf<T>(); }
    void* ElementAddress(int32_t index) override { return &items.at(index); }

    std::vector<T> items;
};

}  // namespace rb
