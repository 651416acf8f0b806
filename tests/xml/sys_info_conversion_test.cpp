// Values that cannot be converted, met while loading a whole document, and unsigned 32-bit
// values of 2^31 and above, which are written as negative numbers and must load back.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/exception.h"
#include "sysinfo/msystem_info.h"
#include "xml/document_helpers.h"
#include "xml/sys_info_xml.h"

namespace rb {
namespace {

std::string LoadError(const std::string& text, TXMLSysInfo& doc) {
    try {
        doc.LoadXML(text);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "<no error>";
}

std::string LoadError(const std::string& text) {
    TXMLSysInfo doc;
    return LoadError(text, doc);
}

TEST(SysInfoConversion, UnconvertibleValuesStopTheLoadWithTheirError) {
    const struct {
        const char* line;
        const char* replacement;
        const char* message;
    } cases[] = {
        {" <COUNT>0</COUNT>", " <COUNT>dos</COUNT>",
         "'dos' is not a valid integer value for property COUNT"},
        {" <COUNT>0</COUNT>", " <COUNT></COUNT>",
         "'' is not a valid integer value for property COUNT"},
        {" <PHYSICALTOTAL>0</PHYSICALTOTAL>", " <PHYSICALTOTAL>4 GB</PHYSICALTOTAL>",
         "'4 GB' is not a valid integer value for property PHYSICALTOTAL"},
        {" <ACPOWERSTATUS>psUnknown</ACPOWERSTATUS>", " <ACPOWERSTATUS>psMaybe</ACPOWERSTATUS>",
         "Invalid property element: psMaybe"},
        {" <FDIVBUG>False</FDIVBUG>", " <FDIVBUG>Si</FDIVBUG>", "Invalid property element: Si"},
        {" <INSTALLEDSUITES></INSTALLEDSUITES>",
         " <INSTALLEDSUITES>suEnterprise,suGaming</INSTALLEDSUITES>",
         "Invalid property element: suGaming"},
        {" <PROCESSLIST></PROCESSLIST>", " <PROCESSLIST>[pgOS pgTodo]</PROCESSLIST>",
         "Invalid property element: pgTodo"},
        {" <WIN9X_SYSTEMRES>0</WIN9X_SYSTEMRES>", " <WIN9X_SYSTEMRES>256</WIN9X_SYSTEMRES>",
         "'256' is out of range for property WIN9X_SYSTEMRES (0..255)"},
        {" <WIN9X_SYSTEMRES>0</WIN9X_SYSTEMRES>", " <WIN9X_SYSTEMRES>-1</WIN9X_SYSTEMRES>",
         "'-1' is out of range for property WIN9X_SYSTEMRES (0..255)"},
        {" <RDECIMALSEPARATOR>0</RDECIMALSEPARATOR>", " <RDECIMALSEPARATOR>256</RDECIMALSEPARATOR>",
         "'256' is out of range for property RDECIMALSEPARATOR (0..255)"},
        {" <SERVICEPACKMAJORVERSION>0</SERVICEPACKMAJORVERSION>",
         " <SERVICEPACKMAJORVERSION>65536</SERVICEPACKMAJORVERSION>",
         "'65536' is out of range for property SERVICEPACKMAJORVERSION (0..65535)"},
        {" <TAG>0</TAG>", " <TAG>2147483648</TAG>",
         "'2147483648' is out of range for property TAG (-2147483648..2147483647)"},
        {" <STARTINGTICK>0</STARTINGTICK>", " <STARTINGTICK>4294967296</STARTINGTICK>",
         "'4294967296' is out of range for property STARTINGTICK (-2147483648..4294967295)"},
        {" <STARTINGTICK>0</STARTINGTICK>", " <STARTINGTICK>-2147483649</STARTINGTICK>",
         "'-2147483649' is out of range for property STARTINGTICK (-2147483648..4294967295)"},
    };
    const std::string fresh = Golden("empty_processlist.xml");
    for (const auto& c : cases) {
        EXPECT_EQ(LoadError(Replaced(fresh, c.line, c.replacement)), c.message) << c.replacement;
    }
}

// An item that fails names its TYPE; an item failing inside an item names the outer one.
TEST(SysInfoConversion, FailingItemsNameTheirClass) {
    const struct {
        const char* endTag;
        const char* item;
        const char* message;
    } cases[] = {
        {"</SERVICES>\r\n<NETWORK",
         "<ServiceItem TYPE=\"TServiceItem\">\r\n <STATUS>csBogus</STATUS>\r\n</ServiceItem>\r\n",
         "Error Handling class [TServiceItem]"},
        {"</DISKS>", "<Disk TYPE=\"TDisk\">\r\n <FREECLUSTERS>x</FREECLUSTERS>\r\n</Disk>\r\n",
         "Error Handling class [TDisk]"},
        {"</ERRORLIST>",
         "<StringCollectionItem TYPE=\"TStringCollectionItem\">\r\n <THEINDEX>uno</THEINDEX>\r\n"
         "</StringCollectionItem>\r\n",
         "Error Handling class [TStringCollectionItem]"},
        {"</SERVICES>\r\n<NETWORK",
         "<ServiceItem TYPE=\"TServiceItem\">\r\n<DEPENDENCIES TYPE=\"TStringCollection\">\r\n"
         "<StringCollectionItem TYPE=\"TStringCollectionItem\">\r\n <THEINDEX>1.5</THEINDEX>\r\n"
         "</StringCollectionItem>\r\n</DEPENDENCIES>\r\n</ServiceItem>\r\n",
         "Error Handling class [TServiceItem]"},
    };
    const std::string fresh = Golden("fresh_document.xml");
    for (const auto& c : cases) {
        const std::string text = Replaced(fresh, c.endTag, c.item + std::string(c.endTag));
        EXPECT_EQ(LoadError(text), c.message) << c.item;
    }
}

// The load stops at the failing value: what came before it is loaded, what follows is not.
TEST(SysInfoConversion, AFailedLoadKeepsWhatWasReadBeforeTheError) {
    std::string text = Golden("fresh_document.xml");
    text = Replaced(text, " <TERMINALNAME></TERMINALNAME>", " <TERMINALNAME>caja 3</TERMINALNAME>");
    text = Replaced(text, " <BIAS>0</BIAS>", " <BIAS>-60</BIAS>");
    text = Replaced(text, " <DAYLIGHTBIAS>0</DAYLIGHTBIAS>", " <DAYLIGHTBIAS>n/a</DAYLIGHTBIAS>");
    text = Replaced(text, " <STANDARDBIAS>0</STANDARDBIAS>", " <STANDARDBIAS>-60</STANDARDBIAS>");
    TXMLSysInfo doc;
    EXPECT_EQ(LoadError(text, doc), "'n/a' is not a valid integer value for property DAYLIGHTBIAS");
    EXPECT_EQ(doc.TerminalName, "caja 3");
    EXPECT_EQ(doc.SystemInfo->OS->TimeZone->Bias, -60);
    EXPECT_EQ(doc.SystemInfo->OS->TimeZone->StandardBias, 0);
}

// Written as the signed reading of their bits; such negative text loads back modulo 2^32, and
// the positive form is taken as well.
TEST(SysInfoConversion, UnsignedValuesFromTwoToThe31LoadBack) {
    using Set = void (*)(TMSystemInfo&, uint32_t);
    using Get = uint32_t (*)(const TMSystemInfo&);
    const struct {
        const char* element;
        uint32_t value;
        const char* written;
        Set set;
        Get get;
    } cases[] = {
        {"STARTINGTICK", 3000000000u, "-1294967296",
         [](TMSystemInfo& s, uint32_t v) { s.PerformanceInfo->StartingTick = v; },
         [](const TMSystemInfo& s) { return s.PerformanceInfo->StartingTick; }},
        {"VENDOR", 0xFFFFFFFFu, "-1", [](TMSystemInfo& s, uint32_t v) { s.CPU->Cache->Vendor = v; },
         [](const TMSystemInfo& s) { return s.CPU->Cache->Vendor; }},
        {"FREECLUSTERS", 0x80000000u, "-2147483648",
         [](TMSystemInfo& s, uint32_t v) { s.Disks->AddItem<TDisk>().FreeClusters = v; },
         [](const TMSystemInfo& s) { return s.Disks->ItemAs<TDisk>(0).FreeClusters; }},
        {"ATTRIBUTES", 0x80000001u, "-2147483647",
         [](TMSystemInfo& s, uint32_t v) {
             s.Printers->AddItem<TPrinterDeviceComplete>().Attributes = v;
         },
         [](const TMSystemInfo& s) {
             return s.Printers->ItemAs<TPrinterDeviceComplete>(0).Attributes;
         }},
        {"TIMEELAPSED", 0x7FFFFFFFu, "2147483647",
         [](TMSystemInfo& s, uint32_t v) {
             s.PerformanceInfo->AddItem<TPerformanceItem>().TimeElapsed = v;
         },
         [](const TMSystemInfo& s) {
             return s.PerformanceInfo->ItemAs<TPerformanceItem>(0).TimeElapsed;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        TXMLSysInfo doc;
        c.set(*doc.SystemInfo, c.value);
        const std::string saved = doc.SaveXML();
        const std::string line = std::string(" <") + c.element + ">" + c.written + "</";
        EXPECT_NE(saved.find(line), std::string::npos) << line;

        TXMLSysInfo loaded;
        loaded.LoadXML(saved);
        EXPECT_EQ(c.get(*loaded.SystemInfo), c.value);
        EXPECT_TRUE(SameDocument(saved, loaded.SaveXML()));

        TXMLSysInfo positive;
        positive.LoadXML(Replaced(
            saved, line, std::string(" <") + c.element + ">" + std::to_string(c.value) + "</"));
        EXPECT_EQ(c.get(*positive.SystemInfo), c.value);
    }
}

}  // namespace
}  // namespace rb
