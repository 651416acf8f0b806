// What crosses IDispatch: VARIANTs and exception records owned so that they are cleared on every
// path, and the conversions between them and the platform's plain values and texts.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <oaidl.h>

#include <string>
#include <string_view>

#include "platform/automation.h"
#include "platform/win32/handles_win32.h"

namespace rb::platform::win32 {

// A VARIANT cleared (its string freed, its interface released) when it goes.
class Variant {
public:
    Variant() { ::VariantInit(&v_); }
    ~Variant() { ::VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : v_(other.v_) { ::VariantInit(&other.v_); }
    Variant& operator=(Variant&&) = delete;

    VARIANT* Get() { return &v_; }
    const VARIANT* Get() const { return &v_; }
    // Cleared first, for a call that writes its answer.
    VARIANT* Put() {
        ::VariantClear(&v_);
        return &v_;
    }

private:
    VARIANT v_;
};

// The exception record IDispatch::Invoke may fill; its strings are freed with it.
class ExceptionRecord {
public:
    ExceptionRecord() = default;
    ~ExceptionRecord();
    ExceptionRecord(const ExceptionRecord&) = delete;
    ExceptionRecord& operator=(const ExceptionRecord&) = delete;
    EXCEPINFO* Get() { return &e_; }

private:
    EXCEPINFO e_{};
};

// Texts between the program's 8-bit code page and COM's wide strings.
std::wstring WideText(std::string_view text);
std::string NarrowText(const wchar_t* text);

void ToVariant(const AutomationValue& value, Variant& out);
// Integers, reals, booleans and texts as themselves, VT_EMPTY and VT_NULL as nothing, anything
// else as the text the system converts it to (nothing when it cannot).
AutomationValue FromVariant(const Variant& value);
// The dispatch interface a VT_DISPATCH or VT_UNKNOWN value holds (a reference of its own).
ComRef<IDispatch> DispatchOf(const Variant& value);

}  // namespace rb::platform::win32
