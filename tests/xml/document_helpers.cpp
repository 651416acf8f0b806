#include "xml/document_helpers.h"

#include "test_files.h"

namespace rb {

std::string Golden(const std::string& name) {
    const std::string text = ReadBytes(std::string(RB_TEST_DATA) + "/xml/" + name);
    EXPECT_FALSE(text.empty()) << "missing test file " << name;
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

namespace {

std::string Shown(const std::string& line) {
    std::string out;
    for (char c : line) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

}  // namespace

::testing::AssertionResult SameDocument(const std::string& expected, const std::string& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    const std::vector<std::string> want = Lines(expected);
    const std::vector<std::string> got = Lines(actual);
    size_t i = 0;
    while (i < want.size() && i < got.size() && want[i] == got[i]) ++i;
    return ::testing::AssertionFailure()
           << "documents differ at line " << i + 1 << " (" << want.size() << " lines expected, "
           << got.size()
           << " written)\n  expected: " << (i < want.size() ? Shown(want[i]) : "<end of document>")
           << "\n  written:  " << (i < got.size() ? Shown(got[i]) : "<end of document>");
}

std::string ElementOf(const std::string& doc, const std::string& tag, size_t from) {
    const size_t start = doc.find("<" + tag + " TYPE=", from);
    const std::string endTag = "</" + tag + ">\r\n";
    const size_t end = start == std::string::npos ? start : doc.find(endTag, start);
    if (end == std::string::npos) return std::string();
    return doc.substr(start, end + endTag.size() - start);
}

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
    const size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << "not in the document: " << what;
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}

}  // namespace rb
