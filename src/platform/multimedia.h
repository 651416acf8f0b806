// Multimedia: the winmm device counts and capability records of each kind of device.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rb::platform {

enum class MediaDeviceKind { WaveOut, WaveIn, MidiOut, MidiIn, Auxiliary, Mixer };

// The fields of the *GetDevCapsA records; those a kind lacks stay 0.
struct MediaDeviceCaps {
    uint16_t manufacturerId = 0;
    uint16_t productId = 0;
    uint32_t driverVersion = 0;
    std::string name;
    uint32_t support = 0;       // for mixers: the mixer support bits
    uint32_t formats = 0;       // wave
    uint16_t channels = 0;      // wave
    uint16_t technology = 0;    // MIDI out, auxiliary
    uint16_t voices = 0;        // MIDI out
    uint16_t notes = 0;         // MIDI out
    uint16_t channelMask = 0;   // MIDI out
    uint32_t destinations = 0;  // mixer
};

class MultimediaArea {
public:
    virtual ~MultimediaArea() = default;

    virtual uint32_t DeviceCount(MediaDeviceKind kind) = 0;
    // nullopt when the device does not answer.
    virtual std::optional<MediaDeviceCaps> DeviceCaps(MediaDeviceKind kind, uint32_t index) = 0;
};

}  // namespace rb::platform
