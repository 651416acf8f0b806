// The media section: the media-class drivers of the registry, the sound card and game port
// among them, and every multimedia device the system reports, one item class per device type.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sysinfo/section_base.h"
#include "sysinfo/string_collection.h"

namespace rb {

// Fields every device type shares. Items read back from XML are of this class.
class TMediaItem : public CollectionItem {
    RB_PERSISTENT_CLASS
public:
    std::string DisplayName() const;  // "<ProductName> v<major>.<minor>"

    uint16_t Mid = 0;            // manufacturer
    uint16_t Pid = 0;            // product
    uint32_t DriverVersion = 0;  // major in the high byte, minor in the low byte of the low word
    std::string ProductName;     // at most 31 characters
    uint32_t Support = 0;        // functionality bits (a mixer's support bits)
};

class TWOCMediaItem : public TMediaItem {  // wave output
    RB_PERSISTENT_CLASS
public:
    uint32_t Formats = 0;
    uint16_t Channels = 0;
};

class TWICMediaItem : public TMediaItem {  // wave input
    RB_PERSISTENT_CLASS
public:
    uint32_t Formats = 0;
    uint16_t Channels = 0;
    uint16_t Reserved1 = 0;
};

class TMOCMediaItem : public TMediaItem {  // MIDI output
    RB_PERSISTENT_CLASS
public:
    uint16_t Technology = 0;
    uint16_t Voices = 0;
    uint16_t Notes = 0;
    uint16_t ChannelMask = 0;
};

class TMICMediaItem : public TMediaItem {  // MIDI input
    RB_PERSISTENT_CLASS
};

class TAXCMediaItem : public TMediaItem {  // auxiliary audio
    RB_PERSISTENT_CLASS
public:
    uint16_t Technology = 0;
};

class TMXCMediaItem : public TMediaItem {  // mixer
    RB_PERSISTENT_CLASS
public:
    uint32_t Destinations = 0;
};

// "1.5" for the version 0x0105.
std::string MediaDriverVersionText(uint32_t version);
// The device type's name ("Wave Out", ...); "Item de Media" for the base class and any other.
const char* MediaTypeName(const ClassInfo& itemClass);

class TMedia : public TInfoProcessCollectionWithDevices {
    RB_PERSISTENT_CLASS
public:
    explicit TMedia(TStringCollection* errorList = nullptr, TDevices* devices = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    int32_t GamePortIndex = 0;   // position in AvailableDevices; -1: none
    int32_t SoundCardIndex = 0;  // position in AvailableDevices; -1: none
    std::unique_ptr<TStringCollection> AvailableDevices;

private:
    void FindCards();
};

}  // namespace rb
