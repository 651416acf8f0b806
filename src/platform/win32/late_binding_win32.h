// Entry points looked up at run time, for libraries and calls that one Windows family lacks
// (psapi before NT 4, tool help on NT 4, IsWow64Process before XP SP2, QueryFullProcessImageNameA
// before Vista). The untyped address never leaves this file: callers name the signature.
#pragma once

#include <windows.h>

#include "platform/win32/handles_win32.h"

namespace rb::platform::win32 {

// A library the program uses at run time: one already in the process is only borrowed, one it
// had to load is freed with this object.
class LateLibrary {
public:
    LateLibrary() = default;
    // GetModuleHandleA first; LoadLibraryA only when `load` and the library is not there yet.
    LateLibrary(const char* name, bool load) {
        module_ = ::GetModuleHandleA(name);
        if (!module_ && load) {
            const ErrorModeScope quiet(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
            owned_.Reset(::LoadLibraryA(name));
            module_ = owned_.Get();
        }
    }

    explicit operator bool() const { return module_ != nullptr; }
    HMODULE Handle() const { return module_; }

    // The entry point as a pointer of type `Fn` (a function type with its calling convention);
    // nullptr when the library or the entry point is missing.
    template <typename Fn>
    Fn* Entry(const char* name) const {
        if (!module_) return nullptr;
        const FARPROC address = ::GetProcAddress(module_, name);
        // Through a generic function pointer, the documented way between function types.
        return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(address));
    }

private:
    HMODULE module_ = nullptr;
    ModuleHandle owned_;
};

}  // namespace rb::platform::win32
