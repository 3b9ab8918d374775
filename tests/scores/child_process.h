// A program run as a child process with its input and output on pipes.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
  public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of its output, without the line end; "" at the end of its output.
    std::string ReadLine();
    void WriteLine(const std::string& line);
    // Closes its input, reads the rest of its output and waits for it to end.
    void Finish();

    int Status() const { return status_; }  // the exit status, or 128 + the signal that ended it
    const std::string& Output() const { return output_; }

  private:
    pid_t pid_ = -1;
    int to_child_ = -1;
    int from_child_ = -1;
    int status_ = -1;
    std::string output_;
};

// Runs argv to its end and returns its output; its status goes to status.
std::string RunToEnd(const std::vector<std::string>& argv, int* status);
// Whether a program of this name is on PATH.
bool Installed(const std::string& program);
