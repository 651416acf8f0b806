#include "remoting/serializer_samples.h"

namespace rb::serializer_test {

const RCClassInfo& TSample::StaticClass() {
    static const RCClassInfo info("TSample", &TRCComplexType::StaticClass(),
                                  {RCProp<&TSample::Beta>("Beta"), RCProp<&TSample::alpha>("alpha"),
                                   RCProp<&TSample::IdX>("IdX"), RCProp<&TSample::Id>("Id")},
                                  MakeRCInstance<TSample>);
    return info;
}
const RCClassInfo& TSampleEx::StaticClass() {
    static const RCClassInfo info("TSampleEx", &TSample::StaticClass(),
                                  {RCProp<&TSampleEx::Extra>("Extra")}, MakeRCInstance<TSampleEx>);
    return info;
}
const RCClassInfo& TOther::StaticClass() {
    static const RCClassInfo info("TOther", &TRCComplexType::StaticClass(), {},
                                  MakeRCInstance<TOther>);
    return info;
}
const RCClassInfo& TNode::StaticClass() {
    static const RCClassInfo info("TNode", &TRCComplexType::StaticClass(),
                                  {RCProp<&TNode::Next>("Next")}, MakeRCInstance<TNode>);
    return info;
}
const RCClassInfo& TPlain::StaticClass() {
    static const RCClassInfo info("TPlain", &RCObject::StaticClass(), {}, MakeRCInstance<TPlain>);
    return info;
}
const RCClassInfo& TIntArray::StaticClass() {
    static const RCClassInfo info("TIntArray", &TRCArray::StaticClass(), {},
                                  MakeRCInstance<TIntArray>);
    return info;
}
const RCClassInfo& TSampleArray::StaticClass() {
    static const RCClassInfo info("TSampleArray", &TRCArray::StaticClass(), {},
                                  MakeRCInstance<TSampleArray>);
    return info;
}

}  // namespace rb::serializer_test
