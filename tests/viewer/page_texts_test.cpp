// What each page of the viewer takes from the golden inventory, read back from its document as
// the viewer gets it, and the edge values of the pages.
#include "viewer/page_texts.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "connection/package_file.h"
#include "core/exception.h"
#include "test_files.h"
#include "platform/sim/sim_platform.h"
#include "viewer/golden_inventory.h"
#include "xml/sys_info_xml.h"

namespace rb::viewer {
namespace {

class GoldenPages : public ::testing::Test {
protected:
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    TXMLSysInfo doc;
    TMSystemInfo& info = *doc.SystemInfo;

    void SetUp() override {
        sim.system.locale.shortDateFormat = "dd/MM/yyyy";
        sim.system.locale.longTimeFormat = "HH:mm:ss";
        doc.LoadXML(ReadBytes(test::GoldenXmlPath()));
    }
};

// The committed document is the golden inventory's (RB_REGENERATE_GOLDEN=1 rewrites it).
TEST_F(GoldenPages, CommittedDocumentIsTheGoldenInventory) {
    TXMLSysInfo fresh;
    test::FillGoldenInventory(*fresh.SystemInfo);
    const std::string xml = fresh.SaveXML();
    THeader header{"José Núñez", "91 555 12 34", "Oficina de Peña", ""};
    if (std::getenv("RB_REGENERATE_GOLDEN")) {
        WriteBytes(test::GoldenXmlPath(), xml);
        WritePackageFile(BuildHeaderText(header) + xml, test::GoldenPackagePath());
    }
    EXPECT_EQ(ReadBytes(test::GoldenXmlPath()), xml);
    THeader read;
    std::string packed;
    ReadPackageFile(test::GoldenPackagePath(), read, packed);
    EXPECT_EQ(packed, xml);
    EXPECT_EQ(read.Nombre, header.Nombre);
}

TEST_F(GoldenPages, FieldsOfTheSystemPages) {
    const auto machine = MachineGroups(*info.Machine);
    ASSERT_EQ(machine.size(), 3u);
    EXPECT_EQ(machine[0].fields[1], (Field{"Nombre de Usuario", "José Núñez"}));
    EXPECT_EQ(machine[2].fields[0], (Field{"Último inicio", "01/01/2008 12:00:00"}));
    EXPECT_EQ(machine[2].fields[1].value, "1 Día, 2 Horas, 3 Minutos, 5 Segundos.");
    EXPECT_EQ(IndicatorColour(info.Machine->NumLock), 0x0000FF00u);
    EXPECT_EQ(IndicatorColour(info.Machine->CapsLock), 0x00C0C0C0u);

    const OSTexts os = OSPage(*info.OS);
    EXPECT_EQ(os.tabCaption, "Windows XP Professional");
    EXPECT_EQ(os.versionLine, "Windows XP - Workstation");
    EXPECT_EQ(os.versionNumbers, "Versión: 5.1.2600");
    EXPECT_EQ(os.servicePack, "Service Pack 2");
    EXPECT_TRUE(os.packagesEnabled);
    EXPECT_EQ(NonEmptyEntries(*info.OS->Folders).size(), 2u);  // "Fonts=" left out
    EXPECT_EQ(RegionalRows(*info.OS)[1], (Row{"Separador de Miles", "."}));
    const auto suites = CheckItemsFrom(SuiteLines(*info.OS->NTSpecific), false);
    ASSERT_EQ(suites.size(), 9u);
    EXPECT_EQ(suites[0], (CheckItem{"Microsoft Small Business Server", true}));
    EXPECT_EQ(suites[4], (CheckItem{"Terminal Services", true}));
    EXPECT_EQ(suites[6], (CheckItem{"Terminal Services", true}));

    EXPECT_EQ(CPUHeading(*info.CPU), "1 x  Pentium 4 - 2800 MHz");  // short vendor unpublished
    EXPECT_EQ(CPUGroups(*info.CPU)[0].fields[0].value, "Familia 15  Modelo 2  Nivel 9");
    const StringList features = CPUFeatureLines(*info.CPU);
    EXPECT_EQ(features[features.Count() - 1], "FDIV Error=0");

    const auto memory = MemoryGroups(*info.Memory, '.');
    EXPECT_EQ(memory[0].fields[0], (Field{"Física Total", "536.330.240"}));
    EXPECT_EQ(memory[0].fields[1], (Field{"Física Libre", "0"}));
    EXPECT_EQ(memory[1].fields[1].value, "00010000 - 7FFEFFFF");
    info.Memory->PhysicalTotal = 0;
    EXPECT_EQ(MemoryGroups(*info.Memory, '.')[0].fields[0].value, "");
}

TEST_F(GoldenPages, HardwarePages) {
    const TDisplay& display = info.Displays->Display(0);
    EXPECT_EQ(DisplayGroups(display)[1].fields[0].value, "Version 4.17.00.45.00 (10/02/02)");
    StringList curve;
    kCapabilityButtons[1].report(display, curve);
    EXPECT_EQ(curve.Count(), 9);
    EXPECT_EQ(CheckItemsFrom(curve, false)[0].checked, true);

    APMTexts apm = APMPage(*info.APM);
    EXPECT_EQ(apm.acLine, "En línea");
    EXPECT_EQ(apm.charge, "Cargando");
    EXPECT_EQ(apm.gauge, 80);
    info.APM->BatteryLifePercent = 255;
    apm = APMPage(*info.APM);
    EXPECT_EQ(apm.fullTime, "<Información no disponible>");
    EXPECT_EQ(apm.lifeTime, "<Información no disponible>");
    EXPECT_FALSE(apm.gauge.has_value());

    EXPECT_EQ(AvailableDeviceIcon(*info.Media, 0), MediaIcon::GamePort);
    EXPECT_EQ(AvailableDeviceIcon(*info.Media, 1), MediaIcon::SoundCard);
    EXPECT_EQ(MediaRows(*info.Media)[0], (Row{"SB Live! Wave Out", "Item de Media"}));
    EXPECT_EQ(MediaDetailRows(info.Media->ItemAs<TMediaItem>(0))[2].value, "5.2");
    TWOCMediaItem waveOut;
    waveOut.Channels = 2;
    EXPECT_EQ(MediaDetailRows(waveOut).back(), (Field{"Channels", "2"}));

    const DeviceNode tree = DeviceTree(*info.Devices);
    EXPECT_EQ(tree.caption, "OFICINA-PEÑA");
    ASSERT_EQ(tree.children.size(), 3u);
    EXPECT_EQ(tree.children[0].caption, "Adaptadores de pantalla");
    EXPECT_EQ(tree.children[1].caption, "Adaptadores de red");
    EXPECT_EQ(tree.children[1].children[0].caption, "Adaptador de minipuerto WAN");
    EXPECT_EQ(tree.children[1].children[0].device, 2);
    const auto rows = DeviceDetailRows(info.Devices->Device(2), "Adaptador de minipuerto WAN",
                                       "Adaptadores de red");
    EXPECT_EQ(rows[10], (Field{"Nombre del Servicio", "nv4"}));  // ServiceName empty

    EXPECT_EQ(PrinterIconOf(*info.Printers, 0), PrinterIcon::LocalDefault);
    EXPECT_EQ(PrinterIconOf(*info.Printers, 1), PrinterIcon::Network);
    const auto printer = PrinterDetailRows(info.Printers->ItemAs<TPrinterDeviceComplete>(0));
    EXPECT_EQ(printer.size(), 17u);  // no start and end times ("0")
    EXPECT_EQ(printer[11].value, "Compartida - Local - ");
    EXPECT_EQ(printer[14].value, "Problema con el papel");
}

// The pictures' edges: a type or class outside the tables shows the generic picture, a machine
// without a network card shows every adapter alike.
TEST_F(GoldenPages, PicturesOfUnknownThingsAreGeneric) {
    EXPECT_EQ(DriveIcon(static_cast<TMediaType>(200)).index, DriveIcon(TMediaType::dtUnknown).index);
    EXPECT_EQ(DeviceClassIcon(TDeviceClass::dcUnknown).index,
              DeviceClassIcon(TDeviceClass::dcGPS).index);
    EXPECT_NE(DeviceClassIcon(TDeviceClass::dcNet).index,
              DeviceClassIcon(TDeviceClass::dcUnknown).index);
    const int adapters = info.Network->Adapters->Count();
    ASSERT_GE(adapters, 2);
    const struct {
        int card;
        int cards;  // adapters shown as the card
    } cases[] = {{0, 1}, {adapters - 1, 1}, {-1, 0}, {adapters, 0}};
    for (const auto& c : cases) {
        info.Network->CardAdapterIndex = c.card;
        int cards = 0;
        for (int i = 0; i < adapters; ++i) {
            cards += AdapterIconOf(*info.Network, i) == AdapterIcon::NetworkCard;
        }
        EXPECT_EQ(cards, c.cards) << c.card;
    }
    EXPECT_TRUE(kPrinterIcons[static_cast<size_t>(PrinterIcon::NetworkDefault)].marked);
    EXPECT_FALSE(kPrinterIcons[static_cast<size_t>(PrinterIcon::Network)].marked);
}

TEST_F(GoldenPages, DiskAndTimeZoneEdges) {
    const DiskTexts c = DiskPage(*DiskOfEntry(*info.Disks, DiskEntries(*info.Disks)[0]), ',');
    EXPECT_EQ(DiskEntries(*info.Disks)[0], "C: [Sistema ñ]");
    EXPECT_EQ(c.capacity, "Capacidad: 40,960,000,000 B");
    EXPECT_EQ(c.bytesPerSector, "Bytes/sector: 512");
    EXPECT_EQ(c.gauge, 75);
    const DiskTexts e = DiskPage(*DiskOfEntry(*info.Disks, "E: []"), ',');
    EXPECT_EQ(e.gauge, 0);  // capacity 0
    EXPECT_EQ(e.freeClusters, "Clusters libres: 0");
    const auto flags = DiskFlagItems(info.Disks->ItemAs<TDisk>(0));
    EXPECT_EQ(flags[6], (CheckItem{"Long Filenames", true}));
    EXPECT_EQ(flags[1], (CheckItem{"Case Sensitive", false}));

    TimeZoneTexts zone = TimeZonePage(*info.OS->TimeZone);
    EXPECT_TRUE(zone.daylightVisible);
    EXPECT_EQ(zone.standardCaption, " Hora estándar romance ");
    EXPECT_EQ(zone.mapLeft, -192);  // round((-1 - 12) * 14.8)
    info.OS->TimeZone->DaylightStart = "0";
    zone = TimeZonePage(*info.OS->TimeZone);
    EXPECT_FALSE(zone.daylightVisible);
    EXPECT_TRUE(zone.standardVisible);
}

TEST_F(GoldenPages, SoftwarePages) {
    EXPECT_EQ(EngineLines(*info.Engines)[1], "Borland Database Engine no encontrado");
    EXPECT_EQ(EngineLines(*info.Engines)[3], "Microsoft ActiveX Data Objects 2.81");
    EXPECT_EQ(DirectXRows(*info.DirectX)[1], (Row{"Sintetizador de software Microsoft", "DirectMusic"}));
    info.DirectX->Version = "";
    EXPECT_EQ(DirectXLine(*info.DirectX), "No instalado");

    const Rows processes = ProcessRows(*info.Processes);
    EXPECT_EQ(processes[0], (Row{"0x0", "[System Process]", "[System Process]"}));
    EXPECT_EQ(processes[1][0], "0x514");
    EXPECT_EQ(ProcessCountText(4), "  4 procesos");

    EXPECT_EQ(StartupRows(*info.Startup, 0), (Rows{{"Agenda", "C:\\Archivos de programa\\Agenda\\agenda.exe"}}));
    EXPECT_TRUE(StartupRows(*info.Startup, 1).empty());
    EXPECT_EQ(StartupRows(*info.Startup, 5)[0][0], "run");

    EXPECT_EQ(ServiceRows(*info.Services)[0],
              (Row{"Cola de impresión", "Spooler", "Running", "Auto", "LocalSystem"}));
    const auto service = ServiceDetailRows(info.Services->Items(0));
    EXPECT_EQ(service[3], (Field{"Dependencias", "RPCSS,http"}));
    EXPECT_EQ(service[4], (Field{"Tipo de Arranque", "stAuto"}));
    EXPECT_EQ(service[6], (Field{"Severidad de los errores", "esNormal"}));
    EXPECT_EQ(PerformanceRows(*info.PerformanceInfo)[3], (Row{"Computadora", "40"}));
    EXPECT_EQ(CollectionLines(*info.ErrorList).size(), 1u);
}

// A section whose gathering failed leaves its times empty: the pages show them empty instead of
// refusing to open the inventory.
TEST_F(GoldenPages, EmptyTimesOfAFailedSectionShowEmpty) {
    TMSystemInfo fresh;
    std::vector<Group> machine;
    ASSERT_NO_THROW(machine = MachineGroups(*fresh.Machine));
    EXPECT_EQ(machine[2].fields[0].value, "");
    EXPECT_EQ(machine[2].fields[1].value, "");
    TPrinterDeviceComplete printer;
    EXPECT_EQ(PrinterDetailRows(printer).back(), (Field{"Finaliza", ""}));
    EXPECT_NO_THROW(TimeZonePage(*fresh.OS->TimeZone));
    info.Machine->LastBoot = "ayer";
    EXPECT_THROW(MachineGroups(*info.Machine), EConvertError);  // other texts still fail
}

}  // namespace
}  // namespace rb::viewer
