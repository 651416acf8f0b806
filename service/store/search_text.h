// The texts both stores search: each searchable text is kept beside the inventory as a search
// copy (UTF-8, folded to lower case by the program's own code page 1252 rule), and a search
// text is folded the same way, so that "any case" means the same in both stores and in any
// database locale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rb::service {

// The search copy of a code page 1252 text (a NUL becomes a space).
std::string SearchCopy(std::string_view cp1252);
// The search copy of a list of texts: one a line.
std::string SearchCopy(const std::vector<std::string>& lines);
// A search copy as a LIKE pattern that finds it anywhere, its own "%", "_" and "\" taken
// literally (with "\" as the escape character).
std::string LikeAnywhere(const std::string& utf8);
// Characters (not bytes) of a UTF-8 text.
size_t Letters(const std::string& utf8);

}  // namespace rb::service
