// Recorded processors (tests/data/cpu/*.txt): raw CPUID registers in, the section's decode out.
// Each file gives the processor count, the clock the counters are scripted for and the leaves;
// after the line "report" comes what TCPU reports. With RB_UPDATE_GOLDEN=1 the test rewrites
// that part from what the code gives now: review the difference before keeping it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/cp1252.h"
#include "core/text.h"
#include "platform/sim/sim_platform.h"
#include "sysinfo/si_cpu.h"
#include "sysinfo/string_collection.h"
#include "test_files.h"

namespace {

using rb::platform::ScopedPlatform;
using rb::platform::SimPlatform;

const char kReportMark[] = "report";

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

uint32_t Hex(const std::string& word) {
    return static_cast<uint32_t>(std::stoul(word, nullptr, 16));
}

// One input line: "processors N", "mhz N" or "leaf LEAF EAX EBX ECX EDX" (hexadecimal).
void Apply(const std::string& line, SimPlatform& sim) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word.empty() || word[0] == '#') return;
    if (word == "processors") {
        in >> sim.processor.processorCount;
    } else if (word == "mhz") {
        // 10 ticks of the 10 MHz counter per read: every read is one microsecond.
        in >> sim.processor.timeStampStep;
    } else if (word == "leaf") {
        std::string leaf, eax, ebx, ecx, edx;
        in >> leaf >> eax >> ebx >> ecx >> edx;
        sim.processor.cpuid[Hex(leaf)] = {Hex(eax), Hex(ebx), Hex(ecx), Hex(edx)};
    } else {
        FAIL() << "unknown input line: " << line;
    }
}

// The report, then the values it leaves out and the error lines; UTF-8 like the files.
std::vector<std::string> Describe(rb::TCPU& cpu, rb::TStringCollection& errors) {
    rb::StringList list;
    cpu.Report(list);
    list.Add("VendorEx=" + cpu.VendorEx);
    list.Add("Signature=\"" + cpu.Signature + "\"");
    list.Add("Brand=\"" + cpu.BrandText + "\"");
    list.Add(rb::Format("Type=%u", cpu.CPUType));
    list.Add(rb::Format("BrandIndex=%u", cpu.BrandIndex));
    list.Add(rb::Format("MaxLeaf=%u", cpu.MaxStandardLeaf));
    for (const std::string& e : errors.GetStrings().Lines()) list.Add("Error=" + e);
    std::vector<std::string> lines;
    for (const std::string& line : list.Lines()) lines.push_back(rb::Cp1252ToUtf8(line));
    return lines;
}

std::vector<std::string> GoldenFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(RB_TEST_DATA "/cpu")) {
        if (entry.path().extension() == ".txt") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(CpuGolden, RecordedProcessorsDecodeAsRecorded) {
    const bool update = std::getenv("RB_UPDATE_GOLDEN") != nullptr;
    const std::vector<std::string> files = GoldenFiles();
    ASSERT_GE(files.size(), 10u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::vector<std::string> lines = SplitLines(rb::ReadBytes(file));
        const auto mark = std::find(lines.begin(), lines.end(), kReportMark);
        ASSERT_NE(mark, lines.end());

        SimPlatform sim;
        for (auto it = lines.begin(); it != mark; ++it) Apply(*it, sim);
        ScopedPlatform scope(sim);
        rb::TStringCollection errors;
        rb::TCPU cpu(&errors);
        cpu.GetInfo();
        const std::vector<std::string> actual = Describe(cpu, errors);

        if (update) {
            std::string text;
            for (auto it = lines.begin(); it != mark + 1; ++it) text += *it + "\n";
            for (const std::string& line : actual) text += line + "\n";
            rb::WriteBytes(file, text);
            continue;
        }
        EXPECT_EQ(actual, std::vector<std::string>(mark + 1, lines.end()));
    }
}

}  // namespace
