// The document reader: LoadXML, then the report of what was read, then SaveXML. The same
// text is also read through its parsed tree: a document read where it lies must give the very
// same objects, and a refused one the same refusal.
#include <cstdlib>

#include "core/string_list.h"
#include "fuzz_util.h"
#include "xml/node_xml_rtti.h"
#include "xml/sys_info_xml.h"
#include "xml/xml_node_tree.h"

namespace {

// The written document, or the refusal's message.
std::string ReadThroughTree(std::string_view text) {
    rb::TXMLSysInfo document;
    auto& writer = dynamic_cast<rb::TNodeXMLRTTI&>(*document.Writer());
    try {
        rb::TXMLNode tree;
        tree.SetShortTags(true);
        tree.SetXML(text);
        writer.SetRTTIObject(&document);
        writer.SetTagName(document.InfoTag);
        writer.ReadNode(tree);
    } catch (const rb::Exception& e) {
        return std::string("refused: ") + e.what();
    }
    return document.SaveXML();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = rb::fuzz::AsText(data, size);
    std::string read;
    bool dense = false;
    try {
        rb::TXMLSysInfo document;
        document.LoadXML(text);
        rb::StringList report;
        if (document.SystemInfo) document.SystemInfo->Report(report);
        read = document.SaveXML();
    } catch (const rb::Exception& e) {
        read = std::string("refused: ") + e.what();
        dense = read.find("is not an inventory") != std::string::npos;
    }
    if (!dense && read != ReadThroughTree(text)) std::abort();
    return 0;
}
