#include "core/string_list.h"

#include "core/delimited.h"
#include "core/exception.h"
#include "core/text.h"

namespace rb {

void StringList::Check(int index) const {
    if (index < 0 || index >= Count()) {
        throw EListError(Format("List index out of bounds (%d)", index));
    }
}

int StringList::Add(std::string s) {
    lines_.push_back(std::move(s));
    return Count() - 1;
}

void StringList::Insert(int index, std::string s) {
    if (index != Count()) Check(index);
    lines_.insert(lines_.begin() + index, std::move(s));
}

void StringList::Delete(int index) {
    Check(index);
    lines_.erase(lines_.begin() + index);
}

const std::string& StringList::operator[](int index) const {
    Check(index);
    return lines_[static_cast<size_t>(index)];
}

void StringList::Put(int index, std::string s) {
    Check(index);
    lines_[static_cast<size_t>(index)] = std::move(s);
}

void StringList::AddStrings(const StringList& other) {
    lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
}

int StringList::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(lines_[static_cast<size_t>(i)], s)) return i;
    }
    return -1;
}

int StringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& line = lines_[static_cast<size_t>(i)];
        const size_t eq = line.find('=');
        if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), name)) {
            return i;
        }
    }
    return -1;
}

std::string StringList::Names(int index) const {
    const std::string& line = (*this)[index];
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string StringList::ValueFromIndex(int index) const {
    const std::string& line = (*this)[index];
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string StringList::Values(std::string_view name) const {
    const int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void StringList::SetValue(std::string_view name, std::string_view value) {
    const int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    std::string line = std::string(name) + "=" + std::string(value);
    if (i >= 0) {
        Put(i, std::move(line));
    } else {
        Add(std::move(line));
    }
}

std::string StringList::Text() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void StringList::SetText(std::string_view text) {
    lines_.clear();
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines_.emplace_back(text.substr(pos, end - pos));
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        pos = end;
    }
}

std::string StringList::DelimitedText(char delimiter, char quote) const {
    return ComposeDelimited(lines_, delimiter, quote);
}

void StringList::SetDelimitedText(std::string_view text, char delimiter, char quote) {
    lines_ = ParseDelimited(text, delimiter, quote);
}

}  // namespace rb
