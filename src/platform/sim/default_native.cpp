#include "platform/sim/sim_platform.h"

namespace rb::platform {

// The native build has no Windows underneath: it answers as an empty simulated system.
Platform& DefaultPlatform() {
    static SimPlatform empty;
    return empty;
}

}  // namespace rb::platform
