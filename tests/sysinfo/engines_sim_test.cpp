// The engines section over simulated systems: file versions from the registry, DAO and ADO
// through simulated Automation objects that answer, fail, stay silent or are missing, the ADO
// filter test and version check, COM's lifetime and the release of every object.
#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "sysinfo/si_engines.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::FileVersion;
using platform::RegValueType;
using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimAutomation;
using platform::SimPlatform;

const char kFilterError[] = "TEngines.GetInfo: Error asignado filtro con clausa \"mayor que\".";
const char kConnectionFile[] = "C:\\ado\\msado15.dll";
const char kRecordsetFile[] = "C:\\ado\\msador15.dll";

FileVersion Version(uint16_t a, uint16_t b, uint16_t c, uint16_t d,
                    const std::string& description = "") {
    FileVersion v;
    v.parts[0] = a;
    v.parts[1] = b;
    v.parts[2] = c;
    v.parts[3] = d;
    v.description = description;
    return v;
}

class EnginesTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TEngines engines{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        engines.GetInfo();
    }
    std::vector<std::string> Errors() const {
        std::vector<std::string> list;
        for (int i = 0; i < errors.Count(); ++i) list.push_back(errors.Get(i));
        return list;
    }
    // A class registered with its server file.
    void Register(const std::string& programId, const std::string& classId,
                  const std::string& serverFile) {
        sim.automation.classes[programId].classId = classId;
        if (!serverFile.empty()) {
            sim.registry.SetString(RootKey::ClassesRoot, "CLSID\\" + classId + "\\InprocServer32",
                                   "", serverFile);
        }
    }
    // ADO as installed: both objects, the recordset able to filter.
    void InstallAdo(const FileVersion& connection, const FileVersion& recordset) {
        Register("ADODB.Connection", "{00000514}", kConnectionFile);
        Register("ADODB.Recordset", "{00000535}", kRecordsetFile);
        sim.automation.classes["ADODB.Connection"].members = {{"Version", std::string("2.8")}};
        sim.automation.classes["ADODB.Recordset"].members = {{"Fields.Append", std::monostate{}},
                                                             {"Open", std::monostate{}},
                                                             {"Filter", std::string()}};
        sim.system.fileVersions[kConnectionFile] = connection;
        sim.system.fileVersions[kRecordsetFile] = recordset;
    }
};

TEST_F(EnginesTest, EveryEngineOfAWellEquippedMachine) {
    const auto HKLM = RootKey::LocalMachine;
    sim.registry.SetString(HKLM, "SOFTWARE\\Borland\\Database Engine", "DLLPATH", "C:\\BDE");
    sim.system.fileVersions["C:\\BDE\\IDAPI32.DLL"] = Version(5, 2, 0, 2);
    sim.registry.SetString(HKLM, "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList", "ODBC32.DLL",
                           "C:\\WINDOWS\\SYSTEM\\ODBC32.DLL");
    sim.system.fileVersions["C:\\WINDOWS\\SYSTEM\\ODBC32.DLL"] = Version(3, 520, 7713, 0);
    sim.system.fileVersions["ODBC32.DLL"] = Version(9, 9, 9, 9);  // not asked: the key names it
    sim.automation.classes["DAO.DBEngine.36"] = {"{DAO36}", {{"Version", std::string("3.6")}}};
    sim.automation.classes["DAO.DBEngine.35"] = {"{DAO35}", {{"Version", std::string("3.5")}}};
    InstallAdo(Version(2, 81, 1117, 0), Version(2, 81, 1117, 0));
    Gather();
    EXPECT_EQ(Errors(), std::vector<std::string>{});
    EXPECT_EQ(engines.BDE, "5.2.0.2");
    EXPECT_EQ(engines.ODBC, "3.520.7713.0");
    EXPECT_EQ(engines.DAO, "3.6");
    EXPECT_EQ(engines.ADO, "2.81.1117.0");
    EXPECT_EQ(sim.automation.lastSet.at("adodb.RecordSet.Filter"),
              platform::AutomationValue(std::string("campo > 1")));
    // COM was entered once and left, and every object was released.
    EXPECT_EQ(sim.automation.threadsEntered, 1);
    EXPECT_EQ(sim.automation.threadsLeft, 1);
    EXPECT_EQ(sim.automation.liveObjects, 0);
    StringList report;
    engines.Report(report);
    EXPECT_EQ(report.Text(),
              "[ODBC]\r\nVersion=3.520.7713.0\r\n[BDE]\r\nVersion=5.2.0.2\r\n[DAO]\r\n"
              "Version=3.6\r\n[ADO]\r\nVersion=2.81.1117.0\r\n");
}

TEST_F(EnginesTest, AMachineWithoutEnginesGetsTheFilterMessageAndNoMismatch) {
    sim.system.fileVersions["odbc32.dll"] = Version(3, 525, 1117, 0);  // by the search order
    engines.DAO = "de antes";
    Gather();
    EXPECT_EQ(Errors(), std::vector<std::string>{kFilterError});
    EXPECT_EQ(engines.ODBC, "3.525.1117.0");
    EXPECT_EQ(engines.BDE + engines.DAO + engines.ADO, "");
    EXPECT_EQ(sim.automation.threadsLeft, 1);
    StringList report;
    engines.Report(report);
    EXPECT_EQ(report.Text(), "[ODBC]\r\nVersion=3.525.1117.0\r\n[BDE]\r\n[DAO]\r\n[ADO]\r\n");
}

TEST_F(EnginesTest, ConnectionAndRecordsetOfDifferentVersionsAreReported) {
    InstallAdo(Version(2, 81, 1117, 0, " ADO"), Version(2, 80, 1022, 0));
    Gather();
    EXPECT_EQ(engines.ADO, "2.81.1117.0 ADO");  // the description follows the version
    EXPECT_EQ(Errors(), std::vector<std::string>{
                            "La versión del objeto ADO.Connection (2.81.1117.0) difiere de la "
                            "versión de ADO.Recordset (2.80.1022.0)"});
}

// Each row: how the recordset behaves, and whether the filter message follows.
TEST_F(EnginesTest, TheFilterTestFailsAtAnyStep) {
    struct Row {
        const char* missing;  // member the recordset lacks; "" none
        bool message;
    };
    const Row rows[] = {{"", false}, {"Fields.Append", true}, {"Open", true}, {"Filter", true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.missing);
        sim.automation.classes.clear();
        TStringCollection errs;
        TEngines e(&errs);
        InstallAdo(Version(2, 8, 0, 0), Version(2, 8, 0, 0));
        sim.automation.classes["ADODB.Recordset"].members.erase(row.missing);
        {
            ScopedPlatform scope(sim);
            e.GetInfo();
        }
        EXPECT_EQ(errs.Count(), row.message ? 1 : 0);
        EXPECT_EQ(sim.automation.liveObjects, 0);
    }
}

// Creation: a running instance first, one retry after a failure, none after a silent server.
TEST_F(EnginesTest, DaoObjectsAreFoundRunningRetriedOnceOrGivenUp) {
    struct Row {
        const char* what;
        SimAutomation::Class engine36;
        const char* dao;
        int attempts36;
    };
    const auto cls = [](bool running, int failures, bool silent) {
        SimAutomation::Class c{
            "{DAO36}", {{"Version", std::string("3.6")}}, running, failures, silent};
        return c;
    };
    const Row rows[] = {
        {"running", cls(true, 0, false), "3.6", 0},
        {"created", cls(false, 0, false), "3.6", 1},
        {"one failure", cls(false, 1, false), "3.6", 2},
        {"two failures", cls(false, 2, false), "3.5", 2},
        {"silent server", cls(false, 0, true), "3.5", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SimPlatform s;
        s.automation.classes["DAO.DBEngine.36"] = row.engine36;
        s.automation.classes["DAO.DBEngine.35"] = cls(false, 0, false);
        s.automation.classes["DAO.DBEngine.35"].members["Version"] = std::string("3.5");
        TEngines e;
        {
            ScopedPlatform scope(s);
            e.GetInfo();
        }
        EXPECT_EQ(e.DAO, row.dao);
        EXPECT_EQ(s.automation.creations["DAO.DBEngine.36"], row.attempts36);
        EXPECT_EQ(s.automation.liveObjects, 0);
    }
}

TEST_F(EnginesTest, AdoVersionFromTheObjectWhenTheServerFileHasNone) {
    InstallAdo(Version(2, 8, 0, 0), Version(2, 8, 0, 0));
    sim.system.fileVersions.clear();
    Gather();
    EXPECT_EQ(engines.ADO, "2.8");
    EXPECT_EQ(errors.Count(), 0);  // both files without version: no mismatch
}

TEST_F(EnginesTest, ServerPathsWithEnvironmentVariablesAreExpanded) {
    InstallAdo(Version(2, 81, 1117, 0), Version(2, 81, 1117, 0));
    const std::string path = "CLSID\\{00000514}\\InprocServer32";
    sim.registry.SetString(RootKey::ClassesRoot, path, "",
                           "%CommonProgramFiles%\\System\\ado\\msado15.dll");
    for (auto& [name, value] : sim.registry.Find(RootKey::ClassesRoot, path)->values) {
        value.type = RegValueType::ExpandString;
    }
    sim.system.environment = {"CommonProgramFiles=C:\\Archivos de programa\\Archivos comunes"};
    sim.system
        .fileVersions["C:\\Archivos de programa\\Archivos comunes\\System\\ado\\msado15.dll"] =
        Version(2, 81, 1117, 0);
    Gather();
    EXPECT_EQ(engines.ADO, "2.81.1117.0");
    EXPECT_EQ(errors.Count(), 0);
}

}  // namespace
}  // namespace rb
