// Late binding: libraries and entry points that a static import would make the program fail to
// start on a system lacking them (psapi on Windows 95/98/ME, tool help on NT 4,
// GlobalMemoryStatusEx before Windows 2000, a mail client's library, ...). The one place where
// an entry point's address is handed out, and only as a typed function pointer.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

#include "platform/win32/handles_win32.h"

namespace rb::platform::win32 {

// A library found in the process, or loaded by this object (and then freed with it).
// Move-only.
class Library {
public:
    Library() = default;
    Library(Library&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)), owned_(std::move(other.owned_)) {}
    Library& operator=(Library&& other) noexcept {
        if (this != &other) {
            owned_ = std::move(other.owned_);
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    // Only a library already in the process (GetModuleHandle).
    static Library Present(const char* name);
    // The library in the process, or else loaded (LoadLibrary, critical-error boxes off).
    static Library Load(const char* name);

    HMODULE Handle() const { return handle_; }
    bool Owned() const { return owned_.Valid(); }
    explicit operator bool() const { return handle_ != nullptr; }

    // The entry point as the given function-pointer type; nullptr when the library has none.
    template <typename Fn>
    Fn Entry(const char* name) const {
        static_assert(std::is_pointer_v<Fn> && std::is_function_v<std::remove_pointer_t<Fn>>,
                      "entry points are asked as function-pointer types");
        if (!handle_) return nullptr;
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(handle_, name)));
    }

private:
    HMODULE handle_ = nullptr;
    ModuleHandle owned_;
};

// One entry point of a system library that is always in the process (kernel32, ...), or
// nullptr where this system lacks it.
template <typename Fn>
Fn SystemEntry(const char* library, const char* name) {
    return Library::Present(library).Entry<Fn>(name);
}

}  // namespace rb::platform::win32
