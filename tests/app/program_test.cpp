// The program entry: which run takes place for which command line and request file.
#include "app/program.h"

#include <gtest/gtest.h>

#include <vector>

#include "connection/connection_module.h"
#include "connection/package_file.h"
#include "core/exception.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/device_tree_sim.h"
#include "test_files.h"
#include "viewer/information_viewer.h"
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
        return true;
    }
    bool failSend = false;

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
    int waits = 0;

    std::unique_ptr<TdmKestrinConnection> CreateConnection() override {
        auto m = std::make_unique<RecordingModule>(log);
        m->failSend = failSend;
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
    ProgramTest() { testing_hw::AddDisplayAdapter(sim); }
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
    EXPECT_EQ(sim.windows.messageBoxes.back().text, "Error de conexión.");
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
