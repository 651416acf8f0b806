// What the commands of kestrin-service share: their command line and how they print.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "service/commands/commands.h"
#include "service/store/store.h"

namespace rb::service {

// A command line that does not fit its command: the usage is printed, exit code 2.
struct UsageError {};

// Options ("--name value", or a flag) and the remaining words in order, after the command.
struct Arguments {
    Arguments(int argc, char** argv, int first);
    std::string Required(const std::string& name) const;
    std::string Optional(const std::string& name, const std::string& otherwise) const;
    bool Flag(const std::string& name) const { return options.count(name) > 0; }

    std::map<std::string, std::string> options;
    std::vector<std::string> words;
    MountRoutes mountMore;  // for serve
};

// A whole number of at most `digits` digits.
int64_t ParseNumber(const std::string& text, size_t digits = 18);

// Prints code page 1252 text on the terminal (UTF-8).
void Print(const std::string& cp1252);

// The store `--db` names, with what older services filed brought up to date.
std::unique_ptr<Store> OpenServiceStore(const Arguments& args);

// The inventory of that number; raises when there is none.
Inventory FetchInventory(Store& store, int64_t id);

}  // namespace rb::service
