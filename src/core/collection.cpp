#include "core/collection.h"

#include "core/exception.h"
#include "core/text.h"

namespace rb {

const ClassInfo& CollectionItem::StaticClass() {
    static const ClassInfo info("TCollectionItem", &Persistent::StaticClass(), {},
                                MakeInstance<CollectionItem>);
    return info;
}

int CollectionItem::Index() const { return collection_ ? collection_->IndexOfItem(this) : -1; }

const ClassInfo& Collection::StaticClass() {
    static const ClassInfo info("TCollection", &Persistent::StaticClass(), {},
                                MakeInstance<Collection>);
    return info;
}

Collection::Collection(const ClassInfo& itemClass) : itemClass_(&itemClass) {}

Collection::~Collection() = default;

CollectionItem& Collection::Add() {
    std::unique_ptr<Persistent> obj = itemClass_->Create();
    auto* item = dynamic_cast<CollectionItem*>(obj.get());
    if (!item) throw Exception(Format("%s is not a collection item", itemClass_->Name()));
    obj.release();
    return Append(std::unique_ptr<CollectionItem>(item));
}

CollectionItem& Collection::Append(std::unique_ptr<CollectionItem> item) {
    if (!item || !item->InheritsFrom(*itemClass_)) {
        throw Exception(Format("Item of class %s expected", itemClass_->Name()));
    }
    CollectionItem& ref = *item;
    ref.collection_ = this;
    items_.push_back(std::move(item));
    ref.AttachedTo(*this);
    return ref;
}

CollectionItem& Collection::Item(int index) const {
    if (index < 0 || index >= Count()) {
        throw EListError(Format("List index out of bounds (%d)", index));
    }
    return *items_[static_cast<size_t>(index)];
}

void Collection::Delete(int index) {
    Item(index);  // index check
    items_.erase(items_.begin() + index);
}

void Collection::Clear() { items_.clear(); }

int Collection::IndexOfItem(const CollectionItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].get() == item) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace rb
