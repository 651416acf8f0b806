// The system-information document as a whole: the fresh documents against files written by
// hand from the model's documented tables (never from the program's output), loading, and the
// round trip of a richly filled inventory.
#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "sysinfo/msystem_info.h"
#include "xml/document_filler.h"
#include "xml/document_helpers.h"
#include "xml/sys_info_xml.h"

namespace rb {
namespace {

TEST(SysInfoDocument, FreshDocumentIsTheDescribedOne) {
    TXMLSysInfo doc;
    EXPECT_TRUE(SameDocument(Golden("fresh_document.xml"), doc.SaveXML()));
}

TEST(SysInfoDocument, EmptySelectionStillWritesEverySection) {
    TXMLSysInfo doc;
    doc.SystemInfo->ProcessList = TProcessPages();
    EXPECT_TRUE(SameDocument(Golden("empty_processlist.xml"), doc.SaveXML()));
}

TEST(SysInfoDocument, LoadingAnEmptySelectionGivesAnEmptySelection) {
    TXMLSysInfo doc;
    ASSERT_EQ(doc.SystemInfo->ProcessList.Mask(), 0xFFFFFu);
    doc.LoadXML(Golden("empty_processlist.xml"));
    EXPECT_TRUE(doc.SystemInfo->ProcessList.Empty());
    EXPECT_TRUE(SameDocument(Golden("empty_processlist.xml"), doc.SaveXML()));
}

// Every element of the fresh document is read: loading it over a filled inventory gives the
// fresh inventory back (values assigned, collections emptied).
TEST(SysInfoDocument, LoadingTheFreshDocumentResetsAFilledInventory) {
    TXMLSysInfo doc;
    FillDocument(doc);
    doc.LoadXML(Golden("fresh_document.xml"));
    EXPECT_TRUE(SameDocument(Golden("fresh_document.xml"), doc.SaveXML()));
}

TEST(SysInfoDocument, MissingWinsockKeepsTheValuesOfAFreshObject) {
    TXMLSysInfo filled;
    FillDocument(filled);
    const std::string rich = filled.SaveXML();
    const std::string winsock = ElementOf(rich, "WINSOCK");
    ASSERT_FALSE(winsock.empty());
    const std::string freshWinsock = ElementOf(Golden("fresh_document.xml"), "WINSOCK");
    ASSERT_NE(winsock, freshWinsock);

    TXMLSysInfo doc;
    doc.LoadXML(Replaced(rich, winsock, ""));
    EXPECT_EQ(doc.SystemInfo->Network->WinSock->Description, "");
    EXPECT_EQ(doc.SystemInfo->Network->WinSock->MajorVersion, 0);
    // Everything else, the rest of NETWORK included, is the filled inventory's.
    EXPECT_TRUE(SameDocument(Replaced(rich, winsock, freshWinsock), doc.SaveXML()));
}

TEST(SysInfoDocument, FilledInventoryCoversEveryPropertyAndItsEdgeValues) {
    TXMLSysInfo doc;
    FillDocument(doc);
    const std::string text = doc.SaveXML();
    // The filler leaves no simple property at a fresh object's value.
    for (const std::string& line : Lines(text)) {
        if (line.compare(0, 2, " <") != 0) continue;
        const size_t open = line.find('>');
        const std::string value = line.substr(open + 1, line.find("</") - open - 1);
        EXPECT_TRUE(!value.empty() && value != "0" && value != "False") << line;
    }
    const char* expected[] = {
        "<Disk TYPE=\"TDisk\">",
        "<MediaItem TYPE=\"TMediaItem\">",
        "<Device TYPE=\"TDevice\">",
        "<Display TYPE=\"TDisplay\">",
        "<Process TYPE=\"TProcess\">",
        "<PrinterDeviceComplete TYPE=\"TPrinterDeviceComplete\">",
        "<StartupItem TYPE=\"TStartupItem\">",
        "<ServiceItem TYPE=\"TServiceItem\">",
        "<PerformanceItem TYPE=\"TPerformanceItem\">",
        "<StringCollectionItem TYPE=\"TStringCollectionItem\">",
        "a &lt;b&gt; &amp; c",
        "Año",
        "pgOS,pgMem",
        " <FREESPACE>-9223372036854775808</FREESPACE>",
        " <RDECIMALSEPARATOR>44</RDECIMALSEPARATOR>",
        "\r\nsegunda línea",
    };
    for (const char* s : expected) EXPECT_NE(text.find(s), std::string::npos) << s;
}

TEST(SysInfoDocument, LoadOfSaveSavesTheSameText) {
    TXMLSysInfo doc;
    FillDocument(doc);
    const std::string saved = doc.SaveXML();
    TXMLSysInfo loaded;
    loaded.LoadXML(saved);
    EXPECT_TRUE(SameDocument(saved, loaded.SaveXML()));
    EXPECT_EQ(loaded.SystemInfo->OS->TimeZone->DisplayName,
              doc.SystemInfo->OS->TimeZone->DisplayName);
    EXPECT_EQ(loaded.SystemInfo->Memory->PhysicalTotal, doc.SystemInfo->Memory->PhysicalTotal);
}

// Neither the top element's name nor any TYPE value is checked on loading.
TEST(SysInfoDocument, LoadingIgnoresTheTopNameAndTheTypes) {
    TXMLSysInfo doc;
    FillDocument(doc);
    const std::string saved = doc.SaveXML();
    std::string text = Replaced(saved, "<InfoSistema TYPE=\"TXMLSysInfo\">", "<Inventario>");
    text = Replaced(text, "</InfoSistema>", "</Inventario>");
    text = Replaced(text, "<CPU TYPE=\"TCPU\">", "<CPU TYPE=\"TOtro\">");
    text = Replaced(text, "<Disk TYPE=\"TDisk\">", "<Disk TYPE=\"TNada\">");
    TXMLSysInfo loaded;
    loaded.LoadXML(text);
    EXPECT_TRUE(SameDocument(saved, loaded.SaveXML()));
}

// Media items of the device classes keep their class and their own properties through a save
// and a load; a TYPE that names no class derived from the item class gives a plain item.
TEST(SysInfoDocument, MediaItemsKeepTheirDeviceClass) {
    TXMLSysInfo doc;
    FillDocument(doc, MediaItems::DeviceClasses);
    const std::string saved = doc.SaveXML();
    const char* written[] = {"TWOCMediaItem", "TWICMediaItem", "TMOCMediaItem",
                             "TMICMediaItem", "TAXCMediaItem", "TMXCMediaItem"};
    for (const char* type : written) {
        EXPECT_NE(saved.find("<MediaItem TYPE=\"" + std::string(type) + "\">"), std::string::npos);
    }
    TXMLSysInfo loaded;
    loaded.LoadXML(saved);
    TMedia& media = *loaded.SystemInfo->Media;
    ASSERT_EQ(media.Count(), doc.SystemInfo->Media->Count());
    for (int i = 0; i < media.Count(); ++i) {
        EXPECT_EQ(media.Item(i).ClassName(), doc.SystemInfo->Media->Item(i).ClassName());
    }
    EXPECT_TRUE(SameDocument(saved, loaded.SaveXML()));

    std::string foreign = Replaced(saved, "<MediaItem TYPE=\"TWOCMediaItem\">",
                                   "<MediaItem TYPE=\"TDisk\">");
    foreign = Replaced(foreign, "<MediaItem TYPE=\"TWICMediaItem\">",
                       "<MediaItem TYPE=\"TNoSuchClass\">");
    TXMLSysInfo other;
    other.LoadXML(foreign);
    EXPECT_EQ(other.SystemInfo->Media->Item(0).ClassName(), "TMediaItem");
    EXPECT_EQ(other.SystemInfo->Media->Item(1).ClassName(), "TMediaItem");
}

// Documents far denser in elements than any inventory are refused before their tree is built;
// small ones and large real-looking ones are read.
TEST(SysInfoDocument, RefusesDocumentsDenserInElementsThanAnyInventory) {
    TXMLSysInfo filled;
    for (int i = 0; i < 20000; ++i) {
        filled.SystemInfo->Software->Installed->Add(
            Format("Programa de gestión número %d, versión 1.%d (Español)", i, i));
    }
    const std::string large = filled.SaveXML();
    ASSERT_GT(large.size(), TXMLSysInfo::kDenseDocumentFloor);
    std::string dense;
    while (dense.size() <= TXMLSysInfo::kDenseDocumentFloor) dense += "<a>";
    struct Case {
        std::string text;
        bool refused;
    };
    const Case cases[] = {
        {std::string(3000, '<'), false},  // under the floor: read however dense
        {dense, true},
        {large, false},
    };
    for (const Case& c : cases) {
        TXMLSysInfo doc;
        std::string error;
        try {
            doc.LoadXML(c.text);
        } catch (const std::exception& e) {
            error = e.what();
        }
        EXPECT_EQ(error.find("is not an inventory") != std::string::npos, c.refused)
            << c.text.size() << ": " << error;
    }
}

}  // namespace
}  // namespace rb
