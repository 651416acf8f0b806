#include "sysinfo/section_base.h"

#include "sysinfo/string_collection.h"

namespace rb {

void AppendError(TStringCollection* errorList, const std::string& prefix,
                 const std::exception& e) {
    if (errorList) errorList->Add(prefix + e.what());
}

const ClassInfo& TInfoProcess::StaticClass() {
    static const ClassInfo info("TInfoProcess", &Persistent::StaticClass(), {});
    return info;
}

const ClassInfo& TInfoProcessChild::StaticClass() {
    static const ClassInfo info("TInfoProcessChild", &Persistent::StaticClass(), {});
    return info;
}

const ClassInfo& TInfoProcessCollection::StaticClass() {
    static const ClassInfo info("TInfoProcessCollection", &Collection::StaticClass(),
                                {Prop<&TInfoProcessCollection::InfoName>("InfoName")});
    return info;
}

const ClassInfo& TInfoProcessCollectionItem::StaticClass() {
    static const ClassInfo info("TInfoProcessCollectionItem", &CollectionItem::StaticClass(), {},
                                MakeInstance<TInfoProcessCollectionItem>);
    return info;
}

void TInfoProcessCollectionItem::AttachedTo(Collection& owner) {
    if (auto* section = dynamic_cast<TInfoProcessCollection*>(&owner)) {
        if (!errorList_) errorList_ = section->ErrorList();
    }
}

const ClassInfo& TInfoProcessCollectionWithDevices::StaticClass() {
    static const ClassInfo info("TInfoProcessCollectionWithDevices",
                                &TInfoProcessCollection::StaticClass(), {});
    return info;
}

void RegisterSectionBaseClasses() {
    RegisterPersistentClass(TInfoProcess::StaticClass());
    RegisterPersistentClass(TInfoProcessChild::StaticClass());
    RegisterPersistentClass(TInfoProcessCollection::StaticClass());
    RegisterPersistentClass(TInfoProcessCollectionItem::StaticClass());
    RegisterPersistentClass(TStringCollectionItem::StaticClass());
}

}  // namespace rb
