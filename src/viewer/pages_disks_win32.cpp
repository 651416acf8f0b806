// The disks page: one drive at a time, chosen in a list of drives.
#include "viewer/overview_win32.h"
#include "viewer/pictures_win32.h"

namespace rb::viewer {

namespace {

class DisksTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.Combo("Disco", cbDisks);
        l.BeginGroup(" Propiedades ");
        const int y = l.Y();
        CreateChild(Window(), "STATIC", "", SS_ICON, {16, y - 2, 40, y + 22}, icoDisk);
        l.Control("STATIC", "", SS_LEFT | SS_CENTERIMAGE, 20, lblDiskKind, 30);
        l.Field("UNC", edtUNC, 100);
        l.Field("Número de Serie", edtSerial, 100);
        for (int id = lblCapacity; id <= lblFreeSpace; ++id) l.Line(id);
        SendMessageA(l.Gauge(pbDiskUsed), PBM_SETRANGE32, 0, 100);
        for (int id = lblBytesPerSector; id <= lblTotalClusters; ++id) l.Line(id);
        // Two columns that cannot scroll: tall enough for every flag, each label unfolding
        // when the column cuts it.
        HWND flags = l.List(lvDiskFlags, {""}, {}, 104, LVS_LIST | LVS_NOSCROLL,
                            LVS_EX_CHECKBOXES | LVS_EX_LABELTIP);
        ListView_SetColumnWidth(flags, 0, (Width() - 60) / 2);
        l.Skip(GrowListToHold(flags, static_cast<int>(DiskFlagItems(TDisk()).size())));
        flags_.Attach(flags);
        l.EndGroup();
    }
    void Fill(TMSystemInfo& info) override {
        HWND combo = Item(cbDisks);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& entry : DiskEntries(*info.Disks)) {
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        ShowSelected();
    }
    void ShowSelected() {
        HWND combo = Item(cbDisks);
        if (SendMessageA(combo, CB_GETCURSEL, 0, 0) < 0) return;
        const TDisk* disk = DiskOfEntry(*Owner().Info().Disks, WindowText(combo));
        if (!disk) return;
        const DiskTexts t = DiskPage(*disk, ThousandSeparator());
        HWND w = Window();
        SetText(GetDlgItem(w, lblDiskKind), t.kind);
        icon_.reset(ShellIcon(DriveIcon(disk->MediaType).index));
        SendMessageA(GetDlgItem(w, icoDisk), STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
        const std::string* texts[] = {&t.unc, &t.serial, &t.capacity, &t.freeSpace,
                                      &t.bytesPerSector, &t.sectorsPerCluster, &t.freeClusters,
                                      &t.totalClusters};
        const int ids[] = {edtUNC, edtSerial, lblCapacity, lblFreeSpace, lblBytesPerSector,
                           lblSectorsPerCluster, lblFreeClusters, lblTotalClusters};
        for (size_t i = 0; i < std::size(ids); ++i) SetText(GetDlgItem(w, ids[i]), *texts[i]);
        SendMessageA(GetDlgItem(w, pbDiskUsed), PBM_SETPOS, t.gauge, 0);
        flags_.Set(DiskFlagItems(*disk));
    }
    void Command(int id, int code) override {
        if (id == cbDisks && code == CBN_SELCHANGE) Owner().Guarded([this] { ShowSelected(); });
    }
    void Notify(const NMHDR& header) override { flags_.Notify(header); }
    struct IconDeleter {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter> icon_;
    CheckList flags_;
};

}  // namespace

std::unique_ptr<ViewerPage> MakeDisksPage() { return std::make_unique<DisksTab>(); }

}  // namespace rb::viewer
