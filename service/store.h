// Where the collecting service keeps what it receives: one SQLite database file, one row per
// inventory. Texts are stored as the program holds them, code page 1252 bytes, so an exported
// package carries exactly the bytes that were sent.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "connection/package_file.h"

struct sqlite3;

namespace rb::service {

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

struct InventorySummary {
    int64_t id = 0;
    std::string received;
    std::string peer;
    std::string nombre;
    int sectionCount = 0;
    int64_t xmlSize = 0;
};

class InventoryStore {
public:
    // Opens the database, creating it and its table when missing; raises rb::Exception.
    explicit InventoryStore(const std::string& fileName);
    ~InventoryStore();
    InventoryStore(const InventoryStore&) = delete;
    InventoryStore& operator=(const InventoryStore&) = delete;

    // Stores one inventory (its id is ignored) and answers the id given to it. The row is
    // committed to disk before this returns. The same call again (same client identifier,
    // operation, header and XML) is not stored twice: it answers the first one's id.
    int64_t Add(const Inventory& inventory);
    std::optional<Inventory> Get(int64_t id);
    std::vector<InventorySummary> List();

private:
    int64_t FindSame(const Inventory& inventory);

    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::mutex mutex_;  // one connection, shared by the server's threads
    std::unique_ptr<sqlite3, Closer> db_;
};

// The current time as the store writes it.
std::string UtcNow();
// The sections an inventory's XML says were selected (its PROCESSLIST text, e.g.
// "pgWksta,pgOS"); empty for text that has none.
// Read in one pass without building a node tree, with the node tree's reading of the text.
std::string SelectedSections(std::string_view xml);
// How many names such a text holds.
int CountSections(const std::string& sections);

}  // namespace rb::service
