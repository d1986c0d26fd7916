// SPDX-License-Identifier: GPL-3.0-or-later
// Thunderbird's profile lock on Linux: its "lock" link counts only while
// the process it names exists (a crash leaves a stale one behind), and
// ".parentlock" while another process holds it locked.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/settings_places.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

void LinkTo(const std::string& link, long pid) {
    ::unlink(link.c_str());
    ASSERT_EQ(::symlink(("127.0.0.1:+" + std::to_string(pid)).c_str(), link.c_str()), 0);
}

TEST(ThunderbirdLock, LiveWhileItsProcessExistsOrParentlockIsHeld) {
    const testing::TempDir profile;
    const std::string folder = profile.Folder();
    EXPECT_FALSE(ThunderbirdProfileInUse(folder));

    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    LinkTo(folder + "lock", ended);
    EXPECT_FALSE(ThunderbirdProfileInUse(folder));
    LinkTo(folder + "lock", ::getpid());
    EXPECT_TRUE(ThunderbirdProfileInUse(folder));
    ::unlink((folder + "lock").c_str());

    // Another process takes ".parentlock" as Thunderbird does, and keeps it
    // until the test closes the pipe it waits on.
    int locked[2];
    int release[2];
    ASSERT_EQ(::pipe(locked), 0);
    ASSERT_EQ(::pipe(release), 0);
    const std::string parentlock = folder + ".parentlock";
    const pid_t holder = ::fork();
    if (holder == 0) {
        ::close(release[1]);
        const int fd = ::open(parentlock.c_str(), O_WRONLY | O_CREAT, 0644);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        const char ok = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0 ? '1' : '0';
        (void)!::write(locked[1], &ok, 1);
        char none;
        (void)!::read(release[0], &none, 1);
        ::_exit(0);
    }
    ::close(release[0]);
    char ok = '0';
    ASSERT_EQ(::read(locked[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    EXPECT_TRUE(ThunderbirdProfileInUse(folder));
    ::close(release[1]);
    ASSERT_EQ(::waitpid(holder, nullptr, 0), holder);
    EXPECT_FALSE(ThunderbirdProfileInUse(folder));
    ::close(locked[0]);
    ::close(locked[1]);
}

}  // namespace
}  // namespace sonatrix
