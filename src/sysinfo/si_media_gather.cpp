// Gathering of the media section: the media-class drivers of the registry, the sound card and
// game port among the devices, then every device of the six multimedia kinds.
#include <memory>
#include <set>

#include "core/text.h"
#include "platform/platform.h"
#include "sysinfo/routines.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_media.h"

namespace rb {
namespace {

// The section's prefix in the error list.
constexpr char kErrorPrefix[] = "TMedia.GetInfo: ";

using platform::MediaDeviceCaps;
using platform::MediaDeviceKind;

// An item of the kind's own class (the collection's Add makes plain TMediaItems).
template <class T>
T& AddOf(TMedia& m) {
    return static_cast<T&>(m.Append(std::make_unique<T>()));
}

TMediaItem& AddWaveOut(TMedia& m, const MediaDeviceCaps& c) {
    auto& item = AddOf<TWOCMediaItem>(m);
    item.Formats = c.formats;
    item.Channels = c.channels;
    return item;
}

TMediaItem& AddWaveIn(TMedia& m, const MediaDeviceCaps& c) {
    auto& item = AddOf<TWICMediaItem>(m);
    item.Formats = c.formats;
    item.Channels = c.channels;
    return item;
}

TMediaItem& AddMidiOut(TMedia& m, const MediaDeviceCaps& c) {
    auto& item = AddOf<TMOCMediaItem>(m);
    item.Technology = c.technology;
    item.Voices = c.voices;
    item.Notes = c.notes;
    item.ChannelMask = c.channelMask;
    return item;
}

TMediaItem& AddMidiIn(TMedia& m, const MediaDeviceCaps&) {
    return AddOf<TMICMediaItem>(m);
}

TMediaItem& AddAuxiliary(TMedia& m, const MediaDeviceCaps& c) {
    auto& item = AddOf<TAXCMediaItem>(m);
    item.Technology = c.technology;
    return item;
}

TMediaItem& AddMixer(TMedia& m, const MediaDeviceCaps& c) {
    auto& item = AddOf<TMXCMediaItem>(m);
    item.Destinations = c.destinations;
    return item;
}

// The kinds in the order they are gathered, each with its item and the fields of its own.
struct MediaKind {
    MediaDeviceKind kind;
    TMediaItem& (*add)(TMedia&, const MediaDeviceCaps&);
    bool hasSupport;  // wave input records have no support bits
};
const MediaKind kMediaKinds[] = {
    {MediaDeviceKind::WaveOut, AddWaveOut, true},     {MediaDeviceKind::WaveIn, AddWaveIn, false},
    {MediaDeviceKind::MidiOut, AddMidiOut, true},     {MediaDeviceKind::MidiIn, AddMidiIn, true},
    {MediaDeviceKind::Auxiliary, AddAuxiliary, true}, {MediaDeviceKind::Mixer, AddMixer, true},
};

void AddDevices(TMedia& media, const MediaKind& k) {
    platform::MultimediaArea& area = platform::Current().Multimedia();
    std::set<std::string> taken;  // display texts of this kind
    const uint32_t count = area.DeviceCount(k.kind);
    for (uint32_t i = 0; i < count; ++i) {
        const auto caps = area.DeviceCaps(k.kind, i);
        if (!caps) continue;
        const std::string name = caps->name.substr(0, 31);
        if (!taken.insert(name + " v" + MediaDriverVersionText(caps->driverVersion)).second) {
            continue;
        }
        TMediaItem& item = k.add(media, *caps);
        item.Mid = caps->manufacturerId;
        item.Pid = caps->productId;
        item.DriverVersion = caps->driverVersion;
        item.ProductName = name;
        if (k.hasSupport) item.Support = caps->support;
    }
}

}  // namespace

// The sound card and the game port are media-class devices of the device section that the
// registry also lists as media drivers.
void TMedia::FindCards() {
    SoundCardIndex = -1;
    GamePortIndex = -1;
    std::unique_ptr<TDevices> own;
    const TDevices& devices = DevicesAtHand(own);
    for (int i = 0; i < devices.Count(); ++i) {
        const TDevice& d = devices.Device(i);
        if (d.DeviceClass != TDeviceClass::dcMEDIA) continue;
        const std::string name = d.DisplayName();
        const int index = AvailableDevices->IndexOf(name);
        if (index < 0) continue;
        if (AnsiUpperCase(name).find("GAME") != std::string::npos) {
            GamePortIndex = index;
        } else if (!d.Location.empty() && SoundCardIndex == -1) {
            SoundCardIndex = index;
        }
    }
}

void TMedia::GetInfo() {
    GatherGuarded(ErrorList(), kErrorPrefix, [this] {
        StringList drivers;
        std::string key;
        GetClassDevices(Facts().ClassKey, "MEDIA", "DriverDesc", drivers, key);
        AvailableDevices->AddStrings(drivers, true);
        FindCards();
        Clear();
        for (const MediaKind& k : kMediaKinds) AddDevices(*this, k);
    });
}

}  // namespace rb
