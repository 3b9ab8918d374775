#include "harness/headless_input.h"

#include "harness/test_support.h"

namespace harness {

void HeadlessInput::Click(HWND window, POINT point, double at_ms) {
    host_.Click(HostWindowOf(window), point.x, point.y, at_ms);
}

void HeadlessInput::PressKey(HWND window, int virtual_key, double at_ms, bool shift) {
    host_.PressKey(HostWindowOf(window), virtual_key, at_ms, shift);
}

void HeadlessInput::TypeText(HWND window, const std::string& text, double at_ms) {
    host_.TypeText(HostWindowOf(window), text, at_ms);
}

void HeadlessInput::RequestClose(HWND window, double at_ms) {
    host_.RequestClose(HostWindowOf(window), at_ms);
}

}  // namespace harness
