#include "tools/replay/script.h"

#include <cctype>
#include <cmath>
#include <sstream>

#include "platform/win32.h"

namespace replay {

namespace {

bool ParseTime(const std::string& word, double* ms) {
    char* end = nullptr;
    *ms = std::strtod(word.c_str(), &end);
    return !word.empty() && end && *end == '\0' && std::isfinite(*ms) && *ms >= 0;
}

bool ParseInt(const std::string& word, int* value) {
    char* end = nullptr;
    long parsed = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || !end || *end != '\0' || parsed < -32768 || parsed > 32767) return false;
    *value = static_cast<int>(parsed);
    return true;
}

// The key-down code and the character of a key's name.
bool ParseKey(const std::string& name, Input* input) {
    struct Arrow {
        const char* name;
        int key;
    };
    for (Arrow arrow : {Arrow{"LEFT", VK_LEFT}, Arrow{"UP", VK_UP}, Arrow{"RIGHT", VK_RIGHT},
                        Arrow{"DOWN", VK_DOWN}}) {
        if (name == arrow.name) {
            input->virtual_key = arrow.key;
            input->character = 0;
            return true;
        }
    }
    if (name == "SPACE") {
        input->virtual_key = input->character = VK_SPACE;
        return true;
    }
    if (name.size() != 1) return false;
    unsigned char c = static_cast<unsigned char>(name[0]);
    if (std::isalpha(c)) {
        input->virtual_key = std::toupper(c);
        input->character = c;
        return true;
    }
    if (std::isdigit(c)) {
        input->virtual_key = input->character = c;
        return true;
    }
    return false;
}

bool ParseLine(const std::string& line, Script* script, bool* ended, std::string* problem) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "name") {
        std::string rest;
        std::getline(words, rest);
        size_t start = rest.find_first_not_of(' ');
        script->name = start == std::string::npos ? "" : rest.substr(start);
        return true;
    }
    std::vector<std::string> args;
    for (std::string word; words >> word;) args.push_back(word);
    if (command == "playagain") {
        if (args.size() != 1 || (args[0] != "yes" && args[0] != "no")) {
            *problem = "playagain takes yes or no";
            return false;
        }
        script->play_again = args[0] == "yes";
        return true;
    }
    if (command == "end") {
        if (args.size() != 1 || !ParseTime(args[0], &script->end_ms)) {
            *problem = "end takes a time";
            return false;
        }
        *ended = true;
        return true;
    }
    if (command != "at" || args.size() < 2) {
        *problem = "expected at, end, playagain or name";
        return false;
    }
    Input input;
    if (!ParseTime(args[0], &input.at_ms)) {
        *problem = "a time is a number of milliseconds, 0 or more";
        return false;
    }
    const std::string& what = args[1];
    if (what == "key" && args.size() == 3 && ParseKey(args[2], &input)) {
        input.kind = InputKind::kKey;
        input.key_name = args[2];
    } else if ((what == "click" || what == "rclick") && args.size() == 4 &&
               ParseInt(args[2], &input.x) && ParseInt(args[3], &input.y)) {
        input.kind = what == "click" ? InputKind::kClick : InputKind::kRightClick;
    } else {
        *problem = "expected key NAME, click X Y or rclick X Y";
        return false;
    }
    script->inputs.push_back(input);
    return true;
}

}  // namespace

std::optional<Script> ParseScript(const std::string& text, std::string* error) {
    Script script;
    bool ended = false;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        std::string problem;
        if (!ParseLine(line.substr(start), &script, &ended, &problem)) {
            *error = "line " + std::to_string(number) + ": " + problem;
            return std::nullopt;
        }
    }
    if (!ended) {
        *error = "the script has no end";
        return std::nullopt;
    }
    return script;
}

}  // namespace replay
