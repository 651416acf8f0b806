// The DirectX section: installed version and the registered Direct3D drivers, DirectPlay
// service providers and DirectMusic software synthesizers.
#pragma once

#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include "sysinfo/section_base.h"
#include "sysinfo/string_collection.h"

namespace rb {

// The version text of the binary InstalledVersion value ("8.1"); "" when it is too short.
std::string DirectXVersionFromBinary(const std::vector<uint8_t>& value);

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
