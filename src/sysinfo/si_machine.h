// What identifies the computer as a whole: names, start time and uptime, BIOS texts, the lock
// keys and the computer type. Times are locale-neutral number texts so that a package reads
// back the same on any computer.
#pragma once

#include <string>

#include "sysinfo/section_base.h"

namespace rb {

class TMachine : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TMachine(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    // Published, in this order.
    std::string Name;
    std::string User;
    std::string SystemUpTime;  // seconds, with fractions
    std::string LastBoot;      // date-time number (days since 30 December 1899)
    std::string BIOSCopyright;
    std::string BIOSDate;
    std::string BIOSExtendedInfo;  // Windows 95/98/ME only
    std::string BIOSName;
    bool CapsLock = false;
    bool NumLock = false;
    bool ScrollLock = false;
    std::string Computer;  // first driver description of the device class "Computer"

private:
    void Gather();
};

}  // namespace rb
