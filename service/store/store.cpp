// Which store a `--db` value names, and the times the stores write.
#include "service/store/store.h"

#include <ctime>

#include "core/exception.h"
#include "service/store/postgres_store.h"
#include "service/store/sqlite_store.h"

namespace rb::service {
namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

bool IsPostgresAddress(const std::string& address) {
    return StartsWith(address, "postgresql://") || StartsWith(address, "postgres://");
}

std::string SqliteFileOf(const std::string& address) {
    if (IsPostgresAddress(address)) return "";
    if (StartsWith(address, "sqlite:")) return address.substr(7);
    if (const size_t scheme = address.find("://"); scheme != std::string::npos) {
        // Only the kind: the rest may carry a password.
        throw Exception("Dirección de base de datos no admitida: " + address.substr(0, scheme + 3) +
                        "...");
    }
    return address;
}

std::unique_ptr<Store> OpenStore(const std::string& address) {
    if (IsPostgresAddress(address)) return std::make_unique<PostgresStore>(address);
    const std::string file = SqliteFileOf(address);
    if (file.empty()) throw Exception("Falta el archivo de la base de datos");
    return std::make_unique<SqliteStore>(file);
}

std::string UtcText(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
    return text;
}

int64_t NowSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

std::string UtcNow() {
    return UtcText(NowSeconds());
}

}  // namespace rb::service
