// The report viewer's real windows under Wine, for the tests that open them: the golden
// inventory loaded as the connection module loads it, the viewer filled from it, its detail
// dialogs caught by the viewer's seam and read back.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/text.h"
#include "platform/sim/sim_platform.h"
#include "support/window_shot_win32.h"
#include "test_files.h"
#include "viewer/golden_inventory.h"
#include "viewer/overview_win32.h"
#include "xml/sys_info_xml.h"

namespace rb::viewer {

// What a detail dialog showed when the viewer opened it.
struct DetailSeen {
    std::string title;
    bool checkMode = false;
    Rows rows;                     // list mode: name, value
    std::vector<CheckItem> checks;  // check mode
};

inline DetailSeen ReadDetail(TdlgSI_Detail& d) {
    const bool checkMode = (GetWindowLongPtrA(d.clbox(), GWL_STYLE) & WS_VISIBLE) != 0;
    DetailSeen seen{d.Title(), checkMode, {}, {}};
    HWND list = seen.checkMode ? d.clbox() : d.lview();
    for (int i = 0; i < ListCount(list); ++i) {
        if (seen.checkMode) {
            seen.checks.push_back({ListText(list, i, 0), ListView_GetCheckState(list, i) != 0});
        } else {
            seen.rows.push_back({ListText(list, i, 0), ListText(list, i, 1)});
        }
    }
    return seen;
}

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class ViewerWindow : public ::testing::Test {
protected:
    platform::SimPlatform sim;
    platform::ScopedPlatform scope{sim};
    TXMLSysInfo doc;
    TMSystemInfo& info = *doc.SystemInfo;
    std::unique_ptr<TfrmSI_Overview> form;
    std::vector<DetailSeen> details;
    std::vector<std::string> errors;  // what the viewer's commands raised
    std::string shotOfNextDetail;

    void SetUp() override { doc.LoadXML(ReadBytes(test::GoldenXmlPath())); }
    // No command of the viewer may fail on the golden inventory.
    void TearDown() override { EXPECT_EQ(errors, std::vector<std::string>{}); }

    void Open() { Open(info); }
    void Open(TMSystemInfo& shown) {
        form = std::make_unique<TfrmSI_Overview>();
        form->showDetail = [this](TdlgSI_Detail& d) {
            if (!shotOfNextDetail.empty()) {
                ShowWindow(d.Window(), SW_SHOW);
                Pump();
                EXPECT_EQ(test::CheckedWindowShot(d.Window(), shotOfNextDetail), "");
                shotOfNextDetail.clear();
            }
            details.push_back(ReadDetail(d));
        };
        form->showError = [this](const std::exception& e) { errors.push_back(e.what()); };
        form->ShowProcessButtons(false);
        form->SetSystemInfo(&shown);
        form->FillPages();
    }
    HWND C(int id) const { return form->Control(id); }
    std::string Text(int id) const { return WindowText(C(id)); }
    // What a click on an enabled button sends its parent.
    void Click(int id) const {
        HWND button = C(id);
        ASSERT_TRUE(IsWindowEnabled(button)) << id;
        SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    void SelectRow(int listId, int row) const {
        ListView_SetItemState(C(listId), row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    std::vector<std::string> ComboEntries(int id) const {
        std::vector<std::string> entries;
        const int n = static_cast<int>(SendMessageA(C(id), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char buffer[256] = {};
            SendMessageA(C(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
            entries.push_back(buffer);
        }
        return entries;
    }
    const TDisk& FirstDisk() const {
        return *DiskOfEntry(*info.Disks, DiskEntries(*info.Disks).front());
    }
    int GaugePos(int id) const { return static_cast<int>(SendMessageA(C(id), PBM_GETPOS, 0, 0)); }
    std::vector<bool> Checks(int id) const {
        std::vector<bool> marks;
        for (int i = 0; i < ListCount(C(id)); ++i) marks.push_back(ListView_GetCheckState(C(id), i) != 0);
        return marks;
    }
};

}  // namespace rb::viewer
