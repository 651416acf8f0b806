#include "xml/sys_info_xml.h"

#include <algorithm>

#include "core/exception.h"
#include "core/text.h"
#include "xml/plain_document.h"

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

namespace {

// Counted in runs short enough for a byte counter, which the compiler widens.
size_t CountOf(std::string_view text, char c) {
    size_t count = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t stop = std::min(text.size(), at + 255);
        unsigned char run = 0;
        for (; at < stop; ++at) run += text[at] == c;
        count += run;
    }
    return count;
}

}  // namespace

// A plain document's elements are counted by its scan (each has two tags), which stops at the
// limit; any other text is counted before it is parsed.
void TXMLSysInfo::LoadXML(std::string_view text) {
    const bool large = text.size() > kDenseDocumentFloor;
    const size_t maxStarts = text.size() / kMinBytesPerElement;
    PlainDocument scan;
    scan.Scan(text, large ? maxStarts / 2 : SIZE_MAX);
    if (large) {
        const size_t starts = scan.Plain() ? 2 * scan.ElementCount() : CountOf(text, '<');
        if (starts > maxStarts) {
            throw Exception(Format("The document is not an inventory: %u elements in %u bytes",
                                   static_cast<unsigned>(starts),
                                   static_cast<unsigned>(text.size())));
        }
    }
    writer_->SetRTTIObject(this);
    writer_->SetTagName(InfoTag);
    writer_->ReadScanned(text, scan);
}

}  // namespace rb
