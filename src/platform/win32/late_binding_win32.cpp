#include "platform/win32/late_binding_win32.h"

namespace rb::platform::win32 {

Library Library::Present(const char* name) {
    Library library;
    library.handle_ = ::GetModuleHandleA(name);
    return library;
}

Library Library::Load(const char* name) {
    Library library = Present(name);
    if (library) return library;
    {
        const ErrorModeScope quiet(SEM_FAILCRITICALERRORS);
        library.owned_.Reset(::LoadLibraryA(name));
    }
    library.handle_ = library.owned_.Get();
    return library;
}

}  // namespace rb::platform::win32
