// The system-information XML document: the inventory (TMSystemInfo) written and read through
// the property-driven writer, under the top element "InfoSistema".
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "sysinfo/msystem_info.h"
#include "xml/node_xml_rtti.h"
#include "xml/xml_rtti.h"

namespace rb {

class TXMLSysInfo : public TXMLAware {
    RB_PERSISTENT_CLASS
public:
    TXMLSysInfo();
    ~TXMLSysInfo() override;

    // The document text (8-bit, CR LF line ends, no declaration).
    std::string SaveXML();
    // Fills SystemInfo (and TerminalName, InfoTag) from a document. A document of more than
    // kDenseDocumentFloor bytes with more than one element start ('<') in every
    // kMinBytesPerElement bytes is refused before it is parsed: no inventory comes near that
    // (they hold one in about 25 bytes) and its tree would take many times its size.
    void LoadXML(std::string_view text);
    static constexpr size_t kDenseDocumentFloor = 1u << 20;
    static constexpr size_t kMinBytesPerElement = 8;

    // Published, in this order.
    std::string TerminalName;  // never set by the program; written empty
    std::unique_ptr<TMSystemInfo> SystemInfo;
    std::string InfoTag = "InfoSistema";

private:
    explicit TXMLSysInfo(std::unique_ptr<TNodeXMLRTTI> writer);
    std::unique_ptr<TNodeXMLRTTI> writer_;
};

}  // namespace rb
