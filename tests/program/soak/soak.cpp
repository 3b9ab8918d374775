#include "tests/program/soak/soak.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include "game/game_world.h"
#include "harness/program_runner.h"
#include "harness/test_support.h"
#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/user/user_state.h"
#include "scores/high_scores.h"
#include "tests/program/soak/answers.h"
#include "tests/program/soak/gdi_watch.h"
#include "tests/program/soak/player.h"
#include "tests/program/soak/random.h"

namespace soak {
namespace {

constexpr char kMainTitle[] = "Grommelin Quibbert's Zandrofel";
// A program asked to close must be gone within this much virtual time.
constexpr double kClosingPatienceMs = 120000;

std::string MessageName(UINT message) {
    switch (message) {
        case WM_TIMER:
            return "WM_TIMER";
        case WM_PAINT:
            return "WM_PAINT";
        case WM_CLOSE:
            return "WM_CLOSE";
        case WM_KEYDOWN:
            return "WM_KEYDOWN";
        case WM_KEYUP:
            return "WM_KEYUP";
        case WM_CHAR:
            return "WM_CHAR";
        case WM_LBUTTONDOWN:
            return "WM_LBUTTONDOWN";
        case WM_LBUTTONUP:
            return "WM_LBUTTONUP";
        case WM_RBUTTONDOWN:
            return "WM_RBUTTONDOWN";
        case WM_RBUTTONUP:
            return "WM_RBUTTONUP";
        default: {
            char number[16];
            std::snprintf(number, sizeof number, "0x%04x", message);
            return number;
        }
    }
}

bool ValidState(int32_t state) {
    return state >= kDrowned && state <= kHouseBurnt && state != 3;
}

bool ValidEndPhase(int32_t phase) {
    return phase == kPhasePlaying || phase == kPhaseQualified || phase == kPhaseOver ||
           (phase >= 1 && phase <= kTableSize);
}

MemorySample Sample(int64_t tick) {
    std::ifstream statm("/proc/self/statm");
    int64_t size = 0, resident = 0;
    statm >> size >> resident;
    // The allocator's own count of what is in use does not move with fragmentation.
    struct mallinfo2 heap = mallinfo2();
    return MemorySample{tick, resident * (sysconf(_SC_PAGESIZE) / 1024),
                        static_cast<int64_t>((heap.uordblks + heap.hblkhd) / 1024)};
}

// The main window: the top-level window with the game's title.
HWND MainWindow() {
    platform::user::UserState& state = platform::user::State();
    for (HWND hwnd : state.windows().top_levels())
        if (const platform::user::Window* window = state.Find(hwnd);
            window && window->text == kMainTitle)
            return hwnd;
    return nullptr;
}

bool OnlyWindow(HWND hwnd) {
    const std::vector<HWND>& windows = platform::user::State().windows().top_levels();
    return windows.size() == 1 && windows.front() == hwnd;
}

class Soak : public platform::Observer {
  public:
    explicit Soak(const Options& options)
        : options_(options), random_(options.seed), gdi_(kMainTitle) {}

    Figures Run();

    void MessageHandled(HWND, UINT, WPARAM, LPARAM) override { Follow(); }
    void MessageDispatched(const MSG& msg) override;
    void MessageBoxEnded(HWND, LPCSTR text, LPCSTR caption, UINT, int) override;

  private:
    void RunProgram();
    void Step();
    void Tick();
    void Follow();
    void AfterMainHandler(HWND main);
    void StartClosing();
    void Fail(const std::string& what);

    Options options_;
    Random random_;
    Figures figures_;
    GdiWatch gdi_;

    // The present program run.
    platform::headless::HeadlessHost* host_ = nullptr;
    harness::ModalAnswers* modal_ = nullptr;
    Player* player_ = nullptr;
    Answers* answers_ = nullptr;
    bool closing_ = false;
    double closing_since_ = 0;
    int64_t close_at_tick_ = -1;
    int32_t last_state_ = kPlaying;
    int32_t last_end_phase_ = 0;
    bool over_for_good_ = false;
    bool world_kept_ = false;  // the world must stay as kept_world_
    GameWorldRecord kept_world_;
    int64_t pester_target_ = 0;
};

Figures Soak::Run() {
    while (figures_.ticks < options_.ticks && figures_.failure.empty()) {
        int64_t ticks_before = figures_.ticks;
        RunProgram();
        if (figures_.failure.empty() && figures_.ticks == ticks_before)
            figures_.failure = "seed " + std::to_string(options_.seed) +
                               ": a program run ended without a single tick";
    }
    figures_.memory.push_back(Sample(figures_.ticks));
    figures_.window_sets = static_cast<int64_t>(gdi_.window_sets());
    return figures_;
}

void Soak::RunProgram() {
    // A new process starts with the game's records as they are made.
    GameWorld = GameWorldRecord{};
    EndPhase = kPhasePlaying;
    HighScoreTable = ScoreTable{};
    NewEntryName = "";
    HighScoreText = "";
    harness::HeadlessSession env(platform::ModuleResources());
    platform::headless::HeadlessHost& host = env.host;
    platform::Session& session = env.session;
    host.SetCalendarSeconds(1'600'000'000 + random_.Between(0, 100'000'000));
    host.KeepPresentedPixels(false);  // nobody looks, and the copying is a third of the time
    Player player(host, random_);
    Answers answers(host, random_);
    host_ = &host;
    modal_ = &env.answers;
    player_ = &player;
    answers_ = &answers;
    closing_ = over_for_good_ = world_kept_ = false;
    last_state_ = GameWorld.State;
    last_end_phase_ = EndPhase;
    // Every third run the window is closed in the middle of a game.
    close_at_tick_ =
        figures_.program_runs % 3 == 1 ? figures_.ticks + random_.Between(100, 6000) : -1;

    session.AddObserver(this);
    env.answers.Answer(
        "", [&answers](harness::ModalWindow& window) { answers.Appeared(window); },
        harness::ModalAnswers::Times::kEvery);
    host.Call(0, [this] { Step(); });
    int exit_code = harness::RunWinMain();
    session.RemoveObserver(this);

    ++figures_.program_runs;
    figures_.virtual_seconds += host.NowMs() / 1000;
    figures_.names_typed += answers.names_typed();
    figures_.dialogs_answered += answers.dialogs();
    figures_.pestered += player.pestered();
    if (figures_.failure.empty()) {
        if (exit_code != 0) Fail("the program ended with status " + std::to_string(exit_code));
        Counts left = GdiWatch::Live();
        int windows = session.handles().LiveCount(platform::ObjectKind::kWindow);
        if (left != Counts{} || windows != 0)
            Fail("the program ended with " + GdiWatch::Describe(left) + " and " +
                 std::to_string(windows) + " windows alive:\n" + session.handles().DescribeAlive());
    }
    host_ = nullptr;
    modal_ = nullptr;
    player_ = nullptr;
    answers_ = nullptr;
}

void Soak::Step() {
    if (!host_ || !figures_.failure.empty()) return;
    double now = host_->NowMs();
    // What the host and the answers record for tests would grow for hours.
    host_->ForgetHistory();
    modal_->ForgetTitles();
    bool modal_open = answers_->Watch();
    HWND main = MainWindow();
    double delay = 100;
    if (closing_) {
        if (now - closing_since_ > kClosingPatienceMs) {
            Fail("the program did not end within 120 s of being asked to");
            return;
        }
        if (main && !modal_open) host_->RequestClose(harness::HostWindowOf(main), now);
        delay = 250;
    } else if (main && IsWindowVisible(main)) {
        delay = player_->Step(main);
        if (player_->pestering() && player_->pestered() >= pester_target_) StartClosing();
    }
    host_->Call(now + delay, [this] { Step(); });
}

void Soak::MessageDispatched(const MSG& msg) {
    if (!host_ || !figures_.failure.empty()) return;
    ++figures_.handlers_checked;
    std::string problem;
    if (!gdi_.Check(&problem)) {
        char title[128] = "";
        GetWindowTextA(msg.hwnd, title, sizeof title);
        Fail("after " + MessageName(msg.message) + " to \"" + title + "\": " + problem);
        return;
    }
    HWND main = MainWindow();
    if (!main || msg.hwnd != main) return;
    if (msg.message == WM_TIMER) Tick();
    if (msg.message == WM_PAINT && player_->pestering()) {
        // A repaint starts the timers again, and the world moves as it should: nothing more
        // to check in this run.
        world_kept_ = false;
        StartClosing();
    }
    if (OnlyWindow(main)) AfterMainHandler(main);
}

void Soak::MessageBoxEnded(HWND, LPCSTR text, LPCSTR caption, UINT, int) {
    ++figures_.boxes_answered;
    if (world_kept_)
        Fail(std::string("a message box (\"") + caption + "\": \"" + text +
             "\") came after the game had ended for good");
}

void Soak::Tick() {
    ++figures_.ticks;
    if (figures_.ticks % options_.memory_every == 0)
        figures_.memory.push_back(Sample(figures_.ticks));
    if (figures_.ticks >= options_.ticks) StartClosing();
    if (close_at_tick_ >= 0 && figures_.ticks >= close_at_tick_ && !closing_) {
        ++figures_.closed_mid_game;
        StartClosing();
    }
}

// Round endings and the game's phases, as they change.
void Soak::Follow() {
    int32_t state = GameWorld.State;
    if (state != last_state_) {
        if (!ValidState(state)) return Fail("the round's state became " + std::to_string(state));
        if (last_state_ == kPlaying) ++figures_.endings[state];
        if (last_state_ == kHouseBurnt && state == kRunOver) ++figures_.burnt_then_run_over;
        last_state_ = state;
    }
    if (EndPhase != last_end_phase_) {
        if (!ValidEndPhase(EndPhase))
            return Fail("the end phase became " + std::to_string(EndPhase));
        if (last_end_phase_ == 0) ++figures_.games_over;
        if (EndPhase == kPhasePlaying) ++figures_.games_again;
        last_end_phase_ = EndPhase;
    }
}

// A message of the main window has been handled and no other window is open.
void Soak::AfterMainHandler(HWND main) {
    if (EndPhase == kPhasePlaying) return;
    if (over_for_good_) {
        if (world_kept_ && std::memcmp(&kept_world_, &GameWorld, sizeof kept_world_) != 0)
            Fail("input after the game had ended for good changed the game's record");
        return;
    }
    // The game-over flow has returned and left the game over.
    over_for_good_ = true;
    ++figures_.games_for_good;
    platform::user::TimerList& timers = platform::user::State().timers();
    if (closing_ || timers.Exists(main, kTickTimer) || timers.Exists(main, kClockTimer)) {
        // A repaint during the flow restarted the timers; the world moves on as it should.
        StartClosing();
        return;
    }
    kept_world_ = GameWorld;
    world_kept_ = true;
    pester_target_ = random_.Between(5, 60);
    player_->StartPestering();
}

void Soak::StartClosing() {
    if (closing_) return;
    closing_ = true;
    closing_since_ = host_->NowMs();
    answers_->StartClosing();
}

void Soak::Fail(const std::string& what) {
    if (!figures_.failure.empty()) return;
    char where[160];
    std::snprintf(where, sizeof where, "seed %llu, program run %lld, tick %lld, %.3f ms: ",
                  static_cast<unsigned long long>(options_.seed),
                  static_cast<long long>(figures_.program_runs + 1),
                  static_cast<long long>(figures_.ticks), host_ ? host_->NowMs() : 0.0);
    figures_.failure = where + what;
    if (host_) harness::QuitEveryWait(*host_);
}

}  // namespace

int64_t Figures::Rounds() const {
    int64_t rounds = 0;
    for (int64_t count : endings) rounds += count;
    return rounds;
}

Figures Run(const Options& options) {
    return Soak(options).Run();
}

Growth GrowthAfterWarmUp(const Figures& figures, int64_t warm_up) {
    const MemorySample* first = nullptr;
    Growth growth;
    for (const MemorySample& sample : figures.memory) {
        if (sample.tick < warm_up) continue;
        if (!first) first = &sample;
        growth.resident_kib =
            std::max(growth.resident_kib, sample.resident_kib - first->resident_kib);
        growth.heap_kib = std::max(growth.heap_kib, sample.heap_kib - first->heap_kib);
    }
    return growth;
}

std::string Summary(const Figures& f) {
    auto n = [](int64_t value) { return std::to_string(value); };
    int64_t peak = 0;
    for (const MemorySample& sample : f.memory) peak = std::max(peak, sample.resident_kib);
    MemorySample last = f.memory.empty() ? MemorySample{} : f.memory.back();
    return "ticks " + n(f.ticks) + " (" + n(static_cast<int64_t>(f.virtual_seconds)) +
           " virtual seconds), handlers checked " + n(f.handlers_checked) + ", window sets " +
           n(f.window_sets) + "\nrounds " + n(f.Rounds()) + ": drowned " + n(f.endings[kDrowned]) +
           ", run over " + n(f.endings[kRunOver]) + ", splatted " + n(f.endings[kSplatted]) +
           ", home " + n(f.endings[kReachedHome]) + ", house burnt " + n(f.endings[kHouseBurnt]) +
           " (then run over " + n(f.burnt_then_run_over) + ")\ngames over " + n(f.games_over) +
           ": again " + n(f.games_again) + ", for good " + n(f.games_for_good) +
           "; inputs after the end " + n(f.pestered) + "\nprogram runs " + n(f.program_runs) +
           " (closed during a game " + n(f.closed_mid_game) + ")\nboxes answered " +
           n(f.boxes_answered) + ", dialogs answered " + n(f.dialogs_answered) + ", names typed " +
           n(f.names_typed) + "\nresident memory: peak " + n(peak) + " KiB, final " +
           n(last.resident_kib) + " KiB; heap in use at the end " + n(last.heap_kib) + " KiB\n";
}

}  // namespace soak
