#include "service/inventory_texts.h"

#include "core/string_list.h"
#include "service/filing/filing.h"
#include "service/remote_call/handler.h"
#include "xml/sys_info_xml.h"

namespace rb::service {

std::string ReportText(const std::string& xml) {
    StringList lines;
    try {
        RegisterDocumentClasses();
        TXMLSysInfo document;
        document.LoadXML(xml);
        document.SystemInfo->Report(lines);
    } catch (const std::exception& e) {
        lines.Clear();
        lines.Add(std::string("(el XML no se pudo leer: ") + e.what() + ")");
    }
    return lines.Text();
}

std::string PackageBytes(const Inventory& inventory) {
    return rb::PackageBytes(PackageText(inventory));
}

}  // namespace rb::service
