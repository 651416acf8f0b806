// A library loaded at run time and its entry points looked up by name, each handed out with its
// own signature, so that systems without the library (or the entry) are unaffected. Only the
// Windows side uses it; the untyped address never leaves this file.
#pragma once

#include <windows.h>

#include "platform/win32/handles_win32.h"

namespace rb::platform::win32 {

class LateLibrary {
public:
    explicit LateLibrary(const char* name) : module_(::LoadLibraryA(name)) {}

    explicit operator bool() const { return module_.Valid(); }

    // nullptr when the library or the entry point is missing.
    template <typename Fn>
    Fn Entry(const char* name) const {
        if (!module_) return nullptr;
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module_.Get(), name)));
    }

private:
    ModuleHandle module_;
};

}  // namespace rb::platform::win32
