// How long each step of the last collection took. Not gathered from the system: the aggregate
// clears it when a refresh starts and appends one item after each step.
#pragma once

#include <cstdint>
#include <string>

#include "sysinfo/section_base.h"

namespace rb {

class TPerformanceItem : public TInfoProcessCollectionItem {
    RB_PERSISTENT_CLASS
public:
    uint32_t TimeElapsed = 0;  // milliseconds
    std::string TestName;      // the step's caption
};

class TPerformanceInfo : public TInfoProcessCollection {
    RB_PERSISTENT_CLASS
public:
    explicit TPerformanceInfo(TStringCollection* errorList = nullptr);

    void Start();                                    // clear; StartingTick = now
    void StepDone(const std::string& caption);       // item for the time since the last mark
    TPerformanceItem& Add(const std::string& caption, uint32_t milliseconds);

    void GetInfo() override {}
    void Report(StringList& list) override;

    uint32_t StartingTick = 0;
};

}  // namespace rb
