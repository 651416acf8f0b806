// What the report viewer decides without a window: its pages and their order, which pages a
// selection shows, the order they are filled in, the number formats of its fields, the check
// lists of the detail dialog and the names of the report files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/string_list.h"
#include "sysinfo/process_pages.h"

namespace rb {

class TMSystemInfo;

namespace viewer {

constexpr int kPageCount = 19;

// The viewer's pages in tab order: page n shows the section of member n of TProcessPages. A
// page's window is made from the row of the same place in page_table_win32.cpp.
struct PageInfo {
    const char* caption;  // the tab's caption before filling
    TProcessPage member;
};
inline constexpr std::array<PageInfo, kPageCount> kPages = {{
    {"Computadora", TProcessPage::pgWksta},
    {"Sistema Operativo", TProcessPage::pgOS},
    {" CPU ", TProcessPage::pgCPU},
    {" Memoria ", TProcessPage::pgMem},
    {"Visualizadores", TProcessPage::pgDisplay},
    {" APM ", TProcessPage::pgAPM},
    {" Media ", TProcessPage::pgMedia},
    {" Red ", TProcessPage::pgNet},
    {" Dispositivos", TProcessPage::pgDev},
    {" Impresoras", TProcessPage::pgPrn},
    {" Motores", TProcessPage::pgEng},
    {" Discos", TProcessPage::pgDisk},
    {"Zona Horaria", TProcessPage::pgTimeZone},
    {" Procesos ", TProcessPage::pgProcs},
    {"Inicio", TProcessPage::pgStartup},
    {" Aplicaciones", TProcessPage::pgSoftware},
    {"Problemas", TProcessPage::pgProblems},
    {"Servicios", TProcessPage::pgServices},
    {"Performance", TProcessPage::pgPerformance},
}};

// The page that shows `member` (-1: none).
constexpr int PageOf(TProcessPage member) {
    for (int page = 0; page < kPageCount; ++page) {
        if (kPages[page].member == member) return page;
    }
    return -1;
}
// The pages the viewer treats apart: the OS page's caption names the system, the problems tab
// shows whenever there are problems.
constexpr int kOSPage = PageOf(TProcessPage::pgOS);
constexpr int kProblemsPage = PageOf(TProcessPage::pgProblems);

// The tabs a page selection shows and the page made active (the first visible; -1: none).
struct PageVisibility {
    std::array<bool, kPageCount> visible{};
    int active = -1;
};
PageVisibility ApplyPageMask(TProcessPages mask);

// The pages filled for `mask`, in filling order; the problems page is always last but two:
// its tab follows the error list, not the mask.
std::vector<int> FillOrder(TProcessPages mask);

// The number formats "#,##" (0 gives "") and "#,#0" (0 gives "0").
std::string FormatHashes(int64_t value, char thousandSeparator);
std::string FormatHashZero(int64_t value, char thousandSeparator);

// One item of the detail dialog's check list.
struct CheckItem {
    std::string text;
    bool checked = false;
    friend bool operator==(const CheckItem& a, const CheckItem& b) {
        return a.text == b.text && a.checked == b.checked;
    }
};
// The items ShowChecks adds for `lines`: whole lines, checked; or "name=value" lines as the
// name, checked when the value (of the first line of that name) is a non-zero whole number,
// left out when it is empty. A value that is not a whole number raises EConvertError.
std::vector<CheckItem> CheckItemsFrom(const StringList& lines, bool wholeLines);

// Report files: all topics, and the active page's topic (its tab caption trimmed + ".txt").
constexpr const char* kAllTopicsFileName = "SuComputadora.txt";
std::string TopicFileName(const std::string& tabCaption);
// The text report of page `page`'s section; pages 16 to 18 add nothing.
void TopicReport(TMSystemInfo& info, int page, StringList& list);

// Saves a report as 8-bit text, CR LF after every line; a file that cannot be written raises
// "Cannot create file ...".
void SaveReportFile(const StringList& list, const std::string& fileName);

// The start-up page's lookup: the address for a command line's program, "" when the command
// line names no file. `host` is the lookup site ("http://host").
std::string StartupLookupUrl(const std::string& host, const std::string& commandLine);
// The lookup site of this build (RBINFO_LOOKUP_HOST in the environment overrides it).
std::string LookupHost();

}  // namespace viewer
}  // namespace rb
