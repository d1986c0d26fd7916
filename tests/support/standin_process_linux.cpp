#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "standin_process.h"

extern char** environ;

namespace sonatrix::testing {

std::filesystem::path StandInProgram() { return SONATRIX_STANDIN_PROGRAM; }

int SelfPid() { return static_cast<int>(::getpid()); }

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
    pid_t pid = 0;
    // glibc's posix_spawn returns once the child has executed the program,
    // so the process is visible under its new name straight away.
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        throw std::runtime_error("cannot start " + program);
    pid_ = pid;
}

StandInProcess::~StandInProcess() { Stop(); }

void StandInProcess::Stop() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
}

}  // namespace sonatrix::testing
