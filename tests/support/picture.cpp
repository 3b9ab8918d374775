// Picture comparison and the failure images it leaves behind.
#include "tests/support/picture.h"

#include <filesystem>

#include "tools/png/surface_png.h"

namespace test_support {

namespace {

uint32_t PixelAt(const platform::Surface& surface, int x, int y) {
    if (surface.IsMono()) return surface.Bit(x, y) ? 0xFFFFFFu : 0u;
    return surface.Pixel(x, y);
}

}  // namespace

std::string FailureImagePath(const std::string& suffix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "picture";
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    std::filesystem::path folder = std::filesystem::absolute("pixel_failures");
    std::filesystem::create_directories(folder);
    return (folder / (name + suffix)).string();
}

Picture Describe(const platform::Surface& surface, int left, int top, int width, int height,
                 const Legend& legend) {
    Picture rows;
    for (int y = top; y < top + height; ++y) {
        std::string row;
        for (int x = left; x < left + width; ++x) {
            char name = '?';
            if (x >= 0 && y >= 0 && x < surface.width && y < surface.height) {
                for (const auto& [c, rgb] : legend) {
                    if (rgb == PixelAt(surface, x, y)) name = c;
                }
            }
            row += name;
        }
        rows.push_back(row);
    }
    return rows;
}

::testing::AssertionResult MatchesPicture(const platform::Surface& surface, int left, int top,
                                          const Picture& picture, const Legend& legend) {
    int height = static_cast<int>(picture.size());
    int width = height ? static_cast<int>(picture[0].size()) : 0;
    platform::Surface expected = platform::Surface::Color(width, height);
    platform::Surface actual = platform::Surface::Color(width, height);
    std::string problems;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            auto colour = legend.find(picture[y][x]);
            if (colour == legend.end())
                return ::testing::AssertionFailure() << "legend lacks '" << picture[y][x] << "'";
            expected.SetPixel(x, y, colour->second);
            int sx = left + x, sy = top + y;
            bool inside = sx >= 0 && sy >= 0 && sx < surface.width && sy < surface.height;
            actual.SetPixel(x, y, inside ? PixelAt(surface, sx, sy) : 0xFF00FFu);
            if (!inside || actual.Pixel(x, y) != colour->second) {
                if (problems.size() < 400) {
                    char line[96];
                    std::snprintf(line, sizeof line, "  (%d,%d) is %06X, want %06X\n", sx, sy,
                                  actual.Pixel(x, y), colour->second);
                    problems += line;
                }
            }
        }
    }
    if (problems.empty()) return ::testing::AssertionSuccess();
    std::string actual_path = FailureImagePath(".actual.png");
    std::string expected_path = FailureImagePath(".expected.png");
    png::WritePng(actual_path, actual, 8);
    png::WritePng(expected_path, expected, 8);
    auto result = ::testing::AssertionFailure();
    result << "pixels differ:\n" << problems << "actual:\n";
    for (const auto& row : Describe(surface, left, top, width, height, legend))
        result << "  " << row << "\n";
    result << "expected:\n";
    for (const auto& row : picture) result << "  " << row << "\n";
    result << "images: " << actual_path << " and " << expected_path;
    return result;
}

}  // namespace test_support
