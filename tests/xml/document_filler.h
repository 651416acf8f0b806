// A richly filled inventory for document tests: every published property of every object
// gets a deterministic value of its own, found by walking the property tables, so properties
// added to the model later are covered without touching the tests.
#pragma once

#include "core/persistent.h"
#include "sysinfo/si_media.h"
#include "xml/sys_info_xml.h"

namespace rb {

// Items a filled collection gets (string collections one more).
constexpr int kFilledItems = 2;

// Sets every property of `obj` (objects reached through class properties included) and adds
// items to every collection whose items can be read back. `seed` offsets the values.
class PropertyFiller {
public:
    explicit PropertyFiller(int seed = 0) : seq_(seed) {}
    void Fill(Persistent& obj);

private:
    void FillProperty(Persistent& obj, const PropInfo& prop);
    void FillItems(Collection& collection);
    int seq_;
};

enum class MediaItems { BaseClass, DeviceClasses };

// The whole inventory filled, plus hand-chosen edge values (Spanish text, escapes, CR LF inside
// a value, the Int64 limits, separators as characters, a partial page selection). With
// DeviceClasses the media section holds one item of each device class instead.
void FillDocument(TXMLSysInfo& doc, MediaItems media = MediaItems::BaseClass);

// Replaces every media item by a plain TMediaItem with the same shared properties: what
// reading a document gives back.
void BaseMediaItems(TMedia& media);

}  // namespace rb
