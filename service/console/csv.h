// CSV text (RFC 4180, UTF-8 with a byte-order mark, CR LF lines) whose cells stay text in a
// spreadsheet: a cell that begins with "=", "+", "-", "@", a tab or a carriage return is
// written with a leading apostrophe, so that no formula in an inventory ever runs.
#pragma once

#include <string>
#include <vector>

namespace rb::service::console {

// One cell as it is written (quoted where it must be).
std::string CsvCell(const std::string& utf8);

class CsvWriter {
public:
    void Row(const std::vector<std::string>& cells);
    const std::string& Text() const { return text_; }

private:
    std::string text_ = "\xEF\xBB\xBF";
};

}  // namespace rb::service::console
