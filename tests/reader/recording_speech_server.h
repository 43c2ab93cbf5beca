// A speech server double: it answers the speech-dispatcher protocol (SSIP) on a Unix socket of its
// own and records what the client hands it to say, so a test reads the texts the reader sent.
// It accepts one client at a time and answers every command with success; SPEAK takes the text
// that follows up to the line ".", CHAR a single character. Notifications are never sent.
#pragma once

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lexiv::testing {

class RecordingSpeechServer {
 public:
  struct Said {
    enum class Kind { kSpeak, kChar } kind;
    std::string text;  // UTF-8: SSML for kSpeak, the character for kChar
  };

  explicit RecordingSpeechServer(const std::string& socketPath) : path_(socketPath) {
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 4) != 0)
      return;
    ok_ = true;
    thread_ = std::thread([this] { Serve(); });
  }
  ~RecordingSpeechServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (listener_ >= 0) ::close(listener_);
    ::unlink(path_.c_str());
  }
  RecordingSpeechServer(const RecordingSpeechServer&) = delete;
  RecordingSpeechServer& operator=(const RecordingSpeechServer&) = delete;

  bool ok() const { return ok_; }
  std::string address() const { return "unix_socket:" + path_; }

  // Everything said since the last call. The client waits for the answer to each text, and the
  // text is recorded before the answer goes, so a call that returned has been recorded.
  std::vector<Said> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Said> taken;
    taken.swap(said_);
    return taken;
  }

 private:
  void Serve() {
    int client = -1;
    std::string pending;
    bool receiving = false;
    std::string data;
    while (!stop_) {
      pollfd fds[1] = {{client >= 0 ? client : listener_, POLLIN, 0}};
      if (::poll(fds, 1, 50) <= 0) continue;
      if (client < 0) {
        client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        continue;
      }
      char buffer[4096];
      const ssize_t got = ::read(client, buffer, sizeof buffer);
      if (got <= 0) {
        ::close(client);
        client = -1;
        pending.clear();
        receiving = false;
        continue;
      }
      pending.append(buffer, static_cast<std::size_t>(got));
      for (std::size_t end; (end = pending.find("\r\n")) != std::string::npos;) {
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 2);
        if (receiving) {
          if (line == ".") {
            receiving = false;
            Record({Said::Kind::kSpeak, data});
            Reply(client, "225-" + std::to_string(++messageId_) + "\r\n225 OK MESSAGE QUEUED\r\n");
            continue;
          }
          if (line.rfind("..", 0) == 0) line.erase(0, 1);
          if (!data.empty()) data += "\n";
          data += line;
          continue;
        }
        // Commands are not case-sensitive.
        std::string command = line.substr(0, line.find(' '));
        for (char& c : command) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (command == "SPEAK") {
          receiving = true;
          data.clear();
          Reply(client, "230 OK RECEIVING DATA\r\n");
        } else if (command == "CHAR" && line.size() > 5) {
          Record({Said::Kind::kChar, line.substr(5)});
          Reply(client, "225-" + std::to_string(++messageId_) + "\r\n225 OK MESSAGE QUEUED\r\n");
        } else if (command == "QUIT") {
          Reply(client, "231 HAPPY HACKING\r\n");
        } else {
          Reply(client, "200 OK\r\n");
        }
      }
    }
    if (client >= 0) ::close(client);
  }
  void Record(Said said) {
    std::lock_guard<std::mutex> lock(mutex_);
    said_.push_back(std::move(said));
  }
  static void Reply(int client, const std::string& text) {
    for (std::size_t sent = 0; sent < text.size();) {
      const ssize_t n = ::write(client, text.data() + sent, text.size() - sent);
      if (n <= 0) return;
      sent += static_cast<std::size_t>(n);
    }
  }

  std::string path_;
  int listener_ = -1;
  bool ok_ = false;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::vector<Said> said_;
  int messageId_ = 0;
};

}  // namespace lexiv::testing
