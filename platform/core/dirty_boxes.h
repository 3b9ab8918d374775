// The parts of a surface changed since the host last showed them, as a few boxes. A tick
// repaints the status line at the top and the bands at the bottom; one bounding box would
// make the host copy the untouched house between them on every frame.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace platform {

struct DirtyBox {
    int left = 0, top = 0, right = 0, bottom = 0;  // [left, right) x [top, bottom)

    bool Empty() const { return left >= right || top >= bottom; }
    int64_t Area() const { return Empty() ? 0 : int64_t{right - left} * (bottom - top); }
    bool Contains(const DirtyBox& o) const {
        return left <= o.left && top <= o.top && o.right <= right && o.bottom <= bottom;
    }
    // Overlapping or sharing an edge: merging them costs nothing.
    bool Touches(const DirtyBox& o) const {
        return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
    }
    DirtyBox Union(const DirtyBox& o) const {
        return {left < o.left ? left : o.left, top < o.top ? top : o.top,
                right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom};
    }
};

class DirtyBoxes {
  public:
    static constexpr int kMaxBoxes = 4;

    bool Any() const { return count_ > 0; }
    void Clear() { count_ = 0; }
    std::span<const DirtyBox> boxes() const { return {boxes_.data(), size_t(count_)}; }

    // The box around all of them; empty when nothing is dirty.
    DirtyBox Bounds() const {
        DirtyBox bounds;
        for (int i = 0; i < count_; ++i) bounds = i == 0 ? boxes_[0] : bounds.Union(boxes_[i]);
        return bounds;
    }

    // Adds a box already clipped by the caller. It joins every box it touches; when all
    // slots are taken it joins the one whose union grows least.
    void Add(DirtyBox box) {
        if (box.Empty()) return;
        for (int i = 0; i < count_;) {
            if (boxes_[i].Contains(box)) return;
            if (box.Touches(boxes_[i])) {
                box = box.Union(boxes_[i]);
                boxes_[i] = boxes_[--count_];
                i = 0;  // the bigger box may now touch one already passed
                continue;
            }
            ++i;
        }
        if (count_ < kMaxBoxes) {
            boxes_[count_++] = box;
            return;
        }
        int best = 0;
        int64_t best_growth = INT64_MAX;
        for (int i = 0; i < count_; ++i) {
            int64_t growth = boxes_[i].Union(box).Area() - boxes_[i].Area();
            if (growth < best_growth) best = i, best_growth = growth;
        }
        DirtyBox merged = boxes_[best].Union(box);
        boxes_[best] = boxes_[--count_];
        Add(merged);  // may now touch others; at most kMaxBoxes levels deep
    }

  private:
    std::array<DirtyBox, kMaxBoxes> boxes_{};
    int count_ = 0;
};

}  // namespace platform
