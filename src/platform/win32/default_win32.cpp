#include "platform/win32/platform_win32.h"

namespace rb::platform {

// The Windows build answers from the running system.
Platform& DefaultPlatform() {
    static Win32Platform system;
    return system;
}

}  // namespace rb::platform
