// Gathering of the machine section: names, the BIOS texts (the BIOS area on Windows 95/98/ME,
// the registry on NT), the time since start-up and the lock keys.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_machine.h"

namespace rb {

// The section's prefix in the error list.
constexpr char kErrorPrefix[] = "TMachine.GetInfo: ";

namespace {

using platform::Current;
using platform::RootKey;

const char kSystemKey[] = "HARDWARE\\DESCRIPTION\\System";
const char kSystemBiosKey[] = "HARDWARE\\DESCRIPTION\\System\\BIOS";
constexpr uint32_t kBiosAreaEnd = 0x100000;
constexpr uint32_t kMaxBiosText = 255;

// Where the Windows 95/98/ME family finds each text in the BIOS area.
struct BiosText {
    uint32_t address;
    std::string TMachine::*field;
};
const BiosText kBiosTexts[] = {
    {0xFE061, &TMachine::BIOSName},
    {0xFFFF5, &TMachine::BIOSDate},
    {0xFE091, &TMachine::BIOSCopyright},
    {0xFEC71, &TMachine::BIOSExtendedInfo},
};

// Virtual keys of the three lock keys.
struct LockKey {
    uint8_t key;
    bool TMachine::*field;
};
const LockKey kLockKeys[] = {
    {0x14, &TMachine::CapsLock},
    {0x90, &TMachine::NumLock},
    {0x91, &TMachine::ScrollLock},
};

// The bytes up to the first zero.
std::string ZeroTerminated(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (const uint8_t b : bytes) {
        if (b == 0) break;
        text += static_cast<char>(b);
    }
    return text;
}

// The texts of the BIOS area; false when the area is not mapped into the process.
bool ReadBiosAreaTexts(TMachine& m) {
    bool any = false;
    for (const BiosText& t : kBiosTexts) {
        const uint32_t length = std::min(kMaxBiosText, kBiosAreaEnd - t.address);
        const auto bytes = Current().System().ReadBiosArea(t.address, length);
        if (!bytes) continue;
        m.*t.field = ZeroTerminated(*bytes);
        any = true;
    }
    return any;
}

// The NT family's description of the system. Later systems also (or only) describe the
// BIOS in a subkey; that fills what the old values left empty.
void ReadBiosRegistry(TMachine& m) {
    if (const auto key = Current().Reg().Open(RootKey::LocalMachine, kSystemKey)) {
        if (const auto name = key->ReadString("Identifier")) m.BIOSName = *name;
        if (key->ValueExists("SystemBiosVersion")) {
            // A list of lines: the first one is taken.
            std::vector<uint8_t> bytes = key->ReadBinary("SystemBiosVersion").value_or(
                std::vector<uint8_t>());
            if (bytes.size() > kMaxBiosText) bytes.resize(kMaxBiosText);
            m.BIOSCopyright = ZeroTerminated(bytes);
        }
        if (const auto date = key->ReadString("SystemBiosDate")) m.BIOSDate = *date;
    }
    const auto bios = Current().Reg().Open(RootKey::LocalMachine, kSystemBiosKey);
    if (!bios) return;
    if (m.BIOSCopyright.empty()) m.BIOSCopyright = bios->ReadString("BIOSVersion").value_or("");
    if (m.BIOSDate.empty()) m.BIOSDate = bios->ReadString("BIOSReleaseDate").value_or("");
}

}  // namespace

void TMachine::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] { Gather(); });
}

void TMachine::Gather() {
    // One reading serves both times: the boot time and the uptime agree.
    const double upSeconds = Current().System().TickCount() / 1000.0;
    const double lastBoot = Current().System().Now() - upSeconds / 86400.0;
    LastBoot = FloatToNeutralText(std::isfinite(lastBoot) ? lastBoot : 0);
    SystemUpTime = FloatToNeutralText(upSeconds);
    Name = GetMachineName();
    User = GetUserName();
    const bool nt = Facts().IsNT || Facts().IsXP;
    // Where the BIOS area is not mapped, the registry says what the system knows.
    if (nt || !ReadBiosAreaTexts(*this)) ReadBiosRegistry(*this);
    const std::array<uint8_t, 256> keys = Current().Windows().KeyboardState();
    // Exactly 1: toggled on and not held down.
    for (const LockKey& k : kLockKeys) this->*k.field = keys[k.key] == 1;
    StringList computers;
    std::string classKey;
    GetClassDevices(Facts().ClassKey, "Computer", "DriverDesc", computers, classKey);
    Computer = computers.Count() > 0 ? computers[0] : std::string();
}

}  // namespace rb
