// The framework core: property tables, collections, components, events, text helpers.
#include <gtest/gtest.h>

#include "core/collection.h"
#include "core/cp1252.h"
#include "core/event.h"
#include "core/exception.h"
#include "core/persistent.h"
#include "core/text.h"

namespace rb {
namespace {

enum class Mode : uint8_t { mdOff, mdOn, mdAuto };
const EnumInfo& DescribeEnum(Mode) {
    static const char* const names[] = {"mdOff", "mdOn", "mdAuto"};
    static const EnumInfo info{"TMode", names, 3, "TModes"};
    return info;
}

// The object a published class property owns.
class TChild : public Persistent {
    RB_PERSISTENT_CLASS
public:
    int32_t Size = 0;
};

class TBase : public Persistent {
    RB_PERSISTENT_CLASS
public:
    std::string Title;
    uint32_t Count = 0;
};

// Redeclares Title: it keeps its ancestor's place.
class TDerived : public TBase {
    RB_PERSISTENT_CLASS
public:
    TDerived() : Child(std::make_unique<TChild>()) {}
    uint8_t Small = 0;
    uint16_t Medium = 0;
    int64_t Big = 0;
    char Letter = 'A';
    bool Flag = false;
    Mode Kind = Mode::mdOff;
    Set<Mode> Kinds;
    std::unique_ptr<TChild> Child;
    std::unique_ptr<TChild> Missing;
    std::string Computed() const { return Title + "!"; }
    void SetComputed(const std::string& v) { Title = v.substr(0, v.size() - 1); }
};

const ClassInfo& TChild::StaticClass() {
    static const ClassInfo info("TChild", &Persistent::StaticClass(), {Prop<&TChild::Size>("Size")},
                                MakeInstance<TChild>);
    return info;
}

const ClassInfo& TBase::StaticClass() {
    static const ClassInfo info("TBase", &Persistent::StaticClass(),
                                {Prop<&TBase::Title>("Title"), Prop<&TBase::Count>("Count")},
                                MakeInstance<TBase>);
    return info;
}

const ClassInfo& TDerived::StaticClass() {
    using D = TDerived;
    static const ClassInfo info(
        "TDerived", &TBase::StaticClass(),
        {Prop<&D::Small>("Small"), Prop<&D::Medium>("Medium"), Prop<&D::Big>("Big"),
         Prop<&D::Letter>("Letter"), Prop<&D::Flag>("Flag"), Prop<&D::Kind>("Kind"),
         Prop<&D::Kinds>("Kinds"), Prop<&D::Child>("Child"), Prop<&D::Missing>("Missing"),
         PropRW<&D::Computed, &D::SetComputed>("Computed"), Prop<&D::Title>("TITLE")},
        MakeInstance<TDerived>);
    return info;
}

TEST(PropertyTable, AncestorsFirstInDeclarationOrderWithKindsAndWidths) {
    struct Row {
        const char* name;
        TypeKind kind;
        OrdType ord;
        const char* type;
    };
    const Row rows[] = {
        {"TITLE", TypeKind::tkLString, OrdType::SLong, "string"},
        {"Count", TypeKind::tkInteger, OrdType::ULong, "Cardinal"},
        {"Small", TypeKind::tkInteger, OrdType::UByte, "Byte"},
        {"Medium", TypeKind::tkInteger, OrdType::UWord, "Word"},
        {"Big", TypeKind::tkInt64, OrdType::SLong, "Int64"},
        {"Letter", TypeKind::tkChar, OrdType::UByte, "Char"},
        {"Flag", TypeKind::tkEnumeration, OrdType::UByte, "Boolean"},
        {"Kind", TypeKind::tkEnumeration, OrdType::UByte, "TMode"},
        {"Kinds", TypeKind::tkSet, OrdType::ULong, "TModes"},
        {"Child", TypeKind::tkClass, OrdType::SLong, "TChild"},
        {"Missing", TypeKind::tkClass, OrdType::SLong, "TChild"},
        {"Computed", TypeKind::tkLString, OrdType::SLong, "string"},
    };
    const auto& props = TDerived::StaticClass().Properties();
    ASSERT_EQ(props.size(), std::size(rows));
    for (size_t i = 0; i < props.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_STREQ(props[i].name, rows[i].name);
        EXPECT_EQ(props[i].kind, rows[i].kind);
        if (props[i].IsOrdinal() && props[i].kind != TypeKind::tkInt64) {
            EXPECT_EQ(props[i].ord, rows[i].ord);
        }
        EXPECT_STREQ(props[i].typeName, rows[i].type);
    }
}

TEST(PropertyTable, GetAndSetByNameIgnoringCase) {
    TDerived d;
    SetStrProp(d, "title", "Año");
    SetOrdProp(d, "COUNT", 4000000000LL);
    SetOrdProp(d, "letter", 0xF1);
    SetOrdProp(d, "Kind", 2);
    SetOrdProp(d, "Kinds", 0b101);
    SetStrProp(d, "Computed", "Nuevo!");
    EXPECT_EQ(d.Title, "Nuevo");
    EXPECT_EQ(GetStrProp(d, "Computed"), "Nuevo!");
    EXPECT_EQ(d.Count, 4000000000u);
    EXPECT_EQ(GetOrdProp(d, "Letter"), 0xF1);  // characters read as their code, unsigned
    EXPECT_EQ(d.Kind, Mode::mdAuto);
    EXPECT_TRUE(d.Kinds.Contains(Mode::mdAuto));
    EXPECT_EQ(GetObjectProp(d, "child"), d.Child.get());
    EXPECT_EQ(GetObjectProp(d, "Missing"), nullptr);
    EXPECT_THROW(GetOrdProp(d, "Nothing"), Exception);
    EXPECT_THROW(GetOrdProp(d, "Title"), EPropertyConvertError);
}

TEST(ClassRegistry, CreatesRegisteredClassesByName) {
    RegisterPersistentClass(TDerived::StaticClass());
    auto obj = CreateRegistered("tderived");
    EXPECT_EQ(obj->ClassName(), "TDerived");
    EXPECT_TRUE(obj->InheritsFrom(TBase::StaticClass()));
    EXPECT_FALSE(obj->InheritsFrom(TChild::StaticClass()));
    EXPECT_EQ(FindClass("TUnknownThing"), nullptr);
    EXPECT_THROW(CreateRegistered("TUnknownThing"), Exception);
}

class TThing : public CollectionItem {
    RB_PERSISTENT_CLASS
public:
    std::string Label;
    int attached = 0;

protected:
    void AttachedTo(Collection&) override { ++attached; }
};

const ClassInfo& TThing::StaticClass() {
    static const ClassInfo info("TThing", &CollectionItem::StaticClass(),
                                {Prop<&TThing::Label>("Label")}, MakeInstance<TThing>);
    return info;
}

TEST(Collection, AddsItemsOfItsClassAndChecksIndexes) {
    Collection c(TThing::StaticClass());
    auto& a = c.AddItem<TThing>();
    auto& b = c.AddItem<TThing>();
    EXPECT_EQ(a.attached, 1);
    EXPECT_EQ(b.Index(), 1);
    EXPECT_EQ(b.GetCollection(), &c);
    c.Delete(0);
    EXPECT_EQ(b.Index(), 0);
    try {
        c.Item(5);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
    EXPECT_THROW(c.Append(std::make_unique<CollectionItem>()), Exception);  // wrong class
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}

TEST(Component, OwnerKnowsItsComponentsUntilTheyGo) {
    Component owner;
    {
        Component child(&owner);
        child.Name = "dmKestrinConnection";
        ASSERT_EQ(owner.Components().size(), 1u);
        EXPECT_EQ(GetStrProp(child, "Name"), "dmKestrinConnection");
        SetOrdProp(child, "Tag", -5);
        EXPECT_EQ(child.Tag, -5);
    }
    EXPECT_TRUE(owner.Components().empty());
}

struct Listener {
    int total = 0;
    void Handle(int n) { total += n; }
};

TEST(Event, FiresAssignedHandlersAndSkipsUnassignedOnes) {
    Event<int> ev;
    ev(3);  // nothing assigned: nothing happens
    EXPECT_FALSE(ev.Assigned());
    Listener l;
    ev.Assign(&l, &Listener::Handle);
    ev(3);
    ev(4);
    EXPECT_EQ(l.total, 7);
    EXPECT_EQ(ev.Object(), &l);
    ev.Clear();
    ev(10);
    EXPECT_EQ(l.total, 7);
}

TEST(Text, Cp1252CaseRulesAndConversions) {
    EXPECT_EQ(AnsiUpperCase("año ñandú œ"), "AÑO ÑANDÚ Œ");
    EXPECT_EQ(AnsiLowerCase("CAMIÓN"), "camión");
    EXPECT_TRUE(SameText("Información", "INFORMACIÓN"));
    EXPECT_EQ(Cp1252ToUtf16("€ñ"), u"€ñ");
    EXPECT_EQ(Utf16ToCp1252(u"\u03A9\u00F1\u20AC"), "?ñ€");
    // A pair is one character; a lone surrogate of either half is replaced by itself alone.
    EXPECT_EQ(Utf16ToCp1252(u"x\U0001F600y"), "x?y");
    EXPECT_EQ(Utf16ToCp1252(std::u16string(u"x\xD800" u"AB")), "x?AB");
    EXPECT_EQ(Utf16ToCp1252(std::u16string(u"x\xDC00" u"AB\xD800")), "x?AB?");
    EXPECT_EQ(Cp1252ToUtf8("Año"), "A\xC3\xB1o");
    EXPECT_EQ(Utf8ToCp1252("A\xC3\xB1o \xE2\x82\xAC \xFF"), "Año € ?");
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");  // cut short
}

TEST(Text, NumbersAndReplacement) {
    EXPECT_EQ(TryStrToInt64(" -42 "), -42);
    EXPECT_EQ(TryStrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_FALSE(TryStrToInt64("9223372036854775808"));
    EXPECT_EQ(TryStrToInt64("9223372036854775807"), INT64_MAX);
    // Texts past 64 bits are refused, not wrapped (2^64 + 4 once read as 4).
    EXPECT_FALSE(TryStrToInt64("18446744073709551620"));
    EXPECT_FALSE(TryStrToInt64("-18446744073709551620"));
    EXPECT_FALSE(TryStrToInt64("99999999999999999999999"));
    EXPECT_FALSE(TryStrToInt64("12a"));
    EXPECT_FALSE(TryStrToInt64(""));
    EXPECT_EQ(ReplaceTextIgnoreCase("PCI\\Ven_1&ven_2", "VEN_", "v"), "PCI\\v1&v2");
    EXPECT_EQ(Trim("\t x \r\n"), "x");
}

}  // namespace
}  // namespace rb
