// Delimited text of a list of strings, by the framework's rules for quoted strings. These
// rules decide how lists such as IP addresses are read, so they are kept exactly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rb {

// The text quoted with `quote`, every `quote` inside doubled.
std::string QuotedStr(std::string_view text, char quote);

// Reads a quoted string starting at text[pos] (which must be `quote`): doubled quotes become
// one, the string ends at the closing quote or at the end of the text. `pos` moves past it.
std::string ExtractQuotedStr(std::string_view text, size_t& pos, char quote);

// One text: each item followed by the delimiter, the last delimiter removed; items holding a
// character 0..32, the quote or the delimiter are quoted. One empty item gives two quotes.
std::string ComposeDelimited(const std::vector<std::string>& items, char delimiter, char quote);

// The items of a delimited text (blanks 1..32 around items skipped; a delimiter at the very
// end adds an empty item). Text after a NUL character is ignored.
std::vector<std::string> ParseDelimited(std::string_view text, char delimiter, char quote);

}  // namespace rb
