// The mail component over a simulated registry and mail area: client discovery, the message's
// descriptors and flags, the parent window, and what each result becomes.
#include "connection/simple_mapi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "test_files.h"

namespace rb {
namespace {

using platform::RootKey;

constexpr char kClients[] = "SOFTWARE\\Clients\\Mail";
constexpr char kMessaging[] = "SOFTWARE\\Microsoft\\Windows Messaging Subsystem";

class SimpleMapiTest : public ::testing::Test {
protected:
    void RegisterClient(const std::string& key, const std::string& path, bool valid = true) {
        sim.registry.SetString(RootKey::LocalMachine, std::string(kClients) + "\\" + key, "",
                               key + " Mail");
        sim.registry.SetString(RootKey::LocalMachine, std::string(kClients) + "\\" + key,
                               "DLLPath", path);
        if (valid) sim.mail.libraries["C:\\Mail\\" + key + ".dll"] = {};
    }
    void SetDefault(const std::string& key) {
        sim.registry.SetString(RootKey::LocalMachine, kClients, "", key);
    }
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    TempDir dir;
};

TEST_F(SimpleMapiTest, DiscoveryFindsClientsTheirLibrariesAndTheDefault) {
    sim.system.environment = {"MAILDIR=C:\\Mail"};
    RegisterClient("Correo", "%MAILDIR%\\Correo.dll");
    RegisterClient("Roto", "C:\\Mail\\Roto.dll", false);
    SetDefault("Correo");
    sim.registry.SetString(RootKey::LocalMachine, kMessaging, "MAPIXVER", "1.0.0.1");
    sim.registry.SetString(RootKey::CurrentUser,
                           "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging "
                           "Subsystem\\Profiles", "DefaultProfile", "Outlook");
    TSimpleMapi mapi;
    ASSERT_EQ(mapi.Clients.size(), 2u);
    EXPECT_EQ(mapi.Clients[0].KeyName, "Correo");
    EXPECT_EQ(mapi.Clients[0].ClientName, "Correo Mail");
    EXPECT_EQ(mapi.Clients[0].LibraryPath, "C:\\Mail\\Correo.dll");
    EXPECT_TRUE(mapi.Clients[0].Valid);
    EXPECT_FALSE(mapi.Clients[1].Valid);
    EXPECT_EQ(mapi.SelectedClient(), &mapi.Clients[0]);
    EXPECT_EQ(mapi.LibraryName(), "C:\\Mail\\Correo.dll");
    EXPECT_EQ(mapi.MapiVersion, "1.0.0.1");
    EXPECT_EQ(mapi.DefaultProfile, "Outlook");
    EXPECT_TRUE(sim.mail.loads.empty());  // validity never loads a library for real use
}

TEST_F(SimpleMapiTest, WhichLibraryAndWhetherAnyClientIsInstalled) {
    struct Row {
        const char* mapix;
        const char* mapi;
        bool validClient;
        bool installed;
        const char* library;
    };
    const Row rows[] = {
        {"0", "0", false, false, "C:\\Mail\\Correo.dll"},
        {"1", "0", false, true, "C:\\Mail\\Correo.dll"},  // extended MAPI alone counts
        {"0", "1", false, false, "mapi32.dll"},
        {"0", "0", true, true, "C:\\Mail\\Correo.dll"},
        {"0", "1", true, true, "mapi32.dll"},  // Simple MAPI present: the system's library
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.mapix) + row.mapi + std::to_string(row.validClient));
        platform::SimPlatform local;
        platform::ScopedPlatform localScope{local};
        local.registry.SetString(RootKey::LocalMachine, kMessaging, "MAPIX", row.mapix);
        local.registry.SetString(RootKey::LocalMachine, kMessaging, "MAPI", row.mapi);
        local.registry.SetString(RootKey::LocalMachine, std::string(kClients) + "\\Correo",
                                 "DLLPath", "C:\\Mail\\Correo.dll");
        local.registry.SetString(RootKey::LocalMachine, kClients, "", "Correo");
        if (row.validClient) local.mail.libraries["C:\\Mail\\Correo.dll"] = {};
        TSimpleMapi mapi;
        EXPECT_EQ(mapi.ClientInstalled(), row.installed);
        EXPECT_EQ(mapi.LibraryName(), row.library);
    }
}

TEST_F(SimpleMapiTest, RecipientDescriptors) {
    struct Row {
        const char* address;
        const char* name;
        const char* type;
        const char* defaultType;
        const char* expectedName;
        const char* expectedAddress;
    };
    const Row rows[] = {
        {"soporte@kelto.es", "Servicios", "", "SMTP", "Servicios", "SMTP:soporte@kelto.es"},
        {"  soporte@kelto.es ", "Servicios", "", "SMTP", "Servicios", "SMTP:soporte@kelto.es"},
        {"soporte@kelto.es", "", "", "SMTP", "soporte@kelto.es", "SMTP:soporte@kelto.es"},
        {"/o=Kelto/cn=soporte", "Soporte", "EX", "SMTP", "Soporte", "EX:/o=Kelto/cn=soporte"},
        {"soporte@kelto.es", "Servicios", "", "", "Servicios", "soporte@kelto.es"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.address);
        TMapiEmail email;
        email.Recipients.DefaultAddressType = row.defaultType;
        email.AddRecipient(row.address, row.name, TMapiRecipKind::rkCc, row.type);
        const platform::MailMessage m = email.BuildMessage(true);
        ASSERT_EQ(m.recipients.size(), 1u);
        EXPECT_EQ(m.recipients[0].name, row.expectedName);
        EXPECT_EQ(m.recipients[0].address, row.expectedAddress);
        EXPECT_EQ(m.recipients[0].recipientClass, 2u);
    }
    TMapiEmail nameless;
    nameless.AddRecipient("   ", "");
    EXPECT_THROW(nameless.BuildMessage(true), EMapiError);
    TMapiEmail nobody;
    EXPECT_NO_THROW(nobody.BuildMessage(true));  // the client's dialog asks
    try {
        nobody.BuildMessage(false);
        ADD_FAILURE();
    } catch (const EMapiError& e) {
        EXPECT_EQ(e.ErrorCode, 25u);
        EXPECT_STREQ(e.what(), "MAPI Error: (25) \"Invalid recipients\"");
    }
}

TEST_F(SimpleMapiTest, FlagsBodyAndParentWindow) {
    TMapiEmail email;
    EXPECT_EQ(email.SendFlags(true), 9u);
    EXPECT_EQ(email.SendFlags(false), 1u);
    email.LogonOptions = kLogonShowUi | kLogonNewSession | kLogonForceDownload;
    EXPECT_EQ(email.SendFlags(false), 0x1003u);
    email.LogonHandle = 7;
    EXPECT_EQ(email.SendFlags(true), 8u);
    email.SetBody("uno");
    EXPECT_EQ(email.Body(), "uno\r\n");
    email.SetBody("dos\r\n");
    EXPECT_EQ(email.Body(), "dos\r\n");

    using W = platform::ProcessWindow;
    struct Row {
        std::vector<W> windows;
        uintptr_t parent;
    };
    const Row rows[] = {
        {{}, 0},
        {{{1, false, true, false, false}, {2, true, true, false, false}}, 2},  // hidden skipped
        {{{1, true, false, false, false}, {2, true, true, false, false}}, 2},  // owned skipped
        {{{1, true, true, true, false}, {2, true, true, false, false}}, 2},    // tool window
        {{{1, true, true, true, true}, {2, true, true, false, false}}, 1},  // but an app window
    };
    for (const Row& row : rows) EXPECT_EQ(MailParentWindow(row.windows), row.parent);
}

TEST_F(SimpleMapiTest, SendResultsAndFailures) {
    RegisterClient("Correo", "C:\\Mail\\Correo.dll");
    SetDefault("Correo");
    const std::string attachment = dir.File("kt_infosys.fzp");
    WriteBytes(attachment, "x");
    sim.mail.windows = {{0x42, true, true, false, false}};
    struct Row {
        uint32_t result;
        bool sent;
        const char* error;
    };
    const Row rows[] = {
        {0, true, nullptr},
        {1, false, nullptr},
        {2, false, "MAPI Error: (2) \"General MAPI failure\""},
        {26, false, "MAPI Error: (26) \"Not supported\""},
        {7, false, "MAPI Error: (7) \"\""},
        {99, false, "MAPI Error: (99) \"\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.result);
        sim.mail.libraries["C:\\Mail\\Correo.dll"].result = row.result;
        TMapiEmail email;
        email.AddRecipient("soporte@kelto.es", "Servicios");
        email.AddAttachment(attachment);
        if (row.error) {
            try {
                email.Send(true);
                ADD_FAILURE();
            } catch (const EMapiError& e) {
                EXPECT_STREQ(e.what(), row.error);
                EXPECT_EQ(e.ErrorCode, row.result);
            }
        } else {
            EXPECT_EQ(email.Send(true), row.sent);
        }
        EXPECT_EQ(sim.mail.sent.back().window, 0x42u);
    }
    EXPECT_EQ(sim.mail.loads.size(), std::size(rows));  // once per message object
}

TEST_F(SimpleMapiTest, NoClientAMissingExportAndALibraryThatWillNotLoad) {
    struct Row {
        bool registerClient;
        const char* missing;
        bool loads;
        const char* error;
    };
    const Row rows[] = {
        {false, "", false, "No Simple MAPI client installed, cannot send the message"},
        {true, "MAPIFindNext", true, "Function \"MAPIFindNext\" is not exported by client"},
        {true, "", false, "System Error.  Code: 126."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.error);
        platform::SimPlatform local;
        platform::ScopedPlatform localScope{local};
        local.registry.SetString(RootKey::LocalMachine, kMessaging, "MAPIX", "1");
        if (row.registerClient) {
            local.registry.SetString(RootKey::LocalMachine, kMessaging, "MAPI", "1");
            if (row.loads) local.mail.libraries["mapi32.dll"].missingFunction = row.missing;
        } else {
            local.registry.SetString(RootKey::LocalMachine, kMessaging, "MAPIX", "0");
        }
        TMapiEmail email;
        email.AddRecipient("soporte@kelto.es", "Servicios");
        try {
            email.Send(true);
            ADD_FAILURE();
        } catch (const EMapiError& e) {
            EXPECT_STREQ(e.what(), row.error);
        }
        EXPECT_EQ(local.mail.loads.size(), row.registerClient ? 1u : 0u);
        EXPECT_TRUE(local.mail.sent.empty());
    }
}

}  // namespace
}  // namespace rb
