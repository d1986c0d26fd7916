// SPDX-License-Identifier: GPL-3.0-or-later
// The channel is a Unix-domain stream socket in the base's folder, which
// only the user can enter: the folder's rights keep everyone else out.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string_view>
#include <thread>

#include "platform/instance_channel.h"

namespace sonatrix {
namespace {

constexpr std::string_view kRequest = "show\n";
constexpr std::string_view kAnswer = "ok\n";
// A start that connected has its request written at once; one that stalls
// must not hold up the next.
constexpr int kRequestWaitMs = 1000;

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// The socket's address; false when the path does not fit in one.
bool AddressOf(const std::string& path, sockaddr_un& address) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

// Reads exactly `expected`'s length from `fd` within `waitMs`; true when
// that is what came.
bool Receives(int fd, std::string_view expected, int waitMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    std::string got;
    while (got.size() < expected.size()) {
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, MillisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char buffer[16];
        const ssize_t read =
            ::recv(fd, buffer, std::min(sizeof buffer, expected.size() - got.size()), MSG_DONTWAIT);
        if (read < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (read <= 0)
            return false;
        got.append(buffer, std::size_t(read));
    }
    return got == expected;
}

bool Sends(int fd, std::string_view bytes) {
    // Small enough for any socket's buffer: one call, never a partial write.
    return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
}

class SocketServer : public InstanceServer {
  public:
    SocketServer(int listening, int stopRead, int stopWrite, std::string path,
                 std::function<void()> onRequest)
        : listening_(listening),
          stopRead_(stopRead),
          stopWrite_(stopWrite),
          path_(std::move(path)),
          onRequest_(std::move(onRequest)),
          thread_([this] { Serve(); }) {}

    ~SocketServer() override {
        const char stop = 0;
        while (::write(stopWrite_, &stop, 1) < 0 && errno == EINTR) {
        }
        thread_.join();
        ::unlink(path_.c_str());
        ::close(listening_);
        ::close(stopRead_);
        ::close(stopWrite_);
    }

  private:
    void Serve() {
        for (;;) {
            pollfd waits[2] = {{listening_, POLLIN, 0}, {stopRead_, POLLIN, 0}};
            if (::poll(waits, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (waits[1].revents != 0)
                return;
            const int connection = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                continue;
            if (Receives(connection, kRequest, kRequestWaitMs)) {
                onRequest_();
                Sends(connection, kAnswer);
            }
            ::close(connection);
        }
    }

    int listening_;
    int stopRead_;
    int stopWrite_;
    std::string path_;
    std::function<void()> onRequest_;
    std::thread thread_;  // last: it starts once everything it reads is set
};

std::string SocketPath(const std::string& base) {
    return base + ".socket";
}

}  // namespace

int ListenForStarts(const std::string& base, std::function<void()> onRequest,
                    std::unique_ptr<InstanceServer>& server) {
    const std::string path = SocketPath(base);
    sockaddr_un address;
    if (!AddressOf(path, address))
        return ENAMETOOLONG;
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listening < 0)
        return errno;
    // A holder that ended (killed, crashed) leaves its socket behind; the
    // lock this process holds says nobody listens there any more.
    ::unlink(path.c_str());
    int stop[2];
    if (::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listening, 8) != 0 || ::pipe2(stop, O_CLOEXEC) != 0) {
        const int error = errno;
        ::close(listening);
        return error;
    }
    server =
        std::make_unique<SocketServer>(listening, stop[0], stop[1], path, std::move(onRequest));
    return 0;
}

bool AskToShow(const std::string& base, int waitMs) {
    sockaddr_un address;
    if (!AddressOf(SocketPath(base), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answered =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        Sends(fd, kRequest) && Receives(fd, kAnswer, waitMs);
    ::close(fd);
    return answered;
}

}  // namespace sonatrix
