// The drawing objects a program holds between handlers. Every handler makes its own DCs,
// brushes and pens and frees them before it returns; what stays alive is what the open windows
// own: the main window's seventeen pictures, a dialog's font and picture, and nothing else.
// So the live counts are a function of which top-level windows are open. The baseline of a
// set of windows (named by their titles, in creation order) is fixed: for no window at all,
// nothing; for the main window alone, its seventeen bitmaps; for any other set, what the first
// handler to return with that set open left alive. Every later handler with the same windows
// open must leave exactly that.
#pragma once

#include <array>
#include <map>
#include <string>

#include "platform/core/handle_table.h"

namespace soak {

inline constexpr std::array kWatchedKinds = {
    platform::ObjectKind::kDeviceContext, platform::ObjectKind::kBitmap,
    platform::ObjectKind::kBrush, platform::ObjectKind::kPen, platform::ObjectKind::kFont};

using Counts = std::array<int, kWatchedKinds.size()>;

class GdiWatch {
  public:
    explicit GdiWatch(std::string main_title);

    // Compares the live counts with the baseline of the windows open now; false with a
    // description of the difference when they differ.
    bool Check(std::string* problem);
    // The live counts of the session, in the order of kWatchedKinds.
    static Counts Live();
    static std::string Describe(const Counts& counts);
    // The titles of the open top-level windows, one per line.
    static std::string OpenWindows();

    size_t window_sets() const { return baselines_.size(); }

  private:
    std::map<std::string, Counts> baselines_;
};

}  // namespace soak
