// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "standin_process.h"

extern char** environ;

namespace sonatrix::testing {
namespace {

// Where the stand-in finds the write end of its "I am running" pipe; high
// enough to be free in the child.
constexpr int kReadyFd = 200;

// Waits until the stand-in has reached main or has ended; either way the
// pipe then reads something or its end.
void WaitUntilRunning(int readEnd) {
    pollfd ready{readEnd, POLLIN, 0};
    if (poll(&ready, 1, 10000) > 0) {
        char byte = 0;
        (void)!read(readEnd, &byte, 1);
    }
}

}  // namespace

std::filesystem::path StandInProgram() {
    return SONATRIX_STANDIN_PROGRAM;
}

int SelfPid() {
    return static_cast<int>(::getpid());
}

StandInProcess::StandInProcess(const std::filesystem::path& exePath) {
    std::filesystem::create_directories(exePath.parent_path());
    // A second instance of one program: the running copy cannot be
    // overwritten (ETXTBSY), and need not be.
    std::error_code noFile;
    if (std::filesystem::file_size(exePath, noFile) != std::filesystem::file_size(StandInProgram()))
        std::filesystem::copy_file(StandInProgram(), exePath,
                                   std::filesystem::copy_options::overwrite_existing);
    const std::string program = exePath.string();
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    std::vector<char*> env;
    for (char** var = environ; *var != nullptr; ++var)
        env.push_back(*var);
    std::string readyVar = "SONATRIX_STANDIN_READY_FD=" + std::to_string(kReadyFd);
    env.push_back(readyVar.data());
    env.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe for " + program);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], kReadyFd);
    pid_t pid = 0;
    // posix_spawn returns once the child has executed the program, but the
    // loader may still be mapping its libraries: wait for the stand-in's word.
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + program);
    }
    WaitUntilRunning(pipeEnds[0]);
    close(pipeEnds[0]);
    pid_ = pid;
}

StandInProcess::~StandInProcess() {
    Stop();
}

void StandInProcess::Stop() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
}

bool KillProcess(int pid) {
    return pid > 0 && kill(pid, SIGKILL) == 0;
}

bool SuspendProcess(int pid) {
    return pid > 0 && kill(pid, SIGSTOP) == 0;
}

double LargestEndedChildMiB() {
    rusage usage{};
    return getrusage(RUSAGE_CHILDREN, &usage) == 0 ? static_cast<double>(usage.ru_maxrss) / 1024
                                                   : -1;
}

}  // namespace sonatrix::testing
