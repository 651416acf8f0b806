// Pages 6 to 12: media, network, devices, printers, engines, disks, time zone.
#include "platform/platform.h"
#include "viewer/overview_win32.h"
#include "viewer/page_texts.h"
#include "viewer/pictures_win32.h"

namespace rb::viewer {

namespace {

char ThousandSeparator() { return platform::Current().System().Locale().thousandSeparator; }

Rows SingleColumn(const std::vector<std::string>& lines) {
    Rows rows;
    for (const std::string& line : lines) rows.push_back({line});
    return rows;
}

bool IsDoubleClick(const NMHDR& header, HWND control) {
    return header.hwndFrom == control && header.code == NM_DBLCLK;
}

class MediaTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.Line(0, "Dispositivos Disponibles");
        HWND available = l.List(lvAvailableDevices, {""}, {Width() - 40}, 150, LVS_NOCOLUMNHEADER);
        // Generic, game port, sound card.
        icons_ = ShellImageList({2, 12, 40});
        ListView_SetImageList(available, icons_.get(), LVSIL_SMALL);
        l.Line(0, "Dispositivos de Sonido");
        // The rest of the page, less the row of buttons below (23 high, 6 above, 8 below).
        l.List(lvSoundDevices, {"Manejador", "Dispositivo"}, {200, 120}, Height() - l.Y() - 37);
        l.Buttons({{"Propiedades...", btnMediaProperties}});
    }
    void Fill(TMSystemInfo& info) override {
        TMedia& media = *info.Media;
        std::vector<int> images;
        for (int i = 0; i < media.AvailableDevices->Count(); ++i) {
            images.push_back(static_cast<int>(AvailableDeviceIcon(media, i)));
        }
        SetListRows(GetDlgItem(Window(), lvAvailableDevices),
                    SingleColumn(CollectionLines(*media.AvailableDevices)), images);
        SetListRows(GetDlgItem(Window(), lvSoundDevices), MediaRows(media));
    }
    void ShowProperties() {
        const int row = SelectedRow(GetDlgItem(Window(), lvSoundDevices));
        if (row < 0) return;
        const auto& item = Owner().Info().Media->ItemAs<TMediaItem>(row);
        ShowRowsDetail(Owner(), item.DisplayName(), MediaDetailRows(item));
    }
    void Command(int id, int) override {
        if (id == btnMediaProperties) Owner().Guarded([this] { ShowProperties(); });
    }
    void Notify(const NMHDR& header) override {
        if (IsDoubleClick(header, GetDlgItem(Window(), lvSoundDevices))) {
            Owner().Guarded([this] { ShowProperties(); });
        }
    }
    OwnedImageList icons_;
};

class NetworkTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.Line(0, "Adaptadores de Red");
        HWND adapters = l.List(lvAdapters, {""}, {Width() - 40}, 90, LVS_NOCOLUMNHEADER);
        icons_ = ShellImageList({2, 18});
        ListView_SetImageList(adapters, icons_.get(), LVSIL_SMALL);
        l.BeginGroup(" Direcciones ");
        const int y = l.Y(), half = (Width() - 40) / 2;
        CreateListView(Window(), {16, y, 16 + half, y + 110}, lvIPAddresses, {"Formato IP"},
                       {half - 24});
        CreateListView(Window(), {24 + half, y, 24 + 2 * half, y + 110}, lvMACAddresses,
                       {"Formato MAC"}, {half - 24});
        l.Skip(116);
        l.EndGroup();
        l.BeginGroup(" WinSock ");
        l.Field("Descripción", edtWinsockDescription, 80);
        l.Field("Versión", edtWinsockVersion, 80);
        l.Field("Estado", edtWinsockStatus, 80);
        l.EndGroup();
        l.Buttons({{"Protocolos...", btnProtocols}, {"Servicios...", btnServices},
                   {"Clientes...", btnClients}});
    }
    void Fill(TMSystemInfo& info) override {
        TNetwork& net = *info.Network;
        std::vector<int> images(static_cast<size_t>(net.Adapters->Count()), 0);
        if (net.CardAdapterIndex >= 0 && net.CardAdapterIndex < net.Adapters->Count()) {
            images[static_cast<size_t>(net.CardAdapterIndex)] = 1;
        }
        HWND w = Window();
        SetListRows(GetDlgItem(w, lvAdapters), SingleColumn(CollectionLines(*net.Adapters)), images);
        SetListRows(GetDlgItem(w, lvIPAddresses), SingleColumn(CollectionLines(*net.IPAddresses)));
        SetListRows(GetDlgItem(w, lvMACAddresses), SingleColumn(CollectionLines(*net.MACAddresses)));
        const std::vector<Field> winsock = WinsockFields(*net.WinSock);
        const int ids[] = {edtWinsockDescription, edtWinsockVersion, edtWinsockStatus};
        for (size_t i = 0; i < winsock.size(); ++i) SetText(GetDlgItem(w, ids[i]), winsock[i].value);
    }
    void Command(int id, int) override {
        if (id < btnProtocols || id > btnClients) return;
        Owner().Guarded([this, id] {
            TNetwork& net = *Owner().Info().Network;
            TStringCollection* lists[] = {net.Protocols.get(), net.Services.get(), net.Clients.get()};
            const char* titles[] = {"Protocolos", "Servicios", "Clientes"};
            const int i = id - btnProtocols;
            ShowChecksDetail(Owner(), titles[i], lists[i]->GetStrings(), true);
        });
    }
    OwnedImageList icons_;
};

// Shell icons by device class (the class's order in TDeviceClass).
int DeviceClassIcon(TDeviceClass c) {
    switch (c) {
        case TDeviceClass::dcDiskDrive: return 8;
        case TDeviceClass::dcCDROM: return 11;
        case TDeviceClass::dcFloppyDisk: case TDeviceClass::dcfdc: return 6;
        case TDeviceClass::dcDisplay: case TDeviceClass::dcMonitor: return 34;
        case TDeviceClass::dcNet: case TDeviceClass::dcModem: return 18;
        case TDeviceClass::dcPrinter: return 16;
        case TDeviceClass::dcMEDIA: return 40;
        case TDeviceClass::dcVolume: return 7;
        case TDeviceClass::dcComputer: return 15;
        default: return 21;
    }
}

class DevicesTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        tree_ = l.Control(WC_TREEVIEWA, "", TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                                TVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER,
                          Height() - 56, tvDevices);
        std::vector<int> indexes{15};
        for (int c = 0; c <= static_cast<int>(TDeviceClass::dcUSB); ++c) {
            indexes.push_back(DeviceClassIcon(static_cast<TDeviceClass>(c)));
        }
        icons_ = ShellImageList(indexes);
        TreeView_SetImageList(tree_, icons_.get(), TVSIL_NORMAL);
        l.Buttons({{"Propiedades...", btnDeviceProperties}});
    }
    HTREEITEM Insert(HTREEITEM parent, const std::string& caption, int image, LPARAM data) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<char*>(caption.c_str());
        insert.item.iImage = insert.item.iSelectedImage = image;
        insert.item.lParam = data;
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    void Fill(TMSystemInfo& info) override {
        SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
        TreeView_DeleteAllItems(tree_);
        const DeviceNode root = DeviceTree(*info.Devices);
        HTREEITEM top = Insert(TVI_ROOT, root.caption, 0, -1);
        for (const DeviceNode& cls : root.children) {
            const int image = 1 + static_cast<int>(cls.deviceClass);
            HTREEITEM node = Insert(top, cls.caption, image, -1);
            for (const DeviceNode& d : cls.children) Insert(node, d.caption, image, d.device);
        }
        TreeView_Expand(tree_, top, TVE_EXPAND);
        SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
        EnableWindow(GetDlgItem(Window(), btnDeviceProperties), FALSE);
    }
    // The selected device node's device index, or -1.
    int SelectedDevice(HTREEITEM* node) {
        HTREEITEM item = TreeView_GetSelection(tree_);
        if (!item) return -1;
        TVITEMA data{};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        TreeView_GetItem(tree_, &data);
        if (node) *node = item;
        return static_cast<int>(data.lParam);
    }
    std::string Caption(HTREEITEM item) {
        char buffer[512] = {};
        TVITEMA data{};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = buffer;
        data.cchTextMax = sizeof(buffer);
        SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
        return buffer;
    }
    void ShowProperties() {
        HTREEITEM node = nullptr;
        const int device = SelectedDevice(&node);
        if (device < 0) return;
        ShowRowsDetail(Owner(), "Propiedades del Dispositivo",
                       DeviceDetailRows(Owner().Info().Devices->Device(device), Caption(node),
                                        Caption(TreeView_GetParent(tree_, node))));
    }
    void Command(int id, int) override {
        if (id == btnDeviceProperties) Owner().Guarded([this] { ShowProperties(); });
    }
    void Notify(const NMHDR& header) override {
        if (header.hwndFrom != tree_) return;
        if (header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW) {
            EnableWindow(GetDlgItem(Window(), btnDeviceProperties), SelectedDevice(nullptr) >= 0);
        } else if (header.code == NM_DBLCLK && SelectedDevice(nullptr) >= 0) {
            Owner().Guarded([this] { ShowProperties(); });
        }
    }
    HWND tree_ = nullptr;
    OwnedImageList icons_;
};

class PrintersTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        HWND list = l.List(lvPrinters, {"Nombre", "Puerto"}, {220, 110}, Height() - 56);
        // In the order of PrinterIcon: local, local default, network, network default.
        icons_ = ShellImageList({16, 16, 17, 17}, {false, true, false, true});
        ListView_SetImageList(list, icons_.get(), LVSIL_SMALL);
        l.Buttons({{"Propiedades...", btnPrinterProperties}});
    }
    void Fill(TMSystemInfo& info) override {
        std::vector<int> images;
        for (int i = 0; i < info.Printers->Count(); ++i) {
            images.push_back(static_cast<int>(PrinterIconOf(*info.Printers, i)));
        }
        SetListRows(GetDlgItem(Window(), lvPrinters), PrinterRows(*info.Printers), images);
    }
    void ShowProperties() {
        const int row = SelectedRow(GetDlgItem(Window(), lvPrinters));
        if (row < 0) return;
        ShowRowsDetail(Owner(), "Propiedades de la impresora",
                       PrinterDetailRows(
                           Owner().Info().Printers->ItemAs<TPrinterDeviceComplete>(row)));
    }
    void Command(int id, int) override {
        if (id == btnPrinterProperties) Owner().Guarded([this] { ShowProperties(); });
    }
    void Notify(const NMHDR& header) override {
        if (IsDoubleClick(header, GetDlgItem(Window(), lvPrinters))) {
            Owner().Guarded([this] { ShowProperties(); });
        }
    }
    OwnedImageList icons_;
};

class EnginesTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.BeginGroup(" Motores ");
        for (int id = lblODBC; id <= lblADO; ++id) l.Line(id);
        l.EndGroup();
        l.BeginGroup(" DirectX ");
        l.Line(lblDirectX);
        l.List(lvDirectX, {"Manejador", "Dispositivo"}, {230, 90}, Height() - l.Y() - 24);
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
        HWND combo = GetDlgItem(Window(), cbDisks);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& entry : DiskEntries(*info.Disks)) {
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        ShowSelected();
    }
    void ShowSelected() {
        HWND combo = GetDlgItem(Window(), cbDisks);
        if (SendMessageA(combo, CB_GETCURSEL, 0, 0) < 0) return;
        const TDisk* disk = DiskOfEntry(*Owner().Info().Disks, WindowText(combo));
        if (!disk) return;
        const DiskTexts t = DiskPage(*disk, ThousandSeparator());
        HWND w = Window();
        SetText(GetDlgItem(w, lblDiskKind), t.kind);
        static const int kDriveIcons[] = {2, 2, 6, 8, 9, 11, 12};  // by TMediaType
        const auto type = static_cast<size_t>(disk->MediaType);
        icon_.reset(ShellIcon(kDriveIcons[type < 7 ? type : 0]));
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
        HWND control = GetDlgItem(Window(), group);
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

std::unique_ptr<ViewerPage> MakeHardwarePage(int page) {
    switch (page) {
        case 6: return std::make_unique<MediaTab>();
        case 7: return std::make_unique<NetworkTab>();
        case 8: return std::make_unique<DevicesTab>();
        case 9: return std::make_unique<PrintersTab>();
        case 10: return std::make_unique<EnginesTab>();
        case 11: return std::make_unique<DisksTab>();
        default: return std::make_unique<TimeZoneTab>();
    }
}

}  // namespace rb::viewer
