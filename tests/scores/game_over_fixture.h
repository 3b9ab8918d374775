// The game on the headless host brought to the end of its last life, with helpers to answer
// the name dialog, to put a table file in place, and to see how often the game reads it.
#pragma once

#include <string>
#include <vector>

#include "tests/game/game_fixture.h"

namespace game_test {

inline constexpr char kNameTitle[] = "Quibbert's Hall of Fame";
inline constexpr char kGameOverCaption[] = "G  A  M  E    O  V  E  R";
inline constexpr char kTableCaption[] =
    "                         H  I  G  H       S  C  O  R  E  S          ";
inline constexpr char kQuestionCaption[] = "Quibbert needs you...";
inline constexpr char kNoText[] = "Fine, be that way, now you can't do anything\nHAHAHAHAHAHHAHHa";

// Counts the passes that read "scores.txt" from start to close: a load makes two, one for the
// lines and one for the numbers. A writer's look at the file without reading is not a pass.
class ReadPasses {
  public:
    ReadPasses();
    ~ReadPasses();
    ReadPasses(const ReadPasses&) = delete;
    ReadPasses& operator=(const ReadPasses&) = delete;
    // The passes finished since construction.
    int Count();

  private:
    int fd_ = -1;
    bool read_since_open_ = false;
    int passes_ = 0;
};

class GameOverTest : public GameTest {
  protected:
    void SetUp() override;

    // The last life is lost to a car, with this score; `key` settles it, and the flow runs to
    // its end.
    void EndTheGame(int32_t score, int key = 'A');
    // Clicks into the name field, types `name` and presses "OK".
    static void EnterName(harness::ModalWindow& dialog, const std::string& name);

    static void WriteTableFile(const std::string& bytes);
    static std::string TableFile();
    // The file's lines split at CR LF.
    static std::vector<std::string> TableLines();

    std::vector<std::string> Captions() const;
    int BoxesCaptioned(const std::string& caption) const;

    // Paints a patch of the house wall that only a repaint of the whole scene puts back.
    void MarkTheWall();
    bool WallMarked() { return PixelAt(250, 120) == kMark; }

    static constexpr uint32_t kMark = 0xFF00FF;
};

}  // namespace game_test
