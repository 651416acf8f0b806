// A list of 8-bit strings with the framework's name=value and text operations.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rb {

class StringList {
public:
    StringList() = default;
    StringList(std::initializer_list<std::string> lines) : lines_(lines) {}

    int Add(std::string s);
    void Insert(int index, std::string s);
    void Delete(int index);
    void Clear() { lines_.clear(); }
    int Count() const { return static_cast<int>(lines_.size()); }
    // Raises EListError "List index out of bounds (<i>)" for a bad index.
    const std::string& operator[](int index) const;
    void Put(int index, std::string s);
    const std::vector<std::string>& Lines() const { return lines_; }
    void AddStrings(const StringList& other);

    int IndexOf(std::string_view s) const;          // ignoring case; -1 when absent
    int IndexOfName(std::string_view name) const;   // first "name=..." line, ignoring case
    std::string Names(int index) const;             // text before the first "=", else ""
    std::string Values(std::string_view name) const;  // text after "name=", else ""
    std::string ValueFromIndex(int index) const;
    // Sets the value of `name`; an empty value deletes the line, an unknown name adds one.
    void SetValue(std::string_view name, std::string_view value);

    // Every line followed by CR LF. Setting splits at CR LF, CR or LF.
    std::string Text() const;
    void SetText(std::string_view text);

    std::string DelimitedText(char delimiter = ',', char quote = '"') const;
    void SetDelimitedText(std::string_view text, char delimiter = ',', char quote = '"');
    std::string CommaText() const { return DelimitedText(',', '"'); }
    void SetCommaText(std::string_view text) { SetDelimitedText(text, ',', '"'); }

private:
    void Check(int index) const;
    std::vector<std::string> lines_;
};

}  // namespace rb
