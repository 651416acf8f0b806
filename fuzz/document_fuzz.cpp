// The document reader: LoadXML, then the report of what was read, then SaveXML.
#include "core/string_list.h"
#include "fuzz_util.h"
#include "xml/sys_info_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rb::fuzz::Refusable([&] {
        rb::TXMLSysInfo document;
        document.LoadXML(rb::fuzz::AsText(data, size));
        rb::StringList report;
        if (document.SystemInfo) document.SystemInfo->Report(report);
        (void)document.SaveXML();
    });
    return 0;
}
