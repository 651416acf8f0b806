#include "app/command_line.h"

#include "core/text.h"

namespace rb {

std::string CommandLine::FirstExtension() const {
    const std::string first = First();
    const size_t nameStart = first.find_last_of("\\/:");
    const size_t dot = first.rfind('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) {
        return std::string();
    }
    return AnsiLowerCase(first.substr(dot));
}

namespace {
bool IsSwitch(const std::string& arg, std::string_view name) {
    return !arg.empty() && (arg[0] == '-' || arg[0] == '/') &&
           SameText(std::string_view(arg).substr(1), name);
}
}  // namespace

bool CommandLine::HasSwitch(std::string_view name) const {
    for (const std::string& arg : args_) {
        if (IsSwitch(arg, name)) return true;
    }
    return false;
}

std::string CommandLine::SwitchValue(std::string_view name) const {
    for (size_t i = 0; i + 1 < args_.size(); ++i) {
        if (IsSwitch(args_[i], name)) return args_[i + 1];
    }
    return std::string();
}

}  // namespace rb
