#include "sysinfo/si_memory.h"

#include <string>

#include "core/text.h"
#include "platform/platform.h"

namespace rb {

// The section's prefix in the error list.
constexpr char kErrorPrefix[] = "TMemory.GetInfo: ";

const ClassInfo& TMemory::StaticClass() {
    using C = TMemory;
    static const ClassInfo info("TMemory", &TInfoProcess::StaticClass(),
                                {
                                    Prop<&C::PhysicalTotal>("PhysicalTotal"),
                                    Prop<&C::PhysicalFree>("PhysicalFree"),
                                    Prop<&C::VirtualTotal>("VirtualTotal"),
                                    Prop<&C::VirtualFree>("VirtualFree"),
                                    Prop<&C::PageFileTotal>("PageFileTotal"),
                                    Prop<&C::PageFileFree>("PageFileFree"),
                                    Prop<&C::MemoryLoad>("MemoryLoad"),
                                    Prop<&C::AllocGranularity>("AllocGranularity"),
                                    Prop<&C::MaxAppAddress>("MaxAppAddress"),
                                    Prop<&C::MinAppAddress>("MinAppAddress"),
                                    Prop<&C::PageSize>("PageSize"),
                                    Prop<&C::Win9x_SystemRes>("Win9x_SystemRes"),
                                    Prop<&C::Win9x_GDIRes>("Win9x_GDIRes"),
                                    Prop<&C::Win9x_UserRes>("Win9x_UserRes"),
                                },
                                MakeInstance<TMemory>);
    return info;
}

TMemory::TMemory(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("Memoria");
}

void TMemory::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        platform::SystemArea& system = platform::Current().System();
        // The basic status cannot count beyond 4 GB (and some systems misreport above 2 GB);
        // the extended one, where the system has it, gives the true figures.
        const auto extended = system.GlobalMemoryEx();
        const platform::MemoryStatus status = extended ? *extended : system.GlobalMemory();
        MemoryLoad = status.memoryLoad;
        PhysicalTotal = static_cast<int64_t>(status.totalPhys);
        PhysicalFree = static_cast<int64_t>(status.availPhys);
        VirtualTotal = static_cast<int64_t>(status.totalVirtual);
        VirtualFree = static_cast<int64_t>(status.availVirtual);
        PageFileTotal = static_cast<int64_t>(status.totalPageFile);
        PageFileFree = static_cast<int64_t>(status.availPageFile);
        if (MemoryLoad == 0 && PhysicalTotal != 0) {
            MemoryLoad = 100 - PhysicalFree * 100 / PhysicalTotal;
        }
        const platform::AddressSpaceInfo space = system.AddressSpace();
        AllocGranularity = space.allocationGranularity;
        MaxAppAddress = space.maximumApplicationAddress;
        MinAppAddress = space.minimumApplicationAddress;
        PageSize = space.pageSize;
        Win9x_SystemRes = 0;
        Win9x_GDIRes = 0;
        Win9x_UserRes = 0;
    });
}

namespace {

// The integer with the user's thousands separator (the float format "0,##").
std::string Thousands(int64_t value, char separator) {
    // The magnitude as unsigned: negating the smallest value would overflow.
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : uint64_t(value);
    const std::string digits = std::to_string(magnitude);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

}  // namespace

// Addresses in upper-case hexadecimal, like every hexadecimal text of the program.
void TMemory::Report(StringList& list) {
    const char sep = platform::Current().System().Locale().thousandSeparator;
    list.Add("[Memory]");
    list.Add("PhysMemTotal=" + Thousands(PhysicalTotal, sep));
    list.Add("PhysMemFree=" + Thousands(PhysicalFree, sep));
    list.Add("PageFileTotal=" + Thousands(PageFileTotal, sep));
    list.Add("PageFileFree=" + Thousands(PageFileFree, sep));
    list.Add("VirtMemTotal=" + Thousands(VirtualTotal, sep));
    list.Add("VirtMemFree=" + Thousands(VirtualFree, sep));
    list.Add("AllocGranularity=" + Thousands(AllocGranularity, sep));
    list.Add(Format("MinAppAddress=%llX", static_cast<unsigned long long>(MinAppAddress)));
    list.Add(Format("MaxAppAddress=%llX", static_cast<unsigned long long>(MaxAppAddress)));
    list.Add("PageSize=" + Thousands(PageSize, sep));
}

}  // namespace rb
