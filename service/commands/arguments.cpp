#include "service/commands/arguments.h"

#include <algorithm>
#include <cstdio>

#include "core/cp1252.h"
#include "core/exception.h"
#include "core/text.h"
#include "service/filing/filing.h"

namespace rb::service {
namespace {

const char* const kFlags[] = {"--json", "--volatiles", "--todas"};

}  // namespace

Arguments::Arguments(int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.compare(0, 2, "--") != 0) {
            words.push_back(a);
        } else if (std::find(std::begin(kFlags), std::end(kFlags), a) != std::end(kFlags)) {
            options[a] = "1";
        } else if (i + 1 < argc) {
            options[a] = argv[++i];
        } else {
            throw UsageError();
        }
    }
}

std::string Arguments::Required(const std::string& name) const {
    const auto it = options.find(name);
    if (it == options.end() || it->second.empty()) throw UsageError();
    return it->second;
}

std::string Arguments::Optional(const std::string& name, const std::string& otherwise) const {
    const auto it = options.find(name);
    return it == options.end() ? otherwise : it->second;
}

int64_t ParseNumber(const std::string& text, size_t digits) {
    if (text.empty() || text.size() > digits || text.find_first_not_of("0123456789") != text.npos) {
        throw UsageError();
    }
    return std::stoll(text);
}

void Print(const std::string& cp1252) {
    std::fputs(Cp1252ToUtf8(cp1252).c_str(), stdout);
}

std::unique_ptr<Store> OpenServiceStore(const Arguments& args) {
    std::unique_ptr<Store> store = OpenStore(args.Required("--db"));
    RefileOlder(*store);
    return store;
}

Inventory FetchInventory(Store& store, int64_t id) {
    std::optional<Inventory> inventory = store.GetInventory(id);
    if (!inventory) {
        throw Exception(
            Format("No hay ningún inventario con el número %lld", static_cast<long long>(id)));
    }
    return *inventory;
}

}  // namespace rb::service
