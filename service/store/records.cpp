#include "service/store/records.h"

namespace rb::service {

const char* RoleName(Role role) {
    switch (role) {
        case Role::Admin: return "admin";
        case Role::Soporte: return "soporte";
        case Role::Lectura: break;
    }
    return "lectura";
}

std::optional<Role> RoleNamed(const std::string& name) {
    for (Role role : {Role::Lectura, Role::Soporte, Role::Admin}) {
        if (name == RoleName(role)) return role;
    }
    return std::nullopt;
}

}  // namespace rb::service
