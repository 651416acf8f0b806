// The main window on Windows: three picture buttons and the two-panel status bar whose first
// panel shows the hidden progress bar while a collection runs. Its behaviour is TfrmMain's
// (main_form.h); this class only shows it.
#pragma once

#include <windows.h>

#include "app/main_form.h"
#include "app/ui_win32.h"

namespace rb {

class MainWindow : public MainFormSurface {
public:
    static constexpr int kClientWidth = 442, kClientHeight = 87;
    static constexpr int kPanel0Width = 80, kPanel1Width = 500;

    // Creates the window, visible and centred on the screen.
    explicit MainWindow(TdmKestrinConnection& module);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_; }
    TfrmMain& Form() { return form_; }
    // The application's message loop, until the window is closed.
    void RunMessageLoop();

    void StateChanged() override;
    void RepaintWindow() override;
    void RepaintStatusBar() override;
    void ShowSendDialog() override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void FormCreate();
    void CreateButton(int id, const char* caption, int x, int width, int picture);
    void DrawButton(const DRAWITEMSTRUCT& item);
    void StatusBarDrawPanel(const DRAWITEMSTRUCT& item);
    void Command(int id);

    TfrmMain form_;
    HWND window_ = nullptr;
    bool looping_ = false;  // the message loop runs: closing the window ends it
    HWND statusBar_ = nullptr;
    HWND progressBar_ = nullptr;
    ui::GdiObject font_;
    ui::IconHandle pictures_[3];
};

}  // namespace rb
