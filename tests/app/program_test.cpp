// The program entry: which run takes place for which command line and request file.
#include "app/program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "connection/connection_module.h"
#include "connection/package_file.h"
#include "core/exception.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/device_tree_sim.h"
#include "test_files.h"
#include "connection/information_viewer.h"
#include "xml/sys_info_xml.h"

namespace rb {
namespace {

using platform::RootKey;

// A connection module whose direct send only records what it was given.
class RecordingModule : public TdmKestrinConnection {
public:
    explicit RecordingModule(std::vector<std::string>& log) : log_(log) {}
    bool SendDirect() override {
        log_.push_back("send:" + Header().Nombre + ":" + std::to_string(XMLData.size() > 0));
        if (failSend) throw Exception("Error de conexión");
        if (abortSend) throw EAbort();
        return true;
    }
    bool failSend = false;
    bool abortSend = false;  // the channel's silent end: no network to connect on

private:
    std::vector<std::string>& log_;
};

// A viewer that records the pages of the inventory it was handed.
class RecordingViewer : public InformationViewer {
public:
    explicit RecordingViewer(std::vector<std::string>& log) : log_(log) {}
    void ShowInformation(TMSystemInfo& info) override {
        log_.push_back("view:" + std::to_string(info.ProcessList.Mask()));
    }

private:
    std::vector<std::string>& log_;
};

class FakeShell : public ProgramShell {
public:
    std::vector<std::string> log;
    RecordingViewer recordingViewer{log};
    UnavailableViewer unavailable;
    InformationViewer* viewer = &recordingViewer;
    RecordingModule* module = nullptr;
    bool failSend = false;
    bool abortSend = false;
    int waits = 0;

    std::unique_ptr<TdmKestrinConnection> CreateConnection() override {
        auto m = std::make_unique<RecordingModule>(log);
        m->failSend = failSend;
        m->abortSend = abortSend;
        module = m.get();
        log.push_back("module");
        return m;
    }
    InformationViewer& Viewer() override { return *viewer; }
    void BeginWait() override { ++waits; }
    void EndWait() override { --waits; }
    void RunMainWindow(TdmKestrinConnection& m, bool processAtStart, bool opened) override {
        log.push_back(std::string("window") + (processAtStart ? ":process" : "") +
                      (opened ? ":opened" : "") + (m.ProcessList.Mask() != 0xFFFFF ? ":pages" : ""));
    }
};

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() {
        testing_hw::AddDisplayAdapter(sim);
        sim.system.tempPath = dir.Path() + "/";  // where a failed unattended run keeps its package
    }
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    FakeShell shell;
    TempDir dir;

    int Run(std::vector<std::string> args) { return RunProgramGuarded(CommandLine(args), shell); }
    std::string Request(const std::string& lines) {
        const std::string path = dir.File("pedido.rpg");
        WriteBytes(path, lines);
        return path;
    }
};

TEST_F(ProgramTest, RegisterSwitchAnywhereOnlyRegisters) {
    const std::string package = dir.File("x.fzp");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"/register"}, {"-REGISTER"}, {package, "/Register"}}) {
        shell.log.clear();
        EXPECT_EQ(Run(args), 0);
        EXPECT_TRUE(shell.log.empty()) << args[0];
    }
    auto key = sim.registry.Open(RootKey::ClassesRoot, "fzpfile\\shell\\open\\command");
    ASSERT_TRUE(key);
    EXPECT_EQ(*key->ReadString(""), "\"" + sim.system.moduleFileName + "\" \"%1\"");
    ASSERT_TRUE(sim.registry.Open(RootKey::ClassesRoot, ".rpg"));
}

TEST_F(ProgramTest, RegistrationFailureChangesNothingVisible) {
    sim.registry.DenyWrites(RootKey::ClassesRoot);
    EXPECT_EQ(Run({}), 0);
    EXPECT_EQ(shell.log, (std::vector<std::string>{"module", "window"}));
    EXPECT_TRUE(sim.windows.messageBoxes.empty());
}

TEST_F(ProgramTest, AutoWithANameCollectsEverythingAndSendsWithThatName) {
    EXPECT_EQ(Run({"Juan", "/auto"}), 0);
    EXPECT_EQ(shell.log, (std::vector<std::string>{"module", "send:Juan:1"}));
    EXPECT_EQ(Run({"/AUTO"}), 0);  // the switch itself is the first argument
    EXPECT_EQ(shell.log.back(), "send:/AUTO:1");
    const std::string request = Request("Nombre=Pedro\r\nAuto=0\r\n");
    EXPECT_EQ(Run({request, "-auto"}), 0);  // not a package: the request is not read
    EXPECT_EQ(shell.log.back(), "send:" + request + ":1");
}

TEST_F(ProgramTest, AutoWithAPackageSendsThePackageAsItIs) {
    const std::string package = dir.File("Info.FZP");
    WritePackageFile(BuildHeaderText({"Ana", "", "", ""}) + "<x/>\r\n", package);
    EXPECT_EQ(Run({package, "/auto"}), 0);
    EXPECT_EQ(shell.log, (std::vector<std::string>{"module", "send:Ana:1"}));
    EXPECT_EQ(shell.module->XMLData, "<x/>\r\n");
}

TEST_F(ProgramTest, PackageAloneIsViewedBeforeTheMainWindow) {
    const std::string package = dir.File("a.fzp");
    TXMLSysInfo document;
    document.SystemInfo->ProcessList = TProcessPages::FromMask(0x00404);
    WritePackageFile(BuildHeaderText({"Ana", "", "", ""}) + document.SaveXML(), package);
    EXPECT_EQ(Run({package}), 0);
    // The viewer gets the package's inventory, pages as the XML gave them.
    EXPECT_EQ(shell.log, (std::vector<std::string>{"module", "view:1028", "window:opened"}));
    EXPECT_EQ(shell.waits, 0);

    // Until the viewer's window exists the shell's stand-in says so, as a start-up error.
    shell.viewer = &shell.unavailable;
    shell.log.clear();
    EXPECT_EQ(Run({package}), 1);
    EXPECT_EQ(shell.log, (std::vector<std::string>{"module"}));
    ASSERT_EQ(sim.windows.messageBoxes.size(), 1u);
    EXPECT_EQ(sim.windows.messageBoxes[0].text,
              "El visor de la información no está disponible en esta versión.");
    EXPECT_EQ(shell.waits, 0);
}

TEST_F(ProgramTest, RequestDecidesBetweenUnattendedAndImmediateCollection) {
    EXPECT_EQ(Run({Request("ProcessList=[pgCPU]\r\nNombre=Sucursal 3\r\nAuto=1\r\n")}), 0);
    EXPECT_EQ(shell.log, (std::vector<std::string>{"module", "send:Sucursal 3:1"}));
    shell.log.clear();
    EXPECT_EQ(Run({Request("ProcessList=[pgCPU]\r\nAuto= 1\r\n")}), 0);
    EXPECT_EQ(shell.log, (std::vector<std::string>{"module", "window:process:pages"}));
}

TEST_F(ProgramTest, OtherExtensionsAreIgnored) {
    EXPECT_EQ(Run({dir.File("notas.txt")}), 0);
    EXPECT_EQ(shell.log, (std::vector<std::string>{"module", "window"}));
}

TEST_F(ProgramTest, StartUpErrorsEndWithAMessageAndExitCodeOne) {
    struct Case {
        std::vector<std::string> args;
        const char* fragment;
    };
    const std::string corrupt = dir.File("roto.fzp");
    WriteBytes(corrupt, "no es zlib");
    const Case cases[] = {
        {{dir.File("falta.fzp")}, "Cannot open file"},
        {{corrupt, "/auto"}, "Error while decompressing ZLib stream."},
        {{Request("ProcessList=pgCPU,pgNada\r\n")}, "Invalid property element: pgNada."},
        {{dir.File("falta.rpg")}, "Cannot open file"},
    };
    for (const Case& c : cases) {
        sim.windows.messageBoxes.clear();
        EXPECT_EQ(Run(c.args), 1) << c.args[0];
        ASSERT_EQ(sim.windows.messageBoxes.size(), 1u) << c.args[0];
        EXPECT_NE(sim.windows.messageBoxes[0].text.find(c.fragment), std::string::npos)
            << sim.windows.messageBoxes[0].text;
        EXPECT_EQ(sim.windows.messageBoxes[0].caption, kApplicationTitle);
        EXPECT_EQ(shell.waits, 0);  // the cursor came back
    }
    shell.failSend = true;
    EXPECT_EQ(Run({"Juan", "/auto"}), 1);
    EXPECT_EQ(sim.windows.messageBoxes.back().text.rfind("Error de conexión.\r\n", 0), 0u);
}

// A run nobody may be watching never waits for a person: its error box closes by itself after
// a minute (exit code 1 then), and a failed delivery first keeps the inventory as a package,
// which the message names.
TEST_F(ProgramTest, UnattendedFailuresKeepTheInventoryAndCloseTheirBoxes) {
    const std::string package = dir.File("Guardado.fzp");
    WritePackageFile(BuildHeaderText({"Ana", "", "", ""}) + "<x/>\r\n", package);
    const std::string kept = dir.Path() + "/kt_infosys.fzp";
    const std::string keptText = "\r\nEl inventario se guardó en el paquete " + kept +
                                 ", que puede enviarse a Kelto por correo electrónico o como "
                                 "archivo.";
    struct Row {
        const char* what;
        std::vector<std::string> args;
        std::string tempPath;
        std::string text;      // the box's text; "*" in front: its start only
        const char* sender;    // of the kept package; nullptr: none written
        uint32_t closeAfter;
        bool noNetwork = false;  // the delivery ends silently instead of failing
    };
    const Row rows[] = {
        {"name /auto", {"Juan", "/auto"}, dir.Path() + "/", "Error de conexión." + keptText,
         "Juan", 60},
        {"request with Auto=1", {Request("Nombre=Sucursal 3\r\nAuto=1\r\n")}, dir.Path() + "/",
         "Error de conexión." + keptText, "Sucursal 3", 60},
        {"package /auto", {package, "/auto"}, dir.Path() + "/",
         "Error de conexión.\r\nEl inventario sigue en el paquete " + package + ".", nullptr,
         60},
        {"no temporary folder", {"Juan", "/auto"}, dir.File("falta") + "/",
         "*Error de conexión.\r\nEl inventario no se pudo guardar: Cannot create file", nullptr,
         60},
        {"interactive start-up error", {dir.File("falta.fzp")}, dir.Path() + "/",
         "*Cannot open file", nullptr, 0},
        {"no network", {"Juan", "/auto"}, dir.Path() + "/",
         "No se pudo hacer la entrega directa: no hay una conexión de red." + keptText, "Juan",
         60, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        shell.failSend = !row.noNetwork;
        shell.abortSend = row.noNetwork;
        std::remove(kept.c_str());
        sim.windows.messageBoxes.clear();
        sim.system.tempPath = row.tempPath;
        EXPECT_EQ(Run(row.args), 1);
        ASSERT_EQ(sim.windows.messageBoxes.size(), 1u);
        const auto& box = sim.windows.messageBoxes[0];
        if (row.text[0] == '*') {
            EXPECT_EQ(box.text.rfind(row.text.substr(1), 0), 0u) << box.text;
        } else {
            EXPECT_EQ(box.text, row.text);
        }
        EXPECT_EQ(box.closeAfterSeconds, row.closeAfter);
        EXPECT_EQ(box.caption, kApplicationTitle);
        std::FILE* file = std::fopen(kept.c_str(), "rb");
        EXPECT_EQ(file != nullptr, row.sender != nullptr);
        if (file) std::fclose(file);
        if (!row.sender) continue;
        THeader header;
        std::string xml;
        ReadPackageFile(kept, header, xml);
        EXPECT_EQ(header.Nombre, row.sender);
        EXPECT_NE(xml.find("<InfoSistema"), std::string::npos);
    }
}

TEST(ErrorBox, FullStopOnlyAfterCharactersAboveIt) {
    EXPECT_EQ(ErrorBoxText("Falla"), "Falla.");
    EXPECT_EQ(ErrorBoxText("Falla."), "Falla.");
    EXPECT_EQ(ErrorBoxText("Falla!"), "Falla!");
    EXPECT_EQ(ErrorBoxText("Código 5"), "Código 5.");
    EXPECT_EQ(ErrorBoxText("Año ñ"), "Año ñ.");
    EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
}  // namespace rb
