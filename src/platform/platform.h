// The platform layer: every question the program asks Windows goes through here, one area at a
// time (`Current().Storage().DriveKind(root)`). Each area is a narrow interface answering in
// plain records; the real implementations (platform/win32) call Windows, the simulated ones
// (platform/sim) answer from data that tests fill, for either Windows family.
#pragma once

#include <cstdint>

#include "platform/automation.h"
#include "platform/display.h"
#include "platform/mail.h"
#include "platform/multimedia.h"
#include "platform/network.h"
#include "platform/power.h"
#include "platform/printers.h"
#include "platform/processes.h"
#include "platform/processor.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/storage.h"
#include "platform/system.h"
#include "platform/windows_ui.h"

namespace rb::platform {

// Hands out the areas; each lives as long as the platform.
class Platform {
public:
    virtual ~Platform() = default;

    virtual Registry& Reg() = 0;
    virtual SystemArea& System() = 0;
    virtual ProcessorArea& Processor() = 0;
    virtual StorageArea& Storage() = 0;
    virtual DisplayArea& Display() = 0;
    virtual NetworkArea& Network() = 0;
    virtual MultimediaArea& Multimedia() = 0;
    virtual PowerArea& Power() = 0;
    virtual ProcessesArea& Processes() = 0;
    virtual PrintersArea& Printers() = 0;
    virtual ServicesArea& Services() = 0;
    virtual AutomationArea& Automation() = 0;
    virtual MailArea& Mail() = 0;
    virtual ShellArea& Shell() = 0;
    virtual WindowsArea& Windows() = 0;
};

// The platform the program runs on: the real one in the Windows build, an empty simulation in
// the native build, or whatever a ScopedPlatform installed.
Platform& Current();

// Installs a platform for the lifetime of this object (tests); nests.
class ScopedPlatform {
public:
    explicit ScopedPlatform(Platform& p);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform* previous_;
};

// Changes each time the current platform changes, so values computed once from it at start-up
// can tell they are stale.
uint64_t Generation();

// Defined once per build: the real Windows platform, or the native build's empty simulation.
Platform& DefaultPlatform();

}  // namespace rb::platform
