// The whole interactive path under Wine, for real: "Procesar" collects every section with its
// progress, then the send dialog delivers directly to the reference service, by e-mail to the
// test mail client, and to a file that rbInfo.exe then opens and delivers. Runs from
// tests/service/wine_channel_test.sh, which starts the service.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>

#include "app/app_resources.h"
#include "app/main_window_win32.h"
#include "app/send_dialog_win32.h"
#include "app/ui_win32.h"
#include "connection/connection_module.h"
#include "connection/package_file.h"
#include "core/cp1252.h"
#include "remoting/kestrin_service.h"
#include "remoting/test_service.h"
#include "support/recorded_boxes_win32.h"
#include "support/test_mail_client_win32.h"
#include "test_files.h"

namespace rb {
namespace {

class FixedChooser : public SaveFileChooser {
public:
    std::string path;
    std::optional<std::string> Choose(HWND, const std::string&) override { return path; }
};

class WindowsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        root = TestServiceRoot();
        if (root.empty()) GTEST_SKIP() << "no reference service (RBINFO_TEST_SERVICE_URL)";
        module.tmpFile = dir.File("kt_infosys.fzp");
        module.RCWinInetHTTPChannel.SetTargetURL(root + "/cgi/Kestrin.exe/bin");
        channel.SetTargetURL(root + "/cgi/Kestrin.exe/bin");
    }
    // The number the service gives the next inventory it stores.
    int NextInventory() {
        const std::string receipt = Utf16ToCp1252(
            service->AddInfoFromRequest(u"sonda", u"", u"<InfoSistema/>", u"", u""));
        return std::stoi(receipt.substr(receipt.rfind(' ') + 1)) + 1;
    }
    THeader Stored(int inventory, std::string& xml) {
        THeader header;
        ParseHeader(Utf16ToCp1252(service->RequestInfo(Cp1252ToUtf16(std::to_string(inventory)))),
                    header, xml);
        return header;
    }
    INT_PTR Send(SendWay way) {
        SendDialog dialog{module, main.Handle(), chooser};
        if (!dialog.CreateModeless()) return -1;
        ui::SetControlText(GetDlgItem(dialog.Handle(), IDC_SEND_NOMBRE), "José Peña");
        ui::SetControlText(GetDlgItem(dialog.Handle(), IDC_SEND_OBSERVACIONES), remarks);
        const int radio = way == SendWay::Direct ? IDC_SEND_DIRECT
                          : way == SendWay::Mail ? IDC_SEND_MAIL
                                                 : IDC_SEND_FILE;
        CheckRadioButton(dialog.Handle(), IDC_SEND_DIRECT, IDC_SEND_FILE, radio);
        SendMessageA(GetDlgItem(dialog.Handle(), IDOK), BM_CLICK, 0, 0);
        return dialog.Result();
    }

    std::string root;
    TempDir dir;
    const std::string remarks = "Primera línea\r\nSegunda línea";
    test::RegisteredTestMailClient mail{dir.File("mail.txt")};
    test::RecordedBoxesPlatform platform;
    platform::ScopedPlatform scope{platform};
    TdmKestrinConnection module;
    MainWindow main{module};
    FixedChooser chooser;
    TRCBinMessage message;
    TRCWinInetHTTPChannel channel;
    std::unique_ptr<IKestrinService> service = CoKestrinService::Create(message, channel);

    // The package the test mail client was handed, as it recorded it.
    std::string MailedAttachment() {
        std::ifstream record(dir.File("mail.txt"), std::ios::binary);
        std::string line, bytes;
        while (std::getline(record, line)) {
            if (line.rfind("attachment=", 0) == 0) bytes = line.substr(line.rfind('|') + 1);
        }
        return test::Unhex(bytes);
    }

    // rbInfo.exe run on `package` with "/auto" against the test service, its boxes written to
    // `messages`; answers its exit code (99: it did not end within two minutes).
    DWORD DeliverUnattended(const std::string& package, const std::string& messages) {
        SetEnvironmentVariableA("RBINFO_SERVICE_URL", (root + "/cgi/Kestrin.exe/bin").c_str());
        SetEnvironmentVariableA("RBINFO_MESSAGE_LOG", messages.c_str());
        std::string commandLine =
            "\"Z:" + std::string(RB_PROGRAM_FILE) + "\" \"" + package + "\" /auto";
        STARTUPINFOA startup{sizeof startup};
        PROCESS_INFORMATION process{};
        DWORD exitCode = 99;
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process)) {
            if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) {
                TerminateProcess(process.hProcess, 99);
            }
            GetExitCodeProcess(process.hProcess, &exitCode);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        SetEnvironmentVariableA("RBINFO_SERVICE_URL", nullptr);
        SetEnvironmentVariableA("RBINFO_MESSAGE_LOG", nullptr);
        return exitCode;
    }
};

TEST_F(WindowsEndToEnd, CollectThenDeliverEachWay) {
    module.SetHeader("", "", "", "Sucursal Norte");  // as a request file leaves it
    SendMessageA(GetDlgItem(main.Handle(), IDC_MAIN_PROC), BM_CLICK, 0, 0);
    ASSERT_EQ(platform.windows.messageBoxes.size(), 1u) << platform.windows.messageBoxes[0].text;
    EXPECT_EQ(platform.windows.messageBoxes[0].text.rfind("Proceso completado", 0), 0u);
    ASSERT_NE(module.XMLData.find("<InfoSistema"), std::string::npos);
    HWND bar = GetDlgItem(main.Handle(), IDC_MAIN_PROGRESS);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 18);  // 19 sections by default
    EXPECT_GE(SendMessageA(bar, PBM_GETPOS, 0, 0), 17);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main.Handle(), IDC_MAIN_SEND)));

    // Directly: the service stores the header and the inventory as typed.
    const int direct = NextInventory();
    EXPECT_EQ(Send(SendWay::Direct), IDOK);
    std::string xml;
    THeader stored = Stored(direct, xml);
    EXPECT_EQ(stored.Nombre, "José Peña");
    EXPECT_EQ(stored.Observaciones, remarks);
    EXPECT_EQ(stored.Destino, "Sucursal Norte");
    EXPECT_EQ(xml, module.XMLData);

    // By e-mail: the client gets the package, which inflates to the inventory.
    EXPECT_EQ(Send(SendWay::Mail), IDOK);
    WriteBytes(dir.File("recibido.fzp"), MailedAttachment());
    THeader mailed;
    std::string mailedXml;
    ReadPackageFile(dir.File("recibido.fzp"), mailed, mailedXml);
    EXPECT_EQ(mailed.Observaciones, remarks);
    EXPECT_EQ(mailedXml, module.XMLData);

    // To a file, which rbInfo.exe reopens and delivers unattended.
    chooser.path = dir.File("guardado.fzp");
    EXPECT_EQ(Send(SendWay::File), IDOK);
    const int reopened = NextInventory();
    const std::string messages = dir.File("mensajes.txt");  // an error box must not wait
    ASSERT_EQ(DeliverUnattended(chooser.path, messages), 0u) << ReadBytes(messages);
    stored = Stored(reopened, xml);
    EXPECT_EQ(stored.Nombre, "José Peña");
    EXPECT_EQ(stored.Observaciones, remarks);
    EXPECT_EQ(xml, module.XMLData);
}

}  // namespace
}  // namespace rb
