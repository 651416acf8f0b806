// The display adapters over the platform: a device tree of their own, the adapter's registry
// details for each family (NT: the service's "Device0", then the adapter's class key), the
// video BIOS texts, the screen's device-context capabilities in its own pixels and the display
// modes.
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_display.h"

namespace rb {
namespace {

// The section's error prefixes, as the error list shows them.
// This section's message deliberately has no separator: the text follows the name directly.
constexpr char kErrorPrefix[] = "TDisplay.GetInfo";
// This section's message deliberately has no separator: the text follows the name directly.
constexpr char kNTErrorPrefix[] = "TDisplay.GetWinNTDisplayInfo";
constexpr char k9xErrorPrefix[] = "TDisplay.GetWin9xDisplayInfo: ";
constexpr char kBiosErrorPrefix[] = "TDisplay.GetVideoBIOSInfo: ";

using platform::RootKey;

constexpr size_t kAdapterTextBytes = 255;  // "HardwareInformation.*" texts read, longer cut
constexpr size_t kBiosTextBytes = 151;     // "VideoBiosVersion" read, longer cut

// GetDeviceCaps indices.
enum Cap {
    kTechnology = 2,
    kHorzSize = 4,
    kVertSize = 6,
    kHorzRes = 8,
    kVertRes = 10,
    kBitsPixel = 12,
    kCurveCaps = 28,
    kLineCaps = 30,
    kPolygonalCaps = 32,
    kTextCaps = 34,
    kRasterCaps = 38,
    kAspectX = 40,
    kAspectY = 42,
    kAspectXY = 44,
    kLogPixelsY = 90,
    kDesktopVertRes = 117,
    kDesktopHorzRes = 118
};

const char* const kTechnologies[] = {"Vector Plotter", "Raster Display",   "Raster Printer",
                                     "Raster Camera",  "Character Stream", "Metafile",
                                     "Display File"};

std::unique_ptr<platform::RegKey> OpenMachine(const std::string& path) {
    return platform::Current().Reg().Open(RootKey::LocalMachine, path);
}

std::string BoundedWideText(const platform::RegKey& key, const char* name) {
    auto bytes = key.ReadBinary(name);
    if (!bytes) return "";
    if (bytes->size() > kAdapterTextBytes) bytes->resize(kAdapterTextBytes);
    return WideBufferToText(*bytes);
}

int32_t Capability(int index) {
    return platform::Current().Display().ScreenCapability(index).value_or(0);
}

// The "HardwareInformation.*" values of one key: the texts as (often wide) binary values, the
// memory as 32 bits or, for 4 GiB and more, as the 64-bit "qwMemorySize". Only what is still
// missing is taken, so a second key fills what the first lacked.
void HardwareInformation(TDisplay& d, const platform::RegKey& key, int64_t& memory) {
    if (d.DAC.empty()) d.DAC = BoundedWideText(key, "HardwareInformation.DacType");
    if (d.Chipset.empty()) d.Chipset = BoundedWideText(key, "HardwareInformation.ChipType");
    if (memory != 0) return;
    if (const auto wide = key.ReadBinary("HardwareInformation.qwMemorySize");
        wide && wide->size() >= 8) {
        uint64_t bytes = 0;
        for (int i = 7; i >= 0; --i) bytes = (bytes << 8) | (*wide)[static_cast<size_t>(i)];
        memory = static_cast<int64_t>(bytes & 0x7FFFFFFFFFFFFFFFull);
        if (memory != 0) return;
    }
    const auto size = key.ReadBinary("HardwareInformation.MemorySize");
    if (size && size->size() >= 4) {
        const auto& b = *size;
        memory = b[0] | (b[1] << 8) | (b[2] << 16) | (int64_t{b[3]} << 24);  // unsigned
    }
}

// The adapter's class key (its instance's "Driver": "{4d36e968-...}\\0000"), where current
// drivers keep the hardware information.
std::unique_ptr<platform::RegKey> DriverKey(const TDevice& device) {
    const auto instance = OpenMachine(device.RegKey);
    if (!instance) return nullptr;
    const std::string driver =
        ReplaceAll(instance->ReadString("Driver").value_or(""), "\\\\", "\\");
    if (Trim(driver).empty()) return nullptr;
    return OpenMachine(Facts().ClassKey + "\\" + driver);
}

// NT keeps the adapter's details under its service's first device; drivers since Vista keep
// them in the adapter's class key, which fills what "Device0" does not give.
void AdapterDetailsNT(TDisplay& d, const TDevice* device, int64_t& memory) {
    if (!device) return;
    const auto key =
        OpenMachine("SYSTEM\\CurrentControlSet\\Services\\" + device->Service + "\\Device0");
    if (key) HardwareInformation(d, *key, memory);
    if (!d.DAC.empty() && !d.Chipset.empty() && memory != 0) return;
    if (const auto driver = DriverKey(*device)) HardwareInformation(d, *driver, memory);
}

void AdapterDetails9x(TDisplay& d, int64_t& memory) {
    const auto key = OpenMachine("System\\CurrentControlSet\\Services\\Class\\Display\\0000\\INFO");
    if (!key) return;
    d.DAC = key->ReadString("DacType").value_or("");
    d.Chipset = key->ReadString("ChipType").value_or("");
    memory = key->ReadInteger("VideoMemory").value_or(0);
}

void VideoBios(TDisplay& d) {
    const auto key = OpenMachine("HARDWARE\\DESCRIPTION\\System");
    if (!key) return;
    if (auto bytes = key->ReadBinary("VideoBiosVersion")) {
        if (bytes->size() > kBiosTextBytes) bytes->resize(kBiosTextBytes);
        d.BIOSVersion = std::string(bytes->begin(), bytes->end()).c_str();  // to the first zero
    }
    if (key->ValueExists("VideoBiosDate"))
        d.BIOSDate = key->ReadString("VideoBiosDate").value_or("");
}

// Under display scaling a program the system does not count as aware of it is told a scaled
// screen (1536 x 864 at 96 dpi for 1920 x 1080 at 125 %) while its modes list the real one.
// Where the screen could not be asked in its own pixels, the desktop's size says what it has,
// and the dots per inch grow by the same scale. Systems without the desktop sizes answer 0.
void UnscaledMetrics(TDisplay& d) {
    const int32_t horz = Capability(kDesktopHorzRes);
    const int32_t vert = Capability(kDesktopVertRes);
    if (d.HorzRes <= 0 || d.VertRes <= 0 || horz <= d.HorzRes || vert <= d.VertRes) return;
    const int64_t dpi = (int64_t{d.FontResolution} * vert + d.VertRes / 2) / d.VertRes;
    d.FontResolution = static_cast<int32_t>(dpi);
    d.HorzRes = horz;
    d.VertRes = vert;
}

// The metrics are the screen's, whichever adapter the item stands for.
void ScreenMetrics(TDisplay& d) {
    d.FontResolution = Capability(kLogPixelsY);
    d.HorzRes = Capability(kHorzRes);
    d.VertRes = Capability(kVertRes);
    d.ColorDepth = Capability(kBitsPixel);
    UnscaledMetrics(d);
    const int32_t technology = Capability(kTechnology);
    if (technology >= 0 && technology < 7) d.Technology = kTechnologies[technology];
    d.PhysicalWidth = Capability(kHorzSize);
    d.PhysicalHeight = Capability(kVertSize);
    d.PixelWidth = Capability(kAspectX);
    d.PixelHeight = Capability(kAspectY);
    d.PixelDiagonal = Capability(kAspectXY);
    d.CurveCaps = CurveCapsFrom(Capability(kCurveCaps));
    d.LineCaps = LineCapsFrom(Capability(kLineCaps));
    d.PolygonCaps = PolygonCapsFrom(Capability(kPolygonalCaps));
    d.RasterCaps = RasterCapsFrom(Capability(kRasterCaps));
    d.TextCaps = TextCapsFrom(Capability(kTextCaps));
}

void DisplayModes(TDisplay& d) {
    d.Modes->Clear();
    auto& display = platform::Current().Display();
    for (uint32_t n = 0;; ++n) {
        const auto mode = display.Mode(n);
        if (!mode) break;
        d.Modes->Add(Format("%d x %d - %d bit", static_cast<int>(mode->width),
                            static_cast<int>(mode->height), static_cast<int>(mode->bitsPerPixel)));
    }
}

}  // namespace

void TDisplay::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        Adapter = device_ ? device_->DisplayName() : "";
        int64_t memory = 0;
        if (Facts().IsNT) {
            GatherGuarded(ErrorList(), kNTErrorPrefix,
                          [&] { AdapterDetailsNT(*this, device_, memory); });
        } else {
            GatherGuarded(ErrorList(), k9xErrorPrefix, [&] { AdapterDetails9x(*this, memory); });
        }
        Memory = memory;  // bytes: 2 GiB and more never read negative
        GatherGuarded(ErrorList(), kBiosErrorPrefix, [this] { VideoBios(*this); });
        ScreenMetrics(*this);
        DisplayModes(*this);
    });
}

// Its own device tree, so that the adapters are found whether or not the device section was
// gathered. No adapter at all ends the collection (the error is not caught here).
void TDisplays::GetInfo() {
    TDevices tree(ErrorList());
    tree.GetInfo();
    Clear();
    for (int i = 0; i < tree.Count(); ++i) {
        const TDevice& device = tree.Device(i);
        if (device.DeviceClass != TDeviceClass::dcDisplay) continue;
        auto& display = AddItem<TDisplay>();
        display.SetDevice(&device);
        display.GetInfo();
        display.SetDevice(nullptr);
    }
    if (Count() == 0) throw Exception("No se encontró un adaptador de video válido");
}

}  // namespace rb
