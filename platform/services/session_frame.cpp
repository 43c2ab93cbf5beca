#include "platform/services/session_frame.h"

#include <cstring>

namespace lexiv::platform {

namespace {

constexpr std::uint32_t kFrameMagic = 0x4C585646;  // "LXVF"

// The header as it lies in the datagram: fixed widths, this machine's byte order (peers are
// programs on the same machine).
struct WireHeader {
  std::uint32_t magic;
  std::uint16_t kind;
  std::uint16_t marshal;
  std::uint64_t seq;
  std::uint32_t hwnd;
  std::uint32_t message;
  std::uint64_t wParam;
  std::uint64_t lParam;
  std::int64_t result;
  std::uint32_t senderPid;
  std::uint32_t flags;
  std::uint32_t payloadBytes;
  std::uint32_t reserved;
};

bool KnownKind(std::uint16_t kind) { return kind >= 1 && kind <= 5; }

}  // namespace

Marshal MarshalFor(UINT message) {
  switch (message) {
    case WM_SETTEXT:
    case EM_REPLACESEL: return Marshal::kInText;
    case WM_GETTEXT: return Marshal::kOutText;
    case EM_GETSEL: return Marshal::kSelection;
    case EM_GETLINE: return Marshal::kLine;
    case EM_GETSELTEXT: return Marshal::kSelText;
    case WM_COPYDATA: return Marshal::kCopyData;
    default: return Marshal::kNone;
  }
}

bool CrossesPrograms(UINT message) {
  if (message >= 0xC000 && message <= 0xFFFF) return true;
  if (MarshalFor(message) != Marshal::kNone) return true;
  // Messages whose parameters are numbers or window handles only.
  static constexpr UINT kNumeric[] = {
      0x0000,                                          // WM_NULL
      0x000E,                                          // WM_GETTEXTLENGTH
      0x0010,                                          // WM_CLOSE
      0x0100, 0x0101, 0x0102, 0x0104, 0x0105, 0x0106,  // WM_KEYDOWN ... WM_SYSCHAR
      0x0111, 0x0112,                                  // WM_COMMAND, WM_SYSCOMMAND
      0x00B1, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB,  // EM_SETSEL, EM_SCROLLCARET, EM_GET/SETMODIFY, EM_GETLINECOUNT, EM_LINEINDEX
      0x00C1, 0x00C5, 0x00C6, 0x00C7, 0x00C9, 0x00CD,  // EM_LINELENGTH, EM_LIMITTEXT, EM_CANUNDO, EM_UNDO, EM_LINEFROMCHAR, EM_EMPTYUNDOBUFFER
      0x00CE, 0x00CF, 0x00D5,                          // EM_GETFIRSTVISIBLELINE, EM_SETREADONLY, EM_GETLIMITTEXT
      0x0300, 0x0301, 0x0302, 0x0303, 0x0304,          // WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, WM_UNDO
      0x0400 + 59, 0x0400 + 63, 0x0400 + 69,           // EM_GETEVENTMASK, EM_HIDESELECTION, EM_SETEVENTMASK
      0x0400 + 77, 0x0400 + 78,                        // EM_SETOPTIONS, EM_GETOPTIONS
  };
  for (UINT numeric : kNumeric)
    if (numeric == message) return true;
  return false;
}

std::size_t FrameHeaderBytes() { return sizeof(WireHeader); }

std::string EncodeFrame(const Frame& frame) {
  WireHeader header{};
  header.magic = kFrameMagic;
  header.kind = static_cast<std::uint16_t>(frame.kind);
  header.marshal = static_cast<std::uint16_t>(frame.marshal);
  header.seq = frame.seq;
  header.hwnd = frame.hwnd;
  header.message = frame.message;
  header.wParam = frame.wParam;
  header.lParam = frame.lParam;
  header.result = frame.result;
  header.senderPid = frame.senderPid;
  header.flags = frame.flags;
  header.payloadBytes = static_cast<std::uint32_t>(frame.payload.size());
  std::string bytes(sizeof header, '\0');
  std::memcpy(bytes.data(), &header, sizeof header);
  bytes += frame.payload;
  return bytes;
}

std::optional<Frame> DecodeFrame(std::string_view bytes, std::string* problem) {
  auto refuse = [&](const char* why) -> std::optional<Frame> {
    if (problem != nullptr) *problem = why;
    return std::nullopt;
  };
  if (bytes.size() < sizeof(WireHeader)) return refuse("a frame shorter than its header");
  if (bytes.size() > kMaxFrameBytes) return refuse("a frame larger than the largest allowed");
  WireHeader header;
  std::memcpy(&header, bytes.data(), sizeof header);
  if (header.magic != kFrameMagic) return refuse("a frame without the session's mark");
  if (!KnownKind(header.kind)) return refuse("a frame of an unknown kind");
  if (header.payloadBytes != bytes.size() - sizeof header) return refuse("a frame whose length disagrees with its header");
  // Nothing may hide in the header: a frame decodes only if it encodes back to the same bytes.
  if (header.reserved != 0) return refuse("a frame with its reserved field set");
  Frame frame;
  frame.kind = static_cast<FrameKind>(header.kind);
  frame.marshal = static_cast<Marshal>(header.marshal);
  frame.seq = header.seq;
  frame.hwnd = header.hwnd;
  frame.message = header.message;
  frame.wParam = header.wParam;
  frame.lParam = header.lParam;
  frame.result = header.result;
  frame.senderPid = header.senderPid;
  frame.flags = header.flags;
  frame.payload.assign(bytes.substr(sizeof header));
  if (frame.kind == FrameKind::kSend || frame.kind == FrameKind::kPost) {
    if (!CrossesPrograms(frame.message)) return refuse("a message whose parameters cannot cross between programs");
    // The receiver trusts the marshalling only when it is the one the message needs, and the
    // payload holds what that marshalling reads.
    const Marshal expected = frame.kind == FrameKind::kPost ? Marshal::kNone : MarshalFor(frame.message);
    if (frame.marshal != expected) return refuse("a frame whose copied buffer does not fit its message");
    switch (frame.marshal) {
      case Marshal::kInText:
        if (frame.lParam != 0 && (frame.payload.empty() || frame.payload.back() != '\0'))
          return refuse("a text that does not end");
        break;
      case Marshal::kLine:
        if (frame.payload.size() != 2) return refuse("a line request without its capacity");
        break;
      case Marshal::kCopyData:
        if (frame.lParam != 0 && frame.payload.size() < 8) return refuse("a data block without its header");
        break;
      case Marshal::kSelection:
      case Marshal::kOutText:
      case Marshal::kSelText:
      case Marshal::kNone:
        if (!frame.payload.empty()) return refuse("a payload the message does not carry");
        break;
    }
  }
  return frame;
}

}  // namespace lexiv::platform
