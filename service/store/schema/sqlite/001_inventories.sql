-- The store as the first service wrote it: one row per inventory. The header and the XML are
-- code page 1252 bytes, kept as blobs so that an exported package carries the bytes sent.
CREATE TABLE IF NOT EXISTS inventories (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    received TEXT NOT NULL,
    peer TEXT NOT NULL,
    client_id TEXT NOT NULL,
    operation TEXT NOT NULL,
    nombre BLOB NOT NULL,
    telefono BLOB NOT NULL,
    observaciones BLOB NOT NULL,
    destino BLOB NOT NULL,
    xml BLOB NOT NULL,
    sections TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS inventories_client ON inventories (client_id);
