// The display adapters over the platform: a device tree of their own, the adapter's registry
// details for each family, the video BIOS texts, the screen's device-context capabilities and
// the display modes.
#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_display.h"

namespace rb {
namespace {

using platform::RootKey;

constexpr size_t kAdapterTextBytes = 255;  // "HardwareInformation.*" texts read, longer cut
constexpr size_t kBiosTextBytes = 151;     // "VideoBiosVersion" read, longer cut

// GetDeviceCaps indices.
enum Cap {
    kTechnology = 2, kHorzSize = 4, kVertSize = 6, kHorzRes = 8, kVertRes = 10,
    kBitsPixel = 12, kCurveCaps = 28, kLineCaps = 30, kPolygonalCaps = 32, kTextCaps = 34,
    kRasterCaps = 38, kAspectX = 40, kAspectY = 42, kAspectXY = 44, kLogPixelsY = 90
};

const char* const kTechnologies[] = {"Vector Plotter",   "Raster Display", "Raster Printer",
                                     "Raster Camera",    "Character Stream", "Metafile",
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

}  // namespace

void TDisplay::GetInfo() {
    GatherGuarded(ErrorList(), "TDisplay.GetInfo", [this] {
        Adapter = device_ ? device_->DisplayName() : "";
        int32_t memory = 0;
        if (Facts().IsNT) {
            GatherGuarded(ErrorList(), "TDisplay.GetWinNTDisplayInfo", [&] {
                const std::string service = device_ ? device_->Service : "";
                const auto key = OpenMachine("SYSTEM\\CurrentControlSet\\Services\\" + service +
                                             "\\Device0");
                if (!key) return;
                DAC = BoundedWideText(*key, "HardwareInformation.DacType");
                Chipset = BoundedWideText(*key, "HardwareInformation.ChipType");
                const auto size = key->ReadBinary("HardwareInformation.MemorySize");
                if (size && size->size() >= 4) {
                    memory = static_cast<int32_t>((*size)[0] | ((*size)[1] << 8) |
                                                  ((*size)[2] << 16) |
                                                  (uint32_t{(*size)[3]} << 24));
                }
            });
        } else {
            GatherGuarded(ErrorList(), "TDisplay.GetWin9xDisplayInfo: ", [&] {
                const auto key =
                    OpenMachine("System\\CurrentControlSet\\Services\\Class\\Display\\0000\\INFO");
                if (!key) return;
                DAC = key->ReadString("DacType").value_or("");
                Chipset = key->ReadString("ChipType").value_or("");
                memory = static_cast<int32_t>(key->ReadInteger("VideoMemory").value_or(0));
            });
        }
        Memory = memory;  // sign-extended, as the registry's 32 bits
        GatherGuarded(ErrorList(), "TDisplay.GetVideoBIOSInfo: ", [this] {
            const auto key = OpenMachine("HARDWARE\\DESCRIPTION\\System");
            if (!key) return;
            if (auto bytes = key->ReadBinary("VideoBiosVersion")) {
                if (bytes->size() > kBiosTextBytes) bytes->resize(kBiosTextBytes);
                BIOSVersion = std::string(bytes->begin(), bytes->end()).c_str();
            }
            if (key->ValueExists("VideoBiosDate")) {
                BIOSDate = key->ReadString("VideoBiosDate").value_or("");
            }
        });
        FontResolution = Capability(kLogPixelsY);
        HorzRes = Capability(kHorzRes);
        VertRes = Capability(kVertRes);
        ColorDepth = Capability(kBitsPixel);
        const int32_t technology = Capability(kTechnology);
        if (technology >= 0 && technology < 7) Technology = kTechnologies[technology];
        PhysicalWidth = Capability(kHorzSize);
        PhysicalHeight = Capability(kVertSize);
        PixelWidth = Capability(kAspectX);
        PixelHeight = Capability(kAspectY);
        PixelDiagonal = Capability(kAspectXY);
        CurveCaps = CurveCapsFrom(Capability(kCurveCaps));
        LineCaps = LineCapsFrom(Capability(kLineCaps));
        PolygonCaps = PolygonCapsFrom(Capability(kPolygonalCaps));
        RasterCaps = RasterCapsFrom(Capability(kRasterCaps));
        TextCaps = TextCapsFrom(Capability(kTextCaps));
        Modes->Clear();
        auto& display = platform::Current().Display();
        for (uint32_t n = 0;; ++n) {
            const auto mode = display.Mode(n);
            if (!mode) break;
            Modes->Add(Format("%d x %d - %d bit", static_cast<int>(mode->width),
                              static_cast<int>(mode->height),
                              static_cast<int>(mode->bitsPerPixel)));
        }
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
