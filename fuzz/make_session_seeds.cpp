// Writes the seeds of session_frame_fuzz into a directory: one frame of each kind and each copied
// buffer, addressed to the fuzz target's window (the session's first handle), and a few that must
// be refused (an unknown window, a message that cannot cross, a length that lies).
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/services/session_frame.h"

using namespace lexiv::platform;

namespace {

constexpr std::uint32_t kWindow = 0x10000;

void Write(const std::string& dir, const char* name, const std::string& bytes) {
  std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
}

Frame Send(UINT message, std::uint64_t wParam, std::uint64_t lParam, std::string payload = {}) {
  Frame f;
  f.kind = FrameKind::kSend;
  f.marshal = MarshalFor(message);
  f.seq = 1;
  f.hwnd = kWindow;
  f.message = message;
  f.wParam = wParam;
  f.lParam = lParam;
  f.payload = std::move(payload);
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lexiv-fuzz-session-seeds DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  Write(dir, "settext", EncodeFrame(Send(WM_SETTEXT, 0, 1, std::string("new text\0", 9))));
  Write(dir, "gettext", EncodeFrame(Send(WM_GETTEXT, 64, 1)));
  Write(dir, "getsel", EncodeFrame(Send(EM_GETSEL, 1, 1)));
  Write(dir, "getline", EncodeFrame(Send(EM_GETLINE, 1, 1, std::string("\x20\x00", 2))));
  Write(dir, "replacesel", EncodeFrame(Send(EM_REPLACESEL, 0, 1, std::string("inserted\0", 9))));
  Write(dir, "copydata", EncodeFrame(Send(WM_COPYDATA, 0, 1, std::string("\x05\0\0\0\0\0\0\0abc", 11))));
  Write(dir, "keydown", EncodeFrame(Send(WM_KEYDOWN, 0x41, 1)));
  Write(dir, "registered", EncodeFrame(Send(0xC123, 7, 9)));
  Frame post = Send(0x0102, 'x', 1);
  post.kind = FrameKind::kPost;
  Write(dir, "post-char", EncodeFrame(post));
  Frame activate = Send(0, 0, 0);
  activate.kind = FrameKind::kActivate;
  Write(dir, "activate", EncodeFrame(activate));
  Frame elsewhere = Send(WM_GETTEXT, 64, 1);
  elsewhere.hwnd = 0x12345;
  Write(dir, "unknown-window", EncodeFrame(elsewhere));
  Write(dir, "pointer-message", EncodeFrame(Send(0x004E /* WM_NOTIFY */, 0, 0x1000)));
  std::string lying = EncodeFrame(Send(WM_SETTEXT, 0, 1, std::string("abc\0", 4)));
  lying.resize(lying.size() - 2);
  Write(dir, "truncated", lying);
  Write(dir, "garbage", "this is not a frame at all, only text long enough to pass for a header.");
  return 0;
}
