#include "sysinfo/indirect_text.h"

#include <vector>

#include "core/text.h"
#include "platform/platform.h"

namespace rb {
namespace {

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// "file,-id": a file name, a comma and a negative resource number.
bool IsResourceReference(std::string_view reference) {
    const size_t comma = reference.rfind(',');
    if (comma == std::string_view::npos || comma == 0) return false;
    const std::string_view id = reference.substr(comma + 1);
    if (id.size() < 2 || id[0] != '-') return false;
    for (const char c : id.substr(1)) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// "%1" ... "%9" of `text` replaced by the items of "(a,b,c)"; the highest number first, so
// that "%1" does not eat the start of "%10".
std::string WithArguments(std::string_view text, std::string_view list) {
    const std::vector<std::string_view> items = SplitAt(list.substr(1, list.size() - 2), ',');
    std::string result(text);
    for (size_t n = items.size(); n > 0; --n) {
        result = ReplaceAll(result, "%" + std::to_string(n), Trim(items[n - 1]));
    }
    return result;
}

}  // namespace

IndirectTextForm ParseIndirectText(std::string_view text) {
    IndirectTextForm form;
    if (text.empty() || text[0] != '@') return form;
    form.reference = true;
    const std::vector<std::string_view> parts = SplitAt(text.substr(1), ';');
    if (IsResourceReference(parts[0])) form.resource = "@" + std::string(parts[0]);
    if (parts.size() < 2) return form;
    const std::string_view last = parts.back();
    const bool arguments =
        parts.size() >= 3 && last.size() >= 2 && last.front() == '(' && last.back() == ')';
    const std::string inlineText =
        arguments ? WithArguments(parts[parts.size() - 2], last) : std::string(last);
    if (!Trim(inlineText).empty()) form.inlineText = inlineText;
    return form;
}

std::string ResolveIndirectText(const std::string& text) {
    const IndirectTextForm form = ParseIndirectText(text);
    if (!form.reference) return text;
    if (!form.resource.empty()) {
        std::string loaded = platform::Current().Shell().IndirectString(form.resource);
        if (!loaded.empty()) return loaded;
    }
    return form.inlineText.value_or(text);
}

}  // namespace rb
