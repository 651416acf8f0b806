// Pages 0 to 7 as blocks: machine, operating system, processor, memory, displays, power, media,
// network.
#include "viewer/page_content.h"

#include "core/text.h"
#include "sysinfo/msystem_info.h"

namespace rb::viewer {

const std::array<const char*, 2> kFolderColumns = {"Nombre del Sistema", "Ubicación"};
const std::array<const char*, 2> kRegionalColumns = {"Variable", "Ubicación"};
const std::array<const char*, 2> kDriverColumns = {"Manejador", "Dispositivo"};
const std::array<const char*, 2> kPrinterColumns = {"Nombre", "Puerto"};
const std::array<const char*, 3> kProcessColumns = {"PID", "Nombre", "Ubicación"};
const std::array<const char*, 2> kStartupColumns = {"Nombre", "Línea de comando"};
const std::array<const char*, 5> kServiceColumns = {"Nombre", "Servicio", "Estado", "Inicio",
                                                    "Usuario"};
const std::array<const char*, 2> kPerformanceColumns = {"Test", "Tiempo en Milisegundos"};

Block FieldsBlock(const std::string& caption, std::vector<Field> fields, bool folded) {
    Block b;
    b.caption = Trim(caption);
    b.folded = folded;
    b.fields = std::move(fields);
    return b;
}

Block LinesBlock(const std::string& caption, std::vector<std::string> lines) {
    Block b;
    b.kind = Block::Kind::Lines;
    b.caption = Trim(caption);
    b.lines = std::move(lines);
    return b;
}

Block ChecksBlock(const std::string& caption, std::vector<CheckItem> checks) {
    Block b;
    b.kind = Block::Kind::Checks;
    b.caption = Trim(caption);
    b.checks = std::move(checks);
    return b;
}

namespace {

void AddGroups(const std::vector<Group>& groups, std::vector<Block>& blocks) {
    for (const Group& g : groups) blocks.push_back(FieldsBlock(g.caption, g.fields));
}

void MachineBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    AddGroups(MachineGroups(*info.Machine), blocks);
    const TMachine& m = *info.Machine;
    blocks.push_back(ChecksBlock("", {{"Block Num", m.NumLock},
                                      {"Block Mayús", m.CapsLock},
                                      {"Block Despl", m.ScrollLock}}));
}

void OSBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    const OSTexts t = OSPage(*info.OS);
    std::vector<Field> fields = {{"", t.versionLine}, {"", t.versionNumbers}};
    if (!t.servicePack.empty()) fields.push_back({"", t.servicePack});
    fields.insert(fields.end(), t.fields.begin(), t.fields.end());
    fields.push_back({"", t.dvdRegion});
    blocks.push_back(FieldsBlock("", fields));
    if (t.packagesEnabled) {
        blocks.push_back(ChecksBlock(kPackagesTitle,
                                     CheckItemsFrom(SuiteLines(*info.OS->NTSpecific), false)));
    }
    blocks.push_back(TableBlock("Carpetas", kFolderColumns, NonEmptyEntries(*info.OS->Folders)));
    blocks.push_back(TableBlock("Variables de Entorno", kFolderColumns,
                                NonEmptyEntries(*info.OS->Environment)));
    blocks.push_back(
        TableBlock("Configuración Regional", kRegionalColumns, RegionalRows(*info.OS)));
}

void CPUBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    blocks.push_back(FieldsBlock("", {{"", CPUHeading(*info.CPU)}}));
    AddGroups(CPUGroups(*info.CPU), blocks);
    blocks.push_back(
        ChecksBlock("Características", CheckItemsFrom(CPUFeatureLines(*info.CPU), false)));
}

void MemoryBlocks(TMSystemInfo& info, char sep, std::vector<Block>& blocks) {
    std::vector<Group> groups = MemoryGroups(*info.Memory, sep);
    for (Field& f : groups[0].fields) {
        if (!f.value.empty()) f.value += " bytes";
    }
    blocks.push_back(FieldsBlock(groups[0].caption, groups[0].fields));
    blocks.push_back(FieldsBlock(" Utilización de la Memoria ",
                                 {{"", Format("%lld %%", (long long)info.Memory->MemoryLoad)}}));
    blocks.push_back(FieldsBlock(groups[1].caption, groups[1].fields));
}

void DisplayBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    const TDisplays& displays = *info.Displays;
    for (int i = 0; i < displays.Count(); ++i) {
        const TDisplay& d = displays.Display(i);
        blocks.push_back(FieldsBlock("Adaptadores", {{"", d.DisplayName()}}));
        std::vector<Group> groups = DisplayGroups(d);
        groups[0].fields[2].value += " bytes";
        AddGroups(groups, blocks);
        for (const CapabilityButton& b : kCapabilityButtons) {
            StringList lines;
            if (b.report) {
                b.report(d, lines);
            } else {
                lines = d.Modes->GetStrings();
            }
            Block checks = ChecksBlock(b.title, CheckItemsFrom(lines, b.report == nullptr));
            checks.folded = true;
            blocks.push_back(std::move(checks));
        }
    }
}

void APMBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    const APMTexts t = APMPage(*info.APM);
    blocks.push_back(FieldsBlock(" Manejo Avanzado de Energía",
                                 {{"Energía de Línea", t.acLine}, {"Carga de la Batería", t.charge}}));
    std::vector<Field> state = {{"Tiempo Completo de Vida", t.fullTime},
                                {"Tiempo de vida", t.lifeTime}};
    if (t.gauge) state.push_back({"", Format("%d %%", *t.gauge)});
    blocks.push_back(FieldsBlock(" Estado de la Batería ", state));
}

void MediaBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    TMedia& media = *info.Media;
    blocks.push_back(
        LinesBlock("Dispositivos Disponibles", CollectionLines(*media.AvailableDevices)));
    blocks.push_back(TableBlock("Dispositivos de Sonido", kDriverColumns, MediaRows(media)));
    for (int i = 0; i < media.Count(); ++i) {
        const auto& item = media.ItemAs<TMediaItem>(i);
        blocks.push_back(FieldsBlock(item.DisplayName(), MediaDetailRows(item), true));
    }
}

void NetworkBlocks(TMSystemInfo& info, char, std::vector<Block>& blocks) {
    TNetwork& net = *info.Network;
    blocks.push_back(LinesBlock("Adaptadores de Red", CollectionLines(*net.Adapters)));
    blocks.push_back(LinesBlock("Formato IP", CollectionLines(*net.IPAddresses)));
    blocks.push_back(LinesBlock("Formato MAC", CollectionLines(*net.MACAddresses)));
    blocks.push_back(FieldsBlock(" WinSock ", WinsockFields(*net.WinSock)));
    for (const NetworkList& list : NetworkLists(net)) {
        Block checks = ChecksBlock(list.title, CheckItemsFrom(list.strings->GetStrings(), true));
        checks.folded = true;
        blocks.push_back(std::move(checks));
    }
}

using P = TProcessPage;

// The blocks of each page, in tab order.
constexpr struct {
    TProcessPage member;  // as in kPages
    PageBlocks blocks;
} kPageBlocks[] = {
    {P::pgWksta, MachineBlocks},      {P::pgOS, OSBlocks},
    {P::pgCPU, CPUBlocks},            {P::pgMem, MemoryBlocks},
    {P::pgDisplay, DisplayBlocks},    {P::pgAPM, APMBlocks},
    {P::pgMedia, MediaBlocks},        {P::pgNet, NetworkBlocks},
    {P::pgDev, DeviceBlocks},         {P::pgPrn, PrinterBlocks},
    {P::pgEng, EngineBlocks},         {P::pgDisk, DiskBlocks},
    {P::pgTimeZone, TimeZoneBlocks},  {P::pgProcs, ProcessBlocks},
    {P::pgStartup, StartupBlocks},    {P::pgSoftware, SoftwareBlocks},
    {P::pgProblems, ProblemBlocks},   {P::pgServices, ServiceBlocks},
    {P::pgPerformance, PerformanceBlocks},
};

constexpr bool FollowsThePages() {
    if (std::size(kPageBlocks) != kPages.size()) return false;
    for (size_t p = 0; p < kPages.size(); ++p) {
        if (kPageBlocks[p].member != kPages[p].member) return false;
    }
    return true;
}
static_assert(FollowsThePages(), "one row of blocks a page, in the order of kPages");

}  // namespace

PageContent ContentOf(TMSystemInfo& info, int page, char thousandSeparator) {
    PageContent content;
    content.page = page;
    content.caption = Trim(page == kOSPage ? OSPage(*info.OS).tabCaption : kPages.at(page).caption);
    if (content.caption.empty()) content.caption = Trim(kPages.at(page).caption);
    kPageBlocks[page].blocks(info, thousandSeparator, content.blocks);
    return content;
}

}  // namespace rb::viewer
