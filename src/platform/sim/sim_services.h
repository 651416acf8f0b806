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

    ManagerOpening OpenManager() override;
    std::string ErrorMessage(uint32_t code) override {
        const auto it = messages.find(code);
        return it == messages.end() ? std::string() : it->second;
    }
};

class SimServiceManager : public ServiceManager {
public:
    explicit SimServiceManager(SimServices& s) : s_(s) {}
    // The pages, read as the real manager's are.
    ServiceList Services() override {
        return ReadServicePages([this](uint32_t& resume) { return Page(resume); });
    }
    ServiceAnswer<ServiceConfig> Configuration(std::string_view service) override {
        return Find(s_.configs, service);
    }
    ServiceAnswer<ServiceStatusRecord> Status(std::string_view service) override {
        return Find(s_.statuses, service);
    }

private:
    ServicePage Page(uint32_t& resume) {
        if (++s_.asked > SimServices::kMostAsked || resume >= s_.pages.size()) return {};
        if (s_.stallAt == resume) return s_.pages[resume];
        return s_.pages[resume++];
    }
    template <typename T>
    static ServiceAnswer<T> Find(const std::map<std::string, T>& map, std::string_view service) {
        const auto it = map.find(std::string(service));
        if (it == map.end()) return {std::nullopt, 1060};  // ERROR_SERVICE_DOES_NOT_EXIST
        return {it->second, 0};
    }
    SimServices& s_;
};

inline ManagerOpening SimServices::OpenManager() {
    if (openError) return {nullptr, openError};
    return {std::make_unique<SimServiceManager>(*this), 0};
}

}  // namespace rb::platform
