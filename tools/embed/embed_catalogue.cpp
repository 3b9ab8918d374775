// The embedder's naming, icon splitting and source writing; file handling is in embed_main.cpp.
#include "tools/embed/embed_catalogue.h"

#include <cctype>
#include <cstdio>

#include "platform/core/little_endian.h"

namespace embed {

namespace {

using platform::ReadLe16;
using platform::ReadLe32;

constexpr size_t kIconDirSize = 6;
constexpr size_t kIconFileEntrySize = 16;
constexpr size_t kLiteralLineBytes = 96;

void PutLe16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

std::string_view BaseName(std::string_view path) {
    size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? path : path.substr(0, dot);
}

std::string LowerExtension(std::string_view path) {
    size_t dot = path.rfind('.');
    size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return "";
    std::string ext(path.substr(dot + 1));
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// A string literal that holds the bytes exactly: octal escapes are always three digits, so a
// digit that follows one is never taken into it.
void AppendLiteral(std::string& out, std::span<const uint8_t> bytes, const char* indent) {
    out += indent;
    out += '"';
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % kLiteralLineBytes == 0) {
            out += "\"\n";
            out += indent;
            out += '"';
        }
        uint8_t c = bytes[i];
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
            out += static_cast<char>(c);
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", c);
            out += escape;
        }
    }
    out += '"';
}

std::string KeyExpression(const Key& key) {
    if (key.IsNumber()) return "MAKEINTRESOURCEA(" + std::to_string(key.number) + ")";
    std::string out;
    std::vector<uint8_t> bytes(key.name.begin(), key.name.end());
    AppendLiteral(out, bytes, "");
    return out;
}

}  // namespace

std::optional<Key> KeyForBaseName(std::string_view base_name) {
    if (base_name.empty()) return std::nullopt;
    bool digits = true;
    for (char c : base_name) digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (digits) {
        if (base_name.size() > 5) return std::nullopt;
        unsigned long number = std::stoul(std::string(base_name));
        if (number > 0xFFFF) return std::nullopt;
        return Key{static_cast<uint16_t>(number), ""};
    }
    std::string upper(base_name);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return Key{0, upper};
}

std::vector<Resource> SplitIcon(std::span<const uint8_t> ico, const Key& name,
                                uint16_t* next_image_id, std::string* error) {
    if (ico.size() < kIconDirSize || ReadLe16(ico, 0) != 0 || ReadLe16(ico, 2) != 1) {
        *error = "not an icon file";
        return {};
    }
    uint16_t count = ReadLe16(ico, 4);
    if (count == 0 || kIconDirSize + size_t{count} * kIconFileEntrySize > ico.size()) {
        *error = "icon directory is empty or runs past the end";
        return {};
    }
    Resource group{Key{kTypeGroupIcon, ""}, name, {}};
    group.bytes.assign(ico.begin(), ico.begin() + kIconDirSize);
    std::vector<Resource> images;
    for (size_t i = 0; i < count; ++i) {
        size_t at = kIconDirSize + i * kIconFileEntrySize;
        uint64_t size = ReadLe32(ico, at + 8);
        uint64_t offset = ReadLe32(ico, at + 12);
        if (size == 0 || offset + size > ico.size()) {
            *error = "icon image " + std::to_string(i) + " runs past the end";
            return {};
        }
        if (*next_image_id == 0) {
            *error = "too many icon images";
            return {};
        }
        uint16_t id = (*next_image_id)++;
        // Width, height, colours, reserved, planes, bit count and size stay as they are.
        group.bytes.insert(group.bytes.end(), ico.begin() + at, ico.begin() + at + 12);
        PutLe16(group.bytes, id);
        images.push_back({Key{kTypeIcon, ""}, Key{id, ""},
                          std::vector<uint8_t>(ico.begin() + offset, ico.begin() + offset + size)});
    }
    std::vector<Resource> out;
    out.push_back(std::move(group));
    for (Resource& image : images) out.push_back(std::move(image));
    return out;
}

std::vector<Resource> ResourcesForFile(std::string_view path, std::vector<uint8_t> bytes,
                                       uint16_t* next_image_id, std::string* error) {
    std::optional<Key> name = KeyForBaseName(BaseName(path));
    if (!name) {
        *error = "cannot name a resource after " + std::string(path);
        return {};
    }
    std::string ext = LowerExtension(path);
    if (ext == "bmp") return {Resource{Key{kTypeBitmap, ""}, *name, std::move(bytes)}};
    if (ext == "wav") return {Resource{Key{0, kTypeSound}, *name, std::move(bytes)}};
    if (ext == "ico") return SplitIcon(bytes, *name, next_image_id, error);
    *error = "unknown kind of resource file: " + std::string(path);
    return {};
}

std::string CatalogueSource(const std::vector<Resource>& resources, std::string_view function) {
    std::string_view scope, unqualified = function;
    if (size_t colons = function.rfind("::"); colons != std::string_view::npos) {
        scope = function.substr(0, colons);
        unqualified = function.substr(colons + 2);
    }
    std::string out =
        "// Generated at build time by the resource embedder; edits are overwritten.\n"
        "#include <span>\n\n#include \"platform/resources.h\"\n\n";
    if (!resources.empty()) out += "namespace {\n\n";
    for (size_t i = 0; i < resources.size(); ++i) {
        out += "alignas(4) const char kBytes" + std::to_string(i) + "[] =\n";
        AppendLiteral(out, resources[i].bytes, "    ");
        out += ";\n";
    }
    if (!resources.empty()) {
        out += "\nconst platform::ResourceEntry kEntries[] = {\n";
        for (size_t i = 0; i < resources.size(); ++i) {
            std::string bytes = "kBytes" + std::to_string(i);
            out += "    {" + KeyExpression(resources[i].type) + ", " +
                   KeyExpression(resources[i].name) + ", " + bytes + ", sizeof " + bytes +
                   " - 1},\n";
        }
        out += "};\n\n}  // namespace\n\n";
    }
    std::string signature =
        "std::span<const platform::ResourceEntry> " + std::string(unqualified) + "()";
    if (!scope.empty()) out += "namespace " + std::string(scope) + " {\n\n";
    out += signature + ";\n" + signature + " {";
    out += resources.empty() ? " return {}; }\n" : " return kEntries; }\n";
    if (!scope.empty()) out += "\n}  // namespace " + std::string(scope) + "\n";
    return out;
}

}  // namespace embed
