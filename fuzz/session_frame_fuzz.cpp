// Fuzz target over the frames other programs of a session send a program: a datagram of any
// bytes is refused, or answered with a reply that decodes; the program keeps running and keeps
// its windows. A frame that decodes encodes back to the same bytes.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/controls/edit_control.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/headless/headless_driver.h"
#include "platform/services/session_frame.h"
#include "platform/services/session_socket.h"

using namespace lexiv::platform;

namespace {

// A program of a private session, with one edit window (the session's first handle, 0x10000,
// which the seeds name) and a connection to its own socket to send the frames through.
class Receiver {
 public:
  Receiver() {
    char pattern[] = "/tmp/lexiv-fuzz-session-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    dir_ = pattern;
    setenv("LEXIV_SESSION_DIR", dir_.c_str(), 1);
    if (!JoinSession("fuzz")) std::abort();
    MakeWindow();
    client_ = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = SessionSocket::SocketPath(dir_, getpid());
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (connect(client_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) std::abort();
  }
  ~Receiver() {
    close(client_);
    LeaveSession();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  void Take(std::string_view bytes) {
    send(client_, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    PumpPending();
    std::string reply(kMaxFrameBytes, '\0');
    for (;;) {
      const ssize_t n = recv(client_, reply.data(), reply.size(), MSG_DONTWAIT);
      if (n <= 0) break;
      auto frame = DecodeFrame(std::string_view(reply.data(), static_cast<std::size_t>(n)), nullptr);
      if (!frame || frame->kind != FrameKind::kReply) __builtin_trap();
    }
    // A frame may close the window (WM_CLOSE crosses): the next input finds a new one.
    if (!IsWindow(edit_.hwnd())) MakeWindow();
  }

 private:
  void MakeWindow() {
    CreateParams p;
    p.text = "frame target\r\nsecond line";
    p.style = WS_VISIBLE | ES_MULTILINE;
    p.rect = RECT{0, 0, 200, 100};
    edit_.Create(p);
  }

  std::string dir_;
  HeadlessDriver driver_;
  UiThread ui_{driver_};
  EditControl edit_;
  int client_ = -1;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Receiver receiver;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (auto frame = DecodeFrame(bytes, nullptr); frame && EncodeFrame(*frame) != bytes) __builtin_trap();
  receiver.Take(bytes);
  return 0;
}
