// The report viewer behind the connection module's seam on Windows: a TfrmSI_Overview over the
// inventory, without its process buttons, filled and shown modally.
#pragma once

#include <exception>
#include <functional>
#include <utility>

#include "connection/information_viewer.h"

namespace rb::viewer {

class WindowViewer : public InformationViewer {
public:
    // `showError` tells the errors of the viewer's commands (the program's error box).
    explicit WindowViewer(std::function<void(const std::exception&)> showError)
        : showError_(std::move(showError)) {}
    void ShowInformation(TMSystemInfo& info) override;

private:
    std::function<void(const std::exception&)> showError_;
};

}  // namespace rb::viewer
