#include "xml/sys_info_xml.h"

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

void TXMLSysInfo::LoadXML(std::string_view text) { ReadXML(InfoTag, text); }

}  // namespace rb
