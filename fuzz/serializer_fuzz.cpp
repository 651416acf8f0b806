// The stream serializer reading a structure that holds a value of every scalar kind, a nested
// structure of the same class, arrays of numbers and of structures, and a byte block.
#include "fuzz_util.h"
#include "remoting/rc_complex.h"
#include "remoting/stream_serializer.h"

namespace {

using namespace rb;

enum class TColour : uint8_t { Red, Green, Blue };

class TAllKinds;
class TWordArray : public TRCArrayOf<uint16_t> {
    RB_RC_CLASS
};
class TKindsArray : public TRCArrayOf<std::unique_ptr<TAllKinds>> {
    RB_RC_CLASS
};

class TAllKinds : public TRCComplexType {
    RB_RC_CLASS
public:
    int8_t I8 = 0;
    uint8_t U8 = 0;
    int16_t I16 = 0;
    uint16_t U16 = 0;
    int32_t I32 = 0;
    uint32_t U32 = 0;
    int64_t I64 = 0;
    bool Flag = false;
    TColour Colour = TColour::Red;
    float F32 = 0;
    double F64 = 0;
    Extended F80 = 0;
    Comp Whole;
    Currency Money;
    DateTimeValue When;
    std::string Ansi;
    std::u16string Wide;
    std::unique_ptr<TAllKinds> Next;
    std::unique_ptr<TWordArray> Words;
    std::unique_ptr<TKindsArray> Items;
    std::unique_ptr<TRCBinaryMemoryStream> Block;
};

const RCClassInfo& TWordArray::StaticClass() {
    static const RCClassInfo info("TWordArray", &TRCArray::StaticClass(), {},
                                  MakeRCInstance<TWordArray>);
    return info;
}
const RCClassInfo& TKindsArray::StaticClass() {
    static const RCClassInfo info("TKindsArray", &TRCArray::StaticClass(), {},
                                  MakeRCInstance<TKindsArray>);
    return info;
}
const RCClassInfo& TAllKinds::StaticClass() {
    using C = TAllKinds;
    static const RCClassInfo info(
        "TAllKinds", &TRCComplexType::StaticClass(),
        {RCProp<&C::I8>("I8"), RCProp<&C::U8>("U8"), RCProp<&C::I16>("I16"),
         RCProp<&C::U16>("U16"), RCProp<&C::I32>("I32"), RCProp<&C::U32>("U32"),
         RCProp<&C::I64>("I64"), RCProp<&C::Flag>("Flag"), RCProp<&C::Colour>("Colour"),
         RCProp<&C::F32>("F32"), RCProp<&C::F64>("F64"), RCProp<&C::F80>("F80"),
         RCProp<&C::Whole>("Whole"), RCProp<&C::Money>("Money"), RCProp<&C::When>("When"),
         RCProp<&C::Ansi>("Ansi"), RCProp<&C::Wide>("Wide"), RCProp<&C::Next>("Next"),
         RCProp<&C::Words>("Words"), RCProp<&C::Items>("Items"), RCProp<&C::Block>("Block")},
        MakeRCInstance<TAllKinds>);
    return info;
}

}  // namespace

#ifdef RB_FUZZ_SEEDS
// A structure with every field set, one nested level and both arrays, as the writer gives it.
std::string SerializerSeed() {
    RegisterRCClass(TAllKinds::StaticClass());
    auto value = std::make_unique<TAllKinds>();
    value->I8 = -8;
    value->U16 = 65535;
    value->I64 = INT64_MIN;
    value->Flag = true;
    value->Colour = TColour::Blue;
    value->F64 = 1.5;
    value->F80 = 2.25L;
    value->Money = Currency::FromDouble(12.34);
    value->When.value = 45000.5;
    value->Ansi = "Información";
    value->Wide = u"Peña €";
    value->Next = std::make_unique<TAllKinds>();
    value->Words = std::make_unique<TWordArray>();
    value->Words->items = {1, 2, 3};
    value->Items = std::make_unique<TKindsArray>();
    value->Items->items.push_back(nullptr);
    value->Items->items.push_back(std::make_unique<TAllKinds>());
    value->Block = std::make_unique<TRCBinaryMemoryStream>();
    value->Block->Write(std::string("bytes"));
    MemoryStream out;
    TRCStreamSerializer writer(&out);
    writer.WriteValue("v", value);
    return std::string(out.Bytes().begin(), out.Bytes().end());
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = (RegisterRCClass(TAllKinds::StaticClass()), true);
    (void)registered;
    MemoryStream body(std::string(rb::fuzz::AsText(data, size)));
    TRCStreamSerializer serializer(&body);
    rb::fuzz::Refusable([&] {
        std::unique_ptr<TAllKinds> value;
        serializer.ReadValue("v", value);
        // What was read writes back and reads again without complaint.
        MemoryStream again;
        TRCStreamSerializer writer(&again);
        writer.WriteValue("v", value);
        again.SetPosition(0);
        std::unique_ptr<TAllKinds> back;
        writer.ReadValue("v", back);
    });
    return 0;
}
