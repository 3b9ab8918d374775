// FlsAlloc and its companions. Slot numbers are the process's, as on Win32; the values are the
// session's, and the slot's callback frees those still set when the session ends, so nothing
// one session stored is found by the next.
#include <vector>

#include "platform/session.h"
#include "platform/win32.h"

namespace {

struct Slot {
    bool allocated = false;
    PFLS_CALLBACK_FUNCTION callback = nullptr;
};

std::vector<Slot>& Slots() {
    static std::vector<Slot> slots;
    return slots;
}

bool Allocated(DWORD index) {
    return index < Slots().size() && Slots()[index].allocated;
}

// The session's value of a slot, grown on demand; nullptr without a session.
PVOID* ValueOf(DWORD index) {
    platform::Session* session = platform::Session::TryCurrent();
    if (!session || !Allocated(index)) return nullptr;
    std::vector<void*>& values = session->local_values();
    if (values.size() <= index) values.resize(index + 1, nullptr);
    return &values[index];
}

void Release(DWORD index, PVOID* value) {
    PVOID taken = *value;
    *value = nullptr;
    if (taken && Slots()[index].callback) Slots()[index].callback(taken);
}

}  // namespace

namespace platform {

void ReleaseLocalValues(std::vector<void*>& values) {
    for (DWORD index = 0; index < values.size(); ++index)
        if (Allocated(index)) Release(index, &values[index]);
    values.clear();
}

}  // namespace platform

DWORD WINAPI FlsAlloc(PFLS_CALLBACK_FUNCTION callback) {
    std::vector<Slot>& slots = Slots();
    for (DWORD index = 0; index < slots.size(); ++index) {
        if (!slots[index].allocated) {
            slots[index] = Slot{true, callback};
            return index;
        }
    }
    slots.push_back(Slot{true, callback});
    return static_cast<DWORD>(slots.size() - 1);
}

PVOID WINAPI FlsGetValue(DWORD index) {
    PVOID* value = ValueOf(index);
    return value ? *value : nullptr;
}

BOOL WINAPI FlsSetValue(DWORD index, PVOID value) {
    PVOID* slot = ValueOf(index);
    if (!slot) return FALSE;
    *slot = value;
    return TRUE;
}

BOOL WINAPI FlsFree(DWORD index) {
    if (!Allocated(index)) return FALSE;
    if (PVOID* value = ValueOf(index)) Release(index, value);
    Slots()[index] = Slot{};
    return TRUE;
}
