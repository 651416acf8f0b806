// The send dialog's behaviour: the send action's order over the connection module, the three
// routines, and what an empty name or a failed delivery leaves behind.
#include "app/send_form.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "connection/connection_module.h"
#include "connection/package_file.h"
#include "core/exception.h"
#include "platform/sim/sim_platform.h"
#include "test_files.h"

namespace rb {
namespace {

// Records the module's delivery operations in the order they are asked for.
class RecordingModule : public TdmKestrinConnection {
public:
    std::vector<std::string> log;
    bool failDirect = false;
    bool SendDirect() override {
        log.push_back("direct:" + Header().Nombre + "|" + Header().Observaciones + "|" +
                      Header().Destino);
        if (failDirect) throw Exception("Error de conexión");
        return true;
    }
    void SaveTempPackage() const override {
        const_cast<RecordingModule*>(this)->log.push_back("package");
        TdmKestrinConnection::SaveTempPackage();
    }
    void CopyPackageTo(const std::string& fileName) const override {
        const_cast<RecordingModule*>(this)->log.push_back("copy");
        TdmKestrinConnection::CopyPackageTo(fileName);
    }
};

class FakeSurface : public SendFormSurface {
public:
    std::vector<std::string> log;
    std::optional<std::string> answer;  // what the save dialog answers
    int waiting = 0;
    void FocusName() override { log.push_back("focus"); }
    std::optional<std::string> ChooseSaveFile(const std::string& fileName) override {
        log.push_back("save dialog:" + fileName);
        return answer;
    }
    void BeginWait() override { ++waiting; }
    void EndWait() override { --waiting; }
};

class SendFormTest : public ::testing::Test {
protected:
    SendFormTest() {
        sim.registry.SetString(platform::RootKey::LocalMachine, "SOFTWARE\\Clients\\Mail", "",
                               "Prueba");
        sim.registry.SetString(platform::RootKey::LocalMachine,
                               "SOFTWARE\\Clients\\Mail\\Prueba", "DLLPath", "C:\\prueba.dll");
        sim.mail.libraries["C:\\prueba.dll"] = {};
        sim.system.environment = {"RBINFO_SUPPORT_MAIL=soporte@example.invalid"};
        module.tmpFile = dir.File("kt_infosys.fzp");
        module.XMLData = "<InfoSistema>\r\n</InfoSistema>\r\n";
        module.SetHeader("Antes", "1", "", "Oficina central");
        form.FormShow();
    }
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    TempDir dir;
    RecordingModule module;
    FakeSurface surface;
    TfrmClientSendInfo form{module, surface};
    const std::string remarks = "línea uno\r\nlínea dos";
};

TEST_F(SendFormTest, EachWayRunsInItsOrderWithTheHeaderStoredFirst) {
    struct Row {
        SendWay way;
        std::optional<std::string> saveAnswer;
        uint32_t mailResult;
        bool delivered;
        std::vector<std::string> moduleLog;
        size_t messages, mails;
    };
    const std::string target = dir.File("elegido.fzp");
    const Row rows[] = {
        {SendWay::Direct, {}, 0, true, {"direct:Juan|" + remarks + "|Oficina central"}, 0, 0},
        {SendWay::File, target, 0, true, {"package", "copy"}, 1, 0},
        {SendWay::File, std::nullopt, 0, false, {"package"}, 0, 0},  // save dialog cancelled
        {SendWay::Mail, {}, 0, true, {"package"}, 0, 1},
        {SendWay::Mail, {}, 1, false, {"package"}, 0, 1},  // cancelled in the mail client
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.way));
        module.log.clear();
        sim.windows.messageBoxes.clear();
        sim.mail.sent.clear();
        sim.mail.libraries["C:\\prueba.dll"].result = row.mailResult;
        surface.answer = row.saveAnswer;
        module.OnSendProgress.Assign([](Persistent*, TProgressType, TProgressDirection, int32_t,
                                        int32_t) {});
        EXPECT_EQ(form.btnSendClick({"Juan", "555", remarks, row.way}), row.delivered);
        EXPECT_EQ(module.log, row.moduleLog);
        EXPECT_EQ(module.Header().Destino, "Oficina central");  // kept, never shown
        EXPECT_EQ(module.Header().Observaciones, remarks);
        EXPECT_EQ(sim.windows.messageBoxes.size(), row.messages);
        EXPECT_EQ(sim.mail.sent.size(), row.mails);
        EXPECT_EQ(surface.waiting, 0);
        if (row.way == SendWay::Direct) EXPECT_FALSE(module.OnSendProgress.Assigned());
    }
    // The saved file is the package, with the remarks intact.
    THeader header;
    std::string xml;
    ReadPackageFile(target, header, xml);
    EXPECT_EQ(header.Observaciones, remarks);
    EXPECT_EQ(header.Destino, "Oficina central");
    EXPECT_EQ(xml, module.XMLData);
    EXPECT_EQ(surface.log.back(), "save dialog:kt_infosys.fzp");
}

TEST_F(SendFormTest, TheMailCarriesTheBodyTheMailboxAndThePackage) {
    EXPECT_TRUE(form.btnSendClick({"Juan", "555", remarks, SendWay::Mail}));
    ASSERT_EQ(sim.mail.sent.size(), 1u);
    const auto& sent = sim.mail.sent[0];
    EXPECT_EQ(sent.library, "C:\\prueba.dll");
    EXPECT_EQ(sent.flags, 9u);
    EXPECT_EQ(sent.message.subject, "Envío de información ");
    EXPECT_EQ(sent.message.noteText, module.GetMailBody());
    EXPECT_NE(sent.message.noteText.find("Observaciones: " + remarks + "\r\n"), std::string::npos);
    ASSERT_EQ(sent.message.recipients.size(), 1u);
    EXPECT_EQ(sent.message.recipients[0].name, "Servicios");
    EXPECT_EQ(sent.message.recipients[0].address, "SMTP:soporte@example.invalid");
    EXPECT_EQ(sent.message.recipients[0].recipientClass, 1u);
    ASSERT_EQ(sent.message.files.size(), 1u);
    EXPECT_EQ(sent.message.files[0].pathName, module.tmpFile);
    EXPECT_EQ(sent.message.files[0].fileName, "");
}

TEST_F(SendFormTest, TheFileMessageNamesTheMailbox) {
    surface.answer = dir.File("copia.fzp");
    EXPECT_TRUE(form.btnSendClick({"Juan", "", "", SendWay::File}));
    ASSERT_EQ(sim.windows.messageBoxes.size(), 1u);
    EXPECT_EQ(sim.windows.messageBoxes[0].text,
              "El archivo ha sido grabado, por favor, \r\nenvíenos este archivo a la cuenta de "
              "correo electrónico \r\nsoporte@example.invalid");
    EXPECT_EQ(sim.windows.messageBoxes[0].flags, platform::kMbOk);
}

TEST_F(SendFormTest, FailuresLeaveTheDialogOpenAndSayNothingOfSuccess) {
    // An empty name: the focus goes to it, nothing is stored or sent. Blanks pass.
    try {
        form.btnSendClick({"", "555", "x", SendWay::Direct});
        ADD_FAILURE() << "an empty name was accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), TfrmClientSendInfo::kNameMissing);
    }
    EXPECT_EQ(surface.log, std::vector<std::string>{"focus"});
    EXPECT_EQ(module.Header().Nombre, "Antes");
    EXPECT_TRUE(module.log.empty());

    // A failing direct send: the cursor comes back, the header is already stored, the
    // progress event is left as it was.
    module.failDirect = true;
    module.OnSendProgress.Assign([](Persistent*, TProgressType, TProgressDirection, int32_t,
                                    int32_t) {});
    EXPECT_THROW(form.btnSendClick({" ", "", "", SendWay::Direct}), Exception);
    EXPECT_EQ(surface.waiting, 0);
    EXPECT_EQ(module.Header().Nombre, " ");
    EXPECT_TRUE(module.OnSendProgress.Assigned());

    // A copy into a folder that does not exist: the system's error, no "grabado" message.
    surface.answer = dir.File("no/existe/copia.fzp");
    EXPECT_THROW(form.btnSendClick({"Juan", "", "", SendWay::File}), Exception);
    EXPECT_TRUE(sim.windows.messageBoxes.empty());

    // A package deleted before the mail client gets it.
    class Vanishing : public RecordingModule {
        void SaveTempPackage() const override {}
    } vanishing;
    vanishing.tmpFile = dir.File("borrado.fzp");
    TfrmClientSendInfo other{vanishing, surface};
    try {
        other.btnSendClick({"Juan", "", "", SendWay::Mail});
        ADD_FAILURE() << "a missing attachment was sent";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "MAPI Error: (11) \"A specified attachment was not found\"");
    }
    EXPECT_TRUE(sim.mail.sent.empty());
}

}  // namespace
}  // namespace rb
