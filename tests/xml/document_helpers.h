// Comparing and editing whole documents in tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rb {

// A file of tests/data/xml, as bytes.
std::string Golden(const std::string& name);

// The lines of a text, each with its line end.
std::vector<std::string> Lines(const std::string& text);

// Byte for byte; on a mismatch the message names the first differing line (1-based) with both
// versions, line ends shown as \r and \n.
::testing::AssertionResult SameDocument(const std::string& expected, const std::string& actual);

// The element `tag` (start line to end line, as written) found first after `from`; empty
// when there is none.
std::string ElementOf(const std::string& doc, const std::string& tag, size_t from = 0);

// `text` with the first `what` replaced by `with` (a test failure when `what` is missing).
std::string Replaced(std::string text, const std::string& what, const std::string& with);

}  // namespace rb
