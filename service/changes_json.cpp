#include "service/changes_json.h"

#include "compare/change_text.h"
#include "core/cp1252.h"

namespace rb::service {

nlohmann::json ChangeJson(const compare::Change& c) {
    return {{"tipo", compare::ChangeKindName(c.kind)},
            {"seccion", Cp1252ToUtf8(c.section)},
            {"titulo", Cp1252ToUtf8(compare::SectionCaption(c.section))},
            {"lista", Cp1252ToUtf8(c.list)},
            {"elemento", Cp1252ToUtf8(c.item)},
            {"propiedad", Cp1252ToUtf8(c.property)},
            {"antes", Cp1252ToUtf8(c.oldValue)},
            {"despues", Cp1252ToUtf8(c.newValue)}};
}

nlohmann::json DifferenceJson(int64_t before, int64_t after, const compare::Difference& d) {
    nlohmann::json body{{"antes", before},
                        {"despues", after},
                        {"resumen", compare::ChangeSummaryUtf8(d.changes)},
                        {"cambios", nlohmann::json::array()},
                        {"sin_comparar", nlohmann::json::array()}};
    for (const compare::Change& c : d.changes) body["cambios"].push_back(ChangeJson(c));
    for (const std::string& s : d.skippedSections) body["sin_comparar"].push_back(Cp1252ToUtf8(s));
    return body;
}

}  // namespace rb::service
