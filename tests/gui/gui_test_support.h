// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers the Qt tests share: WAV files made on the spot, the private sound
// server that scripts/with-sound-server.sh starts, and scripted answers that
// no dialog took failing the test that queued them.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTest>

#include <cstdlib>
#include <string>

#include "scripted_dialogs.h"
#include "temp_dir.h"
#include "test_platform.h"
#include "wav_files.h"

namespace sonatrix::testing {

// Installed once per test program; the worlds are dropped in cleanup(),
// where a failure counts against the test function that just ran.
inline const bool kLeftoverAnswersFailTheTest = [] {
    SetLeftoverAnswersHandler([](std::size_t count) {
        const std::string message =
            std::to_string(count) + " scripted dialog answers were queued but never taken";
        QTest::qFail(message.c_str(), __FILE__, __LINE__);
    });
    return true;
}();

// The program's user settings (QSettings) go to a folder of the test
// program's own: no test reads the settings of the machine's user, nor
// leaves its own there.
inline const bool kUserSettingsOfTheirOwn = [] {
    static const TempDir folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdU16String(folder.Path().u16string()));
    return true;
}();

// QSKIP ends only the function it is in, so these are macros.
#define SKIP_UNLESS(why)                    \
    if (const char* reason = (why); reason) \
    QSKIP(reason)
#define REQUIRE_SOUND_SERVER() SKIP_UNLESS(sonatrix::testing::WhyNoSoundServer())

inline bool HasSoundServer() {
    return sonatrix::testing::WhyNoSoundServer() == nullptr;
}

// Runs a program to its end and returns what it printed; `ok` tells whether
// it ran and exited with 0.
inline QByteArray Run(const QString& program, const QStringList& arguments, bool* ok = nullptr) {
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(20000);
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return process.readAllStandardOutput();
}

// Sink inputs of this process on the sound server: the streams it plays.
inline int OwnSinkInputs() {
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QByteArray listing = Run("pactl", {"list", "sink-inputs"});
    return int(listing.count(QStringLiteral("application.process.id = \"%1\"").arg(pid).toUtf8()));
}

}  // namespace sonatrix::testing
