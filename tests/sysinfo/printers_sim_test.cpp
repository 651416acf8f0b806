// The printers section over simulated spoolers: the records, the default printer on both
// families, the phrases of attributes and status, the display name and the report.
#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "sysinfo/si_printers.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::PrinterEnumeration5;
using platform::PrinterInfo2;
using platform::PrinterInfo5;
using platform::ScopedPlatform;
using platform::SimPlatform;
using platform::SimSystem;

PrinterInfo2 Printer(const std::string& name, const std::string& port,
                     const std::string& server = "") {
    PrinterInfo2 p;
    p.serverName = server;
    p.printerName = name;
    p.portName = port;
    return p;
}

TEST(PrinterTexts, PhrasesOfEveryBitInTableOrder) {
    struct Row {
        bool status;
        uint32_t bits;
        const char* text;
    };
    const Row rows[] = {
        {false, 0x48, "Compartida - Local - "},
        {false, 0, ""},
        {false, 0x1401, "En cola - Fuera de línea - Sólo impresión cruda - "},
        {false, 0x2000, ""},  // no phrase for bits beyond the table
        {true, 0, ""},
        {true, 64, "Problema con el papel"},
        {true, 0x41, "Impresora en Pausa - Problema con el papel"},
        {true, 0x01000000 | 0x80000,
         "Página demasiado compleja para imprimir - "
         "En modo ahorro de energía - "},
    };
    for (const Row& row : rows) {
        std::string text = "previo: ";
        if (row.status) {
            PrinterStatusText(row.bits, text);
        } else {
            PrinterAttributesText(row.bits, text);
        }
        EXPECT_EQ(text, std::string("previo: ") + row.text) << row.bits;
    }
}

TEST(PrinterTexts, DisplayNameWithTheServer) {
    const std::pair<PrinterInfo2, const char*> rows[] = {
        {Printer("\\\\SRV\\HP", "IP_1", "\\\\SRV"), "HP en SRV"},
        {Printer("Epson LX", "LPT1:"), "Epson LX"},
        {Printer("\\\\SRV\\HP", "IP_1", "\\"), "HP en "},
    };
    for (const auto& [record, expected] : rows) {
        TPrinterDeviceComplete p;
        p.ServerName = record.serverName;
        p.PrinterName = record.printerName;
        EXPECT_EQ(p.DisplayName(), expected);
    }
}

class PrintersTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TPrinters printers{&errors};

    void Gather() {
        ScopedPlatform scope(sim);
        printers.GetInfo();
    }
};

TEST_F(PrintersTest, EveryFieldOfTheRecordsAndTheReport) {
    sim.system.version = SimSystem::Windows98SE();
    PrinterInfo2 full = Printer("Epson LX", "LPT1:");
    full.shareName = "EPSON";
    full.driverName = "Epson LX-300";
    full.comment = "Oficina";
    full.location = "Planta 2";
    full.sepFile = "sep.sep";
    full.printProcessor = "WinPrint";
    full.datatype = "RAW";
    full.parameters = "-x";
    full.attributes = 0x48;
    full.priority = 1;
    full.defaultPriority = 2;
    full.startTime = 480;
    full.untilTime = 1080;
    full.status = 64;
    full.jobs = 3;
    full.averagePPM = 12;
    sim.printers.level2 = std::vector<PrinterInfo2>{full, Printer("HP", "LPT2:")};
    sim.printers.defaultLevel5.records = {PrinterInfo5{"hp", "LPT2:"}};
    Gather();
    EXPECT_EQ(errors.Count(), 0);
    EXPECT_EQ(sim.printers.flagsAsked, (std::vector<uint32_t>{2, 1}));  // local, then default
    ASSERT_EQ(printers.Count(), 2);
    const auto& p = printers.ItemAs<TPrinterDeviceComplete>(0);
    EXPECT_EQ(p.ShareName + p.DriverName + p.Comment + p.Location + p.SepFile + p.PrintProcessor +
                  p.Datatype + p.Parameters,
              "EPSONEpson LX-300OficinaPlanta 2sep.sepWinPrintRAW-x");
    EXPECT_EQ(p.Attributes, 0x48u);
    EXPECT_EQ(p.Priority + p.DefaultPriority, 3u);
    EXPECT_EQ(p.StartTime, "480");
    EXPECT_EQ(p.UntilTime, "1080");
    EXPECT_EQ(p.Status, 64u);
    EXPECT_EQ(p.cJobs, 3u);
    EXPECT_EQ(p.AveragePPM, 12u);
    EXPECT_EQ(printers.DefaultIndex, 1);  // the name compared without regard to case
    StringList report;
    printers.Report(report);
    EXPECT_EQ(report.Text(), "[Printers]\r\nCount=2\r\nEpson LX on LPT1:=0\r\nHP on LPT2:=1\r\n");
}

// How the default printer is found, on either family and whatever the level-5 call answers.
TEST_F(PrintersTest, DefaultPrinterFromTheEnumerationTheProfileOrTheSystem) {
    struct Row {
        const char* what;
        bool nt;
        PrinterEnumeration5 level5;
        const char* profileDevice;  // nullptr: no entry
        const char* systemDefault;
        int32_t defaultIndex;
        const char* error;
    };
    const Row rows[] = {
        {"9x record", false, {{PrinterInfo5{"Canon"}}, 0}, nullptr, "", 2, nullptr},
        {"no record, profile", false, {}, "HP LaserJet,winspool,LPT1:", "", 1, nullptr},
        {"profile with blanks", false, {}, "  Canon,winspool,LPT3:", "", 2, nullptr},
        {"NT refuses, profile", true, {{}, 123}, "HP LaserJet,winspool,Ne00:", "", 1, nullptr},
        {"NT refuses, system", true, {{}, 123}, nullptr, "Canon", 2, nullptr},
        {"NT refuses, nothing",
         true,
         {{}, 123},
         nullptr,
         "",
         7,
         "TPrinters.GetInfo 2: No existe una impresora por defecto"},
        {"other error, nothing",
         true,
         {{}, 5},
         nullptr,
         "",
         7,
         "TPrinters.GetInfo 3: 5: Acceso denegado."},
        {"other error, profile", true, {{}, 5}, "Canon,winspool", "", 2, nullptr},
        {"unknown name", false, {{PrinterInfo5{"Xerox"}}, 0}, nullptr, "", 7, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SimPlatform s;
        s.system.version = row.nt ? SimSystem::WindowsXP() : SimSystem::Windows98SE();
        s.printers.level2 = std::vector<PrinterInfo2>{
            Printer("Epson", "LPT1:"), Printer("HP LaserJet", "LPT2:"), Printer("Canon", "LPT3:")};
        s.printers.defaultLevel5 = row.level5;
        if (row.profileDevice) s.printers.profile["windows\\device"] = row.profileDevice;
        s.printers.defaultPrinter = row.systemDefault;
        TStringCollection errs;
        TPrinters list(&errs);
        list.DefaultIndex = 7;  // kept when nothing is found
        {
            ScopedPlatform scope(s);
            list.GetInfo();
        }
        EXPECT_EQ(list.Count(), 3);
        EXPECT_EQ(list.DefaultIndex, row.defaultIndex);
        ASSERT_EQ(errs.Count(), row.error ? 1 : 0);
        if (row.error) EXPECT_EQ(errs.Get(0), row.error);
        EXPECT_EQ(s.printers.flagsAsked.front(), row.nt ? 6u : 2u);
    }
}

// A machine without printers still asks for the default one: on NT, where the question is
// refused and nothing else names a printer, the error list says there is none.
TEST_F(PrintersTest, NoPrintersStillLookForTheDefaultOne) {
    struct Row {
        const char* what;
        bool nt;
        PrinterEnumeration5 level5;
        std::vector<uint32_t> flagsAsked;
        const char* error;
    };
    const Row rows[] = {
        {"NT refuses", true, {{}, 123}, {6, 1},
         "TPrinters.GetInfo 2: No existe una impresora por defecto"},
        {"NT answers nothing", true, {}, {6, 1}, nullptr},
        {"98 answers nothing", false, {}, {2, 1}, nullptr},
        {"98 names one", false, {{PrinterInfo5{"Perdida"}}, 0}, {2, 1}, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SimPlatform s;
        s.system.version = row.nt ? SimSystem::Windows10() : SimSystem::Windows98SE();
        s.printers.defaultLevel5 = row.level5;
        TStringCollection errs;
        TPrinters list(&errs);
        list.AddItem<TPrinterDeviceComplete>();  // cleared first
        {
            ScopedPlatform scope(s);
            list.GetInfo();
        }
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(list.DefaultIndex, 0);  // nothing to point at: kept
        EXPECT_EQ(s.printers.flagsAsked, row.flagsAsked);
        ASSERT_EQ(errs.Count(), row.error ? 1 : 0);
        if (row.error) EXPECT_EQ(errs.Get(0), row.error);
    }
}

TEST_F(PrintersTest, AFailedEnumerationGivesAnEmptyListWithoutErrors) {
    sim.printers.level2 = std::nullopt;
    sim.printers.defaultLevel5.error = 123;  // never asked: the list itself failed
    printers.AddItem<TPrinterDeviceComplete>();
    Gather();
    EXPECT_EQ(printers.Count(), 0);
    EXPECT_EQ(printers.DefaultIndex, 0);
    EXPECT_EQ(sim.printers.flagsAsked.size(), 1u);
    EXPECT_EQ(errors.Count(), 0);
    StringList report;
    printers.Report(report);
    EXPECT_EQ(report.Text(), "[Printers]\r\nCount=0\r\n");
}

}  // namespace
}  // namespace rb
