// The one owner template behind every handle owner of the program (GdiOwners.h,
// KernelOwners.h, framework/Handles.h, framework/Registry.h).
#pragma once

#ifdef _WIN32

#include <type_traits>
#include <utility>

namespace quarvel {

// The value that stands for "no handle": null, unless the closer names another with None()
// (file and find handles fail as INVALID_HANDLE_VALUE).
template <typename Handle, typename Closer, typename = void> struct NoHandle {
    static Handle Value() { return nullptr; }
};
template <typename Handle, typename Closer>
struct NoHandle<Handle, Closer, std::void_t<decltype(Closer::None())>> {
    static Handle Value() { return Closer::None(); }
};

// Owns one handle and closes it with Closer::Close when it goes or is given another. Movable,
// not copyable; Detach hands the handle on to a new owner (the clipboard, an image list).
template <typename Handle, typename Closer> class ScopedHandle {
public:
    static Handle None() { return NoHandle<Handle, Closer>::Value(); }

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : m_handle(handle) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(ScopedHandle&& other) noexcept : m_handle(other.Detach()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        Reset(other.Detach());
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != None(); }

    // Gives up the handle without closing it.
    Handle Detach() { return std::exchange(m_handle, None()); }
    // Closes the handle held, if any, and keeps `handle` instead.
    void Reset(Handle handle = None()) {
        const Handle old = std::exchange(m_handle, handle);
        if (old != None() && old != handle)
            Closer::Close(old);
    }
    // Closes the handle held and answers where a call that makes a new one stores it.
    Handle* Out() {
        Reset();
        return &m_handle;
    }

private:
    Handle m_handle = None();
};

} // namespace quarvel

#endif
