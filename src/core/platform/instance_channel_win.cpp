// SPDX-License-Identifier: GPL-3.0-or-later
// The channel is a named pipe "\\.\pipe\<the base's file name>", local
// clients only, whose access list names this user alone. Every wait is
// overlapped, so a stalled start cannot hold the server up and the server
// can always be stopped.
#include <windows.h>

#include <algorithm>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/instance_channel.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

constexpr std::string_view kRequest = "show\n";
constexpr std::string_view kAnswer = "ok\n";
constexpr DWORD kRequestWaitMs = 1000;

std::string PipeName(const std::string& base) {
    return "\\\\.\\pipe\\" + FileNameOf(base);
}

// The security of the pipe: full access for this process's user, none for
// anybody else (a pipe's default lets everyone read).
class UserOnly {
  public:
    UserOnly() {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
            return;
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        user_.resize(size / sizeof(DWORD) + 1);
        const bool known = GetTokenInformation(token, TokenUser, user_.data(),
                                               DWORD(user_.size() * sizeof(DWORD)), &size);
        CloseHandle(token);
        if (!known)
            return;
        PSID sid = reinterpret_cast<TOKEN_USER*>(user_.data())->User.Sid;
        const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid);
        acl_.resize(aclSize / sizeof(DWORD) + 1);
        PACL acl = reinterpret_cast<PACL>(acl_.data());
        ok_ = InitializeAcl(acl, aclSize, ACL_REVISION) &&
              AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, sid) &&
              InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
              SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE);
        attributes_ = {sizeof attributes_, &descriptor_, FALSE};
    }
    // Null when the access list could not be made: the pipe is then not
    // made either.
    SECURITY_ATTRIBUTES* Attributes() { return ok_ ? &attributes_ : nullptr; }

  private:
    std::vector<DWORD> user_;  // DWORDs: a SID and an ACL must be aligned
    std::vector<DWORD> acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
    bool ok_ = false;
};

HANDLE NewPipe(const std::string& name, UserOnly& security) {
    // The first instance of the name: a pipe somebody else made first is
    // refused, never joined.
    return CreateNamedPipeA(
        name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 64, 64, 0,
        security.Attributes());
}

// One overlapped operation on `handle`, waited for up to `waitMs` or until
// `stop` is set (when given). True when it completed well.
class Overlapped {
  public:
    explicit Overlapped(HANDLE handle) : handle_(handle) {
        overlapped_.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    ~Overlapped() { CloseHandle(overlapped_.hEvent); }
    OVERLAPPED* get() { return &overlapped_; }

    bool Await(BOOL started, DWORD waitMs, HANDLE stop = nullptr) {
        if (started)
            return true;
        if (GetLastError() != ERROR_IO_PENDING)
            return false;
        const HANDLE events[2] = {overlapped_.hEvent, stop};
        const DWORD woke = WaitForMultipleObjects(stop ? 2 : 1, events, FALSE, waitMs);
        DWORD bytes = 0;
        if (woke != WAIT_OBJECT_0) {
            CancelIo(handle_);
            GetOverlappedResult(handle_, &overlapped_, &bytes, TRUE);
            return false;
        }
        return GetOverlappedResult(handle_, &overlapped_, &bytes, FALSE);
    }
    DWORD Transferred() {
        DWORD bytes = 0;
        GetOverlappedResult(handle_, &overlapped_, &bytes, FALSE);
        return bytes;
    }

  private:
    HANDLE handle_;
    OVERLAPPED overlapped_{};
};

bool Receives(HANDLE pipe, std::string_view expected, DWORD waitMs) {
    std::string got;
    while (got.size() < expected.size()) {
        char buffer[16];
        Overlapped read(pipe);
        const DWORD want = DWORD(std::min(sizeof buffer, expected.size() - got.size()));
        if (!read.Await(ReadFile(pipe, buffer, want, nullptr, read.get()), waitMs))
            return false;
        const DWORD count = read.Transferred();
        if (count == 0)
            return false;
        got.append(buffer, count);
    }
    return got == expected;
}

bool Sends(HANDLE pipe, std::string_view bytes, DWORD waitMs) {
    Overlapped write(pipe);
    return write.Await(WriteFile(pipe, bytes.data(), DWORD(bytes.size()), nullptr, write.get()),
                       waitMs) &&
           write.Transferred() == bytes.size();
}

class PipeServer : public InstanceServer {
  public:
    PipeServer(HANDLE pipe, std::function<void()> onRequest)
        : pipe_(pipe),
          stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          onRequest_(std::move(onRequest)),
          thread_([this] { Serve(); }) {}

    ~PipeServer() override {
        SetEvent(stop_);
        thread_.join();
        CloseHandle(pipe_);
        CloseHandle(stop_);
    }

  private:
    void Serve() {
        while (WaitForSingleObject(stop_, 0) != WAIT_OBJECT_0) {
            Overlapped connect(pipe_);
            const BOOL connected = ConnectNamedPipe(pipe_, connect.get());
            if (connect.Await(connected || GetLastError() == ERROR_PIPE_CONNECTED, INFINITE,
                              stop_) &&
                Receives(pipe_, kRequest, kRequestWaitMs)) {
                onRequest_();
                // The start hangs up once it has read the answer; a
                // disconnect before then would throw the answer away.
                if (Sends(pipe_, kAnswer, kRequestWaitMs)) {
                    char rest;
                    Overlapped hangUp(pipe_);
                    hangUp.Await(ReadFile(pipe_, &rest, 1, nullptr, hangUp.get()), kRequestWaitMs,
                                 stop_);
                }
            }
            DisconnectNamedPipe(pipe_);
        }
    }

    HANDLE pipe_;
    HANDLE stop_;
    std::function<void()> onRequest_;
    std::thread thread_;  // last: it starts once everything it reads is set
};

}  // namespace

int ListenForStarts(const std::string& base, std::function<void()> onRequest,
                    std::unique_ptr<InstanceServer>& server) {
    UserOnly security;
    if (!security.Attributes())
        return int(GetLastError());
    const std::string name = PipeName(base);
    const HANDLE pipe = NewPipe(name, security);
    if (pipe == INVALID_HANDLE_VALUE)
        return int(GetLastError());
    server = std::make_unique<PipeServer>(pipe, std::move(onRequest));
    return 0;
}

bool AskToShow(const std::string& base, int waitMs) {
    const std::string name = PipeName(base);
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(waitMs);
    HANDLE pipe = INVALID_HANDLE_VALUE;
    for (;;) {
        pipe = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr);
        if (pipe != INVALID_HANDLE_VALUE)
            break;
        const ULONGLONG now = GetTickCount64();
        // Busy: the server is answering another start.
        if (GetLastError() != ERROR_PIPE_BUSY || now >= deadline ||
            !WaitNamedPipeA(name.c_str(), DWORD(deadline - now)))
            return false;
    }
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now < deadline ? DWORD(deadline - now) : 0;
    const bool answered = Sends(pipe, kRequest, left) && Receives(pipe, kAnswer, left);
    CloseHandle(pipe);
    return answered;
}

}  // namespace sonatrix
