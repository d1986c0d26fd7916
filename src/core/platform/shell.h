// SPDX-License-Identifier: GPL-3.0-or-later
// Starting other programs: the default handler of an address, a web
// browser, the recording-source settings.
#pragma once

#include <memory>
#include <string>

namespace sonatrix {

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens an address or document with its default handler.
    virtual void OpenWithDefaultHandler(const std::string& address) = 0;
    // Starts the web browser with `argument` (an address or a file path).
    virtual void StartBrowser(const std::string& argument) = 0;
    // Starts the system's recording-source settings without waiting.
    // False when there is none to start.
    virtual bool StartRecordingSourceSettings() = 0;
};

std::unique_ptr<Shell> MakeNativeShell();

}  // namespace sonatrix
