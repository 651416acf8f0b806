// The display adapters: one item per display device of the device tree, with chip, converter
// and memory, video BIOS texts, the screen's metrics and drawing capabilities, and the modes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sysinfo/section_base.h"
#include "sysinfo/si_display_caps.h"
#include "sysinfo/string_collection.h"

namespace rb {

class TDevice;

class TDisplay : public TInfoProcessCollectionItem {
    RB_PERSISTENT_CLASS
public:
    explicit TDisplay(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    std::string DisplayName() const { return Adapter; }
    // The device item gathered from; only used while gathering (the tree is temporary).
    void SetDevice(const TDevice* device) { device_ = device; }
    const TDevice* Device() const { return device_; }

    // Published, in this order.
    std::unique_ptr<TStringCollection> Modes;  // "%d x %d - %d bit"
    std::string Adapter;
    std::string DAC;
    std::string Chipset;
    int64_t Memory = 0;  // bytes, as the registry gives it
    int32_t HorzRes = 0;
    int32_t VertRes = 0;
    int32_t ColorDepth = 0;  // bits per pixel
    std::string BIOSVersion;
    std::string BIOSDate;
    std::string Technology;
    int32_t PixelWidth = 0;  // aspect x
    int32_t PixelHeight = 0;  // aspect y
    int32_t PixelDiagonal = 0;  // aspect xy
    TRasterCaps RasterCaps;
    TCurveCaps CurveCaps;
    TLineCaps LineCaps;
    TPolygonCaps PolygonCaps;
    TTextCaps TextCaps;
    int32_t FontResolution = 0;  // logical pixels per inch, vertical

    // Not published: the screen's physical size in millimetres.
    int32_t PhysicalWidth = 0;
    int32_t PhysicalHeight = 0;

private:
    const TDevice* device_ = nullptr;
};

class TDisplays : public TInfoProcessCollectionWithDevices {
    RB_PERSISTENT_CLASS
public:
    explicit TDisplays(TStringCollection* errorList = nullptr, TDevices* devices = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    TDisplay& Display(int index) const { return ItemAs<TDisplay>(index); }
    // The first item named `name` exactly; else the first item; nullptr when empty.
    TDisplay* FindByName(std::string_view name) const;
};

}  // namespace rb
