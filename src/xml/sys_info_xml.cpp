#include "xml/sys_info_xml.h"

#include <cstring>

#include "core/exception.h"
#include "core/text.h"

namespace rb {

const ClassInfo& TXMLSysInfo::StaticClass() {
    static const ClassInfo info("TXMLSysInfo", &TXMLAware::StaticClass(),
                                {Prop<&TXMLSysInfo::TerminalName>("TerminalName"),
                                 Prop<&TXMLSysInfo::SystemInfo>("SystemInfo"),
                                 Prop<&TXMLSysInfo::InfoTag>("InfoTag")},
                                MakeInstance<TXMLSysInfo>);
    return info;
}

TXMLSysInfo::TXMLSysInfo() : TXMLSysInfo(std::make_unique<TNodeXMLRTTI>()) {
    RegisterInformationClasses();  // items are re-created from their class names
}

TXMLSysInfo::TXMLSysInfo(std::unique_ptr<TNodeXMLRTTI> writer)
    : TXMLAware(writer.get()), SystemInfo(std::make_unique<TMSystemInfo>()),
      writer_(std::move(writer)) {}

TXMLSysInfo::~TXMLSysInfo() = default;

std::string TXMLSysInfo::SaveXML() { return WriteXML(InfoTag); }

void TXMLSysInfo::LoadXML(std::string_view text) {
    if (text.size() > kDenseDocumentFloor) {
        size_t starts = 0;
        for (const char* at = text.data(), *end = at + text.size();
             (at = static_cast<const char*>(std::memchr(at, '<', size_t(end - at)))) != nullptr;
             ++at) {
            ++starts;
        }
        if (starts > text.size() / kMinBytesPerElement) {
            throw Exception(Format("The document is not an inventory: %u elements in %u bytes",
                                   static_cast<unsigned>(starts),
                                   static_cast<unsigned>(text.size())));
        }
    }
    ReadXML(InfoTag, text);
}

}  // namespace rb
