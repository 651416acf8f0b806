#include "service/console/auth.h"

#include <sodium.h>

#include <algorithm>

#include "core/exception.h"
#include "core/text.h"
#include "service/console/web.h"

namespace rb::service::console {
namespace {

constexpr const char* kBearer = "Bearer ";
// The hash of a password nobody knows (it was thrown away): a name that does not exist is
// checked against it, so that it costs the same time as a wrong password.
constexpr const char* kNobody =
    "$argon2id$v=19$m=65536,t=2,p=1$T/SImYP6j98yV54PXK1FmQ$KBlYTzrDJrwLD0t75+LqZyMCtLMmTaKF0qD/alem/34";

bool Ready() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// The wait before the next try of a name that failed `failures` times in the window: none
// for the first few, then doubling up to the longest.
int64_t WaitAfter(int failures, const AuthOptions& o) {
    if (failures < o.freeFailures) return 0;
    const int doublings = std::min(failures - o.freeFailures, 20);
    return std::min<int64_t>(int64_t(1) << doublings, o.longestWait);
}

}  // namespace

std::string HashPassword(const std::string& password) {
    if (!Ready()) throw Exception("No se pudo iniciar la biblioteca de cifrado");
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), password.size(),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
        throw Exception("Sin memoria para calcular la clave");
    }
    return hash;
}

bool PasswordMatches(const std::string& hash, const std::string& password) {
    if (!Ready() || hash.size() >= crypto_pwhash_STRBYTES) return false;
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

std::string PasswordProblem(const std::string& password) {
    size_t letters = 0;
    for (const char c : password) letters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (letters < 10) return "La clave debe tener al menos 10 caracteres";
    if (password.size() > 1024) return "La clave es demasiado larga";
    return "";
}

std::string NewSecret() {
    if (!Ready()) throw Exception("No se pudo iniciar la biblioteca de cifrado");
    unsigned char bytes[32];
    randombytes_buf(bytes, sizeof bytes);
    char text[sodium_base64_ENCODED_LEN(32, sodium_base64_VARIANT_URLSAFE_NO_PADDING)];
    sodium_bin2base64(text, sizeof text, bytes, sizeof bytes,
                      sodium_base64_VARIANT_URLSAFE_NO_PADDING);
    return text;
}

std::string SecretHash(const std::string& secret) {
    unsigned char hash[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(hash, reinterpret_cast<const unsigned char*>(secret.data()),
                       secret.size());
    return std::string(reinterpret_cast<const char*>(hash), sizeof hash);
}

bool SameSecret(const std::string& a, const std::string& b) {
    return a.size() == b.size() && !a.empty() && sodium_memcmp(a.data(), b.data(), a.size()) == 0;
}

Auth::SignInResult Auth::SignIn(const std::string& name, const std::string& password,
                                const std::string& peer) {
    SignInResult result;
    const int64_t now = NowSeconds();
    const Store::Recent failed =
        store_.RecentEntries("entrada fallida", name, now - options_.failureWindow);
    const int64_t wait = WaitAfter(failed.count, options_);
    if (failed.latest + wait > now) {
        result.waitSeconds = failed.latest + wait - now;
        result.problem = Format("Demasiados intentos fallidos: espere %lld segundos",
                                static_cast<long long>(result.waitSeconds));
        return result;
    }
    const std::optional<Account> account = store_.FindAccount(name);
    const bool matches = PasswordMatches(account ? account->passwordHash : kNobody, password);
    if (!account || !matches || account->disabled) {
        store_.Record({0, "", 0, name, "entrada fallida", "", peer});
        result.problem = "Usuario o clave incorrectos";
        return result;
    }
    result.cookie = NewSecret();
    store_.AddSession({SecretHash(result.cookie), account->id, NewSecret(), now, now});
    store_.Record({0, "", 0, name, "entrada", "", peer});
    return result;
}

void Auth::SignOut(const std::string& cookie, const std::string& peer) {
    if (cookie.empty()) return;
    const std::string hash = SecretHash(cookie);
    if (const std::optional<SessionRecord> session = store_.FindSession(hash)) {
        const std::optional<Account> account = store_.GetAccount(session->accountId);
        store_.Record({0, "", 0, account ? account->name : "", "salida", "", peer});
    }
    store_.DeleteSession(hash);
}

std::optional<http::Identity> Auth::Identify(const http::Request& request) {
    const std::string authorization = request.Header("Authorization");
    if (authorization.rfind(kBearer, 0) == 0) {
        return FromToken(Trim(authorization.substr(std::string(kBearer).size())));
    }
    const std::string cookie = CookieOf(request, kSessionCookie);
    if (cookie.empty()) return std::nullopt;
    return FromSession(cookie);
}

std::optional<http::Identity> Auth::FromToken(const std::string& secret) {
    if (secret.empty()) return std::nullopt;
    const std::optional<TokenRecord> token = store_.FindToken(SecretHash(secret));
    if (!token) return std::nullopt;
    const std::optional<Account> account = store_.GetAccount(token->accountId);
    if (!account || account->disabled) return std::nullopt;
    return http::Identity{account->id, account->name, static_cast<int>(account->role), "", ""};
}

std::optional<http::Identity> Auth::FromSession(const std::string& cookie) {
    const std::string hash = SecretHash(cookie);
    const std::optional<SessionRecord> session = store_.FindSession(hash);
    if (!session) return std::nullopt;
    const int64_t now = NowSeconds();
    if (session->lastSeen + options_.idleSeconds < now ||
        session->created + options_.lifeSeconds < now) {
        store_.DeleteSession(hash);
        return std::nullopt;
    }
    const std::optional<Account> account = store_.GetAccount(session->accountId);
    if (!account || account->disabled) return std::nullopt;
    // A write per minute at most keeps a busy session from costing a commit per page.
    if (now - session->lastSeen >= 60) store_.TouchSession(hash, now);
    return http::Identity{account->id, account->name, static_cast<int>(account->role),
                          session->csrf, hash};
}

int64_t Auth::CreateAccount(const std::string& name, Role role, const std::string& password,
                            const std::string& by) {
    if (Trim(name).empty() || name != Trim(name) || name.size() > 64) {
        throw Exception("El nombre de la cuenta no es válido");
    }
    const std::string problem = PasswordProblem(password);
    if (!problem.empty()) throw Exception(problem);
    Account account;
    account.name = name;
    account.role = role;
    account.passwordHash = HashPassword(password);
    const int64_t id = store_.AddAccount(account);
    store_.Record({0, "", 0, by, "cuenta", "alta de " + name + " (" + RoleName(role) + ")", ""});
    return id;
}

std::string Auth::CreateToken(int64_t accountId, const std::string& label, const std::string& by) {
    const std::optional<Account> account = store_.GetAccount(accountId);
    if (!account) throw Exception("No existe esa cuenta");
    const std::string secret = NewSecret();
    store_.AddToken({0, accountId, label, SecretHash(secret), ""});
    store_.Record({0, "", 0, by, "cuenta", "token para " + account->name + ": " + label, ""});
    return secret;
}

}  // namespace rb::service::console
