// The base classes every section of the inventory is built on, so that the aggregate can
// gather and report all of them alike and the XML writer can walk their published properties.
#pragma once

#include <exception>
#include <memory>
#include <new>
#include <string>

#include "core/collection.h"
#include "core/exception.h"
#include "core/string_list.h"

namespace rb {

class TStringCollection;
class TDevices;

// What the aggregate asks of every section.
class InfoSection {
public:
    virtual ~InfoSection() = default;
    virtual void GetInfo() = 0;                  // gathers, replacing what it held
    virtual void Report(StringList& list) = 0;   // appends the text report's lines
    virtual std::string Caption() const = 0;     // the Spanish caption of progress and timings
};

// Records a gathering failure in the shared error list: the section's prefix (such as
// "TMachine.GetInfo: ") followed by the message. A null list drops it.
void AppendError(TStringCollection* errorList, const std::string& prefix,
                 const std::exception& e);

// Runs `gather`; an error is recorded and swallowed, so the section keeps what it had filled
// and the next section is still gathered. That holds for the framework's errors and for the
// standard library's (an index out of range, a failed conversion) alike; only a failed
// allocation goes on and ends the refresh.
template <class F>
void GatherGuarded(TStringCollection* errorList, const char* prefix, F&& gather) {
    try {
        gather();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        AppendError(errorList, prefix, e);
    }
}

// Single-object sections (TCPU, TMachine, TOperatingSystem, ...).
class TInfoProcess : public Persistent, public InfoSection {
    RB_PERSISTENT_CLASS
public:
    explicit TInfoProcess(TStringCollection* errorList = nullptr) : errorList_(errorList) {}
    TStringCollection* ErrorList() const { return errorList_; }
    std::string Caption() const override { return caption_; }

protected:
    void SetCaption(std::string caption) { caption_ = std::move(caption); }

private:
    TStringCollection* errorList_;  // shared, owned by the aggregate
    std::string caption_;
};

// Sub-objects owned by a section (TCPUFeatures, TCPUCache, TNTSpecific, TWinsock).
class TInfoProcessChild : public Persistent {
    RB_PERSISTENT_CLASS
public:
    explicit TInfoProcessChild(TStringCollection* errorList = nullptr) : errorList_(errorList) {}
    TStringCollection* ErrorList() const { return errorList_; }
    virtual void GetInfo() = 0;
    virtual void Report(StringList& list) = 0;

private:
    TStringCollection* errorList_;
};

// List sections; the caption is the published InfoName.
class TInfoProcessCollection : public Collection, public InfoSection {
    RB_PERSISTENT_CLASS
public:
    TInfoProcessCollection(TStringCollection* errorList, const ClassInfo& itemClass)
        : Collection(itemClass), errorList_(errorList) {}
    TStringCollection* ErrorList() const { return errorList_; }
    std::string Caption() const override { return InfoName; }

    std::string InfoName;

private:
    TStringCollection* errorList_;
};

// Items of list sections that gather themselves (TDisplay, TDisk, TServiceItem, ...). An item
// added to a section's collection takes that section's error list.
class TInfoProcessCollectionItem : public CollectionItem {
    RB_PERSISTENT_CLASS
public:
    explicit TInfoProcessCollectionItem(TStringCollection* errorList = nullptr)
        : errorList_(errorList) {}
    TStringCollection* ErrorList() const { return errorList_; }
    virtual void GetInfo() {}
    virtual void Report(StringList& list) { (void)list; }

protected:
    void AttachedTo(Collection& owner) override;

private:
    TStringCollection* errorList_;
};

// List sections that read the device tree (TDisplays, TNetwork, TMedia).
class TInfoProcessCollectionWithDevices : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    TInfoProcessCollectionWithDevices(TStringCollection* errorList, TDevices* devices,
                                      const ClassInfo& itemClass)
        : TInfoProcessCollection(errorList, itemClass), devices_(devices) {}
    TDevices* Devices() const { return devices_; }

protected:
    // The aggregate's device section as it stands (gathered before this one); a section
    // gathered on its own gathers a device tree for the occasion, kept in `own`.
    TDevices& DevicesAtHand(std::unique_ptr<TDevices>& own);

private:
    TDevices* devices_;  // the aggregate's device section; not owned
};

// Registers the base classes (and the string collection's item) in the class registry.
void RegisterSectionBaseClasses();

}  // namespace rb
