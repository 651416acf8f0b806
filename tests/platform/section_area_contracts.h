// What the power, multimedia, printers and Automation areas must answer on any machine,
// checked against the simulation and, under Wine, against the real calls.
#pragma once

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace rbtest {

inline void CheckPowerContract(rb::platform::PowerArea& power) {
    const auto status = power.Status();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(status->acLineStatus <= 1 || status->acLineStatus == 255);
    EXPECT_TRUE(status->batteryLifePercent <= 100 || status->batteryLifePercent == 255);
}

inline void CheckMultimediaContract(rb::platform::MultimediaArea& media) {
    using rb::platform::MediaDeviceKind;
    for (const MediaDeviceKind kind :
         {MediaDeviceKind::WaveOut, MediaDeviceKind::WaveIn, MediaDeviceKind::MidiOut,
          MediaDeviceKind::MidiIn, MediaDeviceKind::Auxiliary, MediaDeviceKind::Mixer}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const uint32_t count = media.DeviceCount(kind);
        EXPECT_LT(count, 256u);
        for (uint32_t i = 0; i < count; ++i) {
            if (const auto caps = media.DeviceCaps(kind, i)) EXPECT_LE(caps->name.size(), 31u);
        }
        EXPECT_EQ(media.DeviceCaps(kind, count + 10), std::nullopt);  // past the last device
    }
}

inline void CheckPrintersContract(rb::platform::PrintersArea& printers) {
    const auto local = printers.PrintersLevel2(2);  // PRINTER_ENUM_LOCAL
    ASSERT_TRUE(local.has_value());
    for (const auto& p : *local) EXPECT_FALSE(p.printerName.empty());
    // The default printer, when one is named, is among the printers.
    const std::string named = printers.DefaultPrinterName();
    if (!named.empty()) {
        bool found = false;
        for (const auto& p : *local) found = found || p.printerName == named;
        EXPECT_TRUE(found) << named;
    }
    const auto defaults = printers.PrintersLevel5(1);  // PRINTER_ENUM_DEFAULT
    EXPECT_LE(defaults.records.size(), 1u);
    if (!defaults.records.empty()) EXPECT_EQ(defaults.error, 0u);
    EXPECT_EQ(printers.ProfileEntry("rbinfo sin sección", "device", "ninguna"), "ninguna");
}

// A missing identifier is no object (and no silent server); the scripting runtime's dictionary
// and file system objects answer properties, calls with arguments, property sets and a
// property holding an object.
inline void CheckAutomationContract(rb::platform::AutomationArea& automation) {
    using rb::platform::AutomationValue;
    const auto com = automation.EnterThread();
    EXPECT_EQ(automation.ClassId("rbinfo.NoExiste"), "");
    EXPECT_EQ(automation.RunningObject("rbinfo.NoExiste"), nullptr);
    const auto missing = automation.NewObject("rbinfo.NoExiste");
    EXPECT_EQ(missing.object, nullptr);
    EXPECT_FALSE(missing.serverSilent);

    const std::string classId = automation.ClassId("Scripting.Dictionary");
    ASSERT_EQ(classId.size(), 38u);
    EXPECT_EQ(classId.front(), '{');
    const auto dictionary = automation.NewObject("Scripting.Dictionary").object;
    ASSERT_NE(dictionary, nullptr);
    EXPECT_TRUE(dictionary->SetProperty("CompareMode", int32_t{1}));
    EXPECT_TRUE(dictionary->Call("Add", {std::string("clave"), int32_t{5}}).has_value());
    EXPECT_EQ(dictionary->GetProperty("Count"), AutomationValue(int32_t{1}));
    EXPECT_EQ(dictionary->GetProperty("NoSuchMember"), std::nullopt);
    EXPECT_EQ(dictionary->Call("NoSuchMethod", {}), std::nullopt);
    EXPECT_FALSE(dictionary->SetProperty("NoSuchMember", int32_t{1}));

    const auto files = automation.NewObject("Scripting.FileSystemObject").object;
    ASSERT_NE(files, nullptr);
    const auto drives = files->PropertyObject("Drives");
    ASSERT_NE(drives, nullptr);
    const auto count = drives->GetProperty("Count");
    ASSERT_TRUE(count.has_value());
    ASSERT_TRUE(std::holds_alternative<int32_t>(*count));
    EXPECT_GE(std::get<int32_t>(*count), 1);
    EXPECT_EQ(files->PropertyObject("NoSuchMember"), nullptr);
}

}  // namespace rbtest
