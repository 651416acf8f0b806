// Ownership of Windows handles and COM references, and the one way to fetch results whose size
// is known only after asking. Every handle the program opens is held by one of these, so it is
// closed on every path, exactly once.
#pragma once

#include <objbase.h>
#include <windows.h>
#include <winsvc.h>

#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace rb::platform::win32 {

// A move-only owner of one handle: `Close` releases it, `Invalid` (as an integer) is the value
// that means "no handle". Closing functions are plain functions here rather than the system's
// own, because the address of an imported function is no compile-time constant.
template <typename T, void (*Close)(T), uintptr_t Invalid = 0>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    static T InvalidValue() {
        if constexpr (std::is_pointer_v<T>) {
            return reinterpret_cast<T>(Invalid);
        } else {
            return static_cast<T>(Invalid);
        }
    }

    T Get() const { return handle_; }
    bool Valid() const { return handle_ != InvalidValue(); }
    explicit operator bool() const { return Valid(); }

    // For functions that hand the handle back through an out-parameter.
    T* Put() {
        Reset();
        return &handle_;
    }
    T Release() { return std::exchange(handle_, InvalidValue()); }
    void Reset(T handle = InvalidValue()) {
        const T old = std::exchange(handle_, handle);
        if (old != InvalidValue()) Close(old);
    }

private:
    T handle_ = InvalidValue();
};

namespace detail {
inline void CloseRegKey(HKEY key) {
    ::RegCloseKey(key);
}
inline void CloseKernelObject(HANDLE handle) {
    ::CloseHandle(handle);
}
inline void UnloadLibrary(HMODULE module) {
    ::FreeLibrary(module);
}
inline void CloseService(SC_HANDLE service) {
    ::CloseServiceHandle(service);
}
template <typename P>
void FreeTaskMemory(P memory) {
    ::CoTaskMemFree(memory);
}
}  // namespace detail

constexpr uintptr_t kInvalidHandleValue = static_cast<uintptr_t>(-1);

using RegKeyHandle = UniqueHandle<HKEY, detail::CloseRegKey>;
// Events, threads, processes, tokens: null when absent.
using KernelHandle = UniqueHandle<HANDLE, detail::CloseKernelObject>;
// Files and toolhelp snapshots: INVALID_HANDLE_VALUE when absent.
using FileHandle = UniqueHandle<HANDLE, detail::CloseKernelObject, kInvalidHandleValue>;
using ModuleHandle = UniqueHandle<HMODULE, detail::UnloadLibrary>;
using ServiceHandle = UniqueHandle<SC_HANDLE, detail::CloseService>;
// Memory the shell or COM allocated for us (item ID lists, strings).
template <typename P>
using TaskMemory = UniqueHandle<P, detail::FreeTaskMemory<P>>;

// A counted reference to a COM interface, released when it goes.
template <typename I>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    I* Get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For CoCreateInstance and QueryInterface.
    void** PutVoid() {
        Reset();
        return reinterpret_cast<void**>(&p_);
    }
    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    I* p_ = nullptr;
};

// COM for this thread while the object lives. A thread already initialised in another apartment
// model can still use COM, but then must not uninitialise it.
class ComInit {
public:
    ComInit() : hr_(::CoInitialize(nullptr)) {}
    ~ComInit() {
        if (SUCCEEDED(hr_)) ::CoUninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;

private:
    HRESULT hr_;
};

// The process's error mode while the object lives (1 = no critical-error boxes, so a drive
// without a disk or a library with a missing dependency fails quietly instead of asking the user).
class ErrorModeScope {
public:
    explicit ErrorModeScope(UINT mode) : previous_(::SetErrorMode(mode)) {}
    ~ErrorModeScope() { ::SetErrorMode(previous_); }
    ErrorModeScope(const ErrorModeScope&) = delete;
    ErrorModeScope& operator=(const ErrorModeScope&) = delete;

private:
    UINT previous_;
};

// Variable-size results (registry values and the like): `call(buffer, &size)` is asked first with
// no buffer for the size, then with a buffer of that size, and again with the size it reports
// while it answers ERROR_MORE_DATA (the data grew in between). On success `out` holds exactly the
// bytes given. Returns the last status.
template <typename Call>
LONG ProbeThenFill(std::vector<uint8_t>& out, Call call) {
    DWORD size = 0;
    LONG status = call(nullptr, &size);
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) break;
        out.resize(size);
        DWORD got = size;
        status = call(out.empty() ? nullptr : out.data(), &got);
        // (With an empty buffer a success only reports the size, which may have grown.)
        if (status == ERROR_SUCCESS && got <= out.size()) {
            out.resize(got);
            return status;
        }
        if (status == ERROR_SUCCESS) status = ERROR_MORE_DATA;
        size = got > size ? got : size * 2 + 16;
    }
    out.clear();
    return status == ERROR_SUCCESS ? ERROR_MORE_DATA : status;
}

}  // namespace rb::platform::win32
