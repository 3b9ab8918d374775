// The table behind every handle: a type tag and a generation per slot, so that a stale or
// wrong handle is refused, and live counts per kind for the leak checks of the tests.
// Drawing objects are also counted while selected into a DC, so that deleting one that is still
// selected waits until the last DC lets go of it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class ObjectKind : uint8_t {
    kDeviceContext,
    kBitmap,
    kBrush,
    kPen,
    kFont,
    kWindow,
    kIcon,
    kCount
};

const char* ObjectKindName(ObjectKind kind);

class HandleTable {
  public:
    using Handle = uintptr_t;

    class Object {
      public:
        virtual ~Object() = default;
    };

    struct LiveObject {
        Handle handle;
        ObjectKind kind;
    };

    enum class Lifetime { kCounted, kStock };

    HandleTable();
    ~HandleTable();
    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;

    // Takes ownership; stock objects are never counted as live and never removed.
    Handle Add(ObjectKind kind, std::unique_ptr<Object> object,
               Lifetime lifetime = Lifetime::kCounted);

    // nullptr for 0, a stale handle, or a handle of another kind.
    Object* Find(Handle handle, ObjectKind kind) const;
    template <typename T>
    T* Get(Handle handle, ObjectKind kind) const {
        return static_cast<T*>(Find(handle, kind));
    }
    // The kind of a live handle; false when the handle is not live.
    bool KindOf(Handle handle, ObjectKind* kind) const;
    bool IsStock(Handle handle) const;

    // Takes the object out of the table and hands it back, so the caller decides when it
    // dies; nullptr (and nothing changes) for a stale, wrong-kind or stock handle.
    std::unique_ptr<Object> Remove(Handle handle, ObjectKind kind);

    // Selection counting: a DC retains what it selects and releases it when it selects something
    // else or dies. Stock and dead handles are ignored.
    void Retain(Handle handle);
    void Release(Handle handle);
    int Selections(Handle handle) const;

    enum class DeleteOutcome { kRefused, kStock, kDeleted, kDeferred };
    // Deletes now, or marks the object to die at its last Release while it is selected. The
    // handle stays valid until it dies. Stock objects are left alone.
    DeleteOutcome Delete(Handle handle, ObjectKind kind);
    bool IsDeletePending(Handle handle) const;

    int LiveCount(ObjectKind kind) const { return live_[static_cast<size_t>(kind)]; }
    std::vector<LiveObject> Alive() const;
    std::string DescribeAlive() const;  // one line per live object, for leak reports

  private:
    struct Slot {
        std::unique_ptr<Object> object;
        uint32_t generation = 1;
        ObjectKind kind = ObjectKind::kCount;
        bool stock = false;
        int selections = 0;
        bool delete_pending = false;
    };

    const Slot* SlotFor(Handle handle) const;
    Slot* MutableSlotFor(Handle handle);

    std::vector<Slot> slots_;  // slot 0 is never used, so no handle is 0
    std::vector<uint32_t> free_slots_;
    std::array<int, static_cast<size_t>(ObjectKind::kCount)> live_{};
};

}  // namespace platform
