#include "viewer/overview_model.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/exception.h"
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/msystem_info.h"
#include "sysinfo/routines_text.h"

#ifndef RBINFO_LOOKUP_HOST
#define RBINFO_LOOKUP_HOST "http://inicio.kelto.es"
#endif

namespace rb::viewer {

PageVisibility ApplyPageMask(TProcessPages mask) {
    // From the last page to the first, each visible page becomes the active one: the first
    // visible page is active at the end.
    PageVisibility result;
    for (int page = kPageCount - 1; page >= 0; --page) {
        result.visible[page] = mask.Contains(kPages[page].member);
        if (result.visible[page]) result.active = page;
    }
    return result;
}

std::vector<int> FillOrder(TProcessPages mask) {
    // Tab order, except that the printers page is filled in the processes page's wake (whether
    // that one is selected or not).
    using P = TProcessPage;
    std::vector<int> pages;
    for (int page = 0; page < kPageCount; ++page) {
        const P member = kPages[page].member;
        if (member != P::pgPrn && mask.Contains(member)) pages.push_back(page);
        if (member != P::pgProcs || !mask.Contains(P::pgPrn)) continue;
        for (int printers = 0; printers < kPageCount; ++printers) {
            if (kPages[printers].member == P::pgPrn) pages.push_back(printers);
        }
    }
    return pages;
}

std::string FormatHashes(int64_t value, char thousandSeparator) {
    return value == 0 ? std::string() : GroupedNumber(value, thousandSeparator);
}

std::string FormatHashZero(int64_t value, char thousandSeparator) {
    return GroupedNumber(value, thousandSeparator);
}

std::vector<CheckItem> CheckItemsFrom(const StringList& lines, bool wholeLines) {
    std::vector<CheckItem> items;
    for (int i = 0; i < lines.Count(); ++i) {
        if (wholeLines) {
            items.push_back({lines[i], true});
            continue;
        }
        const std::string name = lines.Names(i);
        const std::string value = lines.Values(name);
        if (value.empty()) continue;
        const std::optional<int64_t> number = TryStrToInt64(value);
        if (!number || *number < INT32_MIN || *number > INT32_MAX) {
            throw EConvertError("'" + value + "' is not a valid integer value");
        }
        items.push_back({name, *number != 0});
    }
    return items;
}

std::string TopicFileName(const std::string& tabCaption) { return Trim(tabCaption) + ".txt"; }

void TopicReport(TMSystemInfo& info, int page, StringList& list) {
    using P = TProcessPage;
    if (page < 0 || page >= kPageCount) return;  // no page active: nothing to report
    // Every member is named, so that a new page cannot be missed here.
    switch (kPages[static_cast<size_t>(page)].member) {
        case P::pgWksta: info.Machine->Report(list); break;
        case P::pgOS: info.OS->Report(list); break;
        case P::pgCPU: info.CPU->Report(list); break;
        case P::pgMem: info.Memory->Report(list); break;
        case P::pgDisplay: info.Displays->Report(list); break;
        case P::pgAPM: info.APM->Report(list); break;
        case P::pgMedia: info.Media->Report(list); break;
        case P::pgNet: info.Network->Report(list); break;
        case P::pgDev: info.Devices->Report(list); break;
        case P::pgPrn: info.Printers->Report(list); break;
        case P::pgEng: info.Engines->Report(list); break;
        case P::pgDisk: info.Disks->Report(list); break;
        case P::pgTimeZone: info.OS->TimeZone->Report(list); break;
        case P::pgProcs: info.Processes->Report(list); break;
        case P::pgStartup: info.Startup->Report(list); break;
        case P::pgSoftware: info.Software->Report(list); break;
        // No topic report.
        case P::pgProblems: case P::pgServices: case P::pgPerformance: case P::pgKelto: break;
    }
}

void SaveReportFile(const StringList& list, const std::string& fileName) {
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file) {
        throw Exception("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
    }
    const std::string text = list.Text();
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !written) {
        throw Exception("Cannot write file \"" + fileName + "\"");
    }
}

namespace {

// The text of a leading quoted part ("a ""b"" c" gives a "b" c); other texts unchanged.
std::string Dequoted(const std::string& text) {
    if (text.empty() || text[0] != '"') return text;
    std::string out;
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            out += '"';
            ++i;
        } else {
            break;
        }
    }
    return out;
}

std::string FileNamePart(const std::string& path) {
    const size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string QueryEscaped(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) && c < 0x80) {
            out += static_cast<char>(c);
        } else if (c == '.' || c == '-' || c == '_') {
            out += static_cast<char>(c);
        } else {
            out += Format("%%%02X", c);
        }
    }
    return out;
}

}  // namespace

std::string StartupLookupUrl(const std::string& host, const std::string& commandLine) {
    const std::string file = FileNamePart(Dequoted(commandLine));
    if (file.empty()) return "";
    return host + "/wso/search.php?filename=" + QueryEscaped(file);
}

std::string LookupHost() {
    const std::string host = platform::Current().System().EnvironmentVariable("RBINFO_LOOKUP_HOST");
    return host.empty() ? RBINFO_LOOKUP_HOST : host;
}

}  // namespace rb::viewer
