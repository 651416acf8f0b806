// Which inventories come from the same computer.
//
// A fingerprint holds what identifies a computer in its inventory, normalised:
// - its name (Machine.Name, else the device section's; upper case);
// - the operating system's product identifier (OS.ProductID);
// - the BIOS texts (name, date, copyright) and the processor (vendor, model name, family,
//   model and stepping), together "the board";
// - the hardware (MAC) addresses, as 12 upper-case hex digits, leaving out those that are not
//   one card's: all zeros or all ones, locally administered ones (virtual and randomised
//   adapters) and the fixed ones every dial-up, loopback or virtual-host adapter shares;
// - the volume serial numbers of the fixed disks (8 hex digits; a format gives a new one).
// Nothing else counts: installed programs, the user, the IP addresses, the time and the
// sender (who is not in the document) leave the fingerprint as it was.
//
// Two fingerprints are compared fact by fact; a fact is unknown when either side lacks it.
// Addresses and volume serials agree when the two share one; the board agrees when its known
// parts agree and differs when one differs. The name, the product identifier and a volume
// serial are the installation's facts. The same computer is:
// 1. with a hardware address in common: unless the board differs, when one installation fact
//    must agree as well (a USB adapter moved to another computer);
// 2. with addresses on both sides and none in common: only when the board, the name, the
//    product identifier and a volume serial all agree (the network card was replaced and
//    nothing else changed);
// 3. with the addresses unknown: when the board agrees and more installation facts agree than
//    differ, or, with the board unknown too, when at least two agree and none differs.
// So a reinstalled program or a new IP changes nothing; a renamed computer or a reinstalled
// operating system stays one machine while its card or its other facts vouch for it; two
// computers of one name are kept apart by their cards, their boards or their disks. What no
// document tells apart is merged: two computers cloned from one disk, with one name and no
// readable card (or with only the card different and everything else identical).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sysinfo/msystem_info.h"

namespace rb::compare {

struct MachineFingerprint {
    std::string computerName;
    std::string osProductId;
    std::string bios;
    std::string processor;
    std::vector<std::string> macAddresses;   // sorted, without repeats
    std::vector<std::string> volumeSerials;  // sorted, without repeats
};

bool operator==(const MachineFingerprint& a, const MachineFingerprint& b);

MachineFingerprint FingerprintOf(const TMSystemInfo& info);

// "000C293A5B7C" for "00-0c-29-3a-5b-7c" or "00:0C:29:3A:5B:7C"; empty for a text that is
// not six bytes or for an address that is not one card's.
std::string NormalizedMacAddress(std::string_view text);

struct IdentityMatch {
    bool same = false;
    // How much agrees, to choose among several known machines that match: a common address
    // 8, the board 4, the name 2, the product identifier and a volume serial 1 each.
    int strength = 0;
    const char* reason = "";  // in Spanish, for logs and the console
};

IdentityMatch MatchMachines(const MachineFingerprint& known, const MachineFingerprint& incoming);

// The position in `known` of the machine `incoming` belongs to: the strongest match, the
// first of equals; nullopt when none matches.
std::optional<size_t> FindMachine(const MachineFingerprint& incoming,
                                  const std::vector<MachineFingerprint>& known);

// One line of text to keep a fingerprint in a store, and back. DecodeFingerprint raises
// EConvertError ("Huella de máquina no válida: ...") for a text that is not one.
std::string EncodeFingerprint(const MachineFingerprint& fingerprint);
MachineFingerprint DecodeFingerprint(std::string_view text);

}  // namespace rb::compare
