#include "connection/connection_module.h"

#include "core/exception.h"
#include "platform/platform.h"
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

TdmKestrinConnection::TdmKestrinConnection(Component* owner) : Component(owner) {
    Name = "dmKestrinConnection";
    tmpFile = TemporaryPackagePath(platform::Current().TempPath());
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
            OnGetInfoCompletsTest(sender, name, number);
        });
        info.OnStarts.Assign(
            [this](Persistent* sender, int32_t count) { OnGetInfoStarts(sender, count); });
        info.Refresh();
        XMLData = document.SaveXML();
    } catch (const std::exception&) {
        // An unattended run sends whatever it has rather than stop.
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
    platform::Current().CopyFile(tmpFile, fileName);
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
    throw Exception("El visor de la información no está disponible en esta versión");
}

bool TdmKestrinConnection::SendDirect() {
    throw Exception("El envío directo no está disponible en esta versión");
}

}  // namespace rb
