// Printers through winspool: EnumPrintersA asked for the size and then filled, the records read
// as the system's own structures (their size differs between 32 and 64 bits), missing strings
// taken as empty; the default printer and the profile's entries.
#include "platform/win32/printers_win32.h"

#include <windows.h>
#include <winspool.h>

#include "platform/win32/late_binding_win32.h"

namespace rb::platform {
namespace {

constexpr DWORD kProfileBuffer = 1024;
constexpr int kFillAttempts = 3;  // the list may grow between asking and filling

std::string Text(const char* s) {
    return s ? std::string(s) : std::string();
}

// One enumeration at `level` into `buffer`; the number of records, or the error of the call
// that asked for the size (0 when it succeeded or only wanted a buffer).
struct Filled {
    DWORD count = 0;
    DWORD sizeError = 0;
    bool filled = false;
};

Filled Enumerate(DWORD flags, DWORD level, std::vector<uint8_t>& buffer) {
    Filled result;
    DWORD needed = 0;
    DWORD returned = 0;
    if (!::EnumPrintersA(flags, nullptr, level, nullptr, 0, &needed, &returned)) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER) result.sizeError = error;
    }
    if (result.sizeError != 0) return result;
    for (int attempt = 0; attempt < kFillAttempts; ++attempt) {
        if (needed == 0) {  // nothing to list
            result.filled = true;
            return result;
        }
        buffer.assign(needed, 0);
        if (::EnumPrintersA(flags, nullptr, level, buffer.data(), needed, &needed, &returned)) {
            result.count = returned;
            result.filled = true;
            return result;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    }
    return result;
}

PrinterInfo2 FromRecord(const PRINTER_INFO_2A& r) {
    PrinterInfo2 p;
    p.serverName = Text(r.pServerName);
    p.printerName = Text(r.pPrinterName);
    p.shareName = Text(r.pShareName);
    p.portName = Text(r.pPortName);
    p.driverName = Text(r.pDriverName);
    p.comment = Text(r.pComment);
    p.location = Text(r.pLocation);
    p.sepFile = Text(r.pSepFile);
    p.printProcessor = Text(r.pPrintProcessor);
    p.datatype = Text(r.pDatatype);
    p.parameters = Text(r.pParameters);
    p.attributes = r.Attributes;
    p.priority = r.Priority;
    p.defaultPriority = r.DefaultPriority;
    p.startTime = r.StartTime;
    p.untilTime = r.UntilTime;
    p.status = r.Status;
    p.jobs = r.cJobs;
    p.averagePPM = r.AveragePPM;
    return p;
}

}  // namespace

std::optional<std::vector<PrinterInfo2>> Win32Printers::PrintersLevel2(uint32_t flags) {
    std::vector<uint8_t> buffer;
    const Filled f = Enumerate(flags, 2, buffer);
    if (!f.filled) return std::nullopt;
    std::vector<PrinterInfo2> printers;
    const auto* records = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < f.count && (i + 1) * sizeof(PRINTER_INFO_2A) <= buffer.size(); ++i) {
        printers.push_back(FromRecord(records[i]));
    }
    return printers;
}

PrinterEnumeration5 Win32Printers::PrintersLevel5(uint32_t flags) {
    std::vector<uint8_t> buffer;
    const Filled f = Enumerate(flags, 5, buffer);
    PrinterEnumeration5 answer;
    answer.error = f.sizeError;
    const auto* records = reinterpret_cast<const PRINTER_INFO_5A*>(buffer.data());
    for (DWORD i = 0; i < f.count && (i + 1) * sizeof(PRINTER_INFO_5A) <= buffer.size(); ++i) {
        PrinterInfo5 p;
        p.printerName = Text(records[i].pPrinterName);
        p.portName = Text(records[i].pPortName);
        p.attributes = records[i].Attributes;
        p.deviceNotSelectedTimeout = records[i].DeviceNotSelectedTimeout;
        p.transmissionRetryTimeout = records[i].TransmissionRetryTimeout;
        answer.records.push_back(std::move(p));
    }
    return answer;
}

std::string Win32Printers::DefaultPrinterName() {
    using DefaultPrinterFn = BOOL(WINAPI*)(LPSTR, LPDWORD);
    const win32::Library spooler = win32::Library::Load("winspool.drv");
    const auto fn = spooler.Entry<DefaultPrinterFn>("GetDefaultPrinterA");
    if (!fn) return "";
    DWORD size = 0;
    fn(nullptr, &size);
    if (size == 0) return "";
    std::string name(size, '\0');
    if (!fn(name.data(), &size)) return "";
    name.resize(::lstrlenA(name.c_str()));
    return name;
}

std::string Win32Printers::ProfileEntry(std::string_view section, std::string_view key,
                                        std::string_view fallback) {
    const std::string s(section), k(key), f(fallback);
    char value[kProfileBuffer] = {};
    const DWORD length =
        ::GetProfileStringA(s.c_str(), k.c_str(), f.c_str(), value, kProfileBuffer);
    return std::string(value, length);
}

}  // namespace rb::platform
