// zf_icon_png ICON.ico SIDE OUTPUT.png: writes the icon's largest image as a PNG SIDE pixels
// square, enlarged by whole pixels. Used at build time for the desktop's icon theme.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/icon_png/icon_image.h"
#include "tools/png/png_encoder.h"

namespace {

bool ReadFile(const char* path, std::vector<uint8_t>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Written beside the target and renamed over it, so a failed run never leaves half a picture.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) std::filesystem::remove(partial, error);
    return !error;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "zf_icon_png: %s\n", message.c_str());
    return 1;
}

std::vector<uint8_t> EncodeIcon(const icon_png::RgbaImage& image) {
    return png::Encode(image.width, image.height, png::Channels::kRgba, image.bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: zf_icon_png ICON.ico SIDE OUTPUT.png\n");
        return 2;
    }
    std::vector<uint8_t> file;
    if (!ReadFile(argv[1], &file)) return Fail(std::string("cannot read ") + argv[1]);
    icon_png::RgbaImage image;
    std::string error;
    if (!icon_png::DecodeIcon(file, &image, &error))
        return Fail(std::string(argv[1]) + ": " + error);

    int side = std::atoi(argv[2]);
    if (image.width != image.height || side < image.width || side % image.width != 0) {
        return Fail("the icon is " + std::to_string(image.width) + " x " +
                    std::to_string(image.height) + "; " + argv[2] +
                    " is not a whole multiple of its side");
    }
    if (!WriteFile(argv[3], EncodeIcon(icon_png::ScaleUp(image, side / image.width))))
        return Fail(std::string("cannot write ") + argv[3]);
    return 0;
}
