// Late-bound Automation: objects by program identifier, members by name through IDispatch.
// Every interface is held by a ComRef, every VARIANT and exception record is cleared by its
// owner, so nothing leaks on any path.
#include "platform/win32/automation_win32.h"

#include <windows.h>
// after windows.h, which they need
#include <objbase.h>
#include <oleauto.h>

#include "platform/win32/automation_values_win32.h"
#include "platform/win32/handles_win32.h"

namespace rb::platform {
namespace {

using win32::ComRef;

class Win32AutomationThread : public AutomationThread {
    win32::ComInit com_;
};

// The HRESULTs of a server that was started but does not answer, or could not be reached:
// asking again would only wait as long again.
bool ServerSilent(HRESULT hr) {
    switch (static_cast<uint32_t>(hr)) {
        case 0x80080005u:  // CO_E_SERVER_EXEC_FAILURE
        case 0x8001011Fu:  // RPC_E_TIMEOUT
        case 0x8001010Au:  // RPC_E_SERVERCALL_RETRYLATER
        case 0x80010001u:  // RPC_E_CALL_REJECTED
        case 0x800706BAu:  // RPC_S_SERVER_UNAVAILABLE
        case 0x800706BFu:  // RPC_S_CALL_FAILED_DNE
            return true;
        default:
            return false;
    }
}

bool ClassOf(std::string_view programId, CLSID& clsid) {
    const std::wstring id = win32::WideText(programId);
    return SUCCEEDED(::CLSIDFromProgID(id.c_str(), &clsid));
}

class Win32AutomationObject : public AutomationObject {
public:
    explicit Win32AutomationObject(ComRef<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

    std::optional<AutomationValue> GetProperty(std::string_view name) override {
        win32::Variant result;
        if (!Invoke(name, DISPATCH_PROPERTYGET, {}, result)) return std::nullopt;
        return win32::FromVariant(result);
    }

    std::unique_ptr<AutomationObject> PropertyObject(std::string_view name) override {
        win32::Variant result;
        if (!Invoke(name, DISPATCH_PROPERTYGET, {}, result)) return nullptr;
        ComRef<IDispatch> inner = win32::DispatchOf(result);
        if (!inner) return nullptr;
        return std::make_unique<Win32AutomationObject>(std::move(inner));
    }

    bool SetProperty(std::string_view name, const AutomationValue& value) override {
        win32::Variant ignored;
        return Invoke(name, DISPATCH_PROPERTYPUT, {value}, ignored);
    }

    std::optional<AutomationValue> Call(std::string_view method,
                                        const std::vector<AutomationValue>& args) override {
        win32::Variant result;
        if (!Invoke(method, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, result)) {
            return std::nullopt;
        }
        return win32::FromVariant(result);
    }

private:
    bool Invoke(std::string_view name, WORD flags, const std::vector<AutomationValue>& args,
                win32::Variant& result) {
        std::wstring wide = win32::WideText(name);
        LPOLESTR names[] = {wide.data()};
        DISPID id = 0;
        if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
            return false;
        }
        // The arguments go right to left.
        std::vector<win32::Variant> values(args.size());
        for (size_t i = 0; i < args.size(); ++i) {
            win32::ToVariant(args[args.size() - 1 - i], values[i]);
        }
        std::vector<VARIANT> raw;
        for (win32::Variant& v : values) raw.push_back(*v.Get());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{};
        params.cArgs = static_cast<UINT>(raw.size());
        params.rgvarg = raw.empty() ? nullptr : raw.data();
        if (flags == DISPATCH_PROPERTYPUT) {
            params.cNamedArgs = 1;
            params.rgdispidNamedArgs = &named;
        }
        win32::ExceptionRecord exception;
        UINT badArgument = 0;
        const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                             result.Put(), exception.Get(), &badArgument);
        return SUCCEEDED(hr);
    }

    ComRef<IDispatch> dispatch_;
};

}  // namespace

std::unique_ptr<AutomationThread> Win32Automation::EnterThread() {
    return std::make_unique<Win32AutomationThread>();
}

std::string Win32Automation::ClassId(std::string_view programId) {
    CLSID clsid{};
    if (!ClassOf(programId, clsid)) return "";
    wchar_t text[64] = {};
    if (::StringFromGUID2(clsid, text, 64) == 0) return "";
    return win32::NarrowText(text);
}

std::unique_ptr<AutomationObject> Win32Automation::RunningObject(std::string_view programId) {
    CLSID clsid{};
    if (!ClassOf(programId, clsid)) return nullptr;
    ComRef<IUnknown> unknown;
    if (FAILED(
            ::GetActiveObject(clsid, nullptr, reinterpret_cast<IUnknown**>(unknown.PutVoid())))) {
        return nullptr;
    }
    ComRef<IDispatch> dispatch;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, dispatch.PutVoid()))) return nullptr;
    return std::make_unique<Win32AutomationObject>(std::move(dispatch));
}

AutomationCreation Win32Automation::NewObject(std::string_view programId) {
    AutomationCreation creation;
    CLSID clsid{};
    if (!ClassOf(programId, clsid)) return creation;
    ComRef<IDispatch> dispatch;
    const HRESULT hr =
        ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                           IID_IDispatch, dispatch.PutVoid());
    if (FAILED(hr) || !dispatch) {
        creation.serverSilent = ServerSilent(hr);
        return creation;
    }
    creation.object = std::make_unique<Win32AutomationObject>(std::move(dispatch));
    return creation;
}

}  // namespace rb::platform
