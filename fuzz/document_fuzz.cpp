// The document reader: LoadXML, then the report of what was read, then SaveXML. The same
// text is also read through its parsed tree: a document read where it lies must give the very
// same objects, and a refused one the same refusal. What was read is also compared: with
// itself it differs in nothing, against an empty inventory it gives its changes and their
// texts, and its fingerprint comes back from its text form.
#include <cstdlib>

#include "compare/change_text.h"
#include "compare/diff.h"
#include "compare/machine_identity.h"

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

void Compare(const rb::TMSystemInfo& info) {
    const rb::compare::DiffOptions all{true};
    if (!rb::compare::DiffInventories(info, info, all).changes.empty()) std::abort();
    const rb::TMSystemInfo empty;
    const auto changes = rb::compare::DiffInventories(empty, info, all).changes;
    for (const rb::compare::Change& c : changes) rb::compare::ChangeLine(c);
    rb::compare::ChangeSummaryUtf8(changes);
    const rb::compare::MachineFingerprint f = rb::compare::FingerprintOf(info);
    if (!(rb::compare::DecodeFingerprint(rb::compare::EncodeFingerprint(f)) == f)) std::abort();
    rb::compare::MatchMachines(f, rb::compare::FingerprintOf(empty));
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
        if (document.SystemInfo) Compare(*document.SystemInfo);
        read = document.SaveXML();
    } catch (const rb::Exception& e) {
        read = std::string("refused: ") + e.what();
        dense = read.find("is not an inventory") != std::string::npos;
    }
    if (!dense && read != ReadThroughTree(text)) std::abort();
    return 0;
}
