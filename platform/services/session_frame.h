// The frames programs of a session exchange over their sockets: a message sent (answered by a
// reply frame with the same sequence number), a message posted, and the session's own requests
// (activate a window, give up the foreground). A frame is a fixed header and a payload, one
// datagram each (SOCK_SEQPACKET keeps the boundaries). Frames come from other processes: decoding
// checks the magic, the kind, the sizes and the payload each kind of copied buffer needs, and
// refuses anything else.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv::platform {

enum class FrameKind : std::uint16_t {
  kSend = 1,        // a synchronous message; the receiver answers with kReply
  kPost = 2,        // a posted message; no answer
  kReply = 3,       // the result of a kSend
  kActivate = 4,    // make hwnd the foreground window (its program becomes active)
  kDeactivate = 5,  // hwnd of another program took the foreground: become inactive
};

// How a message's pointer parameters travel. The sender copies what the receiver reads into the
// payload, the receiver points the parameter at its own copy and returns what the sender must
// write back into its buffers.
enum class Marshal : std::uint16_t {
  kNone = 0,       // the parameters are numbers (or addresses the receiver reads itself)
  kInText = 1,     // lParam: a NUL-ended text (WM_SETTEXT, EM_REPLACESEL)
  kOutText = 2,    // wParam: capacity, lParam: buffer to fill (WM_GETTEXT)
  kSelection = 3,  // wParam, lParam: DWORDs to fill, either may be null (EM_GETSEL)
  kLine = 4,       // lParam: buffer whose first WORD is its capacity (EM_GETLINE)
  kSelText = 5,    // lParam: buffer large enough for the selection (EM_GETSELTEXT)
  kCopyData = 6,   // lParam: a COPYDATASTRUCT (WM_COPYDATA)
};

// The marshalling a message needs.
Marshal MarshalFor(UINT message);

// Whether a message may go to another program's window. A parameter that is a pointer means
// nothing in another address space, and a window procedure that reads it would read wild memory:
// so only registered messages (0xC000 and up: a protocol between programs, whose addresses the
// receiver reads with ReadProcessMemory), the messages whose buffers the session copies, and the
// system and control messages whose parameters are numbers and handles cross. The rest are
// refused: the send returns 0 and a frame carrying one is dropped.
bool CrossesPrograms(UINT message);

// The largest datagram: a copied buffer beyond it makes the send fail.
inline constexpr std::size_t kMaxFrameBytes = 128 * 1024;

struct Frame {
  FrameKind kind = FrameKind::kSend;
  Marshal marshal = Marshal::kNone;
  std::uint64_t seq = 0;
  std::uint32_t hwnd = 0;
  std::uint32_t message = 0;
  std::uint64_t wParam = 0;
  std::uint64_t lParam = 0;
  std::int64_t result = 0;
  std::uint32_t senderPid = 0;
  std::uint32_t flags = 0;  // kReply: kDelivered when a window took the message
  std::string payload;
};

inline constexpr std::uint32_t kFrameDelivered = 1;

// Header size; a datagram shorter than this is no frame.
std::size_t FrameHeaderBytes();

std::string EncodeFrame(const Frame& frame);
// The frame in bytes, or nothing with the reason in *problem.
std::optional<Frame> DecodeFrame(std::string_view bytes, std::string* problem);

}  // namespace lexiv::platform
