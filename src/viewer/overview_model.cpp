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

using P = TProcessPage;

const std::array<PageInfo, kPageCount> kPages = {{
    {"Computadora", P::pgWksta},
    {"Sistema Operativo", P::pgOS},
    {" CPU ", P::pgCPU},
    {" Memoria ", P::pgMem},
    {"Visualizadores", P::pgDisplay},
    {" APM ", P::pgAPM},
    {" Media ", P::pgMedia},
    {" Red ", P::pgNet},
    {" Dispositivos", P::pgDev},
    {" Impresoras", P::pgPrn},
    {" Motores", P::pgEng},
    {" Discos", P::pgDisk},
    {"Zona Horaria", P::pgTimeZone},
    {" Procesos ", P::pgProcs},
    {"Inicio", P::pgStartup},
    {" Aplicaciones", P::pgSoftware},
    {"Problemas", P::pgProblems},
    {"Servicios", P::pgServices},
    {"Performance", P::pgPerformance},
}};

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
    // The printers page is filled after the processes page.
    static const int kOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 9, 14, 15, 16, 17, 18};
    std::vector<int> pages;
    for (int page : kOrder) {
        if (mask.Contains(kPages[page].member)) pages.push_back(page);
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
    switch (page) {
        case 0: info.Machine->Report(list); break;
        case 1: info.OS->Report(list); break;
        case 2: info.CPU->Report(list); break;
        case 3: info.Memory->Report(list); break;
        case 4: info.Displays->Report(list); break;
        case 5: info.APM->Report(list); break;
        case 6: info.Media->Report(list); break;
        case 7: info.Network->Report(list); break;
        case 8: info.Devices->Report(list); break;
        case 9: info.Printers->Report(list); break;
        case 10: info.Engines->Report(list); break;
        case 11: info.Disks->Report(list); break;
        case 12: info.OS->TimeZone->Report(list); break;
        case 13: info.Processes->Report(list); break;
        case 14: info.Startup->Report(list); break;
        case 15: info.Software->Report(list); break;
        default: break;  // problems, services and performance have no topic report
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
