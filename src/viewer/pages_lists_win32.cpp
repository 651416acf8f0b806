// Pages 13 to 18: processes, start-up, software, problems, services, performance.
#include "platform/platform.h"
#include "viewer/overview_win32.h"
#include "viewer/page_texts.h"

namespace rb::viewer {

namespace {

Rows SingleColumn(const std::vector<std::string>& lines) {
    Rows rows;
    rows.reserve(lines.size());
    for (const std::string& line : lines) rows.push_back({line});
    return rows;
}

class ProcessesTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.List(lvProcesses, {"PID", "Nombre", "Ubicación"}, {60, 100, 400}, Height() - 70);
        const int y = l.Y();
        CreateChild(Window(), "STATIC", "", SS_LEFT | SS_SUNKEN,
                    {8, y + 4, 160, y + 22}, lblProcessCount);
        CreateChild(Window(), "BUTTON", "Interrumpir...", BS_PUSHBUTTON,
                    {Width() - 190, y, Width() - 100, y + 23}, btnKillProcess);
        CreateChild(Window(), "BUTTON", "Propiedades...", BS_PUSHBUTTON,
                    {Width() - 96, y, Width() - 8, y + 23}, btnProcessProperties);
    }
    void Fill(TMSystemInfo& info) override {
        SetListRows(GetDlgItem(Window(), lvProcesses), ProcessRows(*info.Processes));
        SetText(GetDlgItem(Window(), lblProcessCount), ProcessCountText(info.Processes->Count()));
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
        list_ = CreateListView(Window(), area, lvStartup, {"Nombre", "Línea de comando"},
                               {110, w - 110});
        FrameFromBelow(tabs_);
        l.Skip(Height() - 40);
        l.Buttons({{"Información...", btnStartupInfo}});
    }
    void Refill() {
        SetListRows(list_, StartupRows(*Owner().Info().Startup, TabCtrl_GetCurSel(tabs_)));
        EnableWindow(GetDlgItem(Window(), btnStartupInfo), FALSE);
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
            EnableWindow(GetDlgItem(Window(), btnStartupInfo), SelectedRow(list_) >= 0);
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
        SetListRows(GetDlgItem(Window(), id_), SingleColumn(CollectionLines(lines_(info))));
    }
    int id_;
    TStringCollection& (*lines_)(TMSystemInfo&);
};

class ServicesTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        list_ = l.List(lvServices, {"Nombre", "Servicio", "Estado", "Inicio", "Usuario"},
                       {150, 80, 60, 50, 110}, Height() - 48);
        l.Buttons({{"Propiedades...", btnServiceProperties}});
    }
    void Fill(TMSystemInfo& info) override {
        SetListRows(list_, ServiceRows(*info.Services));
        EnableWindow(GetDlgItem(Window(), btnServiceProperties), FALSE);
    }
    void ShowProperties() {
        const int row = SelectedRow(list_);
        if (row < 0) return;
        ShowRowsDetail(Owner(), "Servicios", ServiceDetailRows(Owner().Info().Services->Items(row)));
    }
    void Command(int id, int) override {
        if (id == btnServiceProperties) Owner().Guarded([this] { ShowProperties(); });
    }
    void Notify(const NMHDR& header) override {
        if (header.hwndFrom != list_) return;
        if (header.code == LVN_ITEMCHANGED) {
            EnableWindow(GetDlgItem(Window(), btnServiceProperties), SelectedRow(list_) >= 0);
        } else if (header.code == NM_DBLCLK) {
            Owner().Guarded([this] { ShowProperties(); });
        }
    }
    HWND list_ = nullptr;
};

class PerformanceTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.List(lvPerformance, {"Test", "Tiempo en Milisegundos"}, {180, 150}, Height() - 16);
    }
    void Fill(TMSystemInfo& info) override {
        SetListRows(GetDlgItem(Window(), lvPerformance), PerformanceRows(*info.PerformanceInfo));
    }
};

}  // namespace

std::unique_ptr<ViewerPage> MakeListPage(int page) {
    switch (page) {
        case 13: return std::make_unique<ProcessesTab>();
        case 14: return std::make_unique<StartupEntriesTab>();
        case 15:
            return std::make_unique<LinesTab>(
                lvSoftware, [](TMSystemInfo& i) -> TStringCollection& { return *i.Software->Installed; });
        case 16:
            return std::make_unique<LinesTab>(
                lvProblems, [](TMSystemInfo& i) -> TStringCollection& { return *i.ErrorList; });
        case 17: return std::make_unique<ServicesTab>();
        default: return std::make_unique<PerformanceTab>();
    }
}

}  // namespace rb::viewer
