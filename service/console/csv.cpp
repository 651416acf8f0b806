#include "service/console/csv.h"

namespace rb::service::console {

std::string CsvCell(const std::string& utf8) {
    std::string cell = utf8;
    if (!cell.empty() && std::string("=+-@\t\r").find(cell[0]) != std::string::npos) {
        // A negative number stays a number.
        const bool number = cell[0] == '-' && cell.size() > 1 &&
                            cell.find_first_not_of("0123456789.,", 1) == std::string::npos;
        if (!number) cell.insert(0, "'");
    }
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (const char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void CsvWriter::Row(const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) text_ += ',';
        text_ += CsvCell(cells[i]);
    }
    text_ += "\r\n";
}

}  // namespace rb::service::console
