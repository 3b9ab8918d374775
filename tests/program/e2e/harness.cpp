// Processes are started with posix_spawnp and waited for with waitpid; every external tool
// runs under coreutils' timeout, so a wedged tool fails one check instead of hanging the suite.
#include "harness.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace e2e {

namespace {

constexpr const char* kToolTimeout = "15";

std::vector<char*> Argv(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

int StatusOf(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::vector<std::string> Timed(std::vector<std::string> args) {
    args.insert(args.begin(), {"timeout", kToolTimeout});
    return args;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

// A binary P6 picture with a maximum of 255.
bool ParsePpm(const std::string& data, Image* image) {
    std::istringstream in(data);
    std::string magic;
    int max_value = 0;
    if (!(in >> magic >> image->width >> image->height >> max_value) || magic != "P6" ||
        max_value != 255)
        return false;
    in.get();
    size_t count = static_cast<size_t>(image->width) * image->height;
    size_t start = static_cast<size_t>(in.tellg());
    if (data.size() < start + count * 3) return false;
    image->pixels.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const auto* rgb = reinterpret_cast<const unsigned char*>(data.data() + start + i * 3);
        image->pixels[i] = (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
    }
    return true;
}

}  // namespace

int RunCommand(const std::vector<std::string>& args, std::string* output) {
    int pipe_fds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output) {
        if (pipe(pipe_fds) != 0) return -1;
        posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    }
    pid_t pid = -1;
    std::vector<char*> argv = Argv(args);
    int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (output) {
        close(pipe_fds[1]);
        output->clear();
        char buffer[65536];
        for (ssize_t got; (got = read(pipe_fds[0], buffer, sizeof buffer)) > 0;)
            output->append(buffer, static_cast<size_t>(got));
        close(pipe_fds[0]);
    }
    if (spawned != 0) return -1;
    int raw = 0;
    if (waitpid(pid, &raw, 0) != pid) return -1;
    return StatusOf(raw);
}

Process::Process(const std::vector<std::string>& args) {
    std::vector<char*> argv = Argv(args);
    if (posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
}

Process::~Process() {
    if (Running()) {
        kill(pid_, SIGKILL);
        Wait(5);
    }
}

bool Process::Running() {
    if (pid_ <= 0 || status_) return false;
    int raw = 0;
    if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = StatusOf(raw);
        return false;
    }
    return true;
}

std::optional<int> Process::Wait(double seconds) {
    WaitFor([this] { return !Running(); }, seconds);
    return status_;
}

void Process::Signal(int signal) {
    if (Running()) kill(pid_, signal);
}

Display::Display(const std::string& screen, const std::vector<std::string>& extra) {
    int fds[2];
    if (pipe(fds) != 0) return;
    // Xvfb picks a free display number itself and writes it to the pipe when it is ready.
    std::vector<std::string> args{"Xvfb",      "-displayfd", std::to_string(fds[1]),
                                  "-screen",   "0",          screen,
                                  "-nolisten", "tcp",        "-noreset"};
    args.insert(args.end(), extra.begin(), extra.end());
    server_ = std::make_unique<Process>(args);
    close(fds[1]);
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    std::string number;
    WaitFor(
        [&] {
            char c;
            while (read(fds[0], &c, 1) == 1) {
                if (c == '\n') return true;
                number.push_back(c);
            }
            return !server_->Running();
        },
        20);
    close(fds[0]);
    if (number.empty() || !server_->Running()) return;
    name_ = ":" + number;
    setenv("DISPLAY", name_.c_str(), 1);
}

Display::~Display() {
    if (server_) server_->Signal(SIGTERM);
    if (server_ && !server_->Wait(5)) server_->Signal(SIGKILL);
    unsetenv("DISPLAY");
}

bool WaitFor(const std::function<bool()>& condition, double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string FindWindow(const std::string& title, double seconds) {
    std::string output;
    RunCommand({"timeout", std::to_string(seconds), "xdotool", "search", "--sync", "--onlyvisible",
                "--name", "^" + title + "$"},
               &output);
    std::istringstream lines(output);
    std::string first;
    lines >> first;
    return first;
}

bool WindowExists(const std::string& title) {
    std::string output;
    RunCommand(Timed({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"}), &output);
    return !Trimmed(output).empty();
}

bool FocusWindow(const std::string& window) {
    return RunCommand(Timed({"xdotool", "windowfocus", "--sync", window})) == 0;
}

bool PressKeys(const std::vector<std::string>& keys) {
    std::vector<std::string> args = {"xdotool", "key", "--delay", "40"};
    args.insert(args.end(), keys.begin(), keys.end());
    return RunCommand(Timed(args)) == 0;
}

bool Click(const std::string& window, int x, int y, int button) {
    return RunCommand(
               Timed({"xdotool", "mousemove", "--sync", "--window", window, std::to_string(x),
                      std::to_string(y), "click", std::to_string(button)})) == 0;
}

Geometry WindowGeometry(const std::string& window) {
    std::string output;
    RunCommand(Timed({"xdotool", "getwindowgeometry", "--shell", window}), &output);
    Geometry geometry;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        int value = std::atoi(line.c_str() + equals + 1);
        if (key == "X") geometry.x = value;
        if (key == "Y") geometry.y = value;
        if (key == "WIDTH") geometry.width = value;
        if (key == "HEIGHT") geometry.height = value;
    }
    return geometry;
}

bool CloseWindow(const std::string& window) {
    return RunCommand(Timed({ZF_XCLOSE_PATH, window})) == 0;
}

void E2eTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::absolute(std::string("e2e-output/") + info->test_suite_name() + "." +
                                        info->name())
                  .string();
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    // The sound of the programs under test is not what these tests look at.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    display_ = std::make_unique<Display>();
    ASSERT_TRUE(display_->ok()) << "Xvfb did not start";
}

void E2eTest::TearDown() {
    display_.reset();
    if (HasFailure()) {
        for (const std::string& path : screenshots_)
            std::printf("screenshot kept: %s\n", path.c_str());
        std::printf("test output kept in %s\n", folder_.c_str());
    } else {
        std::filesystem::remove_all(folder_);
    }
}

Image E2eTest::Screenshot(const std::string& window, const std::string& name) {
    std::string path = folder_ + "/" + name + ".png";
    screenshots_.push_back(path);
    Image image;
    std::string ppm;
    if (RunCommand(Timed({"import", "-window", window, path})) != 0 ||
        RunCommand(Timed({"convert", path, "-depth", "8", "ppm:-"}), &ppm) != 0 ||
        !ParsePpm(ppm, &image))
        ADD_FAILURE() << "no screenshot of window " << window << " (" << path << ")";
    return image;
}

std::string E2eTest::TempPath(const std::string& name) const {
    return folder_ + "/" + name;
}

}  // namespace e2e
