// A connection module for the windows' tests: its collection fires the events a script gives
// (the count, then one step per caption) and may fail after them; it records the deliveries
// it is asked for instead of making them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "connection/connection_module.h"
#include "core/exception.h"

namespace rb::test {

class ScriptedModule : public TdmKestrinConnection {
public:
    int32_t count = 0;
    std::vector<std::string> steps;
    bool fail = false;
    std::function<void(int32_t)> duringStep;  // called after each step's event

    void Collect() override {
        OnGetInfoStarts(this, count);
        for (size_t i = 0; i < steps.size(); ++i) {
            OnGetInfoCompleteProcess(this, steps[i], static_cast<int32_t>(i + 1));
            if (duringStep) duringStep(static_cast<int32_t>(i + 1));
        }
        if (fail) throw Exception("TDisplays.GetInfo: sin adaptador");
        XMLData = "<InfoSistema/>";
    }
};

}  // namespace rb::test
