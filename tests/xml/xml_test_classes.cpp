#include "xml_test_classes.h"

#include "core/exception.h"

namespace xmltest {

using rb::Prop;

const rb::EnumInfo& DescribeEnum(Colour) {
    static const char* const names[] = {"Red", "Green", "Blue"};
    static const rb::EnumInfo info{"TColour", names, 3, "TColours"};
    return info;
}

const rb::ClassInfo& TLeaf::StaticClass() {
    static const rb::ClassInfo info(
        "TLeaf", &Persistent::StaticClass(),
        {Prop<&TLeaf::Text>("Text"), Prop<&TLeaf::Number>("Number")}, rb::MakeInstance<TLeaf>);
    return info;
}

const rb::ClassInfo& TAllKinds::StaticClass() {
    static const rb::ClassInfo info(
        "TAllKinds", &Persistent::StaticClass(),
        {Prop<&TAllKinds::Signed>("Signed"), Prop<&TAllKinds::Tiny>("Tiny"),
         Prop<&TAllKinds::Small>("Small"), Prop<&TAllKinds::Short>("Short"),
         Prop<&TAllKinds::Word>("Word"), Prop<&TAllKinds::Unsigned>("Unsigned", "DWORD"),
         Prop<&TAllKinds::Letter>("Letter"), Prop<&TAllKinds::Hue>("Hue"),
         Prop<&TAllKinds::Flag>("Flag"), Prop<&TAllKinds::Palette>("Palette"),
         Prop<&TAllKinds::Big>("Big"), Prop<&TAllKinds::Text>("Text"),
         Prop<&TAllKinds::Leaf>("Leaf"), Prop<&TAllKinds::Missing>("Missing")},
        rb::MakeInstance<TAllKinds>);
    return info;
}

const rb::ClassInfo& TWord::StaticClass() {
    static const rb::ClassInfo info("TWord", &CollectionItem::StaticClass(),
                                    {Prop<&TWord::Value>("Value")}, rb::MakeInstance<TWord>);
    return info;
}

const rb::ClassInfo& TWords::StaticClass() {
    static const rb::ClassInfo info("TWords", &Collection::StaticClass(), {},
                                    rb::MakeInstance<TWords>);
    return info;
}

const rb::ClassInfo& TThing::StaticClass() {
    static const rb::ClassInfo info("TThing", &CollectionItem::StaticClass(),
                                    {Prop<&TThing::Name>("Name"), Prop<&TThing::Size>("Size"),
                                     Prop<&TThing::Words>("Words")},
                                    rb::MakeInstance<TThing>);
    return info;
}

const rb::ClassInfo& TDerivedThing::StaticClass() {
    static const rb::ClassInfo info("TDerivedThing", &TThing::StaticClass(),
                                    {Prop<&TDerivedThing::Extra>("Extra")},
                                    rb::MakeInstance<TDerivedThing>);
    return info;
}

const rb::ClassInfo& TThings::StaticClass() {
    static const rb::ClassInfo info("TThings", &Collection::StaticClass(),
                                    {Prop<&TThings::Title>("Title")}, rb::MakeInstance<TThings>);
    return info;
}

const rb::ClassInfo& TDocument::StaticClass() {
    static const rb::ClassInfo info(
        "TDocument", &TXMLAware::StaticClass(),
        {Prop<&TDocument::Title>("Title"), Prop<&TDocument::Kinds>("Kinds"),
         Prop<&TDocument::Things>("Things"), Prop<&TDocument::Version>("Version")});
    return info;
}

int32_t TFaulty::Boom() const { throw rb::EConvertError("boom"); }

const rb::ClassInfo& TFaulty::StaticClass() {
    static const rb::ClassInfo info("TFaulty", &Persistent::StaticClass(),
                                    {rb::PropRW<&TFaulty::Boom, &TFaulty::SetBoom>("Boom")});
    return info;
}

const rb::ClassInfo& TFaultyHolder::StaticClass() {
    static const rb::ClassInfo info("TFaultyHolder", &Persistent::StaticClass(),
                                    {Prop<&TFaultyHolder::Inner>("Inner")});
    return info;
}

const rb::ClassInfo& TLoop::StaticClass() {
    static const rb::ClassInfo info("TLoop", &Persistent::StaticClass(),
                                    {Prop<&TLoop::N>("N"), Prop<&TLoop::Next>("Next", "TLoop")});
    return info;
}

const rb::ClassInfo& TNamed::StaticClass() {
    static const rb::ClassInfo info("TNamed", &Component::StaticClass(),
                                    {Prop<&TNamed::Level>("Level")}, rb::MakeInstance<TNamed>);
    return info;
}

}  // namespace xmltest
