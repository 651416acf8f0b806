// The main window's behaviour (TfrmMain), apart from its Win32 window: the three buttons'
// states, the status bar's text, the hidden progress bar the status bar paints, and the
// collection with its progress handlers. The window (main_window_win32.cpp) shows this state
// and repaints when asked; tests drive it over a recording surface.
#pragma once

#include <cstdint>
#include <string>

namespace rb {

class Persistent;
class TdmKestrinConnection;

// What the form asks of its window.
class MainFormSurface {
public:
    virtual ~MainFormSurface() = default;
    // The buttons, the status text or the progress bar changed: show the form's state.
    virtual void StateChanged() = 0;
    // Repaint at once (the thread is busy collecting: no message is handled meanwhile).
    virtual void RepaintWindow() = 0;
    virtual void RepaintStatusBar() = 0;
    // "&Enviar a Kelto": the send dialog, modal, released when it closes.
    virtual void ShowSendDialog() = 0;
};

struct MainButtons {
    bool process = true;  // "Procesar"
    bool show = false;    // "Mostrar resultado"
    bool send = false;    // "&Enviar a Kelto"
};

// The progress bar that is never shown as a control: its range and position are painted into
// panel 0 of the status bar while Drawing is set.
struct ProgressBarState {
    int32_t min = 0;
    int32_t max = 100;
    int32_t position = 0;
};

class TfrmMain {
public:
    static constexpr const char* kCaption = "Información del sistema";
    static constexpr const char* kProcessing = "Procesando información";
    static constexpr const char* kProcessed = "Procesado ";
    static constexpr const char* kCompleted =
        "Proceso completado con éxito: \r\nAhora puede visualizar la información\r\ny enviarla a "
        "Kelto";

    TfrmMain(TdmKestrinConnection& module, MainFormSurface& surface);
    ~TfrmMain();
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    // Collects through the connection module with visible progress, then tells the user.
    // A failing collection leaves the buttons as they were; its error reaches the caller.
    void Process();
    // A package named on the command line was opened: show and send, no collecting.
    void PackageLoaded();

    void btnProcClick() { Process(); }
    void btnShowClick();
    void btnSendClick() { surface_.ShowSendDialog(); }

    bool Drawing() const { return drawing_; }
    const MainButtons& Buttons() const { return buttons_; }
    const std::string& StatusText() const { return statusText_; }  // panel 1
    const ProgressBarState& ProgressBar() const { return progress_; }
    TdmKestrinConnection& Module() { return module_; }

private:
    void GetInfoStarts(Persistent* sender, int32_t processCount);
    void GetInfoCompleted(Persistent* sender, const std::string& processName,
                          int32_t processNumber);
    void SetStatusText(const std::string& text);

    TdmKestrinConnection& module_;
    MainFormSurface& surface_;
    bool drawing_ = false;
    MainButtons buttons_;
    std::string statusText_;
    ProgressBarState progress_;
};

}  // namespace rb
