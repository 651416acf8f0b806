-- What the console reads: the facts each inventory is filed under (code page 1252 blobs, filled
-- when an inventory arrives, and for older rows when the store is opened), a search index of
-- its texts (UTF-8, substrings found through trigrams), the content hash that makes a retried
-- call count once, the machines, the accounts and their sessions, tokens and audit log.
ALTER TABLE inventories ADD COLUMN content_hash BLOB;
ALTER TABLE inventories ADD COLUMN facts_version INTEGER NOT NULL DEFAULT 0;
ALTER TABLE inventories ADD COLUMN computer BLOB NOT NULL DEFAULT x'';
ALTER TABLE inventories ADD COLUMN os BLOB NOT NULL DEFAULT x'';
ALTER TABLE inventories ADD COLUMN cpu BLOB NOT NULL DEFAULT x'';
ALTER TABLE inventories ADD COLUMN memory INTEGER NOT NULL DEFAULT 0;
ALTER TABLE inventories ADD COLUMN problems INTEGER NOT NULL DEFAULT 0;
ALTER TABLE inventories ADD COLUMN section_count INTEGER NOT NULL DEFAULT 0;
ALTER TABLE inventories ADD COLUMN xml_size INTEGER NOT NULL DEFAULT 0;
ALTER TABLE inventories ADD COLUMN machine_id INTEGER NOT NULL DEFAULT 0;
UPDATE inventories SET xml_size = length(xml);
-- The documents live apart from the rows the list reads, so that a page of the list (and a
-- search over many rows) reads small rows only.
CREATE TABLE inventory_documents (
    inventory_id INTEGER PRIMARY KEY,
    xml BLOB NOT NULL);
INSERT INTO inventory_documents (inventory_id, xml) SELECT id, xml FROM inventories;
ALTER TABLE inventories DROP COLUMN xml;
DROP INDEX IF EXISTS inventories_client;
CREATE INDEX inventories_received ON inventories (received);
CREATE INDEX inventories_nombre ON inventories (nombre);
CREATE INDEX inventories_computer ON inventories (computer);
CREATE INDEX inventories_memory ON inventories (memory);
CREATE INDEX inventories_problems ON inventories (problems);
CREATE INDEX inventories_size ON inventories (xml_size);
CREATE INDEX inventories_machine ON inventories (machine_id, id);
CREATE INDEX inventories_facts ON inventories (facts_version);
CREATE VIRTUAL TABLE inventory_search USING fts5(
    nombre, telefono, observaciones, computer, programs, destino, tokenize = 'trigram');

CREATE TABLE machines (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    identity BLOB NOT NULL,
    computer BLOB NOT NULL,
    first_inventory INTEGER NOT NULL,
    last_inventory INTEGER NOT NULL,
    last_received TEXT NOT NULL,
    inventories INTEGER NOT NULL);
CREATE INDEX machines_last ON machines (last_received);
-- Each identifying value of a machine (its name, hardware addresses, ...), to find the
-- machines a new inventory may belong to.
CREATE TABLE machine_keys (
    key BLOB NOT NULL,
    machine_id INTEGER NOT NULL,
    PRIMARY KEY (key, machine_id));

-- What changed in each inventory since the one before it of its machine (the timeline's
-- summaries), kept when it arrives.
CREATE TABLE inventory_changes (
    inventory_id INTEGER PRIMARY KEY,
    previous_id INTEGER NOT NULL,
    machine_id INTEGER NOT NULL,
    received TEXT NOT NULL,
    changes INTEGER NOT NULL,
    summary BLOB NOT NULL,
    version INTEGER NOT NULL);
CREATE INDEX inventory_changes_machine ON inventory_changes (machine_id, inventory_id);
CREATE INDEX inventory_changes_received ON inventory_changes (received);

CREATE TABLE accounts (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    name BLOB NOT NULL UNIQUE,
    role TEXT NOT NULL,
    password_hash TEXT NOT NULL,
    disabled INTEGER NOT NULL DEFAULT 0,
    created TEXT NOT NULL);
CREATE TABLE sessions (
    token_hash BLOB PRIMARY KEY,
    account_id INTEGER NOT NULL,
    csrf TEXT NOT NULL,
    created INTEGER NOT NULL,
    last_seen INTEGER NOT NULL);
CREATE TABLE tokens (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    account_id INTEGER NOT NULL,
    label BLOB NOT NULL,
    token_hash BLOB NOT NULL UNIQUE,
    created TEXT NOT NULL);
CREATE TABLE audit (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    at TEXT NOT NULL,
    at_seconds INTEGER NOT NULL,
    account BLOB NOT NULL,
    action TEXT NOT NULL,
    detail BLOB NOT NULL,
    peer TEXT NOT NULL);
CREATE INDEX audit_recent ON audit (action, account, at_seconds);
