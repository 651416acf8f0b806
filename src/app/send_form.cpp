#include "app/send_form.h"

#include "connection/connection_module.h"
#include "connection/simple_mapi.h"
#include "connection/support_mailbox.h"
#include "core/exception.h"
#include "app/application_error.h"
#include "platform/platform.h"

namespace rb {

TfrmClientSendInfo::TfrmClientSendInfo(TdmKestrinConnection& module, SendFormSurface& surface)
    : module_(module), surface_(surface) {}

SendFields TfrmClientSendInfo::FormShow() {
    const THeader& header = module_.Header();
    FDestino = header.Destino;
    return SendFields{header.Nombre, header.Telefono, header.Observaciones, SendWay::Direct};
}

bool TfrmClientSendInfo::btnSendClick(const SendFields& fields) {
    if (fields.nombre.empty()) {  // a name of blanks passes
        surface_.FocusName();
        throw Exception(kNameMissing);
    }
    // Stored before any delivery: a failed or cancelled one keeps what was typed.
    module_.SetHeader(fields.nombre, fields.telefono, fields.observaciones, FDestino);
    if (fields.way == SendWay::Direct) return SendDirect();
    module_.SaveTempPackage();
    return fields.way == SendWay::File ? SendFile() : SendMail();
}

bool TfrmClientSendInfo::SendDirect() {
    {
        struct Wait {
            SendFormSurface& surface;
            explicit Wait(SendFormSurface& s) : surface(s) { surface.BeginWait(); }
            ~Wait() { surface.EndWait(); }
        } wait(surface_);
        module_.SendDirect();
    }
    module_.OnSendProgress.Clear();
    return true;
}

bool TfrmClientSendInfo::SendMail() {
    TMapiEmail email;
    email.Subject = kMailSubject;
    email.AddRecipient(SupportMailbox(), kMailRecipientName, TMapiRecipKind::rkTo);
    email.SetBody(module_.GetMailBody());
    email.AddAttachment(module_.tmpFile);
    return email.Send(true);
}

bool TfrmClientSendInfo::SendFile() {
    const std::string& temporary = module_.tmpFile;
    const size_t slash = temporary.find_last_of("\\/");
    const std::string fileName =
        slash == std::string::npos ? temporary : temporary.substr(slash + 1);
    const std::optional<std::string> chosen = surface_.ChooseSaveFile(fileName);
    if (!chosen) return false;
    module_.CopyPackageTo(*chosen);  // a failed copy raises the system's error
    platform::Current().Windows().ShowMessage(
        "El archivo ha sido grabado, por favor, \r\nenvíenos este archivo a la cuenta de correo "
        "electrónico \r\n" + SupportMailbox(),
        kApplicationTitle, platform::kMbOk);
    return true;
}

}  // namespace rb
