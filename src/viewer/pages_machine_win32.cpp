// The pages of the machine itself: identification and BIOS, processor, memory, displays, power.
#include <map>
#include <optional>

#include "viewer/overview_win32.h"

namespace rb::viewer {

namespace {

class MachineTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.BeginGroup(" Identificación ");
        l.Field("Nombre", edtMachineName);
        l.Field("Nombre de Usuario", edtUser);
        l.EndGroup();
        l.BeginGroup(" Información del BIOS ");
        l.Field("Nombre", edtBIOSName);
        l.Field("Derechos de Autor", edtBIOSCopyright);
        l.Field("Fecha", edtBIOSDate);
        l.Field("Info Extendida", edtBIOSExtended);
        l.EndGroup();
        l.BeginGroup(" Información de Inicio ");
        l.Field("Último inicio", edtLastBoot);
        l.Field("Tiempo de inicio", edtUpTime);
        l.EndGroup();
        const int y = l.Y();
        const char* const names[] = {"Block Num", "Block Mayús", "Block Despl"};
        for (int i = 0; i < 3; ++i) {
            const int x = 8 + i * ((Width() - 16) / 3);
            CreateChild(Window(), "STATIC", names[i], SS_CENTER | SS_CENTERIMAGE | WS_BORDER,
                        {x + 4, y, x + (Width() - 16) / 3 - 4, y + 24}, pnlNumLock + i);
        }
    }
    void Fill(TMSystemInfo& info) override {
        SetFields(Window(), MachineGroups(*info.Machine),
                  {edtMachineName, edtUser, edtBIOSName, edtBIOSCopyright, edtBIOSDate,
                   edtBIOSExtended, edtLastBoot, edtUpTime});
        const bool keys[] = {info.Machine->NumLock, info.Machine->CapsLock,
                             info.Machine->ScrollLock};
        for (int i = 0; i < 3; ++i) {
            indicators_[i] = IndicatorColour(keys[i]);
            InvalidateRect(Item(pnlNumLock + i), nullptr, TRUE);
        }
    }
    // The lock-key indicators show their key's colour once filled.
    HBRUSH StaticColour(HDC dc, HWND control) override {
        const int indicator = GetDlgCtrlID(control) - pnlNumLock;
        if (indicator < 0 || indicator >= 3 || !indicators_[indicator]) return nullptr;
        const COLORREF colour = *indicators_[indicator];
        SetBkColor(dc, colour);
        auto& brush = brushes_[colour];
        if (!brush) brush.reset(CreateSolidBrush(colour));
        return brush.get();
    }
    std::array<std::optional<COLORREF>, 3> indicators_;
    std::map<COLORREF, OwnedBrush> brushes_;
};

class CPUTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.Line(lblCPUHeading);
        tabs_.Create(Window(), {8, l.Y(), Width() - 8, Height() - 8}, tabCPU,
                     {" Identificación ", "Características"});
        const RECT a = tabs_.Area();
        HWND ident = Panel(Window(), a);
        ColumnLayout p(ident, a.right - a.left);
        p.BeginGroup(" Identificación del Modelo ");
        for (int id = lblCPUModel; id <= lblCPUCodeName; ++id) p.Line(id);
        p.EndGroup();
        p.BeginGroup(" Cache ");
        for (int id = lblCacheL1Data; id <= lblCacheLevel2; ++id) p.Line(id);
        p.EndGroup();
        tabs_.Add(ident);
        HWND list = CreateListView(Window(), a, lvFeatures, {"Características"},
                                   {a.right - a.left - 24}, LVS_NOCOLUMNHEADER, LVS_EX_CHECKBOXES);
        features_.Attach(list);
        tabs_.Add(list);
        tabs_.Select(0);
    }
    void Fill(TMSystemInfo& info) override {
        HWND w = Window();
        SetText(GetDlgItem(w, lblCPUHeading), CPUHeading(*info.CPU));
        int id = lblCPUModel;
        for (const Group& g : CPUGroups(*info.CPU)) {
            for (const Field& f : g.fields) SetText(Owner().Control(id++), f.value);
        }
        features_.Set(CheckItemsFrom(CPUFeatureLines(*info.CPU), false));
    }
    void Notify(const NMHDR& header) override {
        tabs_.Notify(header);
        features_.Notify(header);
    }
    InnerTabs tabs_;
    CheckList features_;
};

class MemoryTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.BeginGroup(" Mediciones de Memoria ");
        const char* const labels[] = {"Física Total",   "Física Libre",  "Total Paginada",
                                      "Paginada Libre", "Total Virtual", "Total Libre"};
        for (int i = 0; i < 6; ++i) l.Field(labels[i], edtPhysTotal + i, 110, "bytes");
        l.EndGroup();
        l.BeginGroup(" Utilización de la Memoria ");
        SendMessageA(l.Gauge(pbMemoryLoad), PBM_SETRANGE32, 0, 100);
        l.EndGroup();
        l.BeginGroup("Propiedades de la Memoria ");
        l.Field("Granularidad de la Ubicación", edtGranularity, 160);
        l.Field("Rango de las Aplicaciones", edtAppRange, 160);
        l.Field("Tamaño de la Página", edtPageSize, 160);
        l.EndGroup();
    }
    void Fill(TMSystemInfo& info) override {
        SetFields(Window(), MemoryGroups(*info.Memory, ThousandSeparator()),
                  {edtPhysTotal, edtPhysFree, edtPageTotal, edtPageFree, edtVirtTotal,
                   edtVirtFree, edtGranularity, edtAppRange, edtPageSize});
        SendMessageA(Item(pbMemoryLoad), PBM_SETPOS,
                     static_cast<WPARAM>(info.Memory->MemoryLoad), 0);
    }
};

class DisplaysTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.Combo("Adaptadores", cbDisplays);
        l.BeginGroup(" Propiedades del Adaptador ");
        l.Field("Chipset", edtChipset, 80);
        l.Field("DAC", edtDAC, 80);
        l.Field("Memoria", edtDisplayMemory, 80, "bytes");
        l.EndGroup();
        l.BeginGroup(" BIOS ");
        l.Line(lblDisplayBIOS);
        l.EndGroup();
        l.BeginGroup(" Capacidades del Visualizador ");
        for (int id = lblTechnology; id <= lblFontResolution; ++id) l.Line(id);
        l.EndGroup();
        // Two rows: the modes and two capability lists, then the other three.
        l.Buttons({{kCapabilityButtons[0].caption, btnModes},
                   {kCapabilityButtons[1].caption, btnCurve},
                   {kCapabilityButtons[2].caption, btnLine}},
                  86, 166);
        l.Buttons({{kCapabilityButtons[3].caption, btnPolygon},
                   {kCapabilityButtons[4].caption, btnRaster},
                   {kCapabilityButtons[5].caption, btnText}},
                  86);
    }
    void Fill(TMSystemInfo& info) override {
        HWND combo = Item(cbDisplays);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& name : DisplayNames(*info.Displays)) {
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        ShowSelected();
    }
    const TDisplay* Selected() {
        HWND combo = Item(cbDisplays);
        const int index = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
        if (index < 0) return nullptr;
        return Owner().Info().Displays->FindByName(WindowText(combo));
    }
    void ShowSelected() {
        const TDisplay* d = Selected();
        if (!d) return;
        SetFields(Window(), DisplayGroups(*d),
                  {edtChipset, edtDAC, edtDisplayMemory, lblDisplayBIOS, lblTechnology,
                   lblMetrics, lblPixelWidth, lblPixelHeight, lblPixelDiagonal,
                   lblFontResolution});
    }
    void Command(int id, int code) override {
        if (id == cbDisplays && code == CBN_SELCHANGE) Owner().Guarded([this] { ShowSelected(); });
        if (id < btnModes || id > btnText) return;
        Owner().Guarded([this, id] {
            const TDisplay* d = Selected();
            if (!d) return;
            const CapabilityButton& b = kCapabilityButtons[static_cast<size_t>(id - btnModes)];
            StringList lines;
            if (b.report) {
                b.report(*d, lines);
            } else {
                lines = d->Modes->GetStrings();
            }
            ShowChecksDetail(Owner(), b.title, lines, b.report == nullptr);
        });
    }
};

class APMTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.BeginGroup(" Manejo Avanzado de Energía");
        l.Field("Energía de Línea", edtACLine, 140);
        l.Field("Carga de la Batería", edtCharge, 140);
        l.EndGroup();
        l.BeginGroup(" Estado de la Batería ");
        l.Field("Tiempo Completo de Vida", edtFullTime, 140);
        l.Field("Tiempo de vida", edtLifeTime, 140);
        SendMessageA(l.Gauge(pbBattery), PBM_SETRANGE32, 0, 100);
        l.EndGroup();
    }
    void Fill(TMSystemInfo& info) override {
        const APMTexts t = APMPage(*info.APM);
        HWND w = Window();
        SetText(GetDlgItem(w, edtACLine), t.acLine);
        SetText(GetDlgItem(w, edtCharge), t.charge);
        SetText(GetDlgItem(w, edtFullTime), t.fullTime);
        SetText(GetDlgItem(w, edtLifeTime), t.lifeTime);
        if (t.gauge) SendMessageA(GetDlgItem(w, pbBattery), PBM_SETPOS, *t.gauge, 0);
    }
};

}  // namespace

std::unique_ptr<ViewerPage> MakeMachinePage() { return std::make_unique<MachineTab>(); }
std::unique_ptr<ViewerPage> MakeCPUPage() { return std::make_unique<CPUTab>(); }
std::unique_ptr<ViewerPage> MakeMemoryPage() { return std::make_unique<MemoryTab>(); }
std::unique_ptr<ViewerPage> MakeDisplaysPage() { return std::make_unique<DisplaysTab>(); }
std::unique_ptr<ViewerPage> MakePowerPage() { return std::make_unique<APMTab>(); }

}  // namespace rb::viewer
