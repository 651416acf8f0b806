// The DirectX section: installed version and the registered Direct3D drivers, DirectPlay
// service providers and DirectMusic software synthesizers.
#pragma once

#include <memory>
#include <string>

#include "sysinfo/section_base.h"
#include "sysinfo/string_collection.h"

namespace rb {

class TDirectX : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TDirectX(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    std::string Version;
    std::unique_ptr<TStringCollection> Direct3D;     // driver descriptions
    std::unique_ptr<TStringCollection> DirectPlay;   // service provider descriptions
    std::unique_ptr<TStringCollection> DirectMusic;  // software synthesizer descriptions
};

}  // namespace rb
