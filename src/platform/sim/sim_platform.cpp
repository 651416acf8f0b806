#include "platform/sim/sim_platform.h"

#include "core/exception.h"
#include "core/text.h"

namespace rb::platform {

OsVersion SimPlatform::Windows95() { return {4, 0, 950, 1, "", false}; }

OsVersion SimPlatform::Windows98SE() { return {4, 10, 0x040A08AE, 1, " A ", false}; }

OsVersion SimPlatform::WindowsME() { return {4, 90, 0x045A0BB8, 1, " ", false}; }

OsVersion SimPlatform::WindowsNT4(int servicePack) {
    OsVersion v{4, 0, 1381, 2, servicePack ? Format("Service Pack %d", servicePack) : "", true};
    v.servicePackMajor = static_cast<uint16_t>(servicePack);
    v.productType = 1;
    return v;
}

OsVersion SimPlatform::Windows2000() {
    OsVersion v{5, 0, 2195, 2, "Service Pack 4", true};
    v.servicePackMajor = 4;
    v.productType = 1;
    return v;
}

OsVersion SimPlatform::WindowsXP() {
    OsVersion v{5, 1, 2600, 2, "Service Pack 2", true};
    v.servicePackMajor = 2;
    v.suiteMask = 0x100;
    v.productType = 1;
    return v;
}

uint32_t SimPlatform::TickCount() {
    const uint32_t now = tickCount;
    tickCount += tickStep;
    return now;
}

bool SimPlatform::DiskInDrive(std::string_view root) {
    for (const std::string& d : drivesWithDisk) {
        if (SameText(d, root)) return true;
    }
    return false;
}

std::optional<FileVersion> SimPlatform::FileVersionInfo(std::string_view file) {
    for (const auto& [name, v] : fileVersions) {
        if (SameText(name, file)) return v;
    }
    return std::nullopt;
}

namespace {

class SimLoadedModule : public Module {
public:
    SimLoadedModule(uintptr_t handle, std::vector<std::string> symbols)
        : handle_(handle), symbols_(std::move(symbols)) {}
    uintptr_t Handle() const override { return handle_; }
    void* Symbol(const char* name) const override {
        for (const std::string& s : symbols_) {
            // A stand-in address: tests only ask whether a symbol is there.
            if (s == name) return const_cast<std::string*>(&s);
        }
        return nullptr;
    }

private:
    uintptr_t handle_;
    std::vector<std::string> symbols_;
};

}  // namespace

std::unique_ptr<Module> SimPlatform::LoadModule(std::string_view name, bool onlyIfLoaded) {
    const auto it = modules.find(AnsiLowerCase(name));
    if (it == modules.end() || (onlyIfLoaded && !it->second.loaded)) return nullptr;
    const uintptr_t handle = 0x10000000u + 0x10000u * static_cast<uintptr_t>(
                                                         std::distance(modules.begin(), it));
    return std::make_unique<SimLoadedModule>(handle, it->second.symbols);
}

std::string SimPlatform::SpecialFolder(int csidl) {
    const auto it = specialFolders.find(csidl);
    return it == specialFolders.end() ? std::string() : it->second;
}

int32_t SimPlatform::ResolveShortcut(std::string_view file, std::string& target,
                                     std::string& arguments) {
    for (const auto& [name, link] : shortcuts) {
        if (SameText(name, file)) {
            target = link.target;
            arguments = link.arguments;
            return 0;
        }
    }
    return static_cast<int32_t>(0x80070002);  // file not found
}

void SimPlatform::ShellChangeNotify(int32_t event, uint32_t flags) {
    shellNotifications.emplace_back(event, flags);
}

bool SimPlatform::ShowFileProperties(uintptr_t, std::string_view) { return true; }

int SimPlatform::MessageBox(std::string_view text, std::string_view caption, uint32_t flags) {
    messageBoxes.push_back({std::string(text), std::string(caption), flags});
    return messageBoxAnswer;
}

std::string SimPlatform::EnvironmentVariable(std::string_view name) {
    for (const std::string& entry : environment) {
        const size_t eq = entry.find('=', 1);  // "=C:" style entries start with '='
        if (eq != std::string::npos && SameText(std::string_view(entry).substr(0, eq), name)) {
            return entry.substr(eq + 1);
        }
    }
    return "";
}

std::array<uint8_t, 16> SimPlatform::NewGuid() {
    const std::array<uint8_t, 16> answer = guid;
    ++guid[15];
    return answer;
}

CpuidRegisters SimPlatform::Cpuid(uint32_t leaf) {
    if (!hasCpuid) throw Exception("Illegal instruction: CPUID");
    cpuidCalls.push_back(leaf);
    const auto it = cpuid.find(leaf);
    return it == cpuid.end() ? CpuidRegisters{} : it->second;
}

uint64_t SimPlatform::TimeStampCounter() {
    if (!hasTimeStamp) throw Exception("Illegal instruction: RDTSC");
    const uint64_t now = timeStamp;
    timeStamp += timeStampStep;
    return now;
}

int64_t SimPlatform::PerformanceCounter() {
    const int64_t now = performanceCounter;
    performanceCounter += performanceCounterStep;
    return now;
}

std::optional<int> SimPlatform::ThreadPriority() {
    if (!priorityReadable) return std::nullopt;
    return threadPriority;
}

void SimPlatform::SetThreadPriority(int priority) {
    threadPriority = priority;
    priorityChanges.push_back(priority);
}

}  // namespace rb::platform
