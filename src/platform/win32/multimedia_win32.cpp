// Multimedia devices through winmm: the count of each kind and each device's capability record.
#include "platform/win32/multimedia_win32.h"

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

namespace rb::platform {
namespace {

// The fields every capability record shares.
template <typename Caps>
MediaDeviceCaps Common(const Caps& c) {
    MediaDeviceCaps caps;
    caps.manufacturerId = c.wMid;
    caps.productId = c.wPid;
    caps.driverVersion = c.vDriverVersion;
    caps.name = c.szPname;  // the system ends it within its 32 characters
    return caps;
}

// One query: the record filled by `query(device, record, size)`, nullopt when it fails.
template <typename Caps, typename Query>
std::optional<Caps> Ask(Query query, uint32_t index) {
    Caps c{};
    if (query(index, &c, sizeof c) != MMSYSERR_NOERROR) return std::nullopt;
    c.szPname[sizeof c.szPname - 1] = '\0';
    return c;
}

std::optional<MediaDeviceCaps> Caps(MediaDeviceKind kind, uint32_t i) {
    switch (kind) {
        case MediaDeviceKind::WaveOut: {
            const auto c = Ask<WAVEOUTCAPSA>(::waveOutGetDevCapsA, i);
            if (!c) return std::nullopt;
            MediaDeviceCaps caps = Common(*c);
            caps.support = c->dwSupport;
            caps.formats = c->dwFormats;
            caps.channels = c->wChannels;
            return caps;
        }
        case MediaDeviceKind::WaveIn: {
            const auto c = Ask<WAVEINCAPSA>(::waveInGetDevCapsA, i);
            if (!c) return std::nullopt;
            MediaDeviceCaps caps = Common(*c);
            caps.formats = c->dwFormats;
            caps.channels = c->wChannels;
            return caps;
        }
        case MediaDeviceKind::MidiOut: {
            const auto c = Ask<MIDIOUTCAPSA>(::midiOutGetDevCapsA, i);
            if (!c) return std::nullopt;
            MediaDeviceCaps caps = Common(*c);
            caps.support = c->dwSupport;
            caps.technology = c->wTechnology;
            caps.voices = c->wVoices;
            caps.notes = c->wNotes;
            caps.channelMask = c->wChannelMask;
            return caps;
        }
        case MediaDeviceKind::MidiIn: {
            const auto c = Ask<MIDIINCAPSA>(::midiInGetDevCapsA, i);
            if (!c) return std::nullopt;
            MediaDeviceCaps caps = Common(*c);
            caps.support = c->dwSupport;
            return caps;
        }
        case MediaDeviceKind::Auxiliary: {
            const auto c = Ask<AUXCAPSA>(::auxGetDevCapsA, i);
            if (!c) return std::nullopt;
            MediaDeviceCaps caps = Common(*c);
            caps.support = c->dwSupport;
            caps.technology = c->wTechnology;
            return caps;
        }
        case MediaDeviceKind::Mixer: {
            const auto c = Ask<MIXERCAPSA>(::mixerGetDevCapsA, i);
            if (!c) return std::nullopt;
            MediaDeviceCaps caps = Common(*c);
            caps.support = c->fdwSupport;
            caps.destinations = c->cDestinations;
            return caps;
        }
    }
    return std::nullopt;
}

}  // namespace

uint32_t Win32Multimedia::DeviceCount(MediaDeviceKind kind) {
    switch (kind) {
        case MediaDeviceKind::WaveOut:
            return ::waveOutGetNumDevs();
        case MediaDeviceKind::WaveIn:
            return ::waveInGetNumDevs();
        case MediaDeviceKind::MidiOut:
            return ::midiOutGetNumDevs();
        case MediaDeviceKind::MidiIn:
            return ::midiInGetNumDevs();
        case MediaDeviceKind::Auxiliary:
            return ::auxGetNumDevs();
        case MediaDeviceKind::Mixer:
            return ::mixerGetNumDevs();
    }
    return 0;
}

std::optional<MediaDeviceCaps> Win32Multimedia::DeviceCaps(MediaDeviceKind kind, uint32_t index) {
    return Caps(kind, index);
}

}  // namespace rb::platform
