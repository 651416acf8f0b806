// The service control manager through advapi32's 8-bit calls. The manager is opened with the
// rights to connect and enumerate and each service with the rights to query it, which every
// user has; full access would need an elevated administrator.
#include <windows.h>
#include <winsvc.h>

#include "platform/win32/handles_win32.h"
#include "platform/win32/services_win32.h"

namespace rb::platform {
namespace {

constexpr DWORD kManagerAccess = SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE;
constexpr DWORD kServiceAccess = SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS;
constexpr DWORD kWin32Services = SERVICE_WIN32;  // own and shared processes
constexpr DWORD kAllStates = SERVICE_STATE_ALL;
constexpr DWORD kPageBuffer = 32768;
constexpr DWORD kConfigBuffer = 8192;
constexpr DWORD kMessageBuffer = 1024;

ServiceStatusRecord FromStatus(const SERVICE_STATUS& s) {
    return {s.dwServiceType,   s.dwCurrentState,  s.dwControlsAccepted, s.dwWin32ExitCode,
            s.dwServiceSpecificExitCode, s.dwCheckPoint, s.dwWaitHint};
}

std::string Text(const char* s) { return s ? s : ""; }

// A sequence of zero-terminated strings ending with an empty one, read no further than `limit`.
std::vector<std::string> MultiString(const char* s, size_t limit) {
    std::vector<std::string> strings;
    if (!s) return strings;
    for (size_t pos = 0; pos < limit && s[pos] != '\0';) {
        size_t end = pos;
        while (end < limit && s[end] != '\0') ++end;
        strings.emplace_back(s + pos, end - pos);
        pos = end + 1;
    }
    return strings;
}

class Win32ServiceManager : public ServiceManager {
public:
    explicit Win32ServiceManager(win32::ServiceHandle manager) : manager_(std::move(manager)) {}

    ServiceList Services() override {
        return ReadServicePages([this](uint32_t& resume) { return Page(resume); });
    }

    ServiceAnswer<ServiceConfig> Configuration(std::string_view service) override {
        ServiceAnswer<ServiceConfig> answer;
        const win32::ServiceHandle handle = OpenService(service, answer.error);
        if (!handle) return answer;
        std::vector<uint8_t> buffer(kConfigBuffer);
        DWORD needed = 0;
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
        if (!::QueryServiceConfigA(handle.Get(), config, kConfigBuffer, &needed)) {
            answer.error = ::GetLastError();
            return answer;
        }
        answer.record = Decoded(*config, buffer);
        return answer;
    }

    ServiceAnswer<ServiceStatusRecord> Status(std::string_view service) override {
        ServiceAnswer<ServiceStatusRecord> answer;
        const win32::ServiceHandle handle = OpenService(service, answer.error);
        if (!handle) return answer;
        SERVICE_STATUS status{};
        if (!::QueryServiceStatus(handle.Get(), &status)) {
            answer.error = ::GetLastError();
            return answer;
        }
        answer.record = FromStatus(status);
        return answer;
    }

private:
    // One EnumServicesStatusA page, continuing at `resume`.
    ServicePage Page(uint32_t& resume) {
        ServicePage page;
        std::vector<uint8_t> buffer(kPageBuffer);
        DWORD needed = 0, count = 0, handle = resume;
        const BOOL ok = ::EnumServicesStatusA(
            manager_.Get(), kWin32Services, kAllStates,
            reinterpret_cast<ENUM_SERVICE_STATUSA*>(buffer.data()), kPageBuffer, &needed, &count,
            &handle);
        page.error = ok ? 0 : ::GetLastError();
        resume = handle;
        const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUSA*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            page.entries.push_back({Text(entries[i].lpServiceName),
                                    Text(entries[i].lpDisplayName),
                                    FromStatus(entries[i].ServiceStatus)});
        }
        return page;
    }

    // A configuration read into `buffer`.
    static ServiceConfig Decoded(const QUERY_SERVICE_CONFIGA& config,
                                 const std::vector<uint8_t>& buffer) {
        ServiceConfig c;
        c.serviceType = config.dwServiceType;
        c.startType = config.dwStartType;
        c.errorControl = config.dwErrorControl;
        c.tagId = config.dwTagId;
        c.binaryPathName = Text(config.lpBinaryPathName);
        c.loadOrderGroup = Text(config.lpLoadOrderGroup);
        c.serviceStartName = Text(config.lpServiceStartName);
        c.displayName = Text(config.lpDisplayName);
        if (config.lpDependencies) {
            // The list lies inside the buffer; it cannot run past its end.
            const auto* start = reinterpret_cast<const uint8_t*>(config.lpDependencies);
            const auto* end = buffer.data() + buffer.size();
            if (start >= buffer.data() && start < end) {
                c.dependencies = MultiString(config.lpDependencies, end - start);
            }
        }
        return c;
    }

    win32::ServiceHandle OpenService(std::string_view service, uint32_t& error) {
        const std::string name(service);
        win32::ServiceHandle handle(::OpenServiceA(manager_.Get(), name.c_str(), kServiceAccess));
        error = handle ? 0 : ::GetLastError();
        return handle;
    }

    win32::ServiceHandle manager_;
};

}  // namespace

ManagerOpening Win32Services::OpenManager() {
    win32::ServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, kManagerAccess));
    if (!manager) return {nullptr, ::GetLastError()};
    return {std::make_unique<Win32ServiceManager>(std::move(manager)), 0};
}

std::string Win32Services::ErrorMessage(uint32_t code) {
    char buffer[kMessageBuffer] = {};
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, buffer, kMessageBuffer, nullptr);
    return std::string(buffer, length < kMessageBuffer ? length : 0);
}

}  // namespace rb::platform
