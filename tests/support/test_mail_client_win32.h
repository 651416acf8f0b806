// The test mail client's registration in the Wine prefix: registry values put back as they
// were when a test ends.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace rb::test {

inline constexpr char kClients[] = "SOFTWARE\\Clients\\Mail";
inline constexpr char kMessaging[] = "SOFTWARE\\Microsoft\\Windows Messaging Subsystem";
inline constexpr char kOurClient[] = "SOFTWARE\\Clients\\Mail\\rbInfo Prueba";

// One registry value, put back as it was when this object ends.
class SavedValue {
public:
    SavedValue(const char* key, const char* name) : key_(key), name_(name ? name : "") {
        char data[1024];
        DWORD size = sizeof data, type = 0;
        HKEY k;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &k) == ERROR_SUCCESS) {
            if (RegQueryValueExA(k, Name(), nullptr, &type, LPBYTE(data), &size) == 0) {
                old_ = std::string(data, size ? size - 1 : 0);
            }
            RegCloseKey(k);
        }
    }
    ~SavedValue() {
        if (old_) Set(*old_);
        else Remove();
    }
    void Set(const std::string& value) {
        HKEY k;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &k, nullptr);
        RegSetValueExA(k, Name(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
        RegCloseKey(k);
    }
    void Remove() {
        HKEY k;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_ALL_ACCESS, &k) == 0) {
            RegDeleteValueA(k, Name());
            RegCloseKey(k);
        }
    }

private:
    const char* Name() const { return name_.empty() ? nullptr : name_.c_str(); }
    std::string key_, name_;
    std::optional<std::string> old_;
};

// The test mail client (rbinfo_test_mail.dll) as the prefix's default mail client, with the
// prefix's own mapi32 not selected, recording to `log`; everything is put back at the end.
class RegisteredTestMailClient {
public:
    explicit RegisteredTestMailClient(const std::string& log) {
        mapi.Set("0");
        mapix.Remove();
        client.Set("Z:" + std::string(RB_TEST_MAIL_CLIENT));
        defaultClient.Set("rbInfo Prueba");
        SetEnvironmentVariableA("RBINFO_TEST_MAIL_LOG", log.c_str());
        SetEnvironmentVariableA("RBINFO_TEST_MAIL_RESULT", nullptr);
    }
    ~RegisteredTestMailClient() {
        HKEY k;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kClients, 0, KEY_ALL_ACCESS, &k) == 0) {
            RegDeleteKeyA(k, "rbInfo Prueba");
            RegCloseKey(k);
        }
    }
    RegisteredTestMailClient(const RegisteredTestMailClient&) = delete;
    RegisteredTestMailClient& operator=(const RegisteredTestMailClient&) = delete;

    SavedValue mapi{kMessaging, "MAPI"}, mapix{kMessaging, "MAPIX"};
    SavedValue defaultClient{kClients, nullptr}, client{kOurClient, "DLLPath"};
};

// "4A75" -> "Ju": the client records note texts and attachments in hex.
inline std::string Unhex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

}  // namespace rb::test
