#include "platform/core/handle_table.h"

#include <cassert>
#include <cstdio>

namespace platform {

namespace {
// A handle is the slot index in the low 20 bits and the slot's generation above it.
constexpr uint32_t kIndexBits = 20;
constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
constexpr uint32_t kGenerationMask = (1u << 11) - 1;  // keeps handles below 2^31

HandleTable::Handle MakeHandle(uint32_t index, uint32_t generation) {
    return (static_cast<HandleTable::Handle>(generation & kGenerationMask) << kIndexBits) | index;
}
}  // namespace

const char* ObjectKindName(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::kDeviceContext:
            return "DC";
        case ObjectKind::kBitmap:
            return "bitmap";
        case ObjectKind::kBrush:
            return "brush";
        case ObjectKind::kPen:
            return "pen";
        case ObjectKind::kFont:
            return "font";
        case ObjectKind::kWindow:
            return "window";
        case ObjectKind::kIcon:
            return "icon";
        case ObjectKind::kCount:
            break;
    }
    return "?";
}

HandleTable::HandleTable() {
    slots_.resize(1);
}

HandleTable::~HandleTable() = default;

HandleTable::Handle HandleTable::Add(ObjectKind kind, std::unique_ptr<Object> object,
                                     Lifetime lifetime) {
    assert(object && "a handle must own an object");
    uint32_t index;
    if (!free_slots_.empty()) {
        index = free_slots_.back();
        free_slots_.pop_back();
    } else {
        index = static_cast<uint32_t>(slots_.size());
        assert(index <= kIndexMask && "handle table is full");
        slots_.emplace_back();
    }
    Slot& slot = slots_[index];
    slot.object = std::move(object);
    slot.kind = kind;
    slot.stock = lifetime == Lifetime::kStock;
    if (!slot.stock) ++live_[static_cast<size_t>(kind)];
    return MakeHandle(index, slot.generation);
}

const HandleTable::Slot* HandleTable::SlotFor(Handle handle) const {
    uint32_t index = static_cast<uint32_t>(handle & kIndexMask);
    uint32_t generation = static_cast<uint32_t>(handle >> kIndexBits);
    if (index == 0 || index >= slots_.size()) return nullptr;
    const Slot& slot = slots_[index];
    if (!slot.object || (slot.generation & kGenerationMask) != generation) return nullptr;
    return &slot;
}

HandleTable::Slot* HandleTable::MutableSlotFor(Handle handle) {
    return const_cast<Slot*>(SlotFor(handle));
}

HandleTable::Object* HandleTable::Find(Handle handle, ObjectKind kind) const {
    const Slot* slot = SlotFor(handle);
    return slot && slot->kind == kind ? slot->object.get() : nullptr;
}

bool HandleTable::KindOf(Handle handle, ObjectKind* kind) const {
    const Slot* slot = SlotFor(handle);
    if (!slot) return false;
    *kind = slot->kind;
    return true;
}

bool HandleTable::IsStock(Handle handle) const {
    const Slot* slot = SlotFor(handle);
    return slot && slot->stock;
}

std::unique_ptr<HandleTable::Object> HandleTable::Remove(Handle handle, ObjectKind kind) {
    const Slot* found = SlotFor(handle);
    if (!found || found->kind != kind || found->stock) return nullptr;
    uint32_t index = static_cast<uint32_t>(handle & kIndexMask);
    Slot& slot = slots_[index];
    std::unique_ptr<Object> object = std::move(slot.object);
    ++slot.generation;
    slot.selections = 0;
    slot.delete_pending = false;
    --live_[static_cast<size_t>(kind)];
    free_slots_.push_back(index);
    return object;
}

void HandleTable::Retain(Handle handle) {
    Slot* slot = MutableSlotFor(handle);
    if (slot && !slot->stock) ++slot->selections;
}

void HandleTable::Release(Handle handle) {
    Slot* slot = MutableSlotFor(handle);
    if (!slot || slot->stock) return;
    assert(slot->selections > 0 && "released an object that was not retained");
    if (--slot->selections == 0 && slot->delete_pending) Remove(handle, slot->kind);
}

int HandleTable::Selections(Handle handle) const {
    const Slot* slot = SlotFor(handle);
    return slot ? slot->selections : 0;
}

HandleTable::DeleteOutcome HandleTable::Delete(Handle handle, ObjectKind kind) {
    Slot* slot = MutableSlotFor(handle);
    if (!slot || slot->kind != kind) return DeleteOutcome::kRefused;
    if (slot->stock) return DeleteOutcome::kStock;
    if (slot->selections > 0) {
        slot->delete_pending = true;
        return DeleteOutcome::kDeferred;
    }
    Remove(handle, kind);
    return DeleteOutcome::kDeleted;
}

bool HandleTable::IsDeletePending(Handle handle) const {
    const Slot* slot = SlotFor(handle);
    return slot && slot->delete_pending;
}

std::vector<HandleTable::LiveObject> HandleTable::Alive() const {
    std::vector<LiveObject> alive;
    for (uint32_t i = 1; i < slots_.size(); ++i) {
        const Slot& slot = slots_[i];
        if (slot.object && !slot.stock)
            alive.push_back({MakeHandle(i, slot.generation), slot.kind});
    }
    return alive;
}

std::string HandleTable::DescribeAlive() const {
    std::string text;
    for (const LiveObject& live : Alive()) {
        char line[64];
        std::snprintf(line, sizeof line, "%s 0x%llx\n", ObjectKindName(live.kind),
                      static_cast<unsigned long long>(live.handle));
        text += line;
    }
    return text;
}

}  // namespace platform
