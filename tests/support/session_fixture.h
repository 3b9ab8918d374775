// A test fixture with a live platform session on the headless host. It records the live handle
// counts when a test starts and fails the test if they differ when it ends, so every case is
// also a leak check. Memory DCs made through it are freed before that check.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "platform/core/handle_table.h"
#include "platform/core/surface.h"
#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/win32.h"

namespace test_support {

class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A memory DC holding a new bitmap filled with `rgb` (0x00RRGGBB); the fixture frees both.
    HDC ColourDc(int width, int height, uint32_t rgb = 0xFFFFFF);
    HDC MonoDc(int width, int height, bool white = true);
    // The pixels of the bitmap selected into a DC the fixture made.
    platform::Surface& Pixels(HDC dc);

    int Live(platform::ObjectKind kind) const;

    // Deletes the object when the test ends (after the fixture's DCs, so selection is no matter).
    template <typename H>
    H Keep(H object) {
        kept_.push_back(static_cast<HGDIOBJ>(object));
        return object;
    }

    platform::headless::HeadlessHost host_;
    platform::ResourceCatalogue catalogue_;
    std::unique_ptr<platform::Session> session_;

  private:
    struct OwnedDc {
        HDC dc;
        HBITMAP bitmap;
        HGDIOBJ previous;
    };
    HDC Own(HBITMAP bitmap);

    std::vector<OwnedDc> owned_;
    std::vector<HGDIOBJ> kept_;
    std::array<int, static_cast<size_t>(platform::ObjectKind::kCount)> baseline_{};
};

}  // namespace test_support
