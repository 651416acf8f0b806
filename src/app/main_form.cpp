#include "app/main_form.h"

#include "connection/connection_module.h"
#include "app/application_error.h"
#include "platform/platform.h"

namespace rb {

TfrmMain::TfrmMain(TdmKestrinConnection& module, MainFormSurface& surface)
    : module_(module), surface_(surface) {}

TfrmMain::~TfrmMain() {
    // A failed collection leaves the module's events on this form: they must not outlive it.
    if (module_.OnGetInfoStarts.Object() == this) module_.OnGetInfoStarts.Clear();
    if (module_.OnGetInfoCompleteProcess.Object() == this) module_.OnGetInfoCompleteProcess.Clear();
}

void TfrmMain::Process() {
    drawing_ = true;
    SetStatusText(kProcessing);
    surface_.RepaintWindow();
    {
        // Whatever happens, panel 0 is emptied again.
        struct StopDrawing {
            TfrmMain& form;
            ~StopDrawing() {
                form.drawing_ = false;
                form.surface_.RepaintStatusBar();
            }
        } stop{*this};
        module_.OnGetInfoStarts.Assign(this, &TfrmMain::GetInfoStarts);
        module_.OnGetInfoCompleteProcess.Assign(this, &TfrmMain::GetInfoCompleted);
        module_.Collect();
        module_.OnGetInfoStarts.Clear();
        module_.OnGetInfoCompleteProcess.Clear();
        buttons_.show = true;
        buttons_.send = true;
        SetStatusText("");
    }
    platform::Current().Windows().ShowMessage(kCompleted, kApplicationTitle, platform::kMbOk);
}

void TfrmMain::PackageLoaded() {
    buttons_ = MainButtons{false, true, true};
    surface_.StateChanged();
    surface_.RepaintWindow();
}

void TfrmMain::btnShowClick() { module_.View(); }

void TfrmMain::GetInfoStarts(Persistent*, int32_t processCount) {
    if (processCount > 0) progress_.max = processCount - 1;
    progress_.position = 0;
    surface_.StateChanged();
}

void TfrmMain::GetInfoCompleted(Persistent*, const std::string& processName,
                                int32_t processNumber) {
    statusText_ = kProcessed + processName;
    progress_.position = processNumber;
    surface_.StateChanged();
    surface_.RepaintWindow();
    surface_.RepaintStatusBar();
}

void TfrmMain::SetStatusText(const std::string& text) {
    statusText_ = text;
    surface_.StateChanged();
}

}  // namespace rb
