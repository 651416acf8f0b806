// Writes and reads a large synthetic inventory document and prints the times (best of three),
// the document's size and the process's peak memory, at half and at full size, so that the
// growth can be seen to be linear. The same text with a declaration in front, which is not in
// the writer's plain form, is read through the node tree. Where pugixml is installed, it
// parses the same text and saves its tree, and the ratios to it are printed. The document
// read back must write the very same text.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#ifdef RB_BENCH_PUGIXML
#include <pugixml.hpp>
#endif

#include "core/text.h"
#include "peak_memory.h"
#include "synthetic_inventory.h"
#include "xml/sys_info_xml.h"
#include "xml/xml_node_tree.h"

namespace rb::bench {
namespace {

template <class F>
double BestOfThree(F&& run) {
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

struct Figures {
    double saveMs, loadMs;
    size_t bytes;
    bool roundTrip;
    double treeLoadMs = 0;  // the same text with a declaration: read through the node tree
    double pugiParseMs = 0, pugiSaveMs = 0;  // 0 without pugixml
};

#ifdef RB_BENCH_PUGIXML
struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override {
        text.append(static_cast<const char*>(data), size);
    }
};

void MeasurePugi(const std::string& text, Figures& f) {
    pugi::xml_document doc;
    pugi::xml_parse_result parsed;
    f.pugiParseMs = BestOfThree([&] { parsed = doc.load_buffer(text.data(), text.size()); });
    if (!parsed) {
        std::printf("      pugixml: %s at byte %zu\n", parsed.description(),
                    static_cast<size_t>(parsed.offset));
    }
    f.pugiSaveMs = BestOfThree([&] {
        StringWriter out;
        out.text.reserve(text.size());
        doc.save(out, "", pugi::format_raw | pugi::format_no_declaration);
    });
}
#else
void MeasurePugi(const std::string&, Figures&) {}
#endif

Figures Measure(const Size& size) {
    TXMLSysInfo doc;
    BuildSyntheticInventory(*doc.SystemInfo, size);
    std::string text;
    const double save = BestOfThree([&] { text = doc.SaveXML(); });
    const double load = BestOfThree([&] {
        TXMLSysInfo loaded;
        loaded.LoadXML(text);
    });
    TXMLSysInfo loaded;
    loaded.LoadXML(text);
    Figures f{save, load, text.size(), loaded.SaveXML() == text};
    const std::string declared = "<?xml version=\"1.0\"?>\r\n" + text;
    f.treeLoadMs = BestOfThree([&] {
        TXMLSysInfo other;
        other.LoadXML(declared);
    });
    MeasurePugi(text, f);
    return f;
}

void Print(const char* label, const Size& size, const Figures& f) {
    std::printf("%-5s devices=%d processes=%d software=%d services=%d\n", label, size.devices,
                size.processes, size.software, size.services);
    std::printf("      document %zu bytes (%.1f MB)\n", f.bytes, f.bytes / 1048576.0);
    std::printf("      SaveXML %.1f ms, LoadXML %.1f ms (best of 3), round trip %s\n", f.saveMs,
                f.loadMs, f.roundTrip ? "identical" : "DIFFERENT");
    std::printf("      LoadXML through the node tree (with a declaration) %.1f ms\n",
                f.treeLoadMs);
    if (f.pugiParseMs > 0) {
        std::printf("      pugixml parse %.1f ms, save %.1f ms: LoadXML %.2fx, SaveXML %.2fx\n",
                    f.pugiParseMs, f.pugiSaveMs, f.loadMs / f.pugiParseMs,
                    f.saveMs / f.pugiSaveMs);
    } else {
        std::printf("      pugixml not installed: no comparison\n");
    }
    std::printf("      peak memory %lld KB (%s)\n", static_cast<long long>(PeakMemoryKB()),
                PeakMemoryMeasure());
}

// The node tree's memory for a text: what parsing it keeps, per byte of text.
void PrintTree(const char* label, const std::string& text) {
    const int64_t before = MemoryInUse();
    TXMLNode tree;
    tree.SetXML(text);
    const int64_t kept = MemoryInUse() - before;
    std::printf("tree  %-28s %8zu KB of text, %8lld KB of tree: %.1f bytes a byte\n", label,
                text.size() / 1024, static_cast<long long>(kept / 1024),
                static_cast<double>(kept) / static_cast<double>(text.size()));
}

void MeasureTrees() {
    TXMLSysInfo doc;
    BuildSyntheticInventory(*doc.SystemInfo, kFull);
    PrintTree("full inventory", doc.SaveXML());
    std::string dense;
    while (dense.size() < (8u << 20)) dense += "<a>";
    PrintTree("<a> repeated (8 MiB)", dense);
    std::string pairs;
    while (pairs.size() < (8u << 20)) pairs += "<a></a>";
    PrintTree("<a></a> repeated (8 MiB)", pairs);
}

}  // namespace
}  // namespace rb::bench

int main() {
    using namespace rb::bench;
    MeasureTrees();
    // Half size first: the peak memory only grows, so each printout is that size's peak.
    const Size half{kFull.devices / 2, kFull.processes / 2, kFull.software / 2, kFull.services / 2};
    const Figures h = Measure(half);
    Print("half", half, h);
    const Figures f = Measure(kFull);
    Print("full", kFull, f);
    std::printf("full/half: size %.2f, SaveXML %.2f, LoadXML %.2f\n",
                static_cast<double>(f.bytes) / h.bytes, f.saveMs / h.saveMs, f.loadMs / h.loadMs);
    return h.roundTrip && f.roundTrip ? 0 : 1;
}
