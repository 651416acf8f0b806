#include "connection/connection_module.h"

#include "core/cp1252.h"
#include "core/exception.h"
#include "platform/platform.h"
#include "platform/system_error.h"
#include "remoting/kestrin_service.h"
#include "xml/sys_info_xml.h"

namespace rb {

const ClassInfo& TdmKestrinConnection::StaticClass() {
    using C = TdmKestrinConnection;
    static const ClassInfo info("TdmKestrinConnection", &Component::StaticClass(),
                                {Prop<&C::XMLData>("XMLData"), Prop<&C::tmpFile>("tmpFile"),
                                 Prop<&C::ProcessList>("ProcessList")},
                                MakeInstance<TdmKestrinConnection>);
    return info;
}

std::string TemporaryPackagePath(const std::string& tempFolder) {
    std::string path = tempFolder;
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
    return path + "kt_infosys.fzp";
}

// RBINFO_SERVICE_URL comes from the build's configuration (a CMake cache variable).
std::string ServiceUrl() {
    const std::string url = platform::Current().System().EnvironmentVariable("RBINFO_SERVICE_URL");
    return url.empty() ? RBINFO_SERVICE_URL : url;
}

TdmKestrinConnection::TdmKestrinConnection(Component* owner) : Component(owner) {
    Name = "dmKestrinConnection";
    tmpFile = TemporaryPackagePath(platform::Current().System().TempPath());
    RCBinMessage.Name = "RCBinMessage";
    RCWinInetHTTPChannel.Name = "RCWinInetHTTPChannel";
    RCWinInetHTTPChannel.UserAgent = "Kestrin Remoting";
    RCWinInetHTTPChannel.SetTargetURL(ServiceUrl());
    RCWinInetHTTPChannel.OnProgress.Assign(this,
                                           &TdmKestrinConnection::RCWinInetHTTPChannelProgress);
}

TdmKestrinConnection::~TdmKestrinConnection() = default;

void TdmKestrinConnection::SetHeader(const std::string& nombre, const std::string& telefono,
                                     const std::string& observaciones,
                                     const std::string& destino) {
    header_ = THeader{nombre, telefono, observaciones, destino};
}

void TdmKestrinConnection::Collect() {
    try {
        TXMLSysInfo document;
        TMSystemInfo& info = *document.SystemInfo;
        info.ProcessList = ProcessList;
        // The relays read the module's events at each call.
        info.OnCompleteProcess.Assign([this](Persistent* sender, const std::string& name,
                                             int32_t number) {
            OnGetInfoCompleteProcess(sender, name, number);
        });
        info.OnStarts.Assign(
            [this](Persistent* sender, int32_t count) { OnGetInfoStarts(sender, count); });
        try {
            info.Refresh();
        } catch (const std::exception& e) {
            // An unattended run has nobody to tell: it delivers the sections gathered before
            // the failure, and the inventory's error list says why it stops there.
            if (!Auto) throw;
            info.ErrorList->Add(e.what());
        }
        XMLData = document.SaveXML();
    } catch (const std::exception&) {
        // Even the partial inventory could not be written: XMLData keeps what it held.
        if (!Auto) throw;
    }
}

std::string TdmKestrinConnection::BuildPackageText() const {
    return BuildHeaderText(header_) + XMLData;
}

void TdmKestrinConnection::SaveTempPackage() const {
    WritePackageFile(BuildPackageText(), tmpFile);
}

void TdmKestrinConnection::CopyPackageTo(const std::string& fileName) const {
    const platform::FileCopy copy =
        platform::Current().Storage().CopyFileReplacing(tmpFile, fileName);
    if (!copy.copied) throw Exception(SystemErrorMessage(copy.error));
}

void TdmKestrinConnection::LoadPackage(const std::string& fileName) {
    header_ = THeader{};
    THeader header;
    std::string xml;
    ReadPackageFile(fileName, header, xml);
    header_ = header;
    XMLData = xml;
}

std::string TdmKestrinConnection::GetMailBody() const {
    return "Información del sistema enviada por " + header_.Nombre + "\r\n" +
           "Teléfono: " + header_.Telefono + "\r\n" +
           "Observaciones: " + header_.Observaciones + "\r\n\r\n";
}

void TdmKestrinConnection::View() {
    if (!viewer_) throw Exception(kViewerUnavailableMessage);
    // The viewer takes its pages from the ProcessList the XML restores.
    TXMLSysInfo document;
    document.LoadXML(XMLData);
    viewer_->ShowInformation(*document.SystemInfo);
}

bool TdmKestrinConnection::SendDirect() {
    const std::unique_ptr<IKestrinService> service =
        CoKestrinService::Create(RCBinMessage, RCWinInetHTTPChannel);
    // The uncompressed XML goes as Datos; the header travels as separate arguments. The
    // service's answer carries nothing the program uses.
    service->AddInfoFromRequest(Cp1252ToUtf16(header_.Nombre), Cp1252ToUtf16(header_.Telefono),
                                Cp1252ToUtf16(XMLData), Cp1252ToUtf16(header_.Observaciones),
                                Cp1252ToUtf16(header_.Destino));
    return true;
}

void TdmKestrinConnection::RCWinInetHTTPChannelProgress(Persistent* sender, TProgressType type,
                                                        TProgressDirection direction,
                                                        int32_t transferred, int32_t total) {
    OnSendProgress(sender, type, direction, transferred, total);
}

}  // namespace rb
