#include "platform/services/session_socket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lexiv::platform {

namespace {

bool FillAddress(const std::string& path, sockaddr_un* address) {
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  if (path.size() >= sizeof address->sun_path) return false;
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

// A datagram from fd: 1 a frame read, 0 none waiting, -1 the connection is closed or broken.
int ReadDatagram(int fd, std::string* bytes) {
  bytes->resize(kMaxFrameBytes + 1);
  for (;;) {
    const ssize_t n = recv(fd, bytes->data(), bytes->size(), MSG_DONTWAIT | MSG_TRUNC);
    if (n > 0) {
      bytes->resize(static_cast<std::size_t>(n) > kMaxFrameBytes + 1 ? kMaxFrameBytes + 1 : static_cast<std::size_t>(n));
      return 1;
    }
    if (n == 0) return -1;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
    return -1;
  }
}

}  // namespace

std::string SessionSocket::SocketPath(const std::string& dir, pid_t pid) {
  return dir + "/p" + std::to_string(pid) + ".sock";
}

std::unique_ptr<SessionSocket> SessionSocket::Listen(const std::string& dir, pid_t pid, std::string* problem) {
  const std::string path = SocketPath(dir, pid);
  auto fail = [&](const std::string& why) -> std::unique_ptr<SessionSocket> {
    if (problem != nullptr) *problem = "The session socket " + path + " cannot be opened: " + why + ".";
    return nullptr;
  };
  sockaddr_un address;
  if (!FillAddress(path, &address)) return fail("its path is too long for a socket");
  const int listener = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listener < 0) return fail(std::strerror(errno));
  // Our own pid is ours alone while we run: a file there was left by a dead program.
  unlink(path.c_str());
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener, 64) != 0) {
    const int error = errno;
    close(listener);
    return fail(std::strerror(error));
  }
  const int epoll = epoll_create1(EPOLL_CLOEXEC);
  if (epoll < 0) {
    const int error = errno;
    close(listener);
    unlink(path.c_str());
    return fail(std::strerror(error));
  }
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = listener;
  epoll_ctl(epoll, EPOLL_CTL_ADD, listener, &event);
  return std::unique_ptr<SessionSocket>(new SessionSocket(dir, path, listener, epoll));
}

SessionSocket::SessionSocket(std::string dir, std::string path, int listener, int epoll)
    : dir_(std::move(dir)), path_(std::move(path)), listener_(listener), epoll_(epoll) {}

SessionSocket::~SessionSocket() {
  for (int fd : incoming_) close(fd);
  for (const auto& [pid, fd] : outgoing_) close(fd);
  close(epoll_);
  close(listener_);
  unlink(path_.c_str());
}

void SessionSocket::AcceptWaiting() {
  for (;;) {
    const int fd = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      return;
    }
    // The directory is private already; the peer's user is checked as well, so that a socket
    // reached some other way still only serves this user's programs.
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 || credentials.uid != geteuid()) {
      close(fd);
      continue;
    }
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &event);
    incoming_.push_back(fd);
  }
}

void SessionSocket::CloseIncoming(int connection) {
  epoll_ctl(epoll_, EPOLL_CTL_DEL, connection, nullptr);
  close(connection);
  incoming_.erase(std::remove(incoming_.begin(), incoming_.end(), connection), incoming_.end());
}

void SessionSocket::TakeRequests(const std::function<void(const Frame&, int connection)>& handle) {
  // Called at every look at the queue: one system call finds out whether anything waits at all.
  epoll_event ready[1];
  int count;
  while ((count = epoll_wait(epoll_, ready, 1, 0)) < 0 && errno == EINTR) {
  }
  if (count <= 0) return;
  AcceptWaiting();
  // A copy: a handler may serve requests itself (a nested wait) and change the list.
  const std::vector<int> connections = incoming_;
  std::string bytes;
  for (int fd : connections) {
    // At most a few frames a connection at a time, so that one peer cannot keep the others out.
    for (int taken = 0; taken < 16; ++taken) {
      if (std::find(incoming_.begin(), incoming_.end(), fd) == incoming_.end()) break;
      const int got = ReadDatagram(fd, &bytes);
      if (got == 0) break;
      if (got < 0) {
        CloseIncoming(fd);
        break;
      }
      std::optional<Frame> frame = DecodeFrame(bytes, nullptr);
      if (!frame || frame->kind == FrameKind::kReply) {
        ++dropped_;
        continue;
      }
      handle(*frame, fd);
    }
  }
}

bool SessionSocket::SendOn(int connection, const Frame& frame) {
  const std::string bytes = EncodeFrame(frame);
  if (bytes.size() > kMaxFrameBytes) return false;
  for (;;) {
    const ssize_t n = send(connection, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n == static_cast<ssize_t>(bytes.size())) return true;
    if (n < 0 && errno == EINTR) continue;
    return false;
  }
}

int SessionSocket::ConnectionTo(pid_t pid) {
  if (auto it = outgoing_.find(pid); it != outgoing_.end()) return it->second;
  sockaddr_un address;
  if (!FillAddress(SocketPath(dir_, pid), &address)) return -1;
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    // A full backlog (EAGAIN) means the program takes no connections: as good as hung.
    close(fd);
    return -1;
  }
  outgoing_[pid] = fd;
  return fd;
}

void SessionSocket::Forget(pid_t pid) {
  if (auto it = outgoing_.find(pid); it != outgoing_.end()) {
    close(it->second);
    outgoing_.erase(it);
  }
}

SessionSocket::Wait SessionSocket::WaitForReply(int connection, int timeoutMs, Frame* reply) {
  pollfd fds[2] = {{connection, POLLIN, 0}, {epoll_, POLLIN, 0}};
  const int ready = poll(fds, 2, timeoutMs);
  if (ready < 0) return errno == EINTR ? Wait::kRequests : Wait::kTimedOut;
  if (ready == 0) return Wait::kTimedOut;
  if (fds[0].revents != 0) {
    std::string bytes;
    const int got = ReadDatagram(connection, &bytes);
    if (got < 0) return Wait::kClosed;
    if (got > 0) {
      std::optional<Frame> frame = DecodeFrame(bytes, nullptr);
      if (frame && frame->kind == FrameKind::kReply) {
        *reply = std::move(*frame);
        return Wait::kReply;
      }
      ++dropped_;
    }
  }
  return Wait::kRequests;
}

}  // namespace lexiv::platform
