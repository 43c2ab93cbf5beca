// The contract between the dictionary and the hook library that runs inside
// other programs: the shared block that names the dictionary's window, the
// registered messages, the two data blocks the hook builds in its own memory
// for the dictionary to read, and the largest text a request may carry. Both
// sides include this header and nothing else of each other.
//
// The blocks are read across processes byte for byte, so their layouts are
// fixed here with static_asserts; a field the other side fills is never trusted
// (lookup/request_reader.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace lexiv::lookup {

// The shared block: 4 bytes, the dictionary's main window handle (0 until the
// window exists).
inline constexpr char kProcessBlockName[] = "WLKPPROCINF";
inline constexpr std::uint32_t kProcessBlockBytes = 4;

// The registered messages (the session assigns the numbers; only the names are
// fixed).
inline constexpr char kGetHookHandleMessage[] = "WLKP_GETHOOKHANDLE";
inline constexpr char kCheckCommandKeyMessage[] = "WLKP_CHECKCMDKEY";
inline constexpr char kSearchMessage[] = "WLKPCNT_SEARCH";
inline constexpr char kSearchInputMessage[] = "WLKPCNT_SEARCHINPUT";
inline constexpr char kHotKeyEnableMessage[] = "WLKPCNT_WLKPKEY";

// The replies of the key check: which capture the hook runs; 0 means "not a hot
// key".
inline constexpr std::uint32_t kCaretLookupCommand = 100;
inline constexpr std::uint32_t kClipboardLookupCommand = 101;

// A program that adds this local atom turns the hot keys off inside itself.
inline constexpr char kHotKeysOffAtomName[] = "TKV_WLKPCNT_SEARCHKEY";

// The key going down and the typing thread's whole keyboard state (bit 7 of a
// byte: key down).
struct KeyProbe {
  std::uint32_t virtualKey;
  std::uint8_t keyState[256];
};
static_assert(sizeof(KeyProbe) == 260 && offsetof(KeyProbe, keyState) == 4);

// What the hook captured: the text's size with its NUL and its address in the
// hook's process, both 32-bit (the hook allocates requests and texts below 4
// GiB for that reason).
struct LookupRequest {
  std::uint32_t size;
  std::uint32_t textAddress;
  std::uint32_t mode; // kCaretText or kWholeText
  std::uint32_t
      pattern; // handed to the headword search unchanged; the hook sends 0
  std::uint32_t reserved;
};
static_assert(sizeof(LookupRequest) == 20 &&
              offsetof(LookupRequest, textAddress) == 4 &&
              offsetof(LookupRequest, mode) == 8 &&
              offsetof(LookupRequest, pattern) == 12);

// mode: the text starts at the caret (or is the composition's clause) and the
// headword is found at its beginning; or the text is a selection or the
// clipboard, searched whole.
inline constexpr std::uint32_t kCaretText = 1;
inline constexpr std::uint32_t kWholeText = 0;

// The longest text a request carries, without its NUL. Captures at the caret
// and from the clipboard are at most 40 bytes; a selection longer than this is
// cut by the hook on a character boundary, and the dictionary refuses a request
// whose size is above kMaxLookupTextBytes + 1, so another program can never
// make it allocate more.
inline constexpr std::uint32_t kMaxLookupTextBytes = 4096;

// Reply of the search message when the views are not ready or the request
// cannot be read.
inline constexpr std::intptr_t kRequestRefused = -1;

// The hook library's file: the name the dictionary loads from its library
// directory.
inline constexpr char kHookLibraryFileName[] = "liblexivhook.so";

} // namespace lexiv::lookup
