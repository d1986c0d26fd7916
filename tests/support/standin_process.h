// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in client: a copy of the tiny waiting program, put at a path of the
// test's choosing (".../Bin/QQ.exe") and started from there, so the real
// process walk sees a process of that name. Ended when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace sonatrix::testing {

class StandInProcess {
  public:
    // Copies the stand-in program to `exePath` (creating its folders) and
    // starts it; a stand-in already at `exePath` is started again as it is.
    explicit StandInProcess(const std::filesystem::path& exePath);
    ~StandInProcess();
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    int Pid() const { return pid_; }
    void Stop();

  private:
    int pid_ = 0;
};

// The id of the test process itself.
int SelfPid();

// Where the stand-in program was built.
std::filesystem::path StandInProgram();

// Ends the process `pid` at once, as a crash would. False when it cannot.
bool KillProcess(int pid);
// Freezes the process `pid`: it neither works nor ends. False when it
// cannot.
bool SuspendProcess(int pid);

// The most resident memory, in MiB, that any child process of this one
// that has ended took; negative where the system does not say.
double LargestEndedChildMiB();

}  // namespace sonatrix::testing
