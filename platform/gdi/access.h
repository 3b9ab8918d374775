// How the Win32 entry points reach their objects: handle conversions and typed lookups in the
// session's handle table. A bad handle gives nullptr, which callers turn into FALSE or NULL.
#pragma once

#include <cstdint>

#include "platform/gdi/gdi_state.h"
#include "platform/gdi/objects.h"
#include "platform/session.h"

namespace platform::gdi {

inline GdiState& Gdi() {
    return Session::Current().gdi();
}
inline HandleTable& Handles() {
    return Session::Current().gdi().handles();
}

inline Handle IdOf(const void* handle) {
    return reinterpret_cast<uintptr_t>(handle);
}

template <typename H>
H HandleOf(Handle id) {
    return reinterpret_cast<H>(static_cast<uintptr_t>(id));
}

template <typename T>
T* Lookup(const void* handle, ObjectKind kind) {
    return Handles().Get<T>(IdOf(handle), kind);
}

inline DeviceContext* LookupDc(HDC hdc) {
    return Lookup<DeviceContext>(hdc, ObjectKind::kDeviceContext);
}

}  // namespace platform::gdi
