// The game's own load and save of "scores.txt" in the working directory, as a program for the
// tests that need a real process: one to kill mid-save, two saving at once, another user.
//   score_saver SCORE NAME [--wait]
// loads the table as a game over does (with --wait it then prints "loaded" and waits for a line
// on its input, as a player would sit at the name dialog), saves the entry, and prints what the
// player would be told: nothing when all went well.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "scores/high_scores.h"

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    LoadHighScores();
    if (argc > 3 && std::string(argv[3]) == "--wait") {
        std::cout << "loaded" << std::endl;
        std::string line;
        std::getline(std::cin, line);
    }
    NewEntryName = argv[2];
    WriteHighScoreFile(std::atoi(argv[1]));
    std::cout << ScoreFileTrouble.Chars();
    return 0;
}
