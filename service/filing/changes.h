// What changed on a computer: the difference of two stored inventories, and the summary of each
// inventory's changes since the previous one of its machine, kept for the machine's timeline.
#pragma once

#include <cstdint>

#include "compare/diff.h"
#include "service/store/store.h"

namespace rb::service {

// The version of the comparison; summaries kept by an older one are made again when shown.
constexpr int kChangesVersion = 1;

// Reads both inventories and compares them (before, then after); raises when one does not
// exist or cannot be read.
compare::Difference CompareStored(Store& store, int64_t before, int64_t after,
                                  const compare::DiffOptions& options = {});

// Compares the inventory with the previous one of its machine and keeps the summary; answers
// what was kept. An inventory without a machine keeps nothing.
std::optional<ChangeRecord> FileChanges(Store& store, int64_t inventory);

// The machine's summaries, newest first, each one made if it is missing or older.
std::vector<ChangeRecord> MachineChanges(Store& store, int64_t machine);

}  // namespace rb::service
