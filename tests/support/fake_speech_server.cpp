#include "support/fake_speech_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace lexiv::testing {
namespace {

// How long a message takes: each break its own length, each other character msPerCharacter.
std::uint64_t PlayingMs(const std::string& text, int msPerCharacter) {
  std::uint64_t ms = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '<') {
      const std::size_t close = text.find('>', i);
      if (close == std::string::npos) break;
      const std::string tag = text.substr(i, close - i);
      const std::size_t time = tag.find("time=\"");
      if (tag.rfind("<break", 0) == 0 && time != std::string::npos) ms += std::strtoul(tag.c_str() + time + 6, nullptr, 10);
      i = close + 1;
      continue;
    }
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ms += static_cast<std::uint64_t>(msPerCharacter);
    ++i;
  }
  return ms;
}

bool StartsWithWord(const std::string& line, const char* word) {
  const std::size_t n = std::strlen(word);
  if (line.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (std::toupper(static_cast<unsigned char>(line[i])) != word[i]) return false;
  return line.size() == n || line[n] == ' ';
}

void WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::string Event(int code, int messageId, const char* what) {
  const std::string c = std::to_string(code);
  return c + "-" + std::to_string(messageId) + "\r\n" + c + "-1\r\n" + c + " " + what + "\r\n";
}

}  // namespace

FakeSpeechServer::FakeSpeechServer(std::vector<Module> modules) : modules_(std::move(modules)) {}

FakeSpeechServer::~FakeSpeechServer() {
  if (wakeFd_[1] >= 0) (void)!::write(wakeFd_[1], "x", 1);
  if (acceptThread_.joinable()) acceptThread_.join();
  for (std::thread& t : connections_) t.join();
  if (listenFd_ >= 0) ::close(listenFd_);
  for (int fd : wakeFd_)
    if (fd >= 0) ::close(fd);
  if (!socketPath_.empty()) ::unlink(socketPath_.c_str());
}

std::uint64_t FakeSpeechServer::NowNs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000000ull + static_cast<std::uint64_t>(now.tv_nsec);
}

bool FakeSpeechServer::Start(const std::string& socketPath) {
  sockaddr_un address{};
  if (socketPath.size() >= sizeof address.sun_path || ::pipe(wakeFd_) != 0) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return false;
  ::unlink(socketPath.c_str());
  if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listenFd_, 8) != 0)
    return false;
  socketPath_ = socketPath;
  acceptThread_ = std::thread([this] { AcceptLoop(); });
  return true;
}

void FakeSpeechServer::AcceptLoop() {
  for (;;) {
    pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFd_[0], POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents != 0) return;
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0) connections_.emplace_back([this, fd] { Serve(fd); });
  }
}

void FakeSpeechServer::Serve(int fd) {
  std::string input;
  std::string data;
  bool receiving = false;
  std::size_t module = 0;
  std::deque<Message> queue;  // the front one is playing
  std::uint64_t frontEndsNs = 0;
  auto startFront = [&] {
    if (queue.empty()) return;
    WriteAll(fd, Event(701, queue.front().id, "BEGIN"));
    frontEndsNs = NowNs() + queue.front().lengthMs * 1000000ull;
  };
  auto finished = [&](int count) {
    std::lock_guard lock(mutex_);
    playing_ -= count;
  };
  auto queueMessage = [&](std::uint64_t lengthMs) {
    int id;
    {
      std::lock_guard lock(mutex_);
      id = nextId_++;
      ++playing_;
    }
    WriteAll(fd, "225-" + std::to_string(id) + "\r\n225 OK MESSAGE QUEUED\r\n");
    queue.push_back({id, lengthMs});
    if (queue.size() == 1) startFront();
  };
  auto record = [&](std::string command, std::string text) {
    std::lock_guard lock(mutex_);
    requests_.push_back({std::move(command), std::move(text), NowNs()});
  };

  for (;;) {
    int timeoutMs = -1;
    if (!queue.empty()) {
      const std::uint64_t now = NowNs();
      timeoutMs = frontEndsNs > now ? static_cast<int>((frontEndsNs - now + 999999) / 1000000) : 0;
    }
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd_[0], POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeoutMs);
    if (fds[1].revents != 0) break;
    if (!queue.empty() && NowNs() >= frontEndsNs) {
      WriteAll(fd, Event(702, queue.front().id, "END"));
      queue.pop_front();
      finished(1);
      startFront();
    }
    if (ready <= 0 || fds[0].revents == 0) continue;
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    input.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t end; (end = input.find("\r\n")) != std::string::npos;) {
      std::string line = input.substr(0, end);
      input.erase(0, end + 2);
      if (receiving) {
        if (line == ".") {
          receiving = false;
          record("SPEAK", data);
          queueMessage(PlayingMs(data, msPerCharacter_));
        } else {
          if (!data.empty()) data += "\n";
          data += line.rfind("..", 0) == 0 ? line.substr(1) : line;
        }
        continue;
      }
      if (line.empty()) continue;
      if (StartsWithWord(line, "SPEAK")) {
        receiving = true;
        data.clear();
        WriteAll(fd, "230 OK RECEIVING DATA\r\n");
        continue;
      }
      record(line, StartsWithWord(line, "CHAR") && line.size() > 5 ? line.substr(5) : std::string());
      if (StartsWithWord(line, "CHAR")) {
        queueMessage(static_cast<std::uint64_t>(msPerCharacter_));
      } else if (StartsWithWord(line, "CANCEL")) {
        WriteAll(fd, "210 OK CANCELED\r\n");
        for (const Message& m : queue) WriteAll(fd, Event(703, m.id, "CANCELED"));
        finished(static_cast<int>(queue.size()));
        queue.clear();
      } else if (StartsWithWord(line, "LIST") && line.find("OUTPUT_MODULES") != std::string::npos) {
        std::string reply;
        for (const Module& m : modules_) reply += "250-" + m.name + "\r\n";
        WriteAll(fd, reply + "250 OK MODULE LIST SENT\r\n");
      } else if (StartsWithWord(line, "LIST") && line.find("SYNTHESIS_VOICES") != std::string::npos) {
        std::string reply;
        if (module < modules_.size())
          for (const Voice& v : modules_[module].voices) reply += "249-" + v.name + "\t" + v.language + "\tnone\r\n";
        WriteAll(fd, reply + "249 OK VOICE LIST SENT\r\n");
      } else if (line.find("OUTPUT_MODULE ") != std::string::npos && StartsWithWord(line, "SET")) {
        const std::string name = line.substr(line.rfind(' ') + 1);
        for (std::size_t i = 0; i < modules_.size(); ++i)
          if (modules_[i].name == name) module = i;
        WriteAll(fd, "216 OK OUTPUT MODULE SET\r\n");
      } else if (StartsWithWord(line, "GET") && line.find("OUTPUT_MODULE") != std::string::npos) {
        WriteAll(fd, "251-" + (module < modules_.size() ? modules_[module].name : std::string("none")) +
                         "\r\n251 OK GET RETURNED\r\n");
      } else if (StartsWithWord(line, "QUIT")) {
        WriteAll(fd, "231 HAPPY HACKING\r\n");
        break;
      } else {
        WriteAll(fd, "200 OK\r\n");
      }
    }
  }
  finished(static_cast<int>(queue.size()));
  ::close(fd);
}

std::vector<FakeSpeechServer::Request> FakeSpeechServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::vector<std::string> FakeSpeechServer::Spoken() const {
  std::vector<std::string> spoken;
  for (const Request& r : Requests()) {
    if (r.command == "SPEAK" || StartsWithWord(r.command, "CHAR")) spoken.push_back(r.text);
  }
  return spoken;
}

std::vector<FakeSpeechServer::Request> FakeSpeechServer::TakeSaid() {
  std::lock_guard lock(mutex_);
  std::vector<Request> said;
  for (Request& r : requests_)
    if (r.command == "SPEAK" || StartsWithWord(r.command, "CHAR")) said.push_back(std::move(r));
  requests_.clear();
  return said;
}

void FakeSpeechServer::ClearRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

bool FakeSpeechServer::Idle() const {
  std::lock_guard lock(mutex_);
  return playing_ == 0;
}

bool FakeSpeechServer::WaitUntil(const std::function<bool(const std::vector<Request>&)>& done, int limitMs) const {
  const std::uint64_t until = NowNs() + static_cast<std::uint64_t>(limitMs) * 1000000ull;
  for (;;) {
    if (done(Requests())) return true;
    if (NowNs() >= until) return false;
    ::usleep(200);
  }
}

}  // namespace lexiv::testing
