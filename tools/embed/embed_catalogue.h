// The build-time embedder's work, apart from file handling: naming resources after their files,
// splitting an icon file into the group directory and images a compiled resource file holds,
// and writing the C++ source that carries every resource's bytes into the program.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace embed {

// A resource type or name: a number, or a string in capitals.
struct Key {
    uint16_t number = 0;
    std::string name;  // empty when the key is a number

    bool IsNumber() const { return name.empty(); }
    bool operator==(const Key&) const = default;
};

inline constexpr uint16_t kTypeBitmap = 2;
inline constexpr uint16_t kTypeIcon = 3;
inline constexpr uint16_t kTypeGroupIcon = 14;
inline const char kTypeSound[] = "SOUND";

struct Resource {
    Key type;
    Key name;
    std::vector<uint8_t> bytes;
};

// "sky" -> "SKY", "111" -> 111; nullopt for an empty name or a number past 65535.
std::optional<Key> KeyForBaseName(std::string_view base_name);

// An .ico file becomes one group (type 14, the given name) and one image (type 3) per entry,
// numbered from *next_image_id on, which is advanced. The group's directory is the file's with
// each image's offset replaced by its number. Empty with a message in *error when malformed.
std::vector<Resource> SplitIcon(std::span<const uint8_t> ico, const Key& name,
                                uint16_t* next_image_id, std::string* error);

// The resources one file becomes, by its extension: .bmp (a bitmap), .wav (a "SOUND"), .ico.
std::vector<Resource> ResourcesForFile(std::string_view path, std::vector<uint8_t> bytes,
                                       uint16_t* next_image_id, std::string* error);

// C++ source defining `std::span<const platform::ResourceEntry> function()` (function may be
// qualified by namespaces, "ns::Entries") over the resources' bytes, in the given order.
std::string CatalogueSource(const std::vector<Resource>& resources, std::string_view function);

}  // namespace embed
