// Texts the device tree keeps as references on Vista and later ("@oem12.inf,%key%;Realtek
// High Definition Audio", "@%SystemRoot%\system32\audiosrv.dll,-200"), turned back into the
// text a person reads. Plain texts are left as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rb {

// What a text says about itself.
struct IndirectTextForm {
    // It begins with "@".
    bool reference = false;
    // For the "@file,-id" form: what the system's string loader is given.
    std::string resource;
    // The text after the last ";" (its arguments put in), when it is not blank.
    std::optional<std::string> inlineText;
};

// Pure: the parts of one text. The text after the last ";" is the fallback the reference
// carries; when that last part is an argument list "(0,31,3)", the part before it is the text
// and its "%1", "%2", ... take the arguments ("PCI bus %1, device %2;(0,31)").
IndirectTextForm ParseIndirectText(std::string_view text);

// The text to show: a plain text as it is; for a reference, the system's string loader for
// the "@file,-id" form (late-bound, Vista and later), else the text it carries, else the raw
// text.
std::string ResolveIndirectText(const std::string& text);

}  // namespace rb
