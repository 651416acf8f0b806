// Changes between two inventories as JSON (UTF-8), for the API and the command line.
#pragma once

#include <nlohmann/json.hpp>

#include "compare/diff.h"

namespace rb::service {

// {"tipo": "added"|"removed"|"changed", "seccion", "titulo" (the section's caption), "lista",
//  "elemento", "propiedad", "antes", "despues"}
nlohmann::json ChangeJson(const compare::Change& change);
// {"antes": A, "despues": B, "resumen": ..., "cambios": [...], "sin_comparar": [...]}
nlohmann::json DifferenceJson(int64_t before, int64_t after, const compare::Difference& d);

}  // namespace rb::service
