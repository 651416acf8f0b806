// The report viewer behind the connection module's seam on Windows: a TfrmSI_Overview over the
// inventory, without its process buttons, filled and shown modally.
#pragma once

#include "connection/information_viewer.h"

namespace rb::viewer {

class WindowViewer : public InformationViewer {
public:
    void ShowInformation(TMSystemInfo& info) override;
};

}  // namespace rb::viewer
