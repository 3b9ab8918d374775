// Drawing state owned by the session: the stock objects, the fonts and a scratch row that the
// blitter reuses instead of allocating one per copy.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/core/handle_table.h"
#include "platform/gdi/fonts.h"

namespace platform {
namespace gdi {

// Indexes of GetStockObject that exist here; the others give NULL.
constexpr int kStockObjectCount = 18;  // DEFAULT_GUI_FONT + 1

class GdiState {
  public:
    explicit GdiState(HandleTable& handles);
    ~GdiState();
    GdiState(const GdiState&) = delete;
    GdiState& operator=(const GdiState&) = delete;

    HandleTable& handles() { return handles_; }
    FontLibrary& fonts() { return fonts_; }

    // 0 for an index without a stock object.
    HandleTable::Handle Stock(int index) const;
    // The 1 x 1 monochrome bitmap every memory DC starts with.
    HandleTable::Handle DefaultBitmap() const { return default_bitmap_; }

    std::vector<uint32_t>& scratch() { return scratch_; }

  private:
    HandleTable& handles_;
    FontLibrary fonts_;
    std::array<HandleTable::Handle, kStockObjectCount> stock_{};
    HandleTable::Handle default_bitmap_ = 0;
    std::vector<uint32_t> scratch_;
};

}  // namespace gdi
}  // namespace platform
