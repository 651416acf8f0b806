// The power, DirectX, media, printers and engines sections against the real system (under Wine
// in the test runs): states within their ranges, lists whose items are whole, and no error line
// beyond the one the engines section owes to an ADO that cannot filter.
#include <gtest/gtest.h>

#include "sysinfo/si_apm.h"
#include "sysinfo/si_directx.h"
#include "sysinfo/si_engines.h"
#include "sysinfo/si_media.h"
#include "sysinfo/si_printers.h"
#include "sysinfo/string_collection.h"

namespace {

TEST(RemainingSectionsWin32, PowerAndDirectXGatherWithoutErrors) {
    rb::TStringCollection errors;
    rb::TAPM apm(&errors);
    apm.GetInfo();
    EXPECT_LE(static_cast<int>(apm.ACPowerStatus), 2);
    EXPECT_TRUE(apm.BatteryLifePercent <= 100 || apm.BatteryLifePercent == 255);
    rb::TDirectX dx(&errors);
    dx.GetInfo();
    for (rb::TStringCollection* list : {dx.Direct3D.get(), dx.DirectPlay.get(),
                                        dx.DirectMusic.get()}) {
        for (int i = 0; i < list->Count(); ++i) EXPECT_NE(list->Get(i), "");
    }
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
}

TEST(RemainingSectionsWin32, MediaAndPrintersGatherWithoutErrors) {
    rb::TStringCollection errors;
    rb::TMedia media(&errors);
    media.GetInfo();
    EXPECT_LT(media.SoundCardIndex, media.AvailableDevices->Count());
    EXPECT_LT(media.GamePortIndex, media.AvailableDevices->Count());
    for (int i = 0; i < media.Count(); ++i) {
        const auto& item = media.ItemAs<rb::TMediaItem>(i);
        EXPECT_LE(item.ProductName.size(), 31u);
        EXPECT_STRNE(rb::MediaTypeName(item.Class()), "Item de Media");
    }
    rb::TPrinters printers(&errors);
    printers.GetInfo();
    EXPECT_TRUE(printers.Count() == 0 ? printers.DefaultIndex == 0
                                      : printers.DefaultIndex < printers.Count());
    EXPECT_EQ(errors.Count(), 0) << errors.CommaText();
}

TEST(RemainingSectionsWin32, EnginesReleaseComAndOweAtMostTheFilterMessage) {
    rb::TStringCollection errors;
    rb::TEngines engines(&errors);
    engines.GetInfo();
    EXPECT_NE(engines.ODBC, "");  // the system's own driver manager
    for (int i = 0; i < errors.Count(); ++i) {
        EXPECT_EQ(errors.Get(i).rfind("TEngines.GetInfo: Error asignado filtro", 0), 0u)
            << errors.Get(i);
    }
    // Gathered again (COM entered and left each time), the answers are the same.
    rb::TEngines again(&errors);
    again.GetInfo();
    EXPECT_EQ(again.ODBC, engines.ODBC);
    EXPECT_EQ(again.ADO, engines.ADO);
}

}  // namespace
