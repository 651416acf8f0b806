// The pages of what is attached to the machine: media, network, devices, printers.
#include "viewer/overview_win32.h"
#include "viewer/pictures_win32.h"

namespace rb::viewer {

namespace {

class MediaTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.Line(0, "Dispositivos Disponibles");
        HWND available = l.List(lvAvailableDevices, {""}, {Width() - 40}, 150, LVS_NOCOLUMNHEADER);
        icons_ = ShellImageList(kMediaIcons);
        ListView_SetImageList(available, icons_.get(), LVSIL_SMALL);
        l.Line(0, "Dispositivos de Sonido");
        // The rest of the page, less the row of buttons below (23 high, 6 above, 8 below).
        l.List(lvSoundDevices, Columns(kDriverColumns), {200, 120}, Height() - l.Y() - 37);
        l.Buttons({{"Propiedades...", btnMediaProperties}});
    }
    void Fill(TMSystemInfo& info) override {
        TMedia& media = *info.Media;
        std::vector<int> images;
        for (int i = 0; i < media.AvailableDevices->Count(); ++i) {
            images.push_back(static_cast<int>(AvailableDeviceIcon(media, i)));
        }
        SetListRows(Item(lvAvailableDevices),
                    SingleColumn(CollectionLines(*media.AvailableDevices)), images);
        SetListRows(Item(lvSoundDevices), MediaRows(media));
    }
    void ShowProperties() {
        const int row = SelectedRow(Item(lvSoundDevices));
        if (row < 0) return;
        const auto& item = Owner().Info().Media->ItemAs<TMediaItem>(row);
        ShowRowsDetail(Owner(), item.DisplayName(), MediaDetailRows(item));
    }
    void Command(int id, int) override {
        if (id == btnMediaProperties) Owner().Guarded([this] { ShowProperties(); });
    }
    void Notify(const NMHDR& header) override {
        if (IsDoubleClick(header, Item(lvSoundDevices))) {
            Owner().Guarded([this] { ShowProperties(); });
        }
    }
    OwnedImageList icons_;
};

class NetworkTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        l.Line(0, "Adaptadores de Red");
        HWND adapters = l.List(lvAdapters, {""}, {Width() - 40}, 90, LVS_NOCOLUMNHEADER);
        icons_ = ShellImageList(kAdapterIcons);
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
        std::vector<int> images;
        for (int i = 0; i < net.Adapters->Count(); ++i) {
            images.push_back(static_cast<int>(AdapterIconOf(net, i)));
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
            const NetworkList list =
                NetworkLists(*Owner().Info().Network)[static_cast<size_t>(id - btnProtocols)];
            ShowChecksDetail(Owner(), list.title, list.strings->GetStrings(), true);
        });
    }
    OwnedImageList icons_;
};

class DevicesTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        tree_ = l.Control(WC_TREEVIEWA, "", TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                                TVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER,
                          Height() - 56, tvDevices);
        // The root's, then one a class in the order of TDeviceClass.
        std::vector<ShellIconChoice> choices{kComputerIcon};
        for (int c = 0; c <= static_cast<int>(TDeviceClass::dcUSB); ++c) {
            choices.push_back(DeviceClassIcon(static_cast<TDeviceClass>(c)));
        }
        icons_ = ShellImageList(choices);
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
        EnableWindow(Item(btnDeviceProperties), FALSE);
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
        ShowRowsDetail(Owner(), kDeviceDetailTitle,
                       DeviceDetailRows(Owner().Info().Devices->Device(device), Caption(node),
                                        Caption(TreeView_GetParent(tree_, node))));
    }
    void Command(int id, int) override {
        if (id == btnDeviceProperties) Owner().Guarded([this] { ShowProperties(); });
    }
    void Notify(const NMHDR& header) override {
        if (header.hwndFrom != tree_) return;
        if (header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW) {
            EnableWindow(Item(btnDeviceProperties), SelectedDevice(nullptr) >= 0);
        } else if (header.code == NM_DBLCLK && SelectedDevice(nullptr) >= 0) {
            Owner().Guarded([this] { ShowProperties(); });
        }
    }
    HWND tree_ = nullptr;
    OwnedImageList icons_;
};

class PrintersTab : public ViewerPage {
    void Build(ColumnLayout& l) override {
        HWND list = l.List(lvPrinters, Columns(kPrinterColumns), {220, 110}, Height() - 56);
        icons_ = ShellImageList(kPrinterIcons);
        ListView_SetImageList(list, icons_.get(), LVSIL_SMALL);
        l.Buttons({{"Propiedades...", btnPrinterProperties}});
    }
    void Fill(TMSystemInfo& info) override {
        std::vector<int> images;
        for (int i = 0; i < info.Printers->Count(); ++i) {
            images.push_back(static_cast<int>(PrinterIconOf(*info.Printers, i)));
        }
        SetListRows(Item(lvPrinters), PrinterRows(*info.Printers), images);
    }
    void ShowProperties() {
        const int row = SelectedRow(Item(lvPrinters));
        if (row < 0) return;
        ShowRowsDetail(Owner(), kPrinterDetailTitle,
                       PrinterDetailRows(
                           Owner().Info().Printers->ItemAs<TPrinterDeviceComplete>(row)));
    }
    void Command(int id, int) override {
        if (id == btnPrinterProperties) Owner().Guarded([this] { ShowProperties(); });
    }
    void Notify(const NMHDR& header) override {
        if (IsDoubleClick(header, Item(lvPrinters))) {
            Owner().Guarded([this] { ShowProperties(); });
        }
    }
    OwnedImageList icons_;
};

}  // namespace

std::unique_ptr<ViewerPage> MakeMediaPage() { return std::make_unique<MediaTab>(); }
std::unique_ptr<ViewerPage> MakeNetworkPage() { return std::make_unique<NetworkTab>(); }
std::unique_ptr<ViewerPage> MakeDevicesPage() { return std::make_unique<DevicesTab>(); }
std::unique_ptr<ViewerPage> MakePrintersPage() { return std::make_unique<PrintersTab>(); }

}  // namespace rb::viewer
