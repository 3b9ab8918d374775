// The round trip's checks. The model reads and writes the file with plain string operations,
// so that it shares nothing with the streams it checks.
#include "round_trip.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "scores/high_scores.h"

namespace {

struct Model {
    std::vector<std::string> score_texts;
    std::vector<std::string> names;
};

std::string Entry(const char (&entry)[kEntrySize]) {
    return std::string(entry, std::find(entry, entry + kEntrySize, '\0'));
}

std::string AsEntry(const std::string& line) {
    std::string entry = line.substr(0, kEntrySize - 1);
    return entry.substr(0, entry.find('\0'));
}

// A UTF-8 byte-order mark at the start is skipped; the file ends at its end or at the first
// Ctrl-Z; lines end at LF or CR LF, and at a lone CR only in a file without any LF. Each entry
// is its line's first twenty characters up to any NUL, or empty past the last line.
Model Read(std::string bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    bytes = bytes.substr(0, bytes.find('\x1a'));
    const bool lone_cr_ends_lines = bytes.find('\n') == std::string::npos;
    std::vector<std::string> lines(1);
    for (size_t at = 0; at < bytes.size(); ++at) {
        const bool cr_lf = bytes.compare(at, 2, "\r\n") == 0;
        if (bytes[at] == '\n' || cr_lf || (bytes[at] == '\r' && lone_cr_ends_lines)) {
            at += cr_lf;
            lines.emplace_back();
        } else {
            lines.back() += bytes[at];
        }
    }
    lines.resize(2 * kTableSize);
    Model model;
    for (int i = 0; i < kTableSize; ++i) {
        model.score_texts.push_back(AsEntry(lines[i]));
        model.names.push_back(AsEntry(lines[kTableSize + i]));
    }
    return model;
}

std::string LineText(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\x1a', ' ');
    return text;
}

std::string Write(const Model& model) {
    std::string bytes;
    for (int i = 0; i < 2 * kTableSize; ++i) {
        if (i) bytes += "\r\n";
        bytes += LineText(i < kTableSize ? model.score_texts[i] : model.names[i - kTableSize]);
    }
    return bytes;
}

Model Inserted(Model model, int rank, const std::string& score, const std::string& name) {
    model.score_texts.insert(model.score_texts.begin() + rank - 1, score);
    model.names.insert(model.names.begin() + rank - 1, name);
    model.score_texts.resize(kTableSize);
    model.names.resize(kTableSize);
    return model;
}

Model Loaded() {
    Model model;
    for (int i = 0; i < kTableSize; ++i) {
        model.score_texts.push_back(Entry(HighScoreTable.ScoreTexts[i]));
        model.names.push_back(Entry(HighScoreTable.Names[i]));
    }
    return model;
}

std::string DisplayText(const Model& model) {
    const std::string stars(80, '*');
    std::string text = stars;
    for (int i = 0; i < kTableSize; ++i) {
        text += i < 2 ? "\n " : i < 9 ? "\n\n " : "\n\n";
        text += std::to_string(i + 1) + ") " + model.names[i];
        text += (i == 9 ? "\n      " : "\n     ") + model.score_texts[i];
        if (i == 0) text += "\n" + stars;
    }
    return text;
}

std::string ReadFile() {
    std::ifstream in("scores.txt", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool OnlyTheTableInTheDirectory() {
    std::error_code error;
    std::filesystem::directory_iterator entries(".", error), end;
    return std::distance(entries, end) == 1 && std::filesystem::is_regular_file("scores.txt");
}

// What a load must give for the bytes on disk, entries terminated inside their arrays.
std::string CheckLoaded(const std::string& bytes, const char* when) {
    for (int i = 0; i < kTableSize; ++i) {
        if (!std::memchr(HighScoreTable.ScoreTexts[i], '\0', kEntrySize) ||
            !std::memchr(HighScoreTable.Names[i], '\0', kEntrySize))
            return std::string(when) + ": an entry is not terminated";
    }
    const Model model = Read(bytes);
    const Model loaded = Loaded();
    if (loaded.score_texts != model.score_texts || loaded.names != model.names)
        return std::string(when) + ": the table differs from the file's lines";
    if (HighScoreText.Chars() != DisplayText(model))
        return std::string(when) + ": the display text differs";
    return "";
}

// One save of score and name over the loaded table, and the reload that follows it.
std::string CheckSave(int32_t score, const std::string& name, const char* when) {
    const Model before = Loaded();
    const std::string old_bytes = ReadFile();
    // Only a score above the tenth has a rank: the smallest whose stored score is below it.
    int rank = 0;
    if (score > HighScoreTable.Scores[kTableSize - 1]) {
        while (!(score > HighScoreTable.Scores[rank])) ++rank;
        ++rank;
    }
    const int32_t phase_before = EndPhase;
    NewEntryName = name.c_str();
    WriteHighScoreFile(score);
    const std::string bytes = ReadFile();
    const std::string what = when;
    if (NewEntryName.Length() != 0) return what + ": the name was not cleared";
    if (!OnlyTheTableInTheDirectory()) return what + ": a stray file was left beside the table";
    if (rank == 0) {
        if (bytes != old_bytes) return what + ": a score without a rank changed the file";
        if (EndPhase != phase_before) return what + ": a score without a rank changed EndPhase";
        return CheckLoaded(bytes, when);
    }
    if (EndPhase != rank) return what + ": wrong rank";
    const Model expected = Inserted(before, rank, std::to_string(score), LineText(name));
    if (bytes != Write(expected)) return what + ": the file is not the table with the entry";
    if (std::count(bytes.begin(), bytes.end(), '\n') != 2 * kTableSize - 1)
        return what + ": the file does not have twenty lines";
    const Model reloaded = Loaded();
    const Model kept = Inserted(before, rank, std::to_string(score), AsEntry(LineText(name)));
    if (reloaded.score_texts != kept.score_texts || reloaded.names != kept.names)
        return what + ": the reloaded table lost or moved an entry";
    return CheckLoaded(bytes, when);
}

}  // namespace

std::string CheckRoundTrip(const uint8_t* data, size_t size) {
    auto byte = [&](size_t at) { return at < size ? data[at] : uint8_t{0}; };
    const int32_t score = static_cast<int32_t>(uint32_t(byte(0)) | uint32_t(byte(1)) << 8 |
                                               uint32_t(byte(2)) << 16 | uint32_t(byte(3)) << 24);
    const size_t name_end = std::min(size, size_t{5} + byte(4));
    const std::string name = size > 5 ? std::string(data + 5, data + name_end) : "";
    const std::string file = name_end < size ? std::string(data + name_end, data + size) : "";

    HighScoreTable = {};
    EndPhase = kPhasePlaying;
    NewEntryName = "";
    {
        std::ofstream out("scores.txt", std::ios::binary | std::ios::trunc);
        out << file;
        if (!out) return "could not write the input file";
    }
    LoadHighScores();
    if (std::string failure = CheckLoaded(file, "first load"); !failure.empty()) return failure;

    // The name as the text it becomes: up to its first NUL.
    const std::string text_name = name.substr(0, name.find('\0'));
    if (std::string failure = CheckSave(score, text_name, "first save"); !failure.empty())
        return failure;
    // The same save again over what the first one wrote.
    return CheckSave(score, text_name, "second save");
}
