// Who may use the console: accounts with Argon2id password hashes, browser sessions (a random
// cookie, only its hash kept, ended at sign-out and after an idle time), the form token of each
// session, API tokens (sent as "Authorization: Bearer ...", only their hash kept), and sign-ins
// slowed down after repeated failures. Sign-ins and account changes go to the audit log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "service/http/message.h"
#include "service/store/store.h"

namespace rb::service::console {

constexpr const char* kSessionCookie = "kestrin_sesion";

struct AuthOptions {
    int64_t idleSeconds = 30 * 60;      // a session unused this long ends
    int64_t lifeSeconds = 12 * 3600;    // and every session after this long
    int freeFailures = 3;               // failed sign-ins of a name before waits begin
    int64_t failureWindow = 15 * 60;    // seconds over which failures are counted
    int64_t longestWait = 5 * 60;       // seconds
};

// A password's Argon2id hash (libsodium's text form), and whether a password matches one.
std::string HashPassword(const std::string& password);
bool PasswordMatches(const std::string& hash, const std::string& password);
// Passwords staff may choose: 10 characters at least, 1024 bytes at most. Empty when fine, or
// the reason.
std::string PasswordProblem(const std::string& password);

// A new random secret (cookie, form token, API token) as URL-safe text, and the hash the store
// keeps of one.
std::string NewSecret();
std::string SecretHash(const std::string& secret);

// Equal texts, compared in a time that does not depend on where they differ.
bool SameSecret(const std::string& a, const std::string& b);

class Auth {
public:
    Auth(Store& store, AuthOptions options = AuthOptions()) : store_(store), options_(options) {}

    struct SignInResult {
        std::string cookie;      // the new session's cookie value when it succeeded
        std::string problem;     // else why not, for the person signing in
        int64_t waitSeconds = 0; // when refused for too many failures
    };
    // Checks the password (after a wait imposed by earlier failures of the name), opens a
    // session and records either outcome.
    SignInResult SignIn(const std::string& name, const std::string& password,
                        const std::string& peer);
    // Ends the session of this cookie.
    void SignOut(const std::string& cookie, const std::string& peer);

    // The account behind a request's session cookie or bearer token; none for neither, an
    // unknown or ended one, or a disabled account. A session's use keeps it alive.
    std::optional<http::Identity> Identify(const http::Request& request);

    // Creates an account; raises for a taken name, an empty one or a weak password.
    int64_t CreateAccount(const std::string& name, Role role, const std::string& password,
                          const std::string& by);
    // An API token for the account: its secret, shown once.
    std::string CreateToken(int64_t accountId, const std::string& label, const std::string& by);

    const AuthOptions& Options() const { return options_; }

private:
    std::optional<http::Identity> FromToken(const std::string& secret);
    std::optional<http::Identity> FromSession(const std::string& cookie);
    Store& store_;
    AuthOptions options_;
};

}  // namespace rb::service::console
