// A simulated Windows for tests: one simulated area of each kind, whose fields the test sets
// (`sim.system.version = SimSystem::Windows98SE()`).
#pragma once

#include "platform/platform.h"
#include "platform/sim/sim_automation.h"
#include "platform/sim/sim_display.h"
#include "platform/sim/sim_mail.h"
#include "platform/sim/sim_multimedia.h"
#include "platform/sim/sim_network.h"
#include "platform/sim/sim_power.h"
#include "platform/sim/sim_printers.h"
#include "platform/sim/sim_processes.h"
#include "platform/sim/sim_processor.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_storage.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_windows_ui.h"

namespace rb::platform {

// A test that needs an area to behave otherwise derives from the area's simulation and
// overrides the platform's accessor for it.
class SimPlatform : public Platform {
public:
    SimRegistry registry;
    SimSystem system;
    SimProcessor processor;
    SimStorage storage;
    SimDisplay display;
    SimNetwork network;
    SimMultimedia multimedia;
    SimPower power;
    SimProcesses processes;
    SimPrinters printers;
    SimServices services;
    SimAutomation automation;
    SimMail mail;
    SimShell shell;
    SimWindows windows;

    Registry& Reg() override { return registry; }
    SystemArea& System() override { return system; }
    ProcessorArea& Processor() override { return processor; }
    StorageArea& Storage() override { return storage; }
    DisplayArea& Display() override { return display; }
    NetworkArea& Network() override { return network; }
    MultimediaArea& Multimedia() override { return multimedia; }
    PowerArea& Power() override { return power; }
    ProcessesArea& Processes() override { return processes; }
    PrintersArea& Printers() override { return printers; }
    ServicesArea& Services() override { return services; }
    AutomationArea& Automation() override { return automation; }
    MailArea& Mail() override { return mail; }
    ShellArea& Shell() override { return shell; }
    WindowsArea& Windows() override { return windows; }
};

}  // namespace rb::platform
