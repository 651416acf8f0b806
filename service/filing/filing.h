// What an inventory is filed under when it arrives: the sections its sender selected, the
// facts the list shows and searches (read from its document), and the machine it came from.
#pragma once

#include <string>
#include <string_view>

#include "service/store/store.h"

namespace rb::service {

// The version of the filing rule below; inventories filed by an older one are filed again
// when the store is opened (RefileOlder).
constexpr int kFactsVersion = 1;

// The sections an inventory's XML says were selected (its PROCESSLIST text, e.g.
// "pgWksta,pgOS"); empty for text that has none.
// Read in one pass without building a node tree, with the node tree's reading of the text.
std::string SelectedSections(std::string_view xml);
// How many names such a text holds.
int CountSections(const std::string& sections);

// The program's information classes, registered before the first document is read: once for
// every thread, since registering writes the class registry that all readers use (decoders
// registering at the same moment left it broken, and the service hung).
void RegisterDocumentClasses();

// The facts of an inventory, read from its document; a document that cannot be read gives
// empty facts (the inventory is kept all the same).
InventoryFacts ReadFacts(const Inventory& inventory);
// The rule that picks an inventory's machine among the candidates the store found for it.
ChooseMachine MachineRule(const InventoryFacts& facts);

// Stores a received inventory with its facts in its machine; answers its number.
int64_t KeepInventory(Store& store, const Inventory& inventory);
// Files again what an older rule filed; answers how many.
int64_t RefileOlder(Store& store);

}  // namespace rb::service
