#include "sysinfo/string_collection.h"

#include <vector>

#include "core/delimited.h"
#include "core/text.h"

namespace rb {

const ClassInfo& TStringCollectionItem::StaticClass() {
    static const ClassInfo info("TStringCollectionItem", &CollectionItem::StaticClass(),
                                {Prop<&TStringCollectionItem::TheString>("TheString"),
                                 Prop<&TStringCollectionItem::TheIndex>("TheIndex")},
                                MakeInstance<TStringCollectionItem>);
    return info;
}

const ClassInfo& TStringCollection::StaticClass() {
    static const ClassInfo info("TStringCollection", &Collection::StaticClass(), {},
                                MakeInstance<TStringCollection>);
    return info;
}

TStringCollection::TStringCollection() : Collection(TStringCollectionItem::StaticClass()) {}

int TStringCollection::Add(const std::string& s) {
    auto& item = AddItem<TStringCollectionItem>();
    item.TheString = s;
    item.TheIndex = Count() - 1;
    return item.TheIndex;
}

void TStringCollection::Put(int index, const std::string& s) {
    ItemAs<TStringCollectionItem>(index).TheString = s;
}

std::string TStringCollection::Get(int index) const {
    return ItemAs<TStringCollectionItem>(index).TheString;
}

int TStringCollection::CompareStrings(std::string_view s1, std::string_view s2) const {
    return AnsiCompareText(s1, s2);
}

int TStringCollection::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i) {
        if (CompareStrings(Get(i), s) == 0) return i;
    }
    return -1;
}

int TStringCollection::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Get(i);
        const size_t eq = s.find('=');
        if (eq != std::string::npos && CompareStrings(s.substr(0, eq), name) == 0) return i;
    }
    return -1;
}

std::string TStringCollection::Values(std::string_view name) const {
    const int i = IndexOfName(name);
    if (i < 0) return std::string();
    const std::string s = Get(i);
    return s.substr(s.find('=') + 1);
}

std::string TStringCollection::Names(int index) const {
    const std::string s = Get(index);
    const size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

const StringList& TStringCollection::GetStrings() {
    strings_.Clear();
    for (int i = 0; i < Count(); ++i) strings_.Add(Get(i));
    return strings_;
}

void TStringCollection::AddStrings(const StringList& list, bool clear) {
    if (clear) Clear();
    for (const std::string& s : list.Lines()) Add(s);
}

namespace {
std::vector<std::string> Texts(const TStringCollection& c) {
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(c.Count()));
    for (int i = 0; i < c.Count(); ++i) out.push_back(c.Get(i));
    return out;
}
}  // namespace

std::string TStringCollection::DelimitedText() {
    return ComposeDelimited(Texts(*this), Delimiter(), QuoteChar());
}

void TStringCollection::SetDelimitedText(std::string_view text) {
    const std::vector<std::string> items = ParseDelimited(text, Delimiter(), QuoteChar());
    BeginUpdate();
    Clear();
    for (const std::string& s : items) Add(s);
    EndUpdate();
}

std::string TStringCollection::CommaText() {
    const char oldDelimiter = delimiter_, oldQuote = quoteChar_;
    const bool oldDelimiterSet = delimiterSet_, oldQuoteSet = quoteCharSet_;
    SetDelimiter(',');
    SetQuoteChar('"');
    const std::string text = DelimitedText();
    delimiter_ = oldDelimiter;
    quoteChar_ = oldQuote;
    delimiterSet_ = oldDelimiterSet;
    quoteCharSet_ = oldQuoteSet;
    return text;
}

void TStringCollection::SetCommaText(std::string_view text) {
    SetDelimiter(',');
    SetQuoteChar('"');
    SetDelimitedText(text);
}

char TStringCollection::Delimiter() {
    if (!delimiterSet_) SetDelimiter(',');
    return delimiter_;
}

void TStringCollection::SetDelimiter(char c) {
    delimiter_ = c;
    delimiterSet_ = true;
}

char TStringCollection::QuoteChar() {
    if (!quoteCharSet_) SetQuoteChar('"');
    return quoteChar_;
}

void TStringCollection::SetQuoteChar(char c) {
    quoteChar_ = c;
    quoteCharSet_ = true;
}

}  // namespace rb
