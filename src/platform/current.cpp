#include "platform/platform.h"

namespace rb::platform {
namespace {

struct State {
    Platform* installed = nullptr;
    uint64_t generation = 1;
};

// The one process-wide platform selection (the real system, or a test's simulation).
State& TheState() {
    static State state;
    return state;
}

}  // namespace

Platform& Current() {
    State& s = TheState();
    return s.installed ? *s.installed : DefaultPlatform();
}

uint64_t Generation() { return TheState().generation; }

ScopedPlatform::ScopedPlatform(Platform& p) : previous_(TheState().installed) {
    TheState().installed = &p;
    ++TheState().generation;
}

ScopedPlatform::~ScopedPlatform() {
    TheState().installed = previous_;
    ++TheState().generation;
}

}  // namespace rb::platform
