// The connection module: creation, collection, packages, request files, mail body.
#include "connection/connection_module.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "core/exception.h"
#include "xml/sys_info_xml.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/device_tree_sim.h"
#include "test_files.h"

namespace rb {
namespace {

class ConnectionTest : public ::testing::Test {
protected:
    ConnectionTest() { testing_hw::AddDisplayAdapter(sim); }
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    TempDir dir;

    std::string Request(const std::string& text) {
        const std::string path = dir.File("pedido.rpg");
        WriteBytes(path, text);
        return path;
    }
};

TEST_F(ConnectionTest, StartsWithEverythingSelectedAndNothingHeld) {
    TdmKestrinConnection m;
    EXPECT_EQ(m.tmpFile, "C:\\WINDOWS\\TEMP\\kt_infosys.fzp");
    EXPECT_EQ(m.ProcessList.Mask(), 0xFFFFFu);
    EXPECT_FALSE(m.Auto);
    EXPECT_EQ(m.XMLData, "");
    EXPECT_EQ(m.Header().Nombre, "");
    EXPECT_EQ(TemporaryPackagePath("C:\\TEMP"), "C:\\TEMP\\kt_infosys.fzp");
    EXPECT_EQ(TemporaryPackagePath(std::string(300, 'x') + "\\"),
              std::string(300, 'x') + "\\kt_infosys.fzp");  // long folders are not cut
}

TEST_F(ConnectionTest, CollectRelaysTheEventsAndKeepsOnlyTheXml) {
    TdmKestrinConnection m;
    m.ProcessList = TProcessPages::FromMask(0x00400);
    int started = -1;
    std::vector<std::string> steps;
    m.OnGetInfoStarts.Assign([&](Persistent*, int32_t n) { started = n; });
    m.OnGetInfoCompleteProcess.Assign(
        [&](Persistent*, const std::string& s, int32_t n) { steps.push_back(s + std::to_string(n)); });
    m.Collect();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(steps, (std::vector<std::string>{"Motores1", "DirectX2"}));
    EXPECT_EQ(m.XMLData.rfind("<InfoSistema TYPE=\"TXMLSysInfo\">\r\n", 0), 0u);
    EXPECT_NE(m.XMLData.find(" <PROCESSLIST>pgEng</PROCESSLIST>\r\n"), std::string::npos);

    TdmKestrinConnection quiet;  // no handlers: still collects
    quiet.Collect();
    EXPECT_FALSE(quiet.XMLData.empty());
}

TEST_F(ConnectionTest, CollectErrorsReachTheCallerUnlessUnattended) {
    TdmKestrinConnection m;
    m.XMLData = "anterior";
    m.OnGetInfoStarts.Assign([](Persistent*, int32_t) { throw Exception("interrumpido"); });
    EXPECT_THROW(m.Collect(), Exception);
    EXPECT_EQ(m.XMLData, "anterior");
}

TEST_F(ConnectionTest, UnattendedCollectionLeftEarlyDeliversWhatItGatheredAndWhy) {
    // CPU, operating system, memory, machine; the refresh is left after the memory step.
    struct Case {
        std::function<void(TdmKestrinConnection&)> fail;
        int gathered;
        const char* message;
    };
    const Case cases[] = {
        {[](TdmKestrinConnection& m) {
             m.OnGetInfoCompleteProcess.Assign([](Persistent*, const std::string& name, int32_t) {
                 if (name == "Memoria") throw Exception("interrumpido");
             });
         },
         3, "interrumpido"},
        {[](TdmKestrinConnection& m) {
             m.OnGetInfoStarts.Assign([](Persistent*, int32_t) { throw std::length_error("x"); });
         },
         0, "x"},
    };
    for (const Case& c : cases) {
        TdmKestrinConnection m;
        m.Auto = true;
        m.XMLData = "anterior";
        m.ProcessList = TProcessPages::FromMask(0x0000F);
        c.fail(m);
        ASSERT_NO_THROW(m.Collect());
        TXMLSysInfo delivered;
        delivered.LoadXML(m.XMLData);
        const TMSystemInfo& info = *delivered.SystemInfo;
        ASSERT_EQ(info.PerformanceInfo->Count(), c.gathered) << c.message;
        if (c.gathered > 0) {
            EXPECT_EQ(info.PerformanceInfo->ItemAs<TPerformanceItem>(0).TestName, "CPU");
            EXPECT_EQ(info.OS->Platform, "Windows NT");  // gathered before the failure
        }
        EXPECT_EQ(info.Machine->Name, "");  // never reached
        ASSERT_GE(info.ErrorList->Count(), 1) << c.message;
        EXPECT_EQ(info.ErrorList->Get(info.ErrorList->Count() - 1), c.message);
    }
}

// Keeps what the viewer was shown, the way a modal viewer reads it while open.
struct SeenViewer : InformationViewer {
    std::vector<std::string> seen;
    void ShowInformation(TMSystemInfo& info) override {
        seen.push_back(std::to_string(info.ProcessList.Mask()) + ":" + info.Machine->Name);
    }
};

TEST_F(ConnectionTest, ViewShowsTheXmlThroughTheInstalledViewer) {
    TdmKestrinConnection m;
    m.ProcessList = TProcessPages::FromMask(0x00001);
    m.Collect();
    try {
        m.View();  // nobody installed a viewer
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), kViewerUnavailableMessage);
    }
    SeenViewer viewer;
    m.SetViewer(&viewer);
    m.View();
    EXPECT_EQ(viewer.seen, std::vector<std::string>{"1:SIMPC"});
    m.XMLData = "<InfoSistema TYPE=\"TXMLSysInfo\"><SYSTEMINFO TYPE=\"TMSystemInfo\">"
                "<PROCESSLIST>pgNada</PROCESSLIST></SYSTEMINFO></InfoSistema>";
    EXPECT_THROW(m.View(), Exception);  // a reading error reaches the caller
    EXPECT_EQ(viewer.seen.size(), 1u);
}

TEST_F(ConnectionTest, PackagesCarryTheHeaderAndTheXml) {
    TdmKestrinConnection m;
    m.tmpFile = dir.File("kt_infosys.fzp");
    m.SetHeader("Juan", "555", "uno\r\ndos", "Soporte");
    m.XMLData = "<InfoSistema>\r\n</InfoSistema>\r\n";
    m.SaveTempPackage();
    const std::string copy = dir.File("copia.fzp");
    m.CopyPackageTo(copy);
    // A copy that cannot be written is the system's error, never a silent success.
    try {
        m.CopyPackageTo(dir.File("no/such/folder/x.fzp"));
        ADD_FAILURE() << "a failed copy went unreported";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("System Error.  Code: ", 0), 0u) << e.what();
    }

    TdmKestrinConnection other;
    other.SetHeader("x", "y", "z", "antes");
    other.LoadPackage(copy);
    EXPECT_EQ(other.Header().Nombre, "Juan");
    EXPECT_EQ(other.Header().Observaciones, "uno\r\ndos");
    EXPECT_EQ(other.Header().Destino, "Soporte");
    EXPECT_EQ(other.XMLData, m.XMLData);

    WritePackageFile(BuildHeaderText({"Ana", "", "", ""}).substr(0, 14) + "finencabezado\r\n", copy);
    other.LoadPackage(copy);  // no Destino line: cleared
    EXPECT_EQ(other.Header().Destino, "");
    EXPECT_EQ(other.Header().Nombre, "Ana");

    other.XMLData = "kept";
    EXPECT_THROW(other.LoadPackage(dir.File("missing.fzp")), Exception);
    EXPECT_EQ(other.Header().Nombre, "");  // cleared before the read failed
    EXPECT_EQ(other.XMLData, "kept");
}

TEST_F(ConnectionTest, MailBodyHasItsThreeLabelsAndNoDestination) {
    TdmKestrinConnection m;
    EXPECT_EQ(m.GetMailBody(),
              "Información del sistema enviada por \r\nTeléfono: \r\nObservaciones: \r\n\r\n");
    m.SetHeader("Ana", "1", "obs", "secreto");
    EXPECT_EQ(m.GetMailBody().find("secreto"), std::string::npos);
}

TEST_F(ConnectionTest, RequestFilesFollowTheirKeyRules) {
    TdmKestrinConnection m;
    m.SetHeader("Previo", "tel", "obs", "dest");
    m.LoadRequest(Request("Auto=1"));
    EXPECT_TRUE(m.Auto);
    EXPECT_EQ(m.ProcessList.Mask(), 0xFFFFFu);
    EXPECT_EQ(m.Header().Nombre, "Previo");
    EXPECT_EQ(m.Header().Destino, "");  // a missing destination clears it

    m.LoadRequest(Request("ProcessList=[pgCPU,pgMem,pgDisk]\r\nnombre=A\nNombre=B\rauto=1\r\n"
                          "Telefono=99\r\nDestino=Central"));
    EXPECT_EQ(m.ProcessList.Mask(), 0x00804u | 0x8u);
    EXPECT_EQ(m.Header().Nombre, "A");
    EXPECT_EQ(m.Header().Telefono, "99");
    EXPECT_EQ(m.Header().Observaciones, "");
    EXPECT_TRUE(m.Auto);
    EXPECT_EQ(m.Header().Destino, "Central");

    m.LoadRequest(Request("Telefono=11\r\nAuto=yes\r\nNombre = C\r\nProcessList=[]"));
    EXPECT_EQ(m.Header().Telefono, "99");  // without a Nombre the telephone is not applied
    EXPECT_FALSE(m.Auto);
    EXPECT_EQ(m.ProcessList.Mask(), 0u);

    m.LoadRequest(Request(std::string("Auto=1\0Nombre=Oculto", 20)));
    EXPECT_EQ(m.Header().Nombre, "A");
}

TEST_F(ConnectionTest, BadRequestFilesChangeNothing) {
    TdmKestrinConnection m;
    m.SetHeader("Previo", "", "", "dest");
    try {
        m.LoadRequest(Request("ProcessList=1048575\r\nNombre=X\r\nAuto=1"));
        FAIL();
    } catch (const EPropertyConvertError& e) {
        EXPECT_STREQ(e.what(), "Invalid property element: 1048575");
    }
    EXPECT_EQ(m.Header().Nombre, "Previo");
    EXPECT_FALSE(m.Auto);
    EXPECT_THROW(m.LoadRequest(dir.File("falta.rpg")), Exception);
    EXPECT_EQ(m.Header().Destino, "dest");
}

}  // namespace
}  // namespace rb
