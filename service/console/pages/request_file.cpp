// Request files for customers: staff choose the sections, the sender's name, the destination
// (a case number, say) and whether the program collects and sends on its own; the console
// writes the ".rpg" file as the program reads it. The inventory that comes back carries the
// destination, so the list finds it.
#include <cctype>

#include "core/text.h"
#include "service/console/console.h"
#include "service/console/render.h"
#include "service/console/web.h"
#include "sysinfo/process_pages.h"
#include "viewer/overview_model.h"

namespace rb::service::console::pages {
namespace {

constexpr size_t kLongestValue = 200;

// The sections a request can name: the viewer's pages, by their members' names.
Data Sections(const Values& form, bool all) {
    Data sections = List();
    for (const viewer::PageInfo& page : viewer::kPages) {
        const std::string member = DescribeEnum(page.member).Name(static_cast<int>(page.member));
        Data section;
        section.set("miembro", member);
        section.set("titulo", Text(Trim(page.caption)));
        section.set("marcada", all || form.count("s_" + member) > 0);
        sections.push_back(section);
    }
    return sections;
}

http::Response Form(const http::Request& request, const Values& form, bool fresh,
                    const std::string& problem, int status) {
    Data data;
    data.set("secciones", Sections(form, fresh));
    data.set("nombre", fresh ? std::string() : form.count("nombre") ? form.at("nombre") : "");
    data.set("destino", fresh ? std::string() : form.count("destino") ? form.at("destino") : "");
    data.set("auto", fresh || form.count("auto") > 0);
    data.set("conproblema", !problem.empty());
    data.set("problema", Text(problem));
    return Page(request, "solicitud", data, "Solicitud de inventario", status);
}

// A value for a line of the file: one line of code page 1252 text, not too long.
bool LineValue(const Values& form, const char* name, std::string& value, std::string& problem) {
    const auto it = form.find(name);
    const std::string utf8 = it == form.end() ? std::string() : it->second;
    if (!FromBrowser(utf8, value) || value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
        problem = "Los valores deben ser una sola línea de texto en español (sin caracteres especiales)";
        return false;
    }
    value = Trim(value);
    if (value.size() > kLongestValue) {
        problem = Format("Los valores pueden tener hasta %u caracteres", unsigned(kLongestValue));
        return false;
    }
    return true;
}

// The destination as part of a file name: letters, digits and "-_", the rest left out.
std::string FileNamePart(const std::string& text) {
    std::string part;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') part += c;
    }
    return part.substr(0, 40);
}

}  // namespace

http::Response RequestForm(Console&, const http::Request& request) {
    return Form(request, {}, true, "", 200);
}

http::Response RequestFile(Console& console, const http::Request& request) {
    const Values form = FormOf(request);
    std::string nombre, destino, problem;
    if (!LineValue(form, "nombre", nombre, problem) || !LineValue(form, "destino", destino, problem)) {
        return Form(request, form, false, problem, 400);
    }
    std::string list;
    int chosen = 0;
    for (const viewer::PageInfo& page : viewer::kPages) {
        const std::string member = DescribeEnum(page.member).Name(static_cast<int>(page.member));
        if (form.count("s_" + member) == 0) continue;
        list += (list.empty() ? "" : ",") + member;
        ++chosen;
    }
    if (chosen == 0) return Form(request, form, false, "Elija al menos una sección", 400);
    if (chosen == viewer::kPageCount) list += ",pgKelto";  // the whole selection, as by default
    std::string text = "ProcessList=[" + list + "]\r\n";
    if (!nombre.empty()) text += "Nombre=" + nombre + "\r\n";
    text += "Destino=" + destino + "\r\n";
    text += std::string("Auto=") + (form.count("auto") ? "1" : "0") + "\r\n";
    console.GetStore().Record({0, "", 0, request.identity.name, "solicitud",
                               "destino " + destino, request.peer});
    const std::string part = FileNamePart(destino);
    http::Response response(200, "application/octet-stream", text);
    response.SetHeader("Content-Disposition",
                       "attachment; filename=\"solicitud" + (part.empty() ? "" : "-" + part) +
                           ".rpg\"");
    response.SetHeader("Cache-Control", "no-store");
    return response;
}

}  // namespace rb::service::console::pages
