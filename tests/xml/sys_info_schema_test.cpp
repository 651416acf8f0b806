// The published-property tables of the information model are the document's schema: names,
// order, types and enumeration members are compared with a listing written by hand from the
// model's documented tables (tests/data/xml/model_schema.txt), not from the program.
#include <gtest/gtest.h>

#include <string>

#include "sysinfo/msystem_info.h"
#include "xml/document_helpers.h"
#include "xml/sys_info_xml.h"

namespace rb {
namespace {

std::string Members(const EnumInfo& info) {
    std::string out;
    for (int i = 0; i < info.count; ++i) out += (i ? ", " : "") + std::string(info.names[i]);
    return out;
}

// The type as the listing names it: integers by width and sign, whatever alias the table uses.
std::string TypeText(const PropInfo& p) {
    switch (p.kind) {
        case TypeKind::tkInteger: {
            static const char* const names[] = {"ShortInt", "Byte",    "SmallInt",
                                                "Word",     "Integer", "Cardinal"};
            return names[static_cast<int>(p.ord)];
        }
        case TypeKind::tkInt64:
            return "Int64";
        case TypeKind::tkChar:
            return "Char";
        case TypeKind::tkString:
            return "ShortString";
        case TypeKind::tkLString:
            return "string";
        case TypeKind::tkClass:
            return p.classInfo ? p.classInfo()->Name() : "?";
        case TypeKind::tkEnumeration:
            if (p.enumInfo == &BooleanInfo()) return "Boolean";
            return std::string(p.enumInfo->typeName) + " = (" + Members(*p.enumInfo) + ")";
        case TypeKind::tkSet:
            return std::string(p.typeName) + " = set of (" + Members(*p.enumInfo) + ")";
        default:
            return "kind " + std::to_string(static_cast<int>(p.kind));
    }
}

// Every class the document can hold, in the order of the listing.
const ClassInfo* const kModelClasses[] = {
    &TXMLSysInfo::StaticClass(),
    &TMSystemInfo::StaticClass(),
    &TStringCollection::StaticClass(),
    &TStringCollectionItem::StaticClass(),
    &TCPU::StaticClass(),
    &TCPUFeatures::StaticClass(),
    &TCPUCache::StaticClass(),
    &TMachine::StaticClass(),
    &TMemory::StaticClass(),
    &TOperatingSystem::StaticClass(),
    &TTimeZone::StaticClass(),
    &TNTSpecific::StaticClass(),
    &TDisplays::StaticClass(),
    &TDisplay::StaticClass(),
    &TDevices::StaticClass(),
    &TDevice::StaticClass(),
    &TNetwork::StaticClass(),
    &TNetworkItem::StaticClass(),
    &TWinsock::StaticClass(),
    &TDisks::StaticClass(),
    &TDisk::StaticClass(),
    &TMedia::StaticClass(),
    &TMediaItem::StaticClass(),
    &TWOCMediaItem::StaticClass(),
    &TWICMediaItem::StaticClass(),
    &TMOCMediaItem::StaticClass(),
    &TMICMediaItem::StaticClass(),
    &TAXCMediaItem::StaticClass(),
    &TMXCMediaItem::StaticClass(),
    &TEngines::StaticClass(),
    &TAPM::StaticClass(),
    &TDirectX::StaticClass(),
    &TProcesses::StaticClass(),
    &TProcess::StaticClass(),
    &TPrinters::StaticClass(),
    &TPrinterDeviceComplete::StaticClass(),
    &TSoftware::StaticClass(),
    &TStartup::StaticClass(),
    &TStartupItem::StaticClass(),
    &TServicesCollection::StaticClass(),
    &TServiceItem::StaticClass(),
    &TPerformanceInfo::StaticClass(),
    &TPerformanceItem::StaticClass(),
};

TEST(SysInfoSchema, PropertyTablesAreTheDocumentedOnes) {
    std::string listing;
    for (const ClassInfo* c : kModelClasses) {
        listing += std::string(c->Name()) + " (" + (c->Parent() ? c->Parent()->Name() : "") + ")\n";
        for (const PropInfo& p : c->Properties()) {
            listing += std::string("  ") + p.name + ": " + TypeText(p) + "\n";
        }
    }
    EXPECT_TRUE(SameDocument(Golden("model_schema.txt"), listing));
}

// Every model class can be created by name, as reading items by class requires.
TEST(SysInfoSchema, ItemClassesAreRegistered) {
    RegisterInformationClasses();
    const char* items[] = {"TStringCollectionItem",
                           "TDisplay",
                           "TDevice",
                           "TDisk",
                           "TMediaItem",
                           "TWOCMediaItem",
                           "TWICMediaItem",
                           "TMOCMediaItem",
                           "TMICMediaItem",
                           "TAXCMediaItem",
                           "TMXCMediaItem",
                           "TProcess",
                           "TPrinterDeviceComplete",
                           "TStartupItem",
                           "TServiceItem",
                           "TPerformanceItem"};
    for (const char* name : items) {
        const ClassInfo* found = FindClass(name);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_TRUE(found->CanCreate()) << name;
        EXPECT_EQ(found->Create()->ClassName(), name);
    }
}

}  // namespace
}  // namespace rb
