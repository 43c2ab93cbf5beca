// A program's endpoint in its session: the listening socket pPID.sock in the session directory,
// the connections other programs opened to it (their requests arrive there and the replies leave
// there), and the connections it opened to others (its own requests leave there, their replies
// arrive there). Unix-domain SOCK_SEQPACKET: one frame a datagram, in order, never torn. Only
// programs of the same user may connect; every descriptor is non-blocking, so a peer that stops
// reading can make a send fail but never stop this program.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/services/session_frame.h"

namespace lexiv::platform {

class SessionSocket {
 public:
  static std::string SocketPath(const std::string& dir, pid_t pid);
  // Listens at SocketPath(dir, pid), replacing a file left there by a dead program of that pid.
  static std::unique_ptr<SessionSocket> Listen(const std::string& dir, pid_t pid, std::string* problem);
  ~SessionSocket();
  SessionSocket(const SessionSocket&) = delete;
  SessionSocket& operator=(const SessionSocket&) = delete;

  // Readable when a connection or a request may be waiting (for the drivers' waits).
  int WaitDescriptor() const { return epoll_; }

  // Accepts waiting connections and hands every waiting request frame to handle, with the
  // connection to reply on. Frames that do not decode are dropped (counted in DroppedFrames).
  void TakeRequests(const std::function<void(const Frame&, int connection)>& handle);
  // False when the peer is gone or not reading.
  bool SendOn(int connection, const Frame& frame);

  // The connection to the program pid (opened once and kept); -1 when it cannot be reached.
  int ConnectionTo(pid_t pid);
  void Forget(pid_t pid);

  enum class Wait { kReply, kRequests, kTimedOut, kClosed };
  // Waits at most timeoutMs for a frame on an outgoing connection or for requests to this
  // program. kReply fills *reply with a well-formed reply frame; other frames there are dropped.
  Wait WaitForReply(int connection, int timeoutMs, Frame* reply);

  std::size_t DroppedFrames() const { return dropped_; }

 private:
  SessionSocket(std::string dir, std::string path, int listener, int epoll);
  void AcceptWaiting();
  void CloseIncoming(int connection);

  std::string dir_;
  std::string path_;
  int listener_ = -1;
  int epoll_ = -1;
  std::vector<int> incoming_;
  std::map<pid_t, int> outgoing_;
  std::size_t dropped_ = 0;
};

}  // namespace lexiv::platform
