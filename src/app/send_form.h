// The send dialog's behaviour (TfrmClientSendInfo), apart from its Win32 dialog: the contact
// header it shows and stores, and the three ways of delivering the inventory. The dialog
// (send_dialog_win32.cpp) hands it the controls' contents; tests drive it over a fake surface.
#pragma once

#include <optional>
#include <string>

namespace rb {

class TdmKestrinConnection;

enum class SendWay { Direct, Mail, File };

// What the dialog's controls hold.
struct SendFields {
    std::string nombre;
    std::string telefono;
    std::string observaciones;  // lines joined by CR LF
    SendWay way = SendWay::Direct;
};

// What the form asks of its dialog.
class SendFormSurface {
public:
    virtual ~SendFormSurface() = default;
    virtual void FocusName() = 0;
    // The save dialog, preset to `fileName`: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> ChooseSaveFile(const std::string& fileName) = 0;
    // The hourglass while sending directly; the previous cursor back.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
};

class TfrmClientSendInfo {
public:
    static constexpr const char* kCaption = "Envío de información";
    static constexpr const char* kNameMissing =
        "Por favor ingrese un nombre o identificador para poder relacionar los datos de su "
        "sistema";
    static constexpr const char* kMailSubject = "Envío de información ";
    static constexpr const char* kMailRecipientName = "Servicios";

    TfrmClientSendInfo(TdmKestrinConnection& module, SendFormSurface& surface);

    // The fields to show, from the module's header; keeps the destination privately.
    SendFields FormShow();
    // The send action: true when the delivery took place (the dialog closes with OK). An empty
    // name, and every failing delivery, raise their error; nothing is sent then.
    bool btnSendClick(const SendFields& fields);

private:
    bool SendDirect();
    bool SendMail();
    bool SendFile();

    TdmKestrinConnection& module_;
    SendFormSurface& surface_;
    std::string FDestino;
};

}  // namespace rb
