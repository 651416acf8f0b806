// Events: a handler bound to an object (a method pointer); firing an unassigned event does
// nothing.
#pragma once

#include <functional>
#include <utility>

namespace rb {

template <class... Args>
class Event {
public:
    Event() = default;

    template <class C>
    void Assign(C* object, void (C::*method)(Args...)) {
        object_ = object;
        handler_ = [object, method](Args... args) { (object->*method)(args...); };
    }
    // A free handler (a lambda); `object` is what Object() reports.
    void Assign(std::function<void(Args...)> handler, const void* object = nullptr) {
        object_ = object;
        handler_ = std::move(handler);
    }
    void Clear() {
        object_ = nullptr;
        handler_ = nullptr;
    }

    bool Assigned() const { return static_cast<bool>(handler_); }
    const void* Object() const { return object_; }

    void operator()(Args... args) const {
        if (handler_) handler_(args...);
    }

private:
    const void* object_ = nullptr;
    std::function<void(Args...)> handler_;
};

}  // namespace rb
