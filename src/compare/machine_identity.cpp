#include "compare/machine_identity.h"

#include <algorithm>

#include "core/text.h"

namespace rb::compare {
namespace {

// Addresses that many computers show alike: dial-up and tunnel adapters, the host adapters
// of virtual machines. Locally administered and group addresses are left out by their bits.
const char* const kSharedMacs[] = {
    "000000000000",  // no address
    "005345000000",  // WAN miniport
    "204153594EFF",  // remote access, asynchronous
    "444553544200",  // PPP / dial-up adapter
    "005056C00001",  // virtual-machine host adapters
    "005056C00008",
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Upper-case hex digits of `text` without separators; empty when another character is there
// or the count is not `digits`.
std::string HexDigits(std::string_view text, size_t digits) {
    std::string out;
    for (const char c : text) {
        if (c == '-' || c == ':' || c == '.' || c == ' ') continue;
        const char upper = (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
        if (HexValue(upper) < 0) return std::string();
        out += upper;
    }
    return out.size() == digits ? out : std::string();
}

void SortUnique(std::vector<std::string>& values) {
    values.erase(std::remove(values.begin(), values.end(), std::string()), values.end());
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

// The parts joined by " | "; empty when every part is.
std::string Joined(std::initializer_list<std::string> parts) {
    std::string text;
    bool any = false;
    for (const std::string& p : parts) {
        if (&p != parts.begin()) text += " | ";
        text += p;
        any = any || !p.empty();
    }
    return any ? text : std::string();
}

std::string ProcessorOf(const TCPU& cpu) {
    const std::string brand = Trim(cpu.BrandText);
    const std::string model = brand.empty() ? Trim(cpu.VendorID) : brand;
    const std::string steps = cpu.Family == 0 && cpu.Model == 0 && cpu.Stepping == 0
                                  ? std::string()
                                  : Format("%d.%d.%d", cpu.Family, cpu.Model, cpu.Stepping);
    return Joined({Trim(cpu.VendorEx), model, steps});
}

enum class Fact { Unknown, Same, Different };

Fact Compare(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return Fact::Unknown;
    return a == b ? Fact::Same : Fact::Different;
}

Fact Overlap(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    if (a.empty() || b.empty()) return Fact::Unknown;
    for (const std::string& value : a) {
        if (std::find(b.begin(), b.end(), value) != b.end()) return Fact::Same;
    }
    return Fact::Different;
}

Fact Both(Fact a, Fact b) {
    if (a == Fact::Different || b == Fact::Different) return Fact::Different;
    return a == Fact::Same || b == Fact::Same ? Fact::Same : Fact::Unknown;
}

struct Facts {
    Fact mac, board, name, product, volume;
    int agree = 0, differ = 0;  // of the installation's three facts
};

Facts FactsOf(const MachineFingerprint& a, const MachineFingerprint& b) {
    Facts f;
    f.mac = Overlap(a.macAddresses, b.macAddresses);
    f.board = Both(Compare(a.bios, b.bios), Compare(a.processor, b.processor));
    f.name = Compare(a.computerName, b.computerName);
    f.product = Compare(a.osProductId, b.osProductId);
    f.volume = Overlap(a.volumeSerials, b.volumeSerials);
    for (const Fact fact : {f.name, f.product, f.volume}) {
        f.agree += fact == Fact::Same;
        f.differ += fact == Fact::Different;
    }
    return f;
}

int StrengthOf(const Facts& f) {
    return (f.mac == Fact::Same) * 8 + (f.board == Fact::Same) * 4 + (f.name == Fact::Same) * 2 +
           (f.product == Fact::Same) + (f.volume == Fact::Same);
}

}  // namespace

bool operator==(const MachineFingerprint& a, const MachineFingerprint& b) {
    return a.computerName == b.computerName && a.osProductId == b.osProductId &&
           a.bios == b.bios && a.processor == b.processor && a.macAddresses == b.macAddresses &&
           a.volumeSerials == b.volumeSerials;
}

std::string NormalizedMacAddress(std::string_view text) {
    const std::string hex = HexDigits(text, 12);
    if (hex.empty() || hex == "FFFFFFFFFFFF") return std::string();
    if (HexValue(hex[1]) & 0x3) return std::string();  // locally administered or a group
    for (const char* shared : kSharedMacs) {
        if (hex == shared) return std::string();
    }
    return hex;
}

MachineFingerprint FingerprintOf(const TMSystemInfo& info) {
    MachineFingerprint f;
    const TMachine& m = *info.Machine;
    f.computerName = AnsiUpperCase(Trim(m.Name.empty() ? info.Devices->Machine : m.Name));
    f.osProductId = Trim(info.OS->ProductID);
    f.bios = Joined({Trim(m.BIOSName), Trim(m.BIOSDate), Trim(m.BIOSCopyright)});
    f.processor = ProcessorOf(*info.CPU);
    const TStringCollection& macs = *info.Network->MACAddresses;
    for (int i = 0; i < macs.Count(); ++i) {
        f.macAddresses.push_back(NormalizedMacAddress(macs.Get(i)));
    }
    SortUnique(f.macAddresses);
    for (int i = 0; i < info.Disks->Count(); ++i) {
        const auto& disk = info.Disks->ItemAs<TDisk>(i);
        if (disk.MediaType != TMediaType::dtFixed) continue;
        const std::string serial = HexDigits(disk.SerialNumber, 8);
        if (serial != "00000000") f.volumeSerials.push_back(serial);
    }
    SortUnique(f.volumeSerials);
    return f;
}

IdentityMatch MatchMachines(const MachineFingerprint& known, const MachineFingerprint& incoming) {
    const Facts f = FactsOf(known, incoming);
    IdentityMatch m;
    if (f.mac == Fact::Same) {
        m.same = f.board != Fact::Different || f.agree >= 1;
        m.reason = m.same ? "comparten una dirección MAC"
                          : "comparten una dirección MAC, pero no la placa ni la instalación";
    } else if (f.mac == Fact::Different) {
        m.same = f.board == Fact::Same && f.name == Fact::Same && f.product == Fact::Same &&
                 f.volume == Fact::Same;
        m.reason = m.same ? "solo cambió la tarjeta de red" : "direcciones MAC distintas";
    } else if (f.board != Fact::Different) {
        m.same = f.board == Fact::Same ? f.agree > f.differ : f.agree >= 2 && f.differ == 0;
        m.reason = m.same ? "sin dirección MAC; coinciden la placa o la instalación"
                          : "sin dirección MAC; no hay datos suficientes en común";
    } else {
        m.reason = "sin dirección MAC; la placa o el procesador son distintos";
    }
    m.strength = m.same ? StrengthOf(f) : 0;
    return m;
}

std::optional<size_t> FindMachine(const MachineFingerprint& incoming,
                                  const std::vector<MachineFingerprint>& known) {
    std::optional<size_t> best;
    int bestStrength = 0;
    for (size_t i = 0; i < known.size(); ++i) {
        const IdentityMatch m = MatchMachines(known[i], incoming);
        if (m.same && m.strength > bestStrength) {
            best = i;
            bestStrength = m.strength;
        }
    }
    return best;
}

}  // namespace rb::compare
