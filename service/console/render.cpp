#include "service/console/render.h"

#include "core/cp1252.h"
#include "core/exception.h"
#include "core/text.h"
#include "service/console/web.h"
#include "service/store/records.h"

namespace rb::service::console {
namespace templates {
std::string_view EmbeddedFile(std::string_view name);  // written at build time
}  // namespace templates

namespace {

using kainjow::mustache::mustache;
using kainjow::mustache::partial;


std::string Render(const std::string& name, const Data& data) {
    const std::string_view source = Builtin(name + ".mustache");
    if (source.empty()) throw Exception("Falta la plantilla " + name);
    mustache view{std::string(source)};
    if (!view.is_valid()) throw Exception("Plantilla " + name + ": " + view.error_message());
    std::string html = view.render(data);
    if (!view.error_message().empty()) throw Exception("Plantilla " + name + ": " + view.error_message());
    return html;
}

// Who is signed in, for the layout's heading and menu.
void AddIdentity(const http::Request& request, Data& data) {
    const http::Identity& who = request.identity;
    data.set("conectado", who.role >= 0);
    if (who.role < 0) return;
    data.set("cuenta", Text(who.name));
    data.set("csrf", who.csrf);
    data.set("sesion", !who.csrf.empty());
    data.set("soporte", who.role >= static_cast<int>(Role::Soporte));
    data.set("admin", who.role >= static_cast<int>(Role::Admin));
}

}  // namespace

Data Text(const std::string& cp1252) {
    return Data(Cp1252ToUtf8(cp1252));
}

Data SummaryText(const std::string& cp1252) {
    std::string utf8 = Cp1252ToUtf8(cp1252);
    for (size_t at; (at = utf8.find(" -> ")) != std::string::npos;) {
        utf8.replace(at, 4, " \xE2\x86\x92 ");
    }
    return Data(utf8);
}

Data List() {
    return Data(Data::type::list);
}

std::string Grouped(int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ".");
    return (value < 0 ? "-" : "") + digits;
}

std::string_view Builtin(std::string_view name) {
    return templates::EmbeddedFile(name);
}

// The view is the layout's partial: its template text, rendered once with the page's values
// (never a rendered page parsed again, where a value could become template syntax).
http::Response Page(const http::Request& request, const std::string& view, Data data,
                    const std::string& title, int status) {
    const std::string_view source = Builtin(view + ".mustache");
    if (source.empty()) throw Exception("Falta la plantilla " + view);
    data.set("titulo", Text(title));
    data.set("contenido", partial([source] { return std::string(source); }));
    AddIdentity(request, data);
    http::Response response(status, "text/html; charset=utf-8", Render("layout", data));
    SecureHeaders(response, request.secure);
    return response;
}

http::Response ErrorPage(const http::Request& request, int status, const std::string& message) {
    Data data;
    data.set("mensaje", Text(message));
    return Page(request, "error", data, "Error", status);
}

}  // namespace rb::service::console
