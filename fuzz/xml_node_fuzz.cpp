// The node tree: any text parses, writes back, parses again and is freed; the service's one-pass
// reading of the selected sections agrees with the tree's. (A written tree need not read back
// the same: text before a child element, which no written document has, joins the child's.)
#include "core/text.h"
#include "fuzz_util.h"
#include "service/filing/filing.h"
#include "xml/xml_node_tree.h"

namespace {

std::string TreeSections(const rb::TXMLNode& root) {
    const int info = root.IndexOfChild("SYSTEMINFO");
    if (info < 0) return "";
    const rb::TXMLNode& system = root.Children(info);
    const int list = system.IndexOfChild("PROCESSLIST");
    return list < 0 ? "" : rb::Trim(system.Children(list).Body());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = rb::fuzz::AsText(data, size);
    rb::TXMLNode root;
    root.SetXML(text);
    if (rb::service::SelectedSections(text) != TreeSections(root)) __builtin_trap();
    rb::TXMLNode again;
    again.SetXML(root.XML());
    return 0;
}
