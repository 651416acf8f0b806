// The machine section's published properties and its report; the gathering is in
// si_machine_gather.cpp.
#include "sysinfo/si_machine.h"

#include <cmath>

#include "sysinfo/routines.h"

namespace rb {

const ClassInfo& TMachine::StaticClass() {
    using C = TMachine;
    static const ClassInfo info("TMachine", &TInfoProcess::StaticClass(),
                                {
                                    Prop<&C::Name>("Name"),
                                    Prop<&C::User>("User"),
                                    Prop<&C::SystemUpTime>("SystemUpTime"),
                                    Prop<&C::LastBoot>("LastBoot"),
                                    Prop<&C::BIOSCopyright>("BIOSCopyright"),
                                    Prop<&C::BIOSDate>("BIOSDate"),
                                    Prop<&C::BIOSExtendedInfo>("BIOSExtendedInfo"),
                                    Prop<&C::BIOSName>("BIOSName"),
                                    Prop<&C::CapsLock>("CapsLock"),
                                    Prop<&C::NumLock>("NumLock"),
                                    Prop<&C::ScrollLock>("ScrollLock"),
                                    Prop<&C::Computer>("Computer"),
                                },
                                MakeInstance<TMachine>);
    return info;
}

TMachine::TMachine(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("Computadora");
}

namespace {

// Texts that hold no number (a section never gathered) report as empty rather than failing the
// whole report.
std::string LastBootText(const std::string& neutral) {
    try {
        return NeutralTextToDateTime(neutral);
    } catch (const EConvertError&) {
        return "";
    }
}

std::string UpTimeText(const std::string& neutral) {
    try {
        const double value = NeutralTextToFloat(neutral);
        if (std::isnan(value)) return "";
        // Beyond what 64 bits hold the duration is clamped: rounding it would wrap.
        constexpr double kLimit = 9.2e18;
        const int64_t seconds = value >= kLimit    ? INT64_MAX
                                : value <= -kLimit ? -INT64_MAX
                                                   : static_cast<int64_t>(std::llround(value));
        return FormatSeconds(true, false, false, seconds);
    } catch (const EConvertError&) {
        return "";
    }
}

}  // namespace

void TMachine::Report(StringList& list) {
    list.Add("[Machine]");
    list.Add("Name=" + Name);
    list.Add("User=" + User);
    list.Add("BIOS name=" + BIOSName);
    list.Add("BIOS Copyright=" + BIOSCopyright);
    list.Add("BIOS Date=" + BIOSDate);
    list.Add("BIOS Extended info=" + BIOSExtendedInfo);
    list.Add("Last Boot=" + LastBootText(LastBoot));
    list.Add("System Up Time=" + UpTimeText(SystemUpTime));
    list.Add("Computer=" + Computer);
}

}  // namespace rb
