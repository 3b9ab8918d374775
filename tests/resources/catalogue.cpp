// The catalogue of pictures and sounds the game carries: names, sizes, depths, backgrounds,
// rates and lengths.
#include "tests/resources/resource_checks.h"

namespace resource_checks {
namespace {

constexpr CataloguedBitmap kBitmaps[] = {
    {"sky", 800, 292, 8, Background::kFilled},
    {"smallquibbert", 32, 53, 8, Background::kKeyWhite},
    {"squished", 53, 32, 8, Background::kKeyBlack},
    {"drown", 32, 53, 8, Background::kKeyWhite},
    {"splat", 32, 53, 8, Background::kKeyWhite},
    {"car1", 40, 17, 4, Background::kRoad},
    {"car2", 40, 17, 4, Background::kRoad},
    {"bus", 77, 32, 4, Background::kRoad},
    {"semi", 101, 38, 4, Background::kRoad},
    {"truck", 43, 22, 4, Background::kRoad},
    {"mower", 40, 33, 4, Background::kRoad},
    {"log", 61, 17, 4, Background::kRiver},
    {"biglog", 97, 17, 4, Background::kRiver},
    {"lilly1", 47, 22, 4, Background::kRiver},
    {"lilly2", 47, 22, 4, Background::kRiver},
    {"cookie", 40, 51, 8, Background::kFilled},
    {"burnt_house", 384, 300, 24, Background::kSkyCorners},
    {"111", 408, 157, 24, Background::kFilled},
    {"115", 91, 91, 8, Background::kBlueGreen},
};

constexpr CataloguedSound kSounds[] = {
    {"giggle", 22254, 22254},    {"cookin", 11025, 22050},  {"ahhh", 11025, 18860},
    {"splash", 11025, 21433},    {"perfect", 22255, 16730}, {"splat", 11025, 5512},
    {"audience", 22050, 118646},
};

constexpr Rgb kSystemColours[] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

}  // namespace

std::span<const CataloguedBitmap> Bitmaps() {
    return kBitmaps;
}
std::span<const CataloguedSound> Sounds() {
    return kSounds;
}
std::span<const Rgb> SystemColours() {
    return kSystemColours;
}

}  // namespace resource_checks
