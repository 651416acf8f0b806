// The pages of what is installed and running: database engines and DirectX, processes, start-up
// entries, applications, services, and the run's own problems and timings.
#include "platform/platform.h"
#include "viewer/overview_win32.h"

namespace rb::viewer {

namespace {

class EnginesTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.BeginGroup(" Motores ");
        for (int id = lblODBC; id <= lblADO; ++id) l.Line(id);
        l.EndGroup();
        l.BeginGroup(" DirectX ");
        l.Line(lblDirectX);
        l.List(lvDirectX, Columns(kDriverColumns), {230, 90}, Height() - l.Y() - 24);
        l.EndGroup();
    }
    void Fill(TMSystemInfo& info) override {
        HWND w = Window();
        int id = lblODBC;
        for (const std::string& line : EngineLines(*info.Engines)) SetText(GetDlgItem(w, id++), line);
        SetText(GetDlgItem(w, lblDirectX), DirectXLine(*info.DirectX));
        if (!info.DirectX->Version.empty()) {
            SetListRows(GetDlgItem(w, lvDirectX), DirectXRows(*info.DirectX));
        }
    }
};

class ProcessesTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.List(lvProcesses, Columns(kProcessColumns), {60, 100, 400}, Height() - 70);
        const int y = l.Y();
        CreateChild(Window(), "STATIC", "", SS_LEFT | SS_SUNKEN,
                    {8, y + 4, 160, y + 22}, lblProcessCount);
        CreateChild(Window(), "BUTTON", "Interrumpir...", BS_PUSHBUTTON,
                    {Width() - 190, y, Width() - 100, y + 23}, btnKillProcess);
        CreateChild(Window(), "BUTTON", "Propiedades...", BS_PUSHBUTTON,
                    {Width() - 96, y, Width() - 8, y + 23}, btnProcessProperties);
    }
    void Fill(TMSystemInfo& info) override {
        SetListRows(Item(lvProcesses), ProcessRows(*info.Processes));
        SetText(Item(lblProcessCount), ProcessCountText(info.Processes->Count()));
    }
};

class StartupEntriesTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        tabs_ = CreateChild(Window(), WC_TABCONTROLA, "", WS_CLIPSIBLINGS | TCS_MULTILINE,
                            {8, 8, Width() - 8, Height() - 40}, tabStartup);
        for (size_t i = 0; i < kStartupTabs.size(); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(kStartupTabs[i].caption);
            SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        RECT area{8, 8, Width() - 8, Height() - 40};
        TabCtrl_AdjustRect(tabs_, FALSE, &area);
        const int w = area.right - area.left - 4;
        list_ = CreateListView(Window(), area, lvStartup, Columns(kStartupColumns),
                               {110, w - 110});
        FrameFromBelow(tabs_);
        l.Skip(Height() - 40);
        l.Buttons({{"Información...", btnStartupInfo}});
    }
    void Refill() {
        SetListRows(list_, StartupRows(*Owner().Info().Startup, TabCtrl_GetCurSel(tabs_)));
        EnableWindow(Item(btnStartupInfo), FALSE);
    }
    void Fill(TMSystemInfo&) override {
        if (TabCtrl_GetCurSel(tabs_) < 0) TabCtrl_SetCurSel(tabs_, 0);
        Refill();
    }
    void LookUp() {
        const int row = SelectedRow(list_);
        if (row < 0) return;
        const std::string url = StartupLookupUrl(LookupHost(), ListText(list_, row, 1));
        if (!url.empty()) platform::Current().Shell().OpenUrl(url);
    }
    void Command(int id, int) override {
        if (id == btnStartupInfo) Owner().Guarded([this] { LookUp(); });
    }
    void Notify(const NMHDR& header) override {
        if (header.hwndFrom == tabs_ && header.code == TCN_SELCHANGE) {
            Owner().Guarded([this] { Refill(); });
        } else if (header.hwndFrom == list_ && header.code == LVN_ITEMCHANGED) {
            EnableWindow(Item(btnStartupInfo), SelectedRow(list_) >= 0);
        } else if (header.hwndFrom == list_ && header.code == NM_DBLCLK) {
            Owner().Guarded([this] { LookUp(); });
        }
    }
    HWND tabs_ = nullptr;
    HWND list_ = nullptr;
};

// A page that is one list without header of a string collection's lines.
class LinesTab : public ViewerPage {
public:
    LinesTab(int id, TStringCollection& (*lines)(TMSystemInfo&)) : id_(id), lines_(lines) {}

private:
    void Build(ColumnLayout& l) override {
        l.List(id_, {""}, {1000}, Height() - 16, LVS_NOCOLUMNHEADER);
    }
    void Fill(TMSystemInfo& info) override {
        SetListRows(Item(id_), SingleColumn(CollectionLines(lines_(info))));
    }
    int id_;
    TStringCollection& (*lines_)(TMSystemInfo&);
};

class ServicesTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        list_ = l.List(lvServices, Columns(kServiceColumns),
                       {150, 80, 60, 50, 110}, Height() - 48);
        l.Buttons({{"Propiedades...", btnServiceProperties}});
    }
    void Fill(TMSystemInfo& info) override {
        SetListRows(list_, ServiceRows(*info.Services));
        EnableWindow(Item(btnServiceProperties), FALSE);
    }
    void ShowProperties() {
        const int row = SelectedRow(list_);
        if (row < 0) return;
        ShowRowsDetail(Owner(), kServiceDetailTitle,
                       ServiceDetailRows(Owner().Info().Services->Items(row)));
    }
    void Command(int id, int) override {
        if (id == btnServiceProperties) Owner().Guarded([this] { ShowProperties(); });
    }
    void Notify(const NMHDR& header) override {
        if (header.hwndFrom != list_) return;
        if (header.code == LVN_ITEMCHANGED) {
            EnableWindow(Item(btnServiceProperties), SelectedRow(list_) >= 0);
        } else if (header.code == NM_DBLCLK) {
            Owner().Guarded([this] { ShowProperties(); });
        }
    }
    HWND list_ = nullptr;
};

class PerformanceTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.List(lvPerformance, Columns(kPerformanceColumns), {180, 150}, Height() - 16);
    }
    void Fill(TMSystemInfo& info) override {
        SetListRows(Item(lvPerformance), PerformanceRows(*info.PerformanceInfo));
    }
};

}  // namespace

std::unique_ptr<ViewerPage> MakeEnginesPage() { return std::make_unique<EnginesTab>(); }
std::unique_ptr<ViewerPage> MakeProcessesPage() { return std::make_unique<ProcessesTab>(); }
std::unique_ptr<ViewerPage> MakeStartupPage() { return std::make_unique<StartupEntriesTab>(); }
std::unique_ptr<ViewerPage> MakeSoftwarePage() {
    return std::make_unique<LinesTab>(
        lvSoftware, [](TMSystemInfo& i) -> TStringCollection& { return *i.Software->Installed; });
}
std::unique_ptr<ViewerPage> MakeProblemsPage() {
    return std::make_unique<LinesTab>(
        lvProblems, [](TMSystemInfo& i) -> TStringCollection& { return *i.ErrorList; });
}
std::unique_ptr<ViewerPage> MakeServicesPage() { return std::make_unique<ServicesTab>(); }
std::unique_ptr<ViewerPage> MakePerformancePage() { return std::make_unique<PerformanceTab>(); }

}  // namespace rb::viewer
