#include "platform/win32/automation_values_win32.h"

#include <oleauto.h>

namespace rb::platform::win32 {

ExceptionRecord::~ExceptionRecord() {
    ::SysFreeString(e_.bstrSource);
    ::SysFreeString(e_.bstrDescription);
    ::SysFreeString(e_.bstrHelpFile);
}

std::wstring WideText(std::string_view text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string NarrowText(const wchar_t* text) {
    if (!text || !*text) return std::string();
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(length - 1));
    return narrow;
}

namespace {

struct ToVariantVisitor {
    VARIANT* v;
    void operator()(std::monostate) const { V_VT(v) = VT_EMPTY; }
    void operator()(int32_t i) const {
        V_VT(v) = VT_I4;
        V_I4(v) = i;
    }
    void operator()(double d) const {
        V_VT(v) = VT_R8;
        V_R8(v) = d;
    }
    void operator()(bool b) const {
        V_VT(v) = VT_BOOL;
        V_BOOL(v) = b ? VARIANT_TRUE : VARIANT_FALSE;
    }
    void operator()(const std::string& s) const {
        const std::wstring wide = WideText(s);
        V_VT(v) = VT_BSTR;
        V_BSTR(v) = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
};

// The value converted by the system to `type`; false when it cannot be.
bool Converted(const Variant& value, VARTYPE type, Variant& out) {
    return SUCCEEDED(::VariantChangeType(out.Put(), const_cast<VARIANT*>(value.Get()), 0, type));
}

}  // namespace

void ToVariant(const AutomationValue& value, Variant& out) {
    std::visit(ToVariantVisitor{out.Put()}, value);
}

AutomationValue FromVariant(const Variant& value) {
    const VARIANT* v = value.Get();
    Variant converted;
    switch (V_VT(v)) {
        case VT_EMPTY:
        case VT_NULL:
            return std::monostate{};
        case VT_BOOL:
            return V_BOOL(v) != VARIANT_FALSE;
        case VT_BSTR:
            return NarrowText(V_BSTR(v));
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DECIMAL:
            if (Converted(value, VT_R8, converted)) return V_R8(converted.Get());
            break;
        case VT_I1:
        case VT_I2:
        case VT_I4:
        case VT_UI1:
        case VT_UI2:
        case VT_INT:
            if (Converted(value, VT_I4, converted))
                return static_cast<int32_t>(V_I4(converted.Get()));
            break;
        default:
            break;
    }
    if (Converted(value, VT_BSTR, converted)) return NarrowText(V_BSTR(converted.Get()));
    return std::monostate{};
}

ComRef<IDispatch> DispatchOf(const Variant& value) {
    ComRef<IDispatch> dispatch;
    const VARIANT* v = value.Get();
    IUnknown* unknown = nullptr;
    if (V_VT(v) == VT_DISPATCH) unknown = V_DISPATCH(v);
    if (V_VT(v) == VT_UNKNOWN) unknown = V_UNKNOWN(v);
    if (unknown) unknown->QueryInterface(IID_IDispatch, dispatch.PutVoid());
    return dispatch;
}

}  // namespace rb::platform::win32
