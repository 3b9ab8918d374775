#include "tests/program/soak/gdi_watch.h"

#include "platform/session.h"
#include "platform/user/user_state.h"

namespace soak {

namespace {
constexpr int kPictures = 17;
}

GdiWatch::GdiWatch(std::string main_title) {
    baselines_[""] = Counts{};
    Counts main{};
    main[1] = kPictures;  // bitmaps
    baselines_[main_title + "\n"] = main;
}

Counts GdiWatch::Live() {
    platform::HandleTable& handles = platform::Session::Current().handles();
    Counts counts{};
    for (size_t i = 0; i < kWatchedKinds.size(); ++i)
        counts[i] = handles.LiveCount(kWatchedKinds[i]);
    return counts;
}

std::string GdiWatch::Describe(const Counts& counts) {
    std::string text;
    for (size_t i = 0; i < kWatchedKinds.size(); ++i) {
        if (!text.empty()) text += ", ";
        text += std::string(platform::ObjectKindName(kWatchedKinds[i])) + " " +
                std::to_string(counts[i]);
    }
    return text;
}

std::string GdiWatch::OpenWindows() {
    platform::user::UserState& state = platform::user::State();
    std::string titles;
    for (HWND hwnd : state.windows().top_levels())
        if (const platform::user::Window* window = state.Find(hwnd)) titles += window->text + "\n";
    return titles;
}

bool GdiWatch::Check(std::string* problem) {
    std::string windows = OpenWindows();
    Counts live = Live();
    auto [baseline, first] = baselines_.try_emplace(windows, live);
    if (first || baseline->second == live) return true;
    *problem = "drawing objects alive: " + Describe(live) +
               "; with these windows open there were " + Describe(baseline->second) +
               "\nopen windows:\n" + windows + "alive:\n" +
               platform::Session::Current().handles().DescribeAlive();
    return false;
}

}  // namespace soak
