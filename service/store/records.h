// The service's own records: what the store keeps and the console, the API and the command
// line read. Texts from inventories are code page 1252, as the program holds them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "connection/package_file.h"

namespace rb::service {

// One inventory as it was received.
struct Inventory {
    int64_t id = 0;         // given by the store
    std::string received;   // UTC, "YYYY-MM-DD HH:MM:SS"
    std::string peer;       // the sender's address
    std::string clientId;   // the message's ClientID, "{XXXXXXXX-XXXX-...}"
    std::string operation;  // "AddInfoFromRequest" or "AddInfo"
    THeader header;         // code page 1252
    std::string xml;        // code page 1252
    std::string sections;   // the sections the sender selected: "pgWksta,pgOS,..."
};

// What an inventory is filed under, read from its document when it arrives (empty where the
// document does not say or cannot be read).
struct InventoryFacts {
    std::string computer;   // the computer's name
    std::string os;         // the operating system's name and version
    std::string cpu;        // the processor's name
    int64_t memoryBytes = 0;
    int problems = 0;       // lines of the error list
    int sectionCount = 0;   // sections the sender selected
    std::vector<std::string> programs;  // installed software
    // The computer's identity (as the service's machine rule writes it), and the values that
    // find the machines it may belong to (its name, hardware addresses, ...).
    std::string identity;
    std::vector<std::string> machineKeys;
    int version = 0;        // of the rule that read them
};

// A machine a new inventory may belong to, and the rule that chooses among them: the id of the
// one it belongs to, or 0 for a machine not seen before.
struct MachineCandidate {
    int64_t id = 0;
    std::string identity;
};
using ChooseMachine = std::function<int64_t(const std::vector<MachineCandidate>&)>;

// One computer, as the inventories that came from it show it.
struct MachineRecord {
    int64_t id = 0;
    std::string computer;    // its name in the latest inventory
    int64_t firstInventory = 0, lastInventory = 0;
    std::string lastReceived;
    int64_t inventories = 0;
};

// One line of the inventory list.
struct InventorySummary {
    int64_t id = 0;
    std::string received;
    std::string peer;
    THeader header;
    InventoryFacts facts;   // without the programs
    std::string sections;
    int64_t xmlSize = 0;
    int64_t machineId = 0;
};

// Sortable columns of the list.
enum class SortColumn { Id, Received, Nombre, Telefono, Computer, Os, Cpu, Memory, Sections,
                        Problems, Size };

// A search of the list: every non-empty text must be found (in any case) in its column; dates
// are "YYYY-MM-DD" and bound the day of reception, both ends included.
struct InventoryQuery {
    std::string nombre, telefono, observaciones, computer, program, destino;
    std::string from, to;
    bool withProblems = false;
    int64_t machineId = 0;  // 0: any
    SortColumn sort = SortColumn::Id;
    bool descending = true;
    int64_t offset = 0;
    int limit = 50;
};

struct SummaryPage {
    std::vector<InventorySummary> rows;
    int64_t total = 0;  // of the whole search
};

// What changed in an inventory since the previous one of its machine.
struct ChangeRecord {
    int64_t inventoryId = 0;
    int64_t previousId = 0;
    int64_t machineId = 0;
    std::string received;  // of the inventory
    int changes = 0;
    std::string summary;   // code page 1252 ("+3 programas, 1 servicio cambiado")
    int version = 0;       // of the rule that compared them
};

enum class Role { Lectura, Soporte, Admin };
// The role's name ("lectura", "soporte", "admin"), as stores and people write it, and back;
// nullopt for another word.
const char* RoleName(Role role);
std::optional<Role> RoleNamed(const std::string& name);

struct Account {
    int64_t id = 0;
    std::string name;
    Role role = Role::Lectura;
    std::string passwordHash;  // Argon2id, in libsodium's text form
    bool disabled = false;
    std::string created;
};

// A signed-in browser. Only the hash of its cookie is kept.
struct SessionRecord {
    std::string tokenHash;
    int64_t accountId = 0;
    std::string csrf;
    int64_t created = 0, lastSeen = 0;  // seconds since 1970
};

// An API token of an account. Only its hash is kept.
struct TokenRecord {
    int64_t id = 0;
    int64_t accountId = 0;
    std::string label;
    std::string tokenHash;
    std::string created;
};

// Who did what, and when: sign-ins, downloads, account changes.
struct AuditEntry {
    int64_t id = 0;
    std::string at;       // UTC, as `received`
    int64_t atSeconds = 0;
    std::string account;  // the name given (also for a failed sign-in)
    std::string action;   // "entrada", "entrada fallida", "descarga", "cuenta", ...
    std::string detail;
    std::string peer;
};

}  // namespace rb::service
