// A collection of strings whose items are persistent objects, so that lists of plain strings
// (error messages, display modes, folders, addresses) appear in the XML item by item.
#pragma once

#include <string>
#include <string_view>

#include "core/collection.h"
#include "core/string_list.h"

namespace rb {

class TStringCollectionItem : public CollectionItem {
    RB_PERSISTENT_CLASS
public:
    std::string TheString;
    int32_t TheIndex = 0;  // position when added; kept when earlier items go
};

class TStringCollection : public Collection {
    RB_PERSISTENT_CLASS
public:
    TStringCollection();

    int Add(const std::string& s);
    virtual void Put(int index, const std::string& s);
    virtual std::string Get(int index) const;
    // Case-insensitive comparison in the user's code page; 0 when equal.
    virtual int CompareStrings(std::string_view s1, std::string_view s2) const;

    int IndexOf(std::string_view s) const;
    int IndexOfName(std::string_view name) const;
    std::string Values(std::string_view name) const;
    std::string Names(int index) const;
    // The items' strings in order, in a list the collection keeps.
    const StringList& GetStrings();
    void AddStrings(const StringList& list, bool clear);

    std::string CommaText();
    void SetCommaText(std::string_view text);
    std::string DelimitedText();
    void SetDelimitedText(std::string_view text);
    char Delimiter();
    void SetDelimiter(char c);
    char QuoteChar();
    void SetQuoteChar(char c);

private:
    StringList strings_;
    char delimiter_ = ',';
    char quoteChar_ = '"';
    bool delimiterSet_ = false;
    bool quoteCharSet_ = false;
};

}  // namespace rb
