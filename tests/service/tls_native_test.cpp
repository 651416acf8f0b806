// The service over HTTPS: with a certificate of its own it serves TLS, sends HSTS and marks the
// session cookie Secure; certificate files that cannot be read are refused at start.
#include <gtest/gtest.h>

#include <curl/curl.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>

#include <cstdio>
#include <memory>
#include <thread>

#include "core/exception.h"
#include "service/console/console.h"
#include "service/http/server.h"
#include "service/remote_call/remote_call.h"
#include "service/store/sqlite_store.h"
#include "test_files.h"

namespace rb::test {
namespace {

using namespace rb::service;

// A self-signed certificate for 127.0.0.1 and its key, as PEM files in `dir`.
void WriteCertificate(const TempDir& dir) {
    std::unique_ptr<EVP_PKEY, void (*)(EVP_PKEY*)> key(EVP_RSA_gen(2048), EVP_PKEY_free);
    std::unique_ptr<X509, void (*)(X509*)> cert(X509_new(), X509_free);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), 0);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 3600);
    X509_set_pubkey(cert.get(), key.get());
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    X509_set_issuer_name(cert.get(), name);
    X509_sign(cert.get(), key.get(), EVP_sha256());
    FILE* c = std::fopen(dir.File("cert.pem").c_str(), "wb");
    PEM_write_X509(c, cert.get());
    std::fclose(c);
    FILE* k = std::fopen(dir.File("key.pem").c_str(), "wb");
    PEM_write_PrivateKey(k, key.get(), nullptr, nullptr, 0, nullptr, nullptr);
    std::fclose(k);
}

struct Reply {
    long status = 0;
    std::string headers, body;
};

size_t Append(char* data, size_t size, size_t count, void* to) {
    static_cast<std::string*>(to)->append(data, size * count);
    return size * count;
}

// One HTTPS request, trusting the test's own certificate.
Reply Fetch(const std::string& url, const std::string& post = "", const std::string& cookie = "") {
    Reply reply;
    std::unique_ptr<CURL, void (*)(CURL*)> c(curl_easy_init(), curl_easy_cleanup);
    curl_easy_setopt(c.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(c.get(), CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(c.get(), CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(c.get(), CURLOPT_NOPROXY, "*");
    curl_easy_setopt(c.get(), CURLOPT_HEADERFUNCTION, Append);
    curl_easy_setopt(c.get(), CURLOPT_HEADERDATA, &reply.headers);
    curl_easy_setopt(c.get(), CURLOPT_WRITEFUNCTION, Append);
    curl_easy_setopt(c.get(), CURLOPT_WRITEDATA, &reply.body);
    if (!post.empty()) curl_easy_setopt(c.get(), CURLOPT_POSTFIELDS, post.c_str());
    if (!cookie.empty()) curl_easy_setopt(c.get(), CURLOPT_COOKIE, cookie.c_str());
    if (curl_easy_perform(c.get()) == CURLE_OK) {
        curl_easy_getinfo(c.get(), CURLINFO_RESPONSE_CODE, &reply.status);
    }
    return reply;
}

std::string CookieValue(const std::string& headers, const std::string& name) {
    const size_t at = headers.find(name + "=");
    if (at == std::string::npos) return "";
    return headers.substr(at + name.size() + 1, headers.find(';', at) - at - name.size() - 1);
}

TEST(ServiceTls, ServesTheConsoleOverTlsWithSecureCookiesAndHsts) {
    TempDir dir;
    WriteCertificate(dir);
    SqliteStore store(dir.File("s.db"));
    RemoteCall call(store);
    console::Console console(store);
    console.GetAuth().CreateAccount("ana", Role::Lectura, "clave-de-prueba", "t");
    http::Router router;
    call.Mount(router);
    console.Mount(router);
    http::ServerOptions options;
    options.tlsCertificate = dir.File("cert.pem");
    options.tlsKey = dir.File("key.pem");
    http::Server server(router, options);
    const int port = server.Bind("127.0.0.1", 0);
    EXPECT_TRUE(server.Secure());
    std::thread running([&] { server.Run(); });
    const std::string root = "https://127.0.0.1:" + std::to_string(port);

    const Reply form = Fetch(root + "/consola/entrar");
    EXPECT_EQ(form.status, 200);
    EXPECT_NE(form.headers.find("Strict-Transport-Security: max-age="), std::string::npos);
    const std::string token = CookieValue(form.headers, "kestrin_previo");
    ASSERT_FALSE(token.empty()) << form.headers;
    const Reply signedIn = Fetch(root + "/consola/entrar",
                                 "previo=" + token + "&usuario=ana&clave=clave-de-prueba",
                                 "kestrin_previo=" + token);
    EXPECT_EQ(signedIn.status, 303);
    EXPECT_NE(signedIn.headers.find("HttpOnly; SameSite=Strict; Secure"), std::string::npos)
        << signedIn.headers;
    // Plain HTTP on the TLS port gets no page.
    EXPECT_NE(Fetch("http://127.0.0.1:" + std::to_string(port) + "/consola/entrar").status, 200);
    server.Stop();
    running.join();

    // Certificate files that cannot be read stop the service at start, saying which.
    http::ServerOptions broken;
    broken.tlsCertificate = dir.File("no-such.pem");
    broken.tlsKey = dir.File("key.pem");
    http::Server refused(router, broken);
    try {
        refused.Bind("127.0.0.1", 0);
        ADD_FAILURE() << "bound without a certificate";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("no-such.pem"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace rb::test
