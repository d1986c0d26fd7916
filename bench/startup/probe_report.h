// SPDX-License-Identifier: GPL-3.0-or-later
// What a start-up probe tells the benchmark that started it, in the file
// SONATRIX_PROBE_REPORT names: "key value" lines.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

namespace sonatrix::bench {

// The shared objects this process has mapped, as ldd would list them (the
// dynamic linker's own among them): what the start has loaded so far.
inline std::set<std::string> LoadedLibraries() {
    std::set<std::string> found;
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        const std::size_t slash = line.find('/');
        if (slash == std::string::npos)
            continue;
        const std::string path = line.substr(slash);
        const std::size_t so = path.rfind(".so");
        if (so != std::string::npos && (so + 3 == path.size() || path[so + 3] == '.'))
            found.insert(path);
    }
    return found;
}

// Appends `key value` to the report, when one is asked for.
inline void Report(const std::string& key, const std::string& value) {
    if (const char* file = std::getenv("SONATRIX_PROBE_REPORT"))
        std::ofstream(file, std::ios::app) << key << ' ' << value << '\n';
}

// The libraries loaded now: their count, and each one's path.
inline void ReportLoadedLibraries() {
    const std::set<std::string> libraries = LoadedLibraries();
    Report("libraries", std::to_string(libraries.size()));
    for (const std::string& library : libraries)
        Report("library", library);
}

// Once `window` has painted for the first time, reports the moment its
// first frame was done ("first_frame_ns", on the steady clock that the
// benchmark shares) and the loaded libraries, and quits. Every probe is
// timed to the same moment: when its first frame, text and all, has been
// drawn; what a program does after it (work it put off, its exit) is not
// start-up. (A zero timer after show() can run before the platform's first
// expose, and so before any text is drawn.)
class QuitAfterFirstPaint : public QObject {
  public:
    explicit QuitAfterFirstPaint(QWidget& window) { window.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            watched->removeEventFilter(this);
            // Queued: runs once this paint, the window's and its
            // children's, has been drawn; before any timer the paint sets.
            QTimer::singleShot(0, qApp, [] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                Report("first_frame_ns", std::to_string(std::chrono::nanoseconds(now).count()));
                ReportLoadedLibraries();
                QApplication::quit();
            });
        }
        return false;
    }

  private:
    bool seen_ = false;
};

}  // namespace sonatrix::bench
