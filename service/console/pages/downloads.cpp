// An inventory's downloads: the package as the program writes it, the text report as the
// program's viewer saves "Todos los tópicos", and the XML. Each download is recorded.
#include "core/text.h"
#include "service/console/console.h"
#include "service/console/render.h"
#include "service/inventory_texts.h"
#include "service/remote_call/handler.h"

namespace rb::service::console::pages {
namespace {

http::Response Download(Console& console, const http::Request& request, const char* what,
                        const char* extension, const char* type,
                        std::string (*content)(const rb::service::Inventory&)) {
    const int64_t id = request.numbers.at(0);
    const std::optional<rb::service::Inventory> inv = console.GetStore().GetInventory(id);
    if (!inv) {
        return ErrorPage(request, 404, Format("No hay ningún inventario con el número %lld.",
                                              static_cast<long long>(id)));
    }
    console.GetStore().Record({0, "", 0, request.identity.name, "descarga",
                               Format("%s del inventario %lld", what, static_cast<long long>(id)),
                               request.peer});
    http::Response response(200, type, content(*inv));
    response.SetHeader("Content-Disposition",
                       Format("attachment; filename=\"inventario-%lld.%s\"",
                              static_cast<long long>(id), extension));
    response.SetHeader("Cache-Control", "no-store");
    response.SetHeader("X-Content-Type-Options", "nosniff");
    return response;
}

}  // namespace

http::Response Package(Console& console, const http::Request& request) {
    return Download(console, request, "paquete", "fzp", "application/octet-stream",
                    [](const rb::service::Inventory& inv) { return PackageBytes(inv); });
}

http::Response Report(Console& console, const http::Request& request) {
    return Download(console, request, "informe", "txt", "text/plain; charset=windows-1252",
                    [](const rb::service::Inventory& inv) { return ReportText(inv.xml); });
}

http::Response Xml(Console& console, const http::Request& request) {
    return Download(console, request, "XML", "xml", "application/xml; charset=windows-1252",
                    [](const rb::service::Inventory& inv) { return inv.xml; });
}

}  // namespace rb::service::console::pages
