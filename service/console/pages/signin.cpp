// Signing in and out, the console's start and its style sheet.
#include "core/text.h"
#include "service/console/console.h"
#include "service/console/render.h"
#include "service/console/web.h"

namespace rb::service::console::pages {
namespace {

// The form's own token, kept in a cookie of its own until the form comes back, so that no
// other site can post a sign-in in the staff's browser.
constexpr const char* kFormCookie = "kestrin_previo";

std::string CookieLine(const std::string& name, const std::string& value, const std::string& path,
                       bool secure, bool remove = false) {
    std::string line = name + "=" + value + "; Path=" + path + "; HttpOnly; SameSite=Strict";
    if (secure) line += "; Secure";
    if (remove) line += "; Max-Age=0";
    return line;
}

// Where to go once signed in: a console page, never another site.
std::string Destination(const std::string& back) {
    return back.rfind("/consola/", 0) == 0 || back.rfind("/api/", 0) == 0 ? back
                                                                           : "/consola/inventarios";
}

http::Response Form(const http::Request& request, const std::string& back,
                    const std::string& problem, int status) {
    const std::string token = NewSecret();
    Data data;
    data.set("previo", token);
    data.set("volver", back);
    data.set("conproblema", !problem.empty());
    data.set("problema", Text(problem));
    http::Response response = Page(request, "entrar", data, "Entrar", status);
    response.SetHeader("Set-Cookie", CookieLine(kFormCookie, token, "/consola/entrar",
                                                request.secure));
    return response;
}

}  // namespace

http::Response Start(Console&, const http::Request&) {
    return Redirect("/consola/inventarios");
}

http::Response Style(Console&, const http::Request&) {
    http::Response response(200, "text/css; charset=utf-8", std::string(Builtin("estilo.css")));
    response.SetHeader("Cache-Control", "max-age=3600");
    response.SetHeader("X-Content-Type-Options", "nosniff");
    return response;
}

http::Response SignInForm(Console&, const http::Request& request) {
    const std::string back = Destination(QueryOf(request)["volver"]);
    if (request.identity.role >= 0 && !request.identity.csrf.empty()) return Redirect(back);
    return Form(request, back, "", 200);
}

http::Response SignIn(Console& console, const http::Request& request) {
    Values form = FormOf(request);
    const std::string back = Destination(form["volver"]);
    if (!SameSecret(form["previo"], CookieOf(request, kFormCookie))) {
        return Form(request, back, "El formulario ha caducado; vuelva a intentarlo.", 403);
    }
    std::string name;
    if (!FromBrowser(form["usuario"], name)) name.clear();
    const Auth::SignInResult result =
        console.GetAuth().SignIn(name, form["clave"], request.peer);
    if (result.cookie.empty()) {
        return Form(request, back, result.problem, result.waitSeconds > 0 ? 429 : 401);
    }
    http::Response response = Redirect(back);
    response.SetHeader("Set-Cookie", CookieLine(kSessionCookie, result.cookie, "/", request.secure));
    response.SetHeader("Set-Cookie",
                       CookieLine(kFormCookie, "", "/consola/entrar", request.secure, true));
    return response;
}

http::Response SignOut(Console& console, const http::Request& request) {
    console.GetAuth().SignOut(CookieOf(request, kSessionCookie), request.peer);
    http::Response response = Redirect("/consola/entrar");
    response.SetHeader("Set-Cookie", CookieLine(kSessionCookie, "", "/", request.secure, true));
    return response;
}

}  // namespace rb::service::console::pages
