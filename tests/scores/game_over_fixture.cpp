#include "tests/scores/game_over_fixture.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "resources/resource_ids.h"
#include "scores/high_scores.h"

namespace game_test {

namespace {
constexpr char kFile[] = "scores.txt";
}  // namespace

ReadPasses::ReadPasses() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    EXPECT_GE(fd_, 0) << "no inotify: " << std::strerror(errno);
    if (fd_ >= 0) {
        EXPECT_GE(inotify_add_watch(fd_, ".", IN_OPEN | IN_ACCESS | IN_CLOSE_NOWRITE), 0);
    }
}

ReadPasses::~ReadPasses() {
    if (fd_ >= 0) close(fd_);
}

int ReadPasses::Count() {
    alignas(inotify_event) char buffer[16384];
    for (ssize_t got; fd_ >= 0 && (got = read(fd_, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            at += sizeof(inotify_event) + event->len;
            if (event->len == 0 || std::strcmp(event->name, kFile) != 0) continue;
            if (event->mask & IN_OPEN) read_since_open_ = false;
            if (event->mask & IN_ACCESS) read_since_open_ = true;
            if ((event->mask & IN_CLOSE_NOWRITE) && read_since_open_) ++passes_;
        }
    }
    return passes_;
}

void GameOverTest::SetUp() {
    // The table is process-wide and a missing file keeps the scores it had: start as a new
    // process would.
    HighScoreTable = ScoreTable{};
    NewEntryName = "";
    HighScoreText = "";
    GameTest::SetUp();
    StopTimers();
}

void GameOverTest::EndTheGame(int32_t score, int key) {
    GameWorld.State = kRunOver;
    GameWorld.Lives = 1;
    GameWorld.Score = score;
    Press(key);
    // Long enough for every answer, which some give a moment later.
    Advance(100);
}

void GameOverTest::EnterName(harness::ModalWindow& dialog, const std::string& name) {
    // The focus starts on "OK"; keys go where the focus is as they arrive, so each step waits
    // a moment for the one before.
    dialog.PressButton(IDC_NAME);
    dialog.TypeText(name, 1);
    dialog.PressButton(IDC_NAME_OK, 2);
}

void GameOverTest::WriteTableFile(const std::string& bytes) {
    std::ofstream(kFile, std::ios::binary) << bytes;
}

std::string GameOverTest::TableFile() {
    std::ifstream in(kFile, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> GameOverTest::TableLines() {
    std::vector<std::string> lines;
    std::string bytes = TableFile();
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    lines.push_back(bytes.substr(start));
    return lines;
}

std::vector<std::string> GameOverTest::Captions() const {
    std::vector<std::string> captions;
    for (const Box& box : recorder_.boxes) captions.push_back(box.caption);
    return captions;
}

int GameOverTest::BoxesCaptioned(const std::string& caption) const {
    int count = 0;
    for (const Box& box : recorder_.boxes) count += box.caption == caption;
    return count;
}

void GameOverTest::MarkTheWall() {
    Run([this] {
        HDC dc = GetDC(MainHwnd());
        HBRUSH brush = CreateSolidBrush(RGB(0xFF, 0x00, 0xFF));
        RECT patch = {240, 110, 260, 130};
        FillRect(dc, &patch, brush);
        DeleteObject(brush);
        ReleaseDC(MainHwnd(), dc);
    });
}

}  // namespace game_test
