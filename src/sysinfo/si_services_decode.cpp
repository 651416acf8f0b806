// Pure decoding of the service control manager's numbers into the section's enumerations and
// sets; values outside the known ones take the stated defaults.
#include "sysinfo/si_services_decode.h"

#include <cstddef>

namespace rb {
namespace {

// One number of the service control manager and the member it reads as.
template <class E>
struct CodeRow {
    uint32_t code;
    E value;
};

constexpr CodeRow<TStartType> kStartTypes[] = {
    {0, TStartType::stBoot},
    {1, TStartType::stSystem},
    {2, TStartType::stAuto},
    {3, TStartType::stManual},
    {4, TStartType::stDisabled},
};

constexpr CodeRow<TErrorSeverity> kErrorSeverities[] = {
    {0, TErrorSeverity::esIgnore},
    {1, TErrorSeverity::esNormal},
    {2, TErrorSeverity::esSevere},
    {3, TErrorSeverity::esCritical},
};

// The member of `code` in `rows`; `otherwise` for a number the table does not know.
template <class E, size_t N>
constexpr E Decoded(const CodeRow<E> (&rows)[N], uint32_t code, E otherwise) {
    for (const CodeRow<E>& row : rows) {
        if (row.code == code) return row.value;
    }
    return otherwise;
}

}  // namespace

TCurrentStatus CurrentStatusOf(uint32_t state) {
    // SERVICE_STOPPED (1) and anything unknown read as stopped; 2 to 7 follow in order.
    if (state < 2 || state > 7) return TCurrentStatus::csStopped;
    return static_cast<TCurrentStatus>(state - 1);
}

TStartType StartTypeOf(uint32_t start) {
    // 3 (on demand) and anything unknown read as manual.
    return Decoded(kStartTypes, start, TStartType::stManual);
}

TErrorSeverity ErrorSeverityOf(uint32_t control) {
    return Decoded(kErrorSeverities, control, TErrorSeverity::esNormal);
}

TServiceTypes ServiceTypesOf(uint32_t type) {
    TServiceTypes types;
    for (uint8_t bit = 0; bit < 6; ++bit) {
        if (type & (1u << bit)) types.Include(static_cast<TServiceType>(bit));
    }
    if (type & 0x100) types.Include(TServiceType::INTERACTIVE_PROCESS);
    return types;
}

TControlAcceptedSet ControlsAcceptedOf(uint32_t controls) {
    TControlAcceptedSet accepted;
    for (uint8_t bit = 0; bit < 3; ++bit) {
        if (controls & (1u << bit)) accepted.Include(static_cast<TControlAccepted>(bit));
    }
    return accepted;
}

std::string SystemErrorText(uint32_t code, std::string_view message) {
    // The system's texts end in a line break, which has no place in a line of the error list.
    size_t end = message.size();
    while (end > 0 && static_cast<unsigned char>(message[end - 1]) <= ' ') --end;
    return std::to_string(code) + ": " + std::string(message.substr(0, end));
}

}  // namespace rb
