// E-mail delivery under Wine through the real discovery, loading and MAPISendMail: the test
// mail client is registered in the prefix as the default client (and the prefix's own mapi32
// is not selected), the send dialog sends, and the client's record is read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <memory>
#include <map>
#include <sstream>
#include <vector>

#include "app/app_resources.h"
#include "app/main_window_win32.h"
#include "app/scripted_module.h"
#include "app/send_dialog_win32.h"
#include "app/ui_win32.h"
#include "connection/package_file.h"
#include "connection/simple_mapi.h"
#include "support/recorded_boxes_win32.h"
#include "support/test_mail_client_win32.h"
#include "test_files.h"

namespace rb {
namespace {

using test::SavedValue;
using test::kClients;

using test::Unhex;

class MailDeliveryTest : public ::testing::Test {
public:  // the table's arrangements reach in
    MailDeliveryTest() {
        SetEnvironmentVariableA("RBINFO_SUPPORT_MAIL", "  soporte@example.invalid ");
        module.tmpFile = dir.File("kt_infosys.fzp");
        module.XMLData = "<InfoSistema>\r\n  <CPU>Año</CPU>\r\n</InfoSistema>\r\n";
        module.SetHeader("Juan", "555", "", "Sucursal Norte");
    }
    ~MailDeliveryTest() override {
        SetEnvironmentVariableA("RBINFO_SUPPORT_MAIL", nullptr);
    }
    // Sends through the dialog with e-mail chosen; answers the dialog's result.
    INT_PTR SendByMail(const char* remarks) {
        SendDialog dialog{module, main.Handle(), chooser};
        if (!dialog.CreateModeless()) return -1;
        ui::SetControlText(GetDlgItem(dialog.Handle(), IDC_SEND_OBSERVACIONES), remarks);
        CheckRadioButton(dialog.Handle(), IDC_SEND_DIRECT, IDC_SEND_FILE, IDC_SEND_MAIL);
        SendMessageA(GetDlgItem(dialog.Handle(), IDOK), BM_CLICK, 0, 0);
        return dialog.Result();
    }
    std::multimap<std::string, std::string> Record() {
        std::multimap<std::string, std::string> fields;
        std::ifstream in(log, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            const size_t eq = line.find('=');
            if (eq != std::string::npos) fields.emplace(line.substr(0, eq), line.substr(eq + 1));
        }
        return fields;
    }
    std::vector<std::string> Boxes() {
        std::vector<std::string> texts;
        for (const auto& box : platform.windows.messageBoxes) texts.push_back(box.text);
        return texts;
    }

    TempDir dir;
    std::string log = dir.File("mail.txt");
    test::RegisteredTestMailClient mail{log};
    test::RecordedBoxesPlatform platform;
    platform::ScopedPlatform scope{platform};
    test::ScriptedModule module;
    MainWindow main{module};
    struct NoChooser : SaveFileChooser {
        std::optional<std::string> Choose(HWND, const std::string&) override { return {}; }
    } chooser;
};

TEST_F(MailDeliveryTest, TheClientReceivesTheMessageWithThePackage) {
    EXPECT_EQ(SendByMail("primera línea\r\nsegunda línea"), IDOK);
    EXPECT_TRUE(Boxes().empty()) << Boxes()[0];
    auto fields = Record();
    EXPECT_EQ(fields.find("flags")->second, "9");
    EXPECT_EQ(fields.find("window")->second, std::to_string(uintptr_t(main.Handle())));
    EXPECT_EQ(fields.find("subject")->second, "Envío de información ");
    EXPECT_EQ(Unhex(fields.find("note")->second), module.GetMailBody());
    EXPECT_NE(module.GetMailBody().find("primera línea\r\nsegunda línea"), std::string::npos);
    ASSERT_EQ(fields.count("recipient"), 1u);
    EXPECT_EQ(fields.find("recipient")->second, "1|Servicios|SMTP:soporte@example.invalid");
    ASSERT_EQ(fields.count("attachment"), 1u);
    std::istringstream attachment(fields.find("attachment")->second);
    std::string position, path, name, bytes;
    std::getline(attachment, position, '|');
    std::getline(attachment, path, '|');
    std::getline(attachment, name, '|');
    std::getline(attachment, bytes);
    EXPECT_EQ(position, "-1");
    EXPECT_EQ(name, "");
    EXPECT_NE(path.find("kt_infosys.fzp"), std::string::npos);
    // The bytes the client received inflate to the package: header and inventory.
    WriteBytes(dir.File("recibido.fzp"), Unhex(bytes));
    THeader header;
    std::string xml;
    ReadPackageFile(dir.File("recibido.fzp"), header, xml);
    EXPECT_EQ(header.Observaciones, "primera línea\r\nsegunda línea");
    EXPECT_EQ(header.Destino, "Sucursal Norte");
    EXPECT_EQ(xml, module.XMLData);
}

TEST_F(MailDeliveryTest, ResultsAndMissingClients) {
    struct Row {
        const char* what;
        std::function<void(MailDeliveryTest&)> arrange;
        INT_PTR result;
        const char* box;  // nullptr: nothing shown
    };
    const Row rows[] = {
        {"cancelled in the client",
         [](MailDeliveryTest&) { SetEnvironmentVariableA("RBINFO_TEST_MAIL_RESULT", "1"); }, 0,
         nullptr},
        {"a failing client",
         [](MailDeliveryTest&) { SetEnvironmentVariableA("RBINFO_TEST_MAIL_RESULT", "2"); }, 0,
         "MAPI Error: (2) \"General MAPI failure\""},  // ends below ".": no full stop
        // Such a client is no valid one: only extended MAPI makes a client count as installed.
        {"a client lacking one export",
         [](MailDeliveryTest& t) {
             t.mail.client.Set("Z:" + std::string(RB_TEST_MAIL_CLIENT_PARTIAL));
             t.mail.mapix.Set("1");
         },
         0, "Function \"MAPIFindNext\" is not exported by client."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        platform.windows.messageBoxes.clear();
        row.arrange(*this);
        EXPECT_EQ(SendByMail("x"), row.result);
        if (row.box) {
            ASSERT_EQ(Boxes().size(), 1u);
            EXPECT_EQ(Boxes()[0], row.box);
        } else {
            EXPECT_TRUE(Boxes().empty());
        }
    }
    // No client at all: every registered one made unusable for this test.
    mail.mapix.Remove();
    std::vector<std::unique_ptr<SavedValue>> hidden;
    HKEY k;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kClients, 0, KEY_READ, &k), 0);
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(k, i, name, sizeof name) == 0; ++i) {
        const std::string key = std::string(kClients) + "\\" + name;
        hidden.push_back(std::make_unique<SavedValue>(key.c_str(), "DLLPath"));
        hidden.back()->Set("C:\\no\\existe.dll");
    }
    RegCloseKey(k);
    platform.windows.messageBoxes.clear();
    EXPECT_EQ(SendByMail("x"), 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "No Simple MAPI client installed, cannot send the message.");
}

TEST_F(MailDeliveryTest, ADeletedAttachmentNeverReachesTheClient) {
    TMapiEmail email;
    email.AddRecipient("soporte@example.invalid", "Servicios");
    email.AddAttachment(dir.File("borrado.fzp"));
    try {
        email.Send(true);
        ADD_FAILURE();
    } catch (const EMapiError& e) {
        EXPECT_EQ(e.ErrorCode, 11u);
    }
    EXPECT_TRUE(Record().empty());
}

}  // namespace
}  // namespace rb
