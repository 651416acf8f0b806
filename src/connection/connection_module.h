// The connection module: holds what is sent to Kelto (contact header, the inventory as XML
// text, the sections to collect, the unattended flag) and does every step of collecting and
// delivering it. One instance lives for the whole run.
#pragma once

#include <cstdint>
#include <string>

#include "connection/package_file.h"
#include "core/event.h"
#include "core/persistent.h"
#include "remoting/bin_message.h"
#include "remoting/http_channel.h"
#include "sysinfo/msystem_info.h"
#include "sysinfo/process_pages.h"
#include "connection/information_viewer.h"

namespace rb {

class TdmKestrinConnection : public Component {
    RB_PERSISTENT_CLASS
public:
    // Sets tmpFile, selects all sections, clears Auto.
    explicit TdmKestrinConnection(Component* owner = nullptr);
    ~TdmKestrinConnection() override;

    void SetHeader(const std::string& nombre, const std::string& telefono,
                   const std::string& observaciones, const std::string& destino);
    const THeader& Header() const { return header_; }

    // Gathers the inventory into XMLData. Errors reach the caller unless Auto is set; then a
    // refresh left early still yields the XML of what was gathered, its message added to the
    // inventory's error list. (Virtual: the windows' tests collect without a system.)
    virtual void Collect();
    // The header lines followed by XMLData.
    std::string BuildPackageText() const;
    virtual void SaveTempPackage() const;
    // Copies tmpFile to `fileName`, overwriting. A failed copy raises the system's error: the
    // user must not believe a file exists that was never written.
    virtual void CopyPackageTo(const std::string& fileName) const;
    // Reads a package into the header and XMLData (the header is cleared first).
    void LoadPackage(const std::string& fileName);
    std::string GetMailBody() const;
    // Applies a request file: sections, sender, destination and the unattended flag.
    void LoadRequest(const std::string& fileName);

    // The report viewer View shows the inventory in; installed by the program shell, not owned.
    void SetViewer(InformationViewer* viewer) { viewer_ = viewer; }
    // Reads XMLData into a fresh document and shows it in the viewer, modally. Without a
    // viewer, or when the XML cannot be read, the error reaches the caller.
    void View();
    // Sends the header and XMLData to the collecting service; errors reach the caller, so the
    // answer is always true.
    virtual bool SendDirect();
    // Relays the channel's progress to OnSendProgress.
    void RCWinInetHTTPChannelProgress(Persistent* sender, TProgressType type,
                                      TProgressDirection direction, int32_t transferred,
                                      int32_t total);

    bool Auto = false;
    TProgressEvent OnSendProgress;
    TgiStartsEvent OnGetInfoStarts;
    TgiCompleteProcessEvent OnGetInfoCompleteProcess;

    // Published.
    std::string XMLData;
    std::string tmpFile;
    TProcessPages ProcessList = TProcessPages::FromMask(kAllProcessPages);

    // The remote-call components every direct send goes through.
    TRCBinMessage RCBinMessage{this};
    TRCWinInetHTTPChannel RCWinInetHTTPChannel{this};

private:
    THeader header_;
    InformationViewer* viewer_ = nullptr;
};

// The collecting service's URL: RBINFO_SERVICE_URL from the environment when set, else the
// address this build was configured with.
std::string ServiceUrl();

// The temporary package path: the temporary folder, a trailing backslash ensured, and
// "kt_infosys.fzp".
std::string TemporaryPackagePath(const std::string& tempFolder);

}  // namespace rb
