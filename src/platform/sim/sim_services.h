// The simulated service control manager: pages of entries and each service's configuration.
#pragma once

#include <map>
#include <optional>

#include "platform/services.h"

namespace rb::platform {

class SimServices : public ServicesArea {
public:
    uint32_t openError = 0;  // not 0: the manager cannot be opened
    std::vector<ServicePage> pages;  // answered in turn; the resume value is the page's index
    // A manager that answers this page again and again without moving on (a broken driver's
    // list); `asked` counts the pages asked for, and past kMostAsked the manager answers an
    // empty last page, so that a caller with no guard against it fails instead of hanging.
    std::optional<size_t> stallAt;
    int asked = 0;
    static constexpr int kMostAsked = 1000;
    std::map<std::string, ServiceConfig> configs;  // a service without one answers error 1060
    std::map<std::string, ServiceStatusRecord> statuses;

    std::map<uint32_t, std::string> messages = {
        {5, "Acceso denegado."}, {1060, "El servicio especificado no existe."}};

    std::unique_ptr<ServiceManager> OpenManager(uint32_t& error) override;
    std::string ErrorMessage(uint32_t code) override {
        const auto it = messages.find(code);
        return it == messages.end() ? std::string() : it->second;
    }
};

class SimServiceManager : public ServiceManager {
public:
    explicit SimServiceManager(SimServices& s) : s_(s) {}
    ServicePage Enumerate(uint32_t, uint32_t, uint32_t, uint32_t& resume) override {
        if (++s_.asked > SimServices::kMostAsked || resume >= s_.pages.size()) return {};
        if (s_.stallAt == resume) return s_.pages[resume];
        return s_.pages[resume++];
    }
    std::optional<ServiceConfig> Configuration(std::string_view service,
                                               uint32_t& error) override {
        return Find(s_.configs, service, error);
    }
    std::optional<ServiceStatusRecord> Status(std::string_view service, uint32_t& error) override {
        return Find(s_.statuses, service, error);
    }

private:
    template <typename T>
    static std::optional<T> Find(const std::map<std::string, T>& map, std::string_view service,
                                 uint32_t& error) {
        const auto it = map.find(std::string(service));
        error = it == map.end() ? 1060 : 0;  // ERROR_SERVICE_DOES_NOT_EXIST
        if (it == map.end()) return std::nullopt;
        return it->second;
    }
    SimServices& s_;
};

inline std::unique_ptr<ServiceManager> SimServices::OpenManager(uint32_t& error) {
    error = openError;
    if (openError) return nullptr;
    return std::make_unique<SimServiceManager>(*this);
}

}  // namespace rb::platform
