// SPDX-License-Identifier: GPL-3.0-or-later
// How a later start of the program reaches the one that runs for the same
// data folder: a channel only their user can reach, named after a base path
// (a folder only that user can enter, and a name). On Linux a Unix-domain
// socket "<base>.socket"; on Windows a named pipe after the base's file
// name, open to this user alone. A start sends one request, "show", and the
// program answers once it has it.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace sonatrix {

// Listens while it lives, answering every request on a thread of its own.
class InstanceServer {
  public:
    virtual ~InstanceServer() = default;
};

// Starts listening at the channel of `base`, replacing what a holder that
// ended left there: call it only while holding the lock that says this
// process is the program. `onRequest` runs on the server's thread for each
// start that asked, before it has its answer. Returns 0, or the system's
// error when it cannot listen.
int ListenForStarts(const std::string& base, std::function<void()> onRequest,
                    std::unique_ptr<InstanceServer>& server);

// Asks the program listening at the channel of `base` to show its window.
// True once it has answered, within `waitMs`; false when nothing listens
// there or it did not answer in time.
bool AskToShow(const std::string& base, int waitMs);

}  // namespace sonatrix
