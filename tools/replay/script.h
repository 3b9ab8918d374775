// A replay script: input at virtual times after the main window's first paint, when to stop,
// and how to answer the questions a game can ask.
//
//   at MS key NAME      LEFT, UP, RIGHT, DOWN, SPACE, or one letter or digit
//   at MS click X Y     a single left click in the main window's client area
//   at MS rclick X Y    a right click
//   end MS              the run stops once everything due at MS has happened
//   playagain yes|no    the answer to "Play Again?" (no unless given)
//   name TEXT           the name typed when a high score asks for one (else Escape)
//
// Blank lines and lines starting with '#' are left out. Times may have decimals.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace replay {

enum class InputKind { kKey, kClick, kRightClick };

struct Input {
    double at_ms = 0;
    InputKind kind = InputKind::kKey;
    std::string key_name;  // as written, for the log
    int virtual_key = 0;
    int character = 0;  // 0 for keys that type nothing (the arrows)
    int x = 0, y = 0;
};

struct Script {
    std::vector<Input> inputs;  // in the order written
    double end_ms = 0;
    bool play_again = false;
    std::optional<std::string> name;
};

// Reads a script; on a mistake returns nothing and says what and where in *error.
std::optional<Script> ParseScript(const std::string& text, std::string* error);

}  // namespace replay
