// Gathering of the engines section: ODBC and BDE file versions from the registry, DAO and ADO
// through late-bound Automation, the ADO filter test and the ADO version check.
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_engines.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

// The section's prefix in the error list.
constexpr char kErrorPrefix[] = "TEngines.GetInfo: ";

using platform::AutomationObject;
using platform::AutomationValue;
using platform::Current;
using platform::RootKey;

const char kFilterMessage[] = "TEngines.GetInfo: Error asignado filtro con clausa \"mayor que\".";
const char kMismatchMessage[] =
    "La versión del objeto ADO.Connection (%s) difiere de la versión de ADO.Recordset (%s)";
const char* const kDaoEngines[] = {"DAO.DBEngine.36", "DAO.DBEngine.35", "DAO.DBEngine"};
constexpr int32_t kIntegerField = 3;  // adInteger

std::string FileVersion(const std::string& file) {
    std::string description, version;
    GetFileVerInfo(file, description, version);
    return version;
}

std::string ValueText(const std::optional<AutomationValue>& value) {
    if (!value) return "";
    if (const auto* s = std::get_if<std::string>(&*value)) return *s;
    if (const auto* i = std::get_if<int32_t>(&*value)) return IntToStr(*i);
    if (const auto* d = std::get_if<double>(&*value)) return FloatToNeutralText(*d);
    if (const auto* b = std::get_if<bool>(&*value)) return *b ? "True" : "False";
    return "";
}

// The "%NAME%" parts of a REG_EXPAND_SZ path replaced by the environment's values.
std::string Expanded(const std::string& text) {
    std::string result;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find('%', pos);
        const size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) break;
        const std::string value =
            Current().System().EnvironmentVariable(text.substr(open + 1, close - open - 1));
        result += text.substr(pos, open - pos);
        result += value.empty() ? text.substr(open, close - open + 1) : value;
        pos = close + 1;
    }
    return result + text.substr(std::min(pos, text.size()));
}

std::string RegistryText(RootKey root, const std::string& path, const char* name) {
    const auto key = Current().Reg().Open(root, path);
    if (!key) return "";
    const std::string text = key->ReadString(name).value_or("");
    return key->ValueType(name) == platform::RegValueType::ExpandString ? Expanded(text) : text;
}

// The object of a program identifier: the running instance, or else a new one; a creation that
// fails is tried once more, unless the server did not answer at all.
std::unique_ptr<AutomationObject> ObtainObject(const char* programId) {
    platform::AutomationArea& area = Current().Automation();
    if (area.ClassId(programId).empty()) return nullptr;
    if (auto running = area.RunningObject(programId)) return running;
    platform::AutomationCreation first = area.NewObject(programId);
    if (first.object || first.serverSilent) return std::move(first.object);
    return area.NewObject(programId).object;
}

// The in-process server file registered for a program identifier; "" when there is none.
std::string ServerFile(const char* programId) {
    const std::string classId = Current().Automation().ClassId(programId);
    if (classId.empty()) return "";
    return RegistryText(RootKey::ClassesRoot, "CLSID\\" + classId + "\\InprocServer32", "");
}

// ADO must filter a recordset by a greater-than condition.
bool AdoFilters() {
    const auto recordset = ObtainObject("adodb.RecordSet");
    if (!recordset) return false;
    const auto fields = recordset->PropertyObject("Fields");
    return fields && fields->Call("Append", {std::string("Campo"), kIntegerField}) &&
           recordset->Call("Open", {}) &&
           recordset->SetProperty("Filter", std::string("campo > 1"));
}

}  // namespace

void TEngines::GatherFileVersions() {
    const std::string bde =
        RegistryText(RootKey::LocalMachine, "SOFTWARE\\Borland\\Database Engine", "DLLPATH");
    if (!bde.empty()) BDE = FileVersion(bde + "\\IDAPI32.DLL");
    const std::string odbc = RegistryText(
        RootKey::LocalMachine, "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList", "ODBC32.DLL");
    if (!odbc.empty()) ODBC = FileVersion(odbc);
    if (ODBC.empty()) ODBC = FileVersion("ODBC32.DLL");  // by the system's search order
}

void TEngines::GatherAutomation() {
    for (const char* engine : kDaoEngines) {
        if (const auto dao = ObtainObject(engine)) {
            DAO = ValueText(dao->GetProperty("Version"));
            break;
        }
    }
    std::string description;
    GetFileVerInfo(ServerFile("adodb.connection"), description, ADO);
    ADO += description;
    if (!AdoFilters() && ErrorList()) ErrorList()->Add(kFilterMessage);
    if (ADO.empty()) {
        if (const auto connection = ObtainObject("adodb.connection")) {
            ADO = ValueText(connection->GetProperty("Version"));
        }
    }
    const std::string connection = FileVersion(ServerFile("adodb.connection"));
    const std::string recordset = FileVersion(ServerFile("adodb.RecordSet"));
    if (connection != recordset && ErrorList()) {
        ErrorList()->Add(Format(kMismatchMessage, connection.c_str(), recordset.c_str()));
    }
}

void TEngines::GetInfo() {
    ODBC.clear();
    BDE.clear();
    DAO.clear();
    ADO.clear();
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        GatherFileVersions();
        // COM for this thread while the engines are asked; every object goes before it.
        const auto com = Current().Automation().EnterThread();
        GatherAutomation();
    });
}

}  // namespace rb
