// The media section over simulated systems: media drivers of the registry, the sound card and
// game port among the devices, the six kinds of multimedia devices and the report.
#include <gtest/gtest.h>

#include "device_tree_sim.h"
#include "sysinfo/si_devices.h"
#include "sysinfo/si_media.h"
#include "sysinfo/string_collection.h"

namespace rb {
namespace {

using platform::MediaDeviceCaps;
using platform::MediaDeviceKind;
using platform::RootKey;
using platform::ScopedPlatform;
using platform::SimPlatform;
using testing_hw::DeviceTree;
using testing_hw::SimDevice;

const char kMediaGuid[] = "{4D36E96C-E325-11CE-BFC1-08002BE10318}";

MediaDeviceCaps Caps(const std::string& name, uint32_t version, uint32_t support = 0) {
    MediaDeviceCaps c;
    c.manufacturerId = 1;
    c.productId = 2;
    c.driverVersion = version;
    c.name = name;
    c.support = support;
    return c;
}

class MediaTest : public ::testing::Test {
protected:
    SimPlatform sim;
    TStringCollection errors;
    TDevices devices{&errors};
    TMedia media{&errors, &devices};

    void Gather() {
        ScopedPlatform scope(sim);
        devices.GetInfo();
        media.GetInfo();
    }
    // The media drivers and their devices, on either family.
    void AddMediaDrivers(DeviceTree& tree, bool nt) {
        const auto HKLM = RootKey::LocalMachine;
        tree.AddClass(kMediaGuid, "MEDIA", "Dispositivos de sonido, vídeo y juegos");
        const std::string drivers = tree.ClassRoot() + "\\" + (nt ? kMediaGuid : "MEDIA");
        sim.registry.SetString(HKLM, drivers + "\\0000", "DriverDesc", "Creative Gameport");
        sim.registry.SetString(HKLM, drivers + "\\0001", "DriverDesc", "Sound Blaster Live!");
        sim.registry.SetString(HKLM, drivers + "\\0002", "DriverDesc", "ES1371 Audio");
        const auto device = [&](const char* id, const char* name, const char* location) {
            SimDevice d{"PCI", id, "0", kMediaGuid, name, ""};
            d.location = location;
            if (*location) d.service = "audio";  // a service that keeps the location
            tree.Add(d);
        };
        tree.AddService("audio", "Controlador de audio", 1);
        device("VEN_1", "creative gameport", "Bus PCI 0");
        device("VEN_2", "Módem sin driver de media", "Bus PCI 1");
        device("VEN_3", "Sound Blaster Live!", "");  // no location: not the card
        device("VEN_4", "ES1371 AUDIO", "Bus PCI 3");
    }
};

TEST_F(MediaTest, SoundCardAndGamePortAmongTheMediaDriversOfNt) {
    DeviceTree tree(sim, true);
    AddMediaDrivers(tree, true);
    Gather();
    EXPECT_EQ(errors.Count(), 0);
    ASSERT_EQ(media.AvailableDevices->Count(), 3);
    EXPECT_EQ(media.AvailableDevices->Get(1), "Sound Blaster Live!");
    EXPECT_EQ(media.GamePortIndex, 0);
    EXPECT_EQ(media.SoundCardIndex, 2);
}

TEST_F(MediaTest, SoundCardAndGamePortAmongTheMediaDriversOfWindows98) {
    DeviceTree tree(sim, false);
    AddMediaDrivers(tree, false);
    Gather();
    EXPECT_EQ(errors.Count(), 0);
    ASSERT_EQ(media.AvailableDevices->Count(), 3);
    EXPECT_EQ(media.GamePortIndex, 0);
    EXPECT_EQ(media.SoundCardIndex, 2);
}

TEST_F(MediaTest, WithoutADeviceSectionATemporaryOneIsGathered) {
    DeviceTree tree(sim, true);
    AddMediaDrivers(tree, true);
    TMedia alone(&errors);
    ScopedPlatform scope(sim);
    alone.GetInfo();
    EXPECT_EQ(alone.GamePortIndex, 0);
    EXPECT_EQ(alone.SoundCardIndex, 2);
}

TEST_F(MediaTest, WithoutMediaDriversBothIndexesAreNone) {
    media.GamePortIndex = media.SoundCardIndex = 4;
    Gather();
    EXPECT_EQ(media.AvailableDevices->Count(), 0);
    EXPECT_EQ(media.GamePortIndex, -1);
    EXPECT_EQ(media.SoundCardIndex, -1);
    EXPECT_EQ(media.Count(), 0);
    StringList report;
    media.Report(report);
    EXPECT_EQ(report.Text(),
              "[Media]\r\nCount=0\r\n[Sound]\r\n[Wave Out]\r\nCount=0\r\n[Wave In]\r\nCount=0\r\n"
              "[Midi In]\r\nCount=0\r\n[Midi Out]\r\nCount=0\r\n[Auxiliar]\r\nCount=0\r\n"
              "[Mixer]\r\nCount=0\r\n");
}

TEST_F(MediaTest, DevicesOfEveryKindSkippingRepeatsAndSilentOnes) {
    MediaDeviceCaps waveOut = Caps("SB Live! Wave Out", 0x0105, 0x2C);
    waveOut.formats = 0xFFF;
    waveOut.channels = 2;
    MediaDeviceCaps waveIn = Caps("SB Live! Wave In", 0x0105, 0x99);
    waveIn.formats = 0x555;
    waveIn.channels = 1;
    MediaDeviceCaps midiOut = Caps("Sintetizador", 0x0A00, 1);
    midiOut.technology = 7;
    midiOut.voices = 32;
    midiOut.notes = 64;
    midiOut.channelMask = 0xFFFF;
    MediaDeviceCaps aux = Caps("CD Audio", 0x0001, 3);
    aux.technology = 1;
    MediaDeviceCaps mixer = Caps("Mezclador", 0x0200, 0);
    mixer.destinations = 2;
    sim.multimedia.devices = {
        {MediaDeviceKind::WaveOut,
         {waveOut, std::nullopt, waveOut, Caps("SB Live! Wave Out", 0x0106)}},
        {MediaDeviceKind::WaveIn, {waveIn}},
        {MediaDeviceKind::MidiOut, {midiOut}},
        {MediaDeviceKind::MidiIn, {Caps("SB Live! Wave Out", 0x0105, 5)}},  // other kind: kept
        {MediaDeviceKind::Auxiliary, {aux}},
        {MediaDeviceKind::Mixer, {mixer, std::nullopt}},
    };
    Gather();
    EXPECT_EQ(errors.Count(), 0);
    ASSERT_EQ(media.Count(), 7);
    const auto& wo = dynamic_cast<const TWOCMediaItem&>(media.Item(0));
    EXPECT_EQ(wo.DisplayName(), "SB Live! Wave Out v1.5");
    EXPECT_EQ(wo.Mid + wo.Pid, 3);
    EXPECT_EQ(wo.Support, 0x2Cu);
    EXPECT_EQ(wo.Formats, 0xFFFu);
    EXPECT_EQ(wo.Channels, 2);
    EXPECT_EQ(dynamic_cast<const TWOCMediaItem&>(media.Item(1)).DisplayName(),
              "SB Live! Wave Out v1.6");
    const auto& wi = dynamic_cast<const TWICMediaItem&>(media.Item(2));
    EXPECT_EQ(wi.Support, 0u);  // wave input has no support bits
    EXPECT_EQ(wi.Formats, 0x555u);
    EXPECT_EQ(wi.Reserved1, 0);
    const auto& mo = dynamic_cast<const TMOCMediaItem&>(media.Item(3));
    EXPECT_EQ(mo.Technology + mo.Voices + mo.Notes, 7 + 32 + 64);
    EXPECT_EQ(mo.ChannelMask, 0xFFFF);
    EXPECT_EQ(mo.DisplayName(), "Sintetizador v10.0");
    EXPECT_NE(dynamic_cast<const TMICMediaItem*>(&media.Item(4)), nullptr);
    EXPECT_EQ(dynamic_cast<const TAXCMediaItem&>(media.Item(5)).Technology, 1);
    EXPECT_EQ(dynamic_cast<const TMXCMediaItem&>(media.Item(6)).Destinations, 2u);

    StringList report;
    media.Report(report);
    EXPECT_EQ(report.Values("Wave In3"), "SB Live! Wave In v1.5");  // position in the whole list
    EXPECT_EQ(report.Values("Midi In5"), "SB Live! Wave Out v1.5");
    EXPECT_EQ(report.Values("Mixer7"), "Mezclador v2.0");
    EXPECT_EQ(report.IndexOf("[Wave Out]") + 1, report.IndexOf("Count=2"));

    // Gathered again, the list is rebuilt rather than extended.
    Gather();
    EXPECT_EQ(media.Count(), 7);
}

TEST_F(MediaTest, LongProductNamesAreCutToThirtyOneCharacters) {
    sim.multimedia.devices = {{MediaDeviceKind::WaveOut, {Caps(std::string(40, 'x'), 0x0105)}}};
    Gather();
    ASSERT_EQ(media.Count(), 1);
    EXPECT_EQ(media.ItemAs<TMediaItem>(0).ProductName, std::string(31, 'x'));
}

}  // namespace
}  // namespace rb
