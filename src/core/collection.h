// Collections: an ordered, owning list of items of one item class.
#pragma once

#include <memory>
#include <vector>

#include "core/persistent.h"

namespace rb {

class Collection;

class CollectionItem : public Persistent {
    RB_PERSISTENT_CLASS
public:
    CollectionItem() = default;
    Collection* GetCollection() const { return collection_; }
    int Index() const;  // position in the collection; -1 when in none

protected:
    // Called once the item belongs to `owner` (after Collection::Add put it there).
    virtual void AttachedTo(Collection& owner) { (void)owner; }

private:
    friend class Collection;
    Collection* collection_ = nullptr;
};

class Collection : public Persistent {
    RB_PERSISTENT_CLASS
public:
    explicit Collection(const ClassInfo& itemClass);
    Collection() : Collection(CollectionItem::StaticClass()) {}
    ~Collection() override;

    const ClassInfo& ItemClass() const { return *itemClass_; }

    // Appends a new item of the item class and returns it.
    CollectionItem& Add();
    template <class T>
    T& AddItem() {
        return static_cast<T&>(Add());
    }
    // Appends an item made elsewhere; it must be of the item class or one derived from it.
    CollectionItem& Append(std::unique_ptr<CollectionItem> item);

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError "List index out of bounds (<i>)" for a bad index.
    CollectionItem& Item(int index) const;
    template <class T>
    T& ItemAs(int index) const {
        return static_cast<T&>(Item(index));
    }
    void Delete(int index);
    void Clear();
    int IndexOfItem(const CollectionItem* item) const;

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() {
        if (updateCount_ > 0) --updateCount_;
    }

private:
    const ClassInfo* itemClass_;
    std::vector<std::unique_ptr<CollectionItem>> items_;
    int updateCount_ = 0;
};

}  // namespace rb
