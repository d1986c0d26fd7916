// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per data folder: the real program started a second
// time for the same data folder brings the running window to the front and
// ends; started for another data folder, it runs on its own; a start that
// cannot reach the program never runs beside it.
#include <QProcess>
#include <QWidget>
#include <QtTest>

#include <filesystem>
#include <memory>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "platform/files.h"
#include "platform/instance_channel.h"
#include "platform/user_data.h"
#include "scripted_dialogs.h"
#include "single_instance.h"
#include "temp_dir.h"

using sonatrix::gui::SingleInstance;
using sonatrix::testing::TempDir;
using Role = SingleInstance::Role;

Q_DECLARE_METATYPE(Role)

// What holds the data folder when the next start comes.
enum class Before { Killed, LockWithNoServer, ListenFailed };
Q_DECLARE_METATYPE(Before)

namespace {

constexpr int kStartMs = 30000;  // a first start under the sanitizers or Wine is slow

QString Program() {
#ifdef _WIN32
    return QStringLiteral("Z:") + QString::fromUtf8(SONATRIX_PROGRAM);
#else
    return QString::fromUtf8(SONATRIX_PROGRAM);
#endif
}

// True once the program of `dataFolder` answers.
bool Answers(const std::string& dataFolder) {
    return sonatrix::AskToShow(SingleInstance(dataFolder).Base(), 200);
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir;
    std::vector<std::unique_ptr<QProcess>> started;

    // The data folder the program takes from the environment, set to one of
    // the test's own where the system lets it.
    std::string UseDataFolder(const char* name) {
#ifndef _WIN32
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir->Path() / name).string()));
#else
        (void)name;  // Windows names it from the registry: the test prefix's own
#endif
        return sonatrix::UserDataFolder();
    }
    QProcess& Start() {
        started.push_back(std::make_unique<QProcess>());
        QProcess& process = *started.back();
        process.start(Program(), {});
        return process;
    }

  private slots:
    void init() {
        dir = std::make_unique<TempDir>();
        std::filesystem::create_directory(dir->Path() / "runtime");
        std::filesystem::permissions(dir->Path() / "runtime", std::filesystem::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString((dir->Path() / "runtime").string()));
    }
    void cleanup() {
        for (auto& process : started) {
            process->kill();
            process->waitForFinished(kStartMs);
        }
        started.clear();
        dir.reset();
    }

    void aSecondStartShowsTheFirstWindowAndEnds() {
        SingleInstance first(UseDataFolder("data"));
        QVERIFY(first.Claim());
        QWidget window;
        window.showMinimized();
        connect(&first, &SingleInstance::showRequested, &window,
                [&window] { sonatrix::gui::BringToFront(window); });

        // This process answers from its event loop, as the program does.
        QProcess& second = Start();
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, kStartMs);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY(!window.isMinimized() && window.isVisible());
    }

    // The lock and the socket are in a folder that only this user can enter,
    // also where the session names no runtime folder and the temporary
    // folder is everybody's: nobody else can take their names first.
    void theNamesAreWhereOnlyTheUserCanGo_data() {
        QTest::addColumn<bool>("sessionFolder");
        QTest::newRow("the session's runtime folder") << true;
        QTest::newRow("no runtime folder, a shared temporary folder") << false;
    }
    void theNamesAreWhereOnlyTheUserCanGo() {
#ifdef _WIN32
        QSKIP("Windows keeps them in the user's own temporary folder");
#else
        QFETCH(bool, sessionFolder);
        const std::filesystem::path shared = dir->Path() / "tmp";
        std::filesystem::create_directory(shared);
        std::filesystem::permissions(
            shared, std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
        const bool hadTmp = qEnvironmentVariableIsSet("TMPDIR");
        const QByteArray oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(shared.string()));
        if (!sessionFolder)
            qunsetenv("XDG_RUNTIME_DIR");
        const QFileInfo folder(
            QFileInfo(QString::fromStdString(SingleInstance(UseDataFolder("data")).Base())).path());
        hadTmp ? qputenv("TMPDIR", oldTmp) : qunsetenv("TMPDIR");
        QCOMPARE(folder.ownerId(), ::getuid());
        const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QVERIFY2(!(folder.permissions() & others), qPrintable(folder.filePath()));
#endif
    }

    // The program's lock goes with it: a start after a killed program takes
    // its place (and its channel). A lock whose holder does not answer is
    // not taken over: that start says so and ends, never a second writer.
    // Neither is the lock of a program whose listen failed: it says why in
    // its log and stays the one writer.
    void aStartThatCannotReachTheProgram_data() {
        QTest::addColumn<Before>("before");
        QTest::addColumn<Role>("role");
        QTest::newRow("the program was killed") << Before::Killed << Role::Program;
        QTest::newRow("a lock held with no server")
            << Before::LockWithNoServer << Role::NotAnswering;
        QTest::newRow("a program that could not listen")
            << Before::ListenFailed << Role::NotAnswering;
    }
    void aStartThatCannotReachTheProgram() {
        QFETCH(Before, before);
        QFETCH(Role, role);
        const std::string data = UseDataFolder("data");
        std::unique_ptr<sonatrix::HeldLock> held;
        std::unique_ptr<SingleInstance> deaf;
        if (before == Before::Killed) {
            QProcess& first = Start();
            QTRY_VERIFY_WITH_TIMEOUT(Answers(data), kStartMs);
            first.kill();
            QVERIFY(first.waitForFinished(kStartMs));
        } else if (before == Before::LockWithNoServer) {
            QCOMPARE(sonatrix::MakeNativeFileSystem()->LockFile(
                         SingleInstance(data).Base() + ".lock", 0, held),
                     0);
        } else {
#ifdef _WIN32
            QSKIP("a folder cannot take a pipe's name");
#else
            // A folder where the socket goes: no leftover the program may
            // remove, so its bind fails.
            deaf = std::make_unique<SingleInstance>(data);
            QVERIFY(std::filesystem::create_directory(deaf->Base() + ".socket"));
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("cannot listen for later starts"));
            QVERIFY(deaf->Claim());
#endif
        }
        sonatrix::testing::ScriptedDialogs dialogs;
        SingleInstance next(data);
        QCOMPARE(next.TakeRole(dialogs, 500), role);
        if (role == Role::Program) {
            QVERIFY(dialogs.shown.empty());
            QVERIFY(Answers(data));
        } else {
            QCOMPARE(dialogs.shown.size(), std::size_t(1));
            QCOMPARE(dialogs.shown[0].text, std::string(sonatrix::gui::kNotAnswering));
        }
    }

    void anotherDataFolderRunsOnItsOwn() {
#ifdef _WIN32
        QSKIP("Windows takes the data folder from the registry, one per user");
#endif
        SingleInstance first(UseDataFolder("data"));
        QVERIFY(first.Claim());
        QSignalSpy asked(&first, &SingleInstance::showRequested);
        const std::string other = UseDataFolder("other");
        QProcess& second = Start();
        QTRY_VERIFY_WITH_TIMEOUT(Answers(other), kStartMs);
        QCOMPARE(second.state(), QProcess::Running);
        QCOMPARE(asked.count(), 0);
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
