// A stored inventory as the console and the API show it: the health of each section (collected,
// not selected, or with the error list's lines, and how long it took) and the viewer's pages.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "service/store/records.h"
#include "viewer/page_content.h"

namespace rb::service::console {

struct SectionHealth {
    enum class State { Collected, NotSelected, Failed };
    std::string caption;                 // the section's caption (code page 1252)
    State state = State::Collected;
    std::vector<std::string> errors;     // its lines of the error list
    std::optional<uint32_t> milliseconds;  // from the timings, when they have it
};

struct InventoryView {
    std::string problem;  // why the document could not be read; empty when it could
    std::vector<SectionHealth> health;
    std::vector<viewer::PageContent> pages;  // the pages the selection shows, in tab order
};

InventoryView ViewOf(const Inventory& inventory);

// The state's words, as the console writes them.
const char* StateText(SectionHealth::State state);

}  // namespace rb::service::console
