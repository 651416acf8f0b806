// A store as the first service wrote it opens, is brought up to date in place and keeps every
// row byte for byte; a store of a later service is refused; the online backup copies it whole.
#include <gtest/gtest.h>

#include "core/exception.h"
#include "service/filing/filing.h"
#include "service/store/embedded.h"
#include "service/store/sqlite_db.h"
#include "service/store/sqlite_store.h"
#include "test_files.h"

namespace rb::service {
namespace {

// Every column of every row as the file holds it, with its SQLite type (the documents in the
// table of their own once there is one).
std::vector<std::string> RawRows(const std::string& file) {
    sqlite::Database db(file);
    const bool apart =
        db.Prepare("SELECT 1 FROM sqlite_master WHERE name = 'inventory_documents'").Step();
    const std::string from = apart ? " FROM inventories i JOIN inventory_documents d"
                                     " ON d.inventory_id = i.id ORDER BY i.id"
                                   : " FROM inventories i ORDER BY i.id";
    sqlite::Statement s = db.Prepare(
        std::string("SELECT i.id, received, peer, client_id, operation, nombre, telefono,"
                    " observaciones, destino, xml, sections, typeof(received) || typeof(peer) ||"
                    " typeof(client_id) || typeof(operation) || typeof(nombre) || typeof(xml) ||"
                    " typeof(sections)") +
        from);
    std::vector<std::string> rows;
    while (s.Step()) {
        std::string row;
        for (int c = 0; c < 12; ++c) row += std::to_string(s.Column(c).size()) + ":" + s.Column(c);
        rows.push_back(row);
    }
    return rows;
}

// A document the filing rule can read, naming `computer`, with the network card `mac`.
std::string Document(const std::string& computer, const std::string& mac) {
    std::string xml = ReadBytes(RB_TEST_DATA "/xml/fresh_document.xml");
    const size_t machine = xml.find("<MACHINE TYPE=\"TMachine\">");
    const size_t name = xml.find("<NAME></NAME>", machine);
    xml.insert(name + 6, computer);
    const std::string list = "<MACADDRESSES TYPE=\"TStringCollection\">\r\n";
    return xml.insert(xml.find(list) + list.size(),
                      "<StringCollectionItem TYPE=\"TStringCollectionItem\">\r\n <THESTRING>" +
                          mac + "</THESTRING>\r\n <THEINDEX>0</THEINDEX>\r\n"
                                "</StringCollectionItem>\r\n");
}

// Rows as the first service kept them: its retried calls already once.
std::vector<Inventory> FirstServiceRows() {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
    return {
        {1,
         "2023-05-01 09:00:00",
         "192.0.2.1",
         "{A}",
         "AddInfoFromRequest",
         {"José Peña", "600", "línea 1\r\nlínea 2", "Soporte"},
         Document("PC-RECEPCIÓN", "00-1B-21-00-00-01"),
         "pgWksta,pgOS"},
        {2,
         "2023-05-01 09:05:00",
         "192.0.2.1",
         "{A}",
         "AddInfoFromRequest",
         {"José Peña", "600", "línea 1\r\nlínea 2", "Soporte"},
         "<x/>",
         ""},
        {3,
         "2023-05-02 10:00:00",
         "192.0.2.2",
         "{B}",
         "AddInfoFromRequest",
         {"JOSÉ PEÑA", "600", "línea 1\r\nlínea 2", "Soporte"},
         Document("pc-recepciÓn", "00-1B-21-00-00-01"),
         "pgWksta,pgOS"},
        {4, "2023-05-03 11:00:00", "::1", "{C}", "AddInfo", {"", "", "", ""}, everyByte, ""},
        {5,
         "2023-05-04 12:00:00",
         "192.0.2.9",
         "{A}",
         "AddInfo",
         {"'; DROP TABLE inventories; --", "%", "_", ""},
         Document("OTRO", "00-1B-21-00-00-02"),
         "pgCPU"},
    };
}

// A file in the first schema, the rows bound as the first service bound them.
void WriteFirstServiceFile(const std::string& file, const std::vector<Inventory>& rows) {
    sqlite::Database db(file);
    db.Exec("PRAGMA journal_mode=WAL;");
    db.Exec(std::string(schema::EmbeddedFile("sqlite/001_inventories.sql")).c_str());
    for (const Inventory& row : rows) {
        db.Prepare(
              "INSERT INTO inventories (received, peer, client_id, operation, nombre,"
              " telefono, observaciones, destino, xml, sections)"
              " VALUES (?,?,?,?,?,?,?,?,?,?)")
            .Text(1, row.received)
            .Text(2, row.peer)
            .Text(3, row.clientId)
            .Text(4, row.operation)
            .Blob(5, row.header.Nombre)
            .Blob(6, row.header.Telefono)
            .Blob(7, row.header.Observaciones)
            .Blob(8, row.header.Destino)
            .Blob(9, row.xml)
            .Text(10, row.sections)
            .Run();
    }
}

TEST(SqliteUpgrade, AStoreOfTheFirstServiceIsUpgradedInPlaceKeepingEveryRow) {
    TempDir dir;
    const std::string file = dir.File("primero.db");
    const std::vector<Inventory> rows = FirstServiceRows();
    WriteFirstServiceFile(file, rows);
    const std::vector<std::string> before = RawRows(file);
    ASSERT_EQ(before.size(), std::size(rows));
    {
        const std::unique_ptr<Store> store = OpenStore(file);
        EXPECT_EQ(RefileOlder(*store), int64_t(std::size(rows)));  // as the service does
        EXPECT_EQ(store->SchemaVersion(), 2);
        for (const Inventory& row : rows) {
            const Inventory kept = *store->GetInventory(row.id);
            EXPECT_EQ(kept.received, row.received);
            EXPECT_EQ(kept.header.Observaciones, row.header.Observaciones);
            EXPECT_TRUE(kept.xml == row.xml) << row.id;
            EXPECT_EQ(store->GetSummary(row.id)->xmlSize, int64_t(row.xml.size())) << row.id;
        }
        // Its retried calls still answer their first receipts; a new one comes after them.
        EXPECT_EQ(KeepInventory(*store, rows[0]), 1);
        EXPECT_EQ(KeepInventory(*store, rows[3]), 4);
        Inventory fresh = rows[0];
        fresh.clientId = "{D}";
        EXPECT_EQ(KeepInventory(*store, fresh), 6);
        // The old rows are found, and filed in their machines.
        InventoryQuery query;
        query.nombre = "peña";
        EXPECT_EQ(store->Search(query).total, 4);
        query = InventoryQuery();
        query.computer = "RECEPCIÓN";
        EXPECT_EQ(store->Search(query).total, 3);
        const MachineRecord machine = *store->GetMachine(store->GetSummary(1)->machineId);
        EXPECT_EQ(machine.inventories, 3);
        EXPECT_EQ(machine.firstInventory, 1);
        EXPECT_EQ(machine.lastInventory, 6);
    }
    std::vector<std::string> after = RawRows(file);
    after.resize(before.size());
    EXPECT_EQ(after, before);  // every old row, byte for byte and type for type
    EXPECT_EQ(SqliteStore(file).SchemaVersion(), 2);  // and opening it again changes nothing
    EXPECT_EQ(RawRows(file).size(), std::size(rows) + 1);
}

TEST(SqliteUpgrade, AStoreOfALaterServiceIsRefused) {
    TempDir dir;
    SqliteStore(dir.File("s.db")).AddAccount({0, "ana", Role::Admin, "h", false, ""});
    sqlite::Database(dir.File("s.db")).Exec("UPDATE schema_version SET version = 99");
    try {
        SqliteStore store(dir.File("s.db"));
        FAIL() << "opened a store of version 99";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("posterior del servicio (99)"), std::string::npos);
    }
}

}  // namespace
}  // namespace rb::service
