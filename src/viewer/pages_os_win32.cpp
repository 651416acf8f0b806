// The pages of the operating system: its version, folders and settings, and the time zone.
#include "viewer/overview_win32.h"
#include "viewer/pictures_win32.h"

namespace rb::viewer {

namespace {

class OSTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.Line(lblOSVersion);
        l.Line(lblOSNumbers);
        l.Line(lblServicePack);
        l.Field("ID Producto", edtProductID, 130);
        l.Field("Usuario Registrado", edtRegUser, 130);
        l.Field("Organización Registrada", edtRegOrg, 130);
        l.Field("Clave del Producto", edtProductKey, 130);
        l.Line(lblDVD);
        l.Buttons({{"Paquetes Instalados...", btnPackages}}, 130);
        tabs_.Create(Window(), {8, l.Y(), Width() - 8, Height() - 8}, tabOSLists,
                     {"Carpetas", "Variables de Entorno", "Configuración Regional"});
        const RECT a = tabs_.Area();
        const int w = a.right - a.left - 4;
        tabs_.Add(CreateListView(Window(), a, lvFolders, Columns(kFolderColumns),
                                 {110, w - 110}));
        tabs_.Add(CreateListView(Window(), a, lvEnvironment, Columns(kFolderColumns),
                                 {110, w - 110}));
        tabs_.Add(CreateListView(Window(), a, lvRegional, Columns(kRegionalColumns),
                                 {170, w - 170}));
        tabs_.Select(0);
    }
    void Fill(TMSystemInfo& info) override {
        const OSTexts t = OSPage(*info.OS);
        Owner().SetTabCaption(kOSPage, t.tabCaption);
        HWND w = Window();
        SetText(GetDlgItem(w, lblOSVersion), t.versionLine);
        SetText(GetDlgItem(w, lblOSNumbers), t.versionNumbers);
        SetText(GetDlgItem(w, lblServicePack), t.servicePack);
        const int ids[] = {edtProductID, edtRegUser, edtRegOrg, edtProductKey};
        for (size_t i = 0; i < t.fields.size(); ++i) SetText(GetDlgItem(w, ids[i]), t.fields[i].value);
        SetText(GetDlgItem(w, lblDVD), t.dvdRegion);
        EnableWindow(GetDlgItem(w, btnPackages), t.packagesEnabled);
        SetListRows(GetDlgItem(w, lvFolders), NonEmptyEntries(*info.OS->Folders));
        SetListRows(GetDlgItem(w, lvEnvironment), NonEmptyEntries(*info.OS->Environment));
        SetListRows(GetDlgItem(w, lvRegional), RegionalRows(*info.OS));
    }
    void Command(int id, int) override {
        if (id != btnPackages) return;
        Owner().Guarded([this] {
            ShowChecksDetail(Owner(), kPackagesTitle,
                             SuiteLines(*Owner().Info().OS->NTSpecific), false);
        });
    }
    void Notify(const NMHDR& header) override { tabs_.Notify(header); }
    InnerTabs tabs_;
};

class TimeZoneTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.Field("Zona", edtZoneName, 40);
        l.BeginGroup("", grpStandard);
        l.Field("Start Date", edtStandardStart, 80);
        l.Field("Bias", edtStandardBias, 80, "min.");
        l.EndGroup();
        l.BeginGroup("", grpDaylight);
        l.Field("Start Date", edtDaylightStart, 80);
        l.Field("Bias", edtDaylightBias, 80, "min.");
        l.EndGroup();
        const int y = l.Y();
        box_ = CreateChild(Window(), "STATIC", "", WS_BORDER | WS_CLIPCHILDREN,
                           {8, y, 8 + kWorldWidth + 2, y + 182}, boxWorldMap);
        CreateWorldMap(box_, 180, imgWorldMap);
    }
    void Fill(TMSystemInfo& info) override {
        const TimeZoneTexts t = TimeZonePage(*info.OS->TimeZone);
        HWND w = Window();
        SetText(GetDlgItem(w, edtZoneName), t.displayName);
        SetText(GetDlgItem(w, grpStandard), t.standardCaption);
        SetText(GetDlgItem(w, edtStandardStart), t.standardStart);
        SetText(GetDlgItem(w, edtStandardBias), t.standardBias);
        SetText(GetDlgItem(w, grpDaylight), t.daylightCaption);
        SetText(GetDlgItem(w, edtDaylightStart), t.daylightStart);
        SetText(GetDlgItem(w, edtDaylightBias), t.daylightBias);
        ShowGroup(grpStandard, edtStandardStart, t.standardVisible);
        ShowGroup(grpDaylight, edtDaylightStart, t.daylightVisible);
        SetWindowPos(GetDlgItem(box_, imgWorldMap), nullptr, t.mapLeft, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    // The group box and the controls inside it (the fields after `firstField`, up to the next
    // group box).
    void ShowGroup(int group, int firstField, bool visible) {
        HWND control = Item(group);
        const int show = visible ? SW_SHOW : SW_HIDE;
        ShowWindow(control, show);
        RECT box;
        GetWindowRect(control, &box);
        for (HWND c = GetWindow(Window(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(c, &r);
            if (c != control && r.top > box.top && r.bottom < box.bottom) ShowWindow(c, show);
        }
        (void)firstField;
    }
    HWND box_ = nullptr;
};

}  // namespace

std::unique_ptr<ViewerPage> MakeOSPage() { return std::make_unique<OSTab>(); }
std::unique_ptr<ViewerPage> MakeTimeZonePage() { return std::make_unique<TimeZoneTab>(); }

}  // namespace rb::viewer
