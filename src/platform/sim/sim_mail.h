// The simulated mail clients: libraries that load (or not) and record what they were asked to
// send, the files an attachment may name, and the process's top-level windows.
#pragma once

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/mail.h"

namespace rb::platform {

class SimMail : public MailArea {
public:
    struct Library {
        std::string missingFunction;  // not empty: the look-up of this function fails
        uint32_t result = 0;          // what MAPISendMail answers
    };
    std::map<std::string, Library> libraries;  // a library not listed fails to load
    uint32_t loadError = 126;                  // ERROR_MOD_NOT_FOUND
    struct Sent {
        std::string library;
        uintptr_t window;
        MailMessage message;
        uint32_t flags;
    };
    std::vector<Sent> sent;
    std::vector<std::string> loads;         // every library LoadClient was asked for
    std::set<std::string> files;            // files that exist besides the host's own
    std::vector<ProcessWindow> windows;

    MailClientLoad LoadClient(std::string_view library) override;
    bool IsMailClientLibrary(std::string_view library) override {
        const auto it = libraries.find(std::string(library));
        return it != libraries.end() && it->second.missingFunction.empty();
    }
    bool FileExists(std::string_view path) override {
        return files.count(std::string(path)) > 0 || std::ifstream(std::string(path)).good();
    }
    std::vector<ProcessWindow> TopLevelWindows() override { return windows; }
};

class SimMailClient : public MailClient {
public:
    SimMailClient(SimMail& mail, std::string library) : mail_(mail), library_(std::move(library)) {}
    uint32_t SendMail(uintptr_t window, const MailMessage& message, uint32_t flags) override {
        mail_.sent.push_back({library_, window, message, flags});
        return mail_.libraries[library_].result;
    }

private:
    SimMail& mail_;
    std::string library_;
};

inline MailClientLoad SimMail::LoadClient(std::string_view library) {
    loads.emplace_back(library);
    MailClientLoad load;
    const auto it = libraries.find(std::string(library));
    if (it == libraries.end()) {
        load.systemError = loadError;
    } else if (!it->second.missingFunction.empty()) {
        load.missingFunction = it->second.missingFunction;
    } else {
        load.client = std::make_unique<SimMailClient>(*this, it->first);
    }
    return load;
}

}  // namespace rb::platform
