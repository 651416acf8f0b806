// The report viewer as the rest of the program sees it. The connection module shows an
// inventory through this seam without knowing windows; the program shell installs the viewer
// (a window on Windows, a recorder in tests).
#pragma once

namespace rb {

class TMSystemInfo;

// Shown when there is no report viewer to open.
constexpr const char* kViewerUnavailableMessage =
    "El visor de la información no está disponible en esta versión";

class InformationViewer {
public:
    virtual ~InformationViewer();
    // Shows `info` modally, read-only (without the viewer's process buttons), with the pages
    // its ProcessList selects; returns when the viewer is closed. The caller frees `info`
    // afterwards, so the viewer keeps no reference to it.
    virtual void ShowInformation(TMSystemInfo& info) = 0;
};

// The stand-in used until the viewer's window exists: it says so.
class UnavailableViewer : public InformationViewer {
public:
    void ShowInformation(TMSystemInfo& info) override;
};

}  // namespace rb
