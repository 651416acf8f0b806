#include "xml/sys_info_xml.h"

#include <algorithm>

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
        // Counted in runs short enough for a byte counter, which the compiler widens.
        size_t starts = 0;
        for (size_t at = 0; at < text.size();) {
            const size_t stop = std::min(text.size(), at + 255);
            unsigned char run = 0;
            for (; at < stop; ++at) run += text[at] == '<';
            starts += run;
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
