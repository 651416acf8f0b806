// Everything a page of the report viewer shows, as plain blocks in the order the window shows
// them: groups of labelled fields, lists with their column captions, check lists and lines,
// and the detail dialogs' rows as folded blocks. The collecting service's console shows an
// inventory through these, so that it reads as the program's viewer does.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "viewer/overview_model.h"
#include "viewer/page_texts.h"

namespace rb::viewer {

// Column captions of the viewer's lists.
extern const std::array<const char*, 2> kFolderColumns;       // folders, environment
extern const std::array<const char*, 2> kRegionalColumns;
extern const std::array<const char*, 2> kDriverColumns;       // sound devices, DirectX
extern const std::array<const char*, 2> kPrinterColumns;
extern const std::array<const char*, 3> kProcessColumns;
extern const std::array<const char*, 2> kStartupColumns;
extern const std::array<const char*, 5> kServiceColumns;
extern const std::array<const char*, 2> kPerformanceColumns;

struct Block {
    enum class Kind { Fields, Table, Checks, Lines };
    Kind kind = Kind::Fields;
    std::string caption;               // trimmed; may be empty
    bool folded = false;               // a detail dialog's rows: shown on request
    std::vector<Field> fields;         // Fields (a field without label is a line)
    std::vector<std::string> columns;  // Table
    Rows rows;                         // Table
    std::vector<CheckItem> checks;     // Checks
    std::vector<std::string> lines;    // Lines
};

struct PageContent {
    int page = 0;
    std::string caption;  // the tab's caption, trimmed
    std::vector<Block> blocks;
};

// Page `page` (0 to kPageCount - 1) of `info`; numbers grouped with `thousandSeparator`.
PageContent ContentOf(TMSystemInfo& info, int page, char thousandSeparator);

// The blocks of one page, added to `blocks`; numbers grouped with `sep`. The table of the pages'
// blocks is in page_content.cpp, beside the first pages' makers; these are the others'.
using PageBlocks = void (*)(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void DeviceBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void PrinterBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void EngineBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void DiskBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void TimeZoneBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void ProcessBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void StartupBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void SoftwareBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void ProblemBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void ServiceBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);
void PerformanceBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks);

// Block makers shared by both files.
Block FieldsBlock(const std::string& caption, std::vector<Field> fields, bool folded = false);
Block LinesBlock(const std::string& caption, std::vector<std::string> lines);
Block ChecksBlock(const std::string& caption, std::vector<CheckItem> checks);
template <size_t N>
Block TableBlock(const std::string& caption, const std::array<const char*, N>& columns,
                 Rows rows) {
    Block b;
    b.kind = Block::Kind::Table;
    b.caption = caption;
    b.columns.assign(columns.begin(), columns.end());
    b.rows = std::move(rows);
    return b;
}

}  // namespace rb::viewer
