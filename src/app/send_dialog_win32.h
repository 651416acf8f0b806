// The send dialog on Windows: the contact header's three fields, the three ways and the two
// buttons, anchored when resized. Its behaviour is TfrmClientSendInfo's (send_form.h).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/send_form.h"

namespace rb {

// The save dialog's seam: the file routine asks it for the chosen path.
class SaveFileChooser {
public:
    virtual ~SaveFileChooser() = default;
    // Preset to `fileName`; nothing when the user cancels.
    virtual std::optional<std::string> Choose(HWND owner, const std::string& fileName) = 0;
};

// The system's save dialog: packages (*.fzp), asks before overwriting, no read-only box.
class SystemSaveFileChooser : public SaveFileChooser {
public:
    std::optional<std::string> Choose(HWND owner, const std::string& fileName) override;
};

class SendDialog : public SendFormSurface {
public:
    static constexpr int kWidth = 428, kHeight = 369;

    SendDialog(TdmKestrinConnection& module, HWND owner, SaveFileChooser& chooser);
    ~SendDialog() override;
    SendDialog(const SendDialog&) = delete;
    SendDialog& operator=(const SendDialog&) = delete;

    // Shows the dialog modally: IDOK when a delivery took place, IDCANCEL otherwise.
    INT_PTR ShowModal();
    // For tests: the same dialog, modeless (its handlers are called directly).
    HWND CreateModeless();
    HWND Handle() const { return dialog_; }
    INT_PTR Result() const { return result_; }  // 0 while open
    SendFields Fields() const;

    void FocusName() override;
    std::optional<std::string> ChooseSaveFile(const std::string& fileName) override;
    void BeginWait() override;
    void EndWait() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM w, LPARAM l);
    INT_PTR Handle(UINT message, WPARAM w, LPARAM l);
    void FormShow();
    void Layout();
    void btnSendClick();
    void Close(INT_PTR result);

    TfrmClientSendInfo form_;
    HWND owner_;
    SaveFileChooser& chooser_;
    HWND dialog_ = nullptr;
    bool modal_ = false;
    INT_PTR result_ = 0;
    HCURSOR previousCursor_ = nullptr;
};

// "&Enviar a Kelto": the send dialog over `owner`, modal, with the system's save dialog.
INT_PTR ShowSendDialog(TdmKestrinConnection& module, HWND owner);

}  // namespace rb
