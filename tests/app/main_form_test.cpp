// The main window's behaviour: the button states, the progress the status bar paints, and what
// a collection that fails leaves behind.
#include "app/main_form.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "connection/connection_module.h"
#include "core/exception.h"
#include "app/application_error.h"
#include "platform/sim/sim_platform.h"
#include "app/scripted_module.h"
#include "sysinfo/device_tree_sim.h"

namespace rb {
namespace {

// Records what the window was asked to do, with the form's state at that moment.
class RecordingSurface : public MainFormSurface {
public:
    TfrmMain* form = nullptr;
    std::vector<std::string> log;
    void StateChanged() override {}
    void RepaintWindow() override { log.push_back("window" + Snapshot()); }
    void RepaintStatusBar() override { log.push_back("bar" + Snapshot()); }
    void ShowSendDialog() override { log.push_back("send dialog"); }

private:
    std::string Snapshot() const {
        const ProgressBarState& p = form->ProgressBar();
        return std::string(form->Drawing() ? " drawing " : " idle ") + std::to_string(p.max) +
               "/" + std::to_string(p.position);
    }
};

using test::ScriptedModule;

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() { surface.form = &form; }
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    ScriptedModule module;
    RecordingSurface surface;
    TfrmMain form{module, surface};
};

TEST_F(MainFormTest, ButtonStatesFollowTheRun) {
    struct Row {
        const char* what;
        std::function<void(TfrmMain&, ScriptedModule&)> act;
        MainButtons expected;
        size_t messages;
    };
    const Row rows[] = {
        {"initial", [](TfrmMain&, ScriptedModule&) {}, {true, false, false}, 0},
        {"collected", [](TfrmMain& f, ScriptedModule&) { f.btnProcClick(); }, {true, true, true},
         1},
        {"package opened", [](TfrmMain& f, ScriptedModule&) { f.PackageLoaded(); },
         {false, true, true}, 0},
        {"package opened, then collected",  // "Procesar" stays disabled: nothing re-enables it
         [](TfrmMain& f, ScriptedModule&) { f.PackageLoaded(); f.Process(); },
         {false, true, true}, 1},
        {"failed collection",
         [](TfrmMain& f, ScriptedModule& m) {
             m.fail = true;
             EXPECT_THROW(f.Process(), Exception);
         },
         {true, false, false}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        platform::SimPlatform localSim;
        platform::ScopedPlatform localScope{localSim};
        ScriptedModule m;
        RecordingSurface s;
        TfrmMain f{m, s};
        s.form = &f;
        row.act(f, m);
        EXPECT_EQ(f.Buttons().process, row.expected.process);
        EXPECT_EQ(f.Buttons().show, row.expected.show);
        EXPECT_EQ(f.Buttons().send, row.expected.send);
        EXPECT_FALSE(f.Drawing());
        ASSERT_EQ(localSim.windows.messageBoxes.size(), row.messages);
    }
}

TEST_F(MainFormTest, ProgressOfTheDefaultSectionsWithPanelZeroOnlyWhileCollecting) {
    module.count = 19;
    for (int i = 1; i <= 17; ++i) module.steps.push_back("Paso" + std::to_string(i));
    form.Process();
    std::vector<std::string> expected = {"window drawing 100/0"};  // "Procesando información"
    for (int i = 1; i <= 17; ++i) {
        expected.push_back("window drawing 18/" + std::to_string(i));
        expected.push_back("bar drawing 18/" + std::to_string(i));
    }
    expected.push_back("bar idle 18/17");  // panel 0 emptied
    EXPECT_EQ(surface.log, expected);
    EXPECT_EQ(form.StatusText(), "");
    ASSERT_EQ(sim.windows.messageBoxes.size(), 1u);
    const platform::SimWindows::Box& box = sim.windows.messageBoxes[0];
    EXPECT_EQ(box.text, "Proceso completado con éxito: \r\nAhora puede visualizar la "
                        "información\r\ny enviarla a Kelto");
    EXPECT_EQ(box.caption, kApplicationTitle);
    EXPECT_EQ(box.flags, platform::kMbOk);
    EXPECT_FALSE(module.OnGetInfoStarts.Assigned());
    EXPECT_FALSE(module.OnGetInfoCompleteProcess.Assigned());
}

TEST_F(MainFormTest, ARequestSelectingNoSectionKeepsTheMaximumAndStillSucceeds) {
    module.count = 5;
    module.steps = {"CPU", "Memoria", "Red"};
    form.Process();
    module.count = 0;
    module.steps.clear();
    surface.log.clear();
    form.Process();
    EXPECT_EQ(form.ProgressBar().max, 4);
    EXPECT_EQ(form.ProgressBar().position, 0);
    EXPECT_EQ(surface.log, (std::vector<std::string>{"window drawing 4/3", "bar idle 4/0"}));
    EXPECT_EQ(sim.windows.messageBoxes.size(), 2u);
}

TEST_F(MainFormTest, AFailedCollectionKeepsItsLastTextAndItsHandlers) {
    module.count = 3;
    module.steps = {"CPU", "Sistema Operativo"};
    module.fail = true;
    EXPECT_THROW(form.Process(), Exception);
    EXPECT_EQ(form.StatusText(), "Procesado Sistema Operativo");
    EXPECT_FALSE(form.Drawing());
    EXPECT_EQ(surface.log.back(), "bar idle 2/2");
    EXPECT_TRUE(module.OnGetInfoStarts.Assigned());  // replaced by the next collection
    EXPECT_TRUE(module.OnGetInfoCompleteProcess.Assigned());
}

TEST_F(MainFormTest, ARealCollectionOverTheSimulationFiresOneStepPerSelectedSection) {
    testing_hw::AddDisplayAdapter(sim);
    TdmKestrinConnection real;
    RecordingSurface s;
    TfrmMain f{real, s};
    s.form = &f;
    real.ProcessList = TProcessPages::FromMask(0x7);  // workstation, system, processor
    f.Process();
    EXPECT_NE(real.XMLData.find("<InfoSistema"), std::string::npos);
    EXPECT_EQ(f.ProgressBar().max, 2);
    EXPECT_EQ(s.log.back(), "bar idle 2/" + std::to_string(f.ProgressBar().position));
    EXPECT_GE(f.ProgressBar().position, 1);
}

TEST_F(MainFormTest, ShowAndSendButtons) {
    form.btnSendClick();
    EXPECT_EQ(surface.log, std::vector<std::string>{"send dialog"});
    EXPECT_THROW(form.btnShowClick(), Exception);  // no viewer installed: its message
}

}  // namespace
}  // namespace rb
