// Small persistent classes covering every property kind the XML writer and reader handle:
// nested objects, nil objects, collections with nested collections, derived item classes,
// and faulty or self-referencing objects.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/collection.h"
#include "core/persistent.h"
#include "core/set.h"
#include "xml/xml_rtti.h"

namespace xmltest {

enum class Colour { Red, Green, Blue };
const rb::EnumInfo& DescribeEnum(Colour);
using Colours = rb::Set<Colour>;

class TLeaf : public rb::Persistent {
    RB_PERSISTENT_CLASS
public:
    std::string Text;
    int32_t Number = 0;
};

class TAllKinds : public rb::Persistent {
    RB_PERSISTENT_CLASS
public:
    TAllKinds() : Leaf(std::make_unique<TLeaf>()) {}
    int32_t Signed = 0;
    int8_t Tiny = 0;
    uint8_t Small = 0;
    int16_t Short = 0;
    uint16_t Word = 0;
    uint32_t Unsigned = 0;
    char Letter = 0;
    Colour Hue = Colour::Red;
    bool Flag = false;
    Colours Palette;
    int64_t Big = 0;
    std::string Text;
    std::unique_ptr<TLeaf> Leaf;
    TLeaf* Missing = nullptr;  // a nil object property
};

class TWord : public rb::CollectionItem {
    RB_PERSISTENT_CLASS
public:
    std::string Value;
};

class TWords : public rb::Collection {
    RB_PERSISTENT_CLASS
public:
    TWords() : Collection(TWord::StaticClass()) {}
};

class TThing : public rb::CollectionItem {
    RB_PERSISTENT_CLASS
public:
    TThing() : Words(std::make_unique<TWords>()) {}
    std::string Name;
    uint32_t Size = 0;
    std::unique_ptr<TWords> Words;
};

class TDerivedThing : public TThing {
    RB_PERSISTENT_CLASS
public:
    int32_t Extra = 0;
};

class TThings : public rb::Collection {
    RB_PERSISTENT_CLASS
public:
    TThings() : Collection(TThing::StaticClass()) {}
    std::string Title;
};

// A document that writes and reads itself, like the system-information document.
class TDocument : public rb::TXMLAware {
    RB_PERSISTENT_CLASS
public:
    explicit TDocument(rb::TCustomXMLRTTI* writer = nullptr)
        : TXMLAware(writer), Kinds(std::make_unique<TAllKinds>()),
          Things(std::make_unique<TThings>()) {}
    std::string Title;
    std::unique_ptr<TAllKinds> Kinds;
    std::unique_ptr<TThings> Things;
    int32_t Version = 0;
};

// Its Boom property raises on reading.
class TFaulty : public rb::Persistent {
    RB_PERSISTENT_CLASS
public:
    int32_t Boom() const;
    void SetBoom(int32_t) {}
};

class TFaultyHolder : public rb::Persistent {
    RB_PERSISTENT_CLASS
public:
    TFaultyHolder() : Inner(std::make_unique<TFaulty>()) {}
    std::unique_ptr<TFaulty> Inner;
};

// Next may point back at an object that contains it.
class TLoop : public rb::Persistent {
    RB_PERSISTENT_CLASS
public:
    int32_t N = 0;
    TLoop* Next = nullptr;
};

class TNamed : public rb::Component {
    RB_PERSISTENT_CLASS
public:
    int32_t Level = 0;
};

}  // namespace xmltest
