#include "child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        for (int fd : {in[0], in[1], out[0], out[1]}) close(fd);
        std::vector<char*> args;
        for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    to_child_ = in[1];
    from_child_ = out[0];
}

ChildProcess::~ChildProcess() {
    Finish();
}

std::string ChildProcess::ReadLine() {
    std::string line;
    char c;
    while (from_child_ >= 0 && read(from_child_, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

void ChildProcess::WriteLine(const std::string& line) {
    const std::string bytes = line + "\n";
    if (to_child_ >= 0 && write(to_child_, bytes.data(), bytes.size()) < 0) return;
}

void ChildProcess::Finish() {
    if (to_child_ >= 0) close(to_child_);
    to_child_ = -1;
    char buffer[4096];
    for (ssize_t got; from_child_ >= 0 && (got = read(from_child_, buffer, sizeof buffer)) > 0;)
        output_.append(buffer, size_t(got));
    if (from_child_ >= 0) close(from_child_);
    from_child_ = -1;
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_)
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;
}

std::string RunToEnd(const std::vector<std::string>& argv, int* status) {
    ChildProcess child(argv);
    child.Finish();
    *status = child.Status();
    return child.Output();
}

bool Installed(const std::string& program) {
    std::istringstream path(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin");
    for (std::string dir; std::getline(path, dir, ':');) {
        if (access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    }
    return false;
}
