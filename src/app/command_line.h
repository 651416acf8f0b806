// The program's command line: the first argument's extension and the switch search.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rb {

class CommandLine {
public:
    // The arguments after the program name.
    explicit CommandLine(std::vector<std::string> args) : args_(std::move(args)) {}

    const std::vector<std::string>& Args() const { return args_; }
    std::string First() const { return args_.empty() ? std::string() : args_[0]; }
    // Lower-cased extension of the first argument's file name, dot included; "" when none.
    std::string FirstExtension() const;
    // True when some argument is "-name" or "/name", ignoring case, in any position.
    bool HasSwitch(std::string_view name) const;
    // The argument that follows the switch, or "" when the switch is absent or last.
    std::string SwitchValue(std::string_view name) const;

private:
    std::vector<std::string> args_;
};

}  // namespace rb
