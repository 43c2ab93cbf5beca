// The bridge to the outside screen reader (libvoxausr.so) and braille driver (libbrixusr.so).
// Neither is linked: BindSpeech loads both by bare name and binds each entry point by name, so any
// library, and any entry point of it, may be missing. The rest of the program calls only the
// wrappers below, which do nothing and return 0 when their entry point is missing.
//
// Every text is Shift-JIS, NUL-terminated. Values that may carry an address (a callback handed to
// the reader with VOXASetStatus) are pointer-sized.
#pragma once

#include <cstdint>

namespace lexiv::access {

using ReaderValue = std::intptr_t;

// Callbacks the program hands the reader (see reader_callbacks.h).
using ReaderStatusCallbackFn = int (*)(int type, ReaderValue param);
using ReaderCommandCallbackFn = int (*)(const char* name);

// Status kinds of VOXASetStatus / VOXAGetStatus.
inline constexpr ReaderValue kReaderSwitches = 0x10001;        // (kind, index, value)
inline constexpr ReaderValue kReaderStatusCallback = 0x20001;  // value: ReaderStatusCallback or 0
inline constexpr ReaderValue kReaderOwnReading = 0x20002;      // value: what the reader reads by itself
inline constexpr ReaderValue kReaderCommandCallback = 0x20004; // value: ReaderCommandCallback or 0
// Indexes of kReaderSwitches.
inline constexpr ReaderValue kSwitchActive = 28;         // non-zero while the reader is active
inline constexpr ReaderValue kSwitchReadRestOfLine = 7;  // read the rest of the line on Up and Down

// The entry points of both libraries; a null member is an entry point the library lacks (or a
// library that is not loaded).
struct SpeechLibrary {
  // Screen reader.
  ReaderValue (*VOXASetStatus)(ReaderValue kind, ReaderValue value, ReaderValue extra) = nullptr;
  ReaderValue (*VOXAGetStatus)(ReaderValue kind, ReaderValue index, ReaderValue extra) = nullptr;
  int (*VOXAGetVStatus)() = nullptr;
  int (*VOXAVoiceGuide)(const char* text, int flags) = nullptr;
  int (*VOXACommand)(const char* name, int arg1, int arg2) = nullptr;
  int (*VOXAVReset)() = nullptr;
  int (*VOXAStatus)() = nullptr;
  int (*VOXABeep)(int type) = nullptr;
  int (*VOXAGetVersion)() = nullptr;
  int (*VOXAEventHook)(ReaderValue hook, ReaderValue param) = nullptr;
  int (*VOXAGetVoiceLog)(char* buffer, int bufferSize) = nullptr;
  int (*VOXAPRead)(const char* text, int mode, int flag) = nullptr;
  int (*VOXACGuide)(const char* text, int mode) = nullptr;
  int (*VOXAPReadEx)(const char* text, int mode, int flag, ReaderValue extra) = nullptr;
  int (*VOXACGuideEx)(const char* text, int mode, ReaderValue extra) = nullptr;
  // Braille driver.
  int (*CallEvents)(int event) = nullptr;
  int (*SetEventBrlCommand)(const char* commandFilePath) = nullptr;
  int (*SetEventRoundCommand)(const char* commandFilePath) = nullptr;
  int (*BrixStatus)() = nullptr;
  int (*BrixSendCommand)(const char* command) = nullptr;
  int (*BrixGetStatus)(int kind) = nullptr;
  int (*BrixSetStatus)(int kind, int value) = nullptr;
};

// Visits each entry point of the screen reader as visit(name, member).
template <typename Library, typename Visit>
void ForEachReaderEntryPoint(Library& lib, Visit&& visit) {
  visit("VOXASetStatus", lib.VOXASetStatus);
  visit("VOXAGetStatus", lib.VOXAGetStatus);
  visit("VOXAGetVStatus", lib.VOXAGetVStatus);
  visit("VOXAVoiceGuide", lib.VOXAVoiceGuide);
  visit("VOXACommand", lib.VOXACommand);
  visit("VOXAVReset", lib.VOXAVReset);
  visit("VOXAStatus", lib.VOXAStatus);
  visit("VOXABeep", lib.VOXABeep);
  visit("VOXAGetVersion", lib.VOXAGetVersion);
  visit("VOXAEventHook", lib.VOXAEventHook);
  visit("VOXAGetVoiceLog", lib.VOXAGetVoiceLog);
  visit("VOXAPRead", lib.VOXAPRead);
  visit("VOXACGuide", lib.VOXACGuide);
  visit("VOXAPReadEx", lib.VOXAPReadEx);
  visit("VOXACGuideEx", lib.VOXACGuideEx);
}

// The same for the braille driver.
template <typename Library, typename Visit>
void ForEachBrailleEntryPoint(Library& lib, Visit&& visit) {
  visit("CallEvents", lib.CallEvents);
  visit("SetEventBrlCommand", lib.SetEventBrlCommand);
  visit("SetEventRoundCommand", lib.SetEventRoundCommand);
  visit("BrixStatus", lib.BrixStatus);
  visit("BrixSendCommand", lib.BrixSendCommand);
  visit("BrixGetStatus", lib.BrixGetStatus);
  visit("BrixSetStatus", lib.BrixSetStatus);
}

// Bits of BindSpeech's result.
inline constexpr int kReaderLibraryMissing = 1;
inline constexpr int kBrailleLibraryMissing = 2;

// Loads each library that is not loaded yet and binds its entry points; counts one use. Returns
// kReaderLibraryMissing and kBrailleLibraryMissing for the libraries that could not be loaded
// (callers may ignore it: the wrappers work without them).
int BindSpeech();
// The same with other library names.
int BindSpeechLibraries(const char* readerName, const char* brailleName);
// Does nothing when nothing is bound; otherwise releases one use, and the last one frees both
// libraries and clears every entry point.
void UnbindSpeech();
int SpeechUseCount();

// The entry points the wrappers call.
const SpeechLibrary& BoundSpeechLibrary();
// Puts in-process entry points in place of both libraries, as if both were loaded and provided
// exactly these (the fake reader of the tests). Frees libraries loaded before; keeps the use
// count, so a later BindSpeech loads nothing.
void InstallSpeechLibrary(const SpeechLibrary& entryPoints);
// Nothing loaded, nothing installed, use count 0.
void ResetSpeechBridge();

// The wrappers: each calls its entry point when present; otherwise, or for a null text or
// buffer, it does nothing and returns 0.
ReaderValue VOXASetStatus(ReaderValue kind, ReaderValue value, ReaderValue extra);  // the previous value
ReaderValue VOXAGetStatus(ReaderValue kind, ReaderValue index, ReaderValue extra);
int VOXAGetVStatus();  // 1 while speech is being output
int VOXAVoiceGuide(const char* text, int flags);
int VOXACommand(const char* name, int arg1, int arg2);
int VOXAVReset();  // stops and discards pending speech
int VOXAStatus();
int VOXABeep(int type);
int VOXAGetVersion();
int VOXAEventHook(ReaderValue hook, ReaderValue param);
int VOXAGetVoiceLog(char* buffer, int bufferSize);
int VOXAPRead(const char* text, int mode, int flag);  // queues text for speech
int VOXACGuide(const char* text, int mode);
int VOXAPReadEx(const char* text, int mode, int flag, ReaderValue extra);
int VOXACGuideEx(const char* text, int mode, ReaderValue extra);
int CallEvents(int event);
int SetEventBrlCommand(const char* commandFilePath);
int SetEventRoundCommand(const char* commandFilePath);
int BrixStatus();
int BrixSendCommand(const char* command);
int BrixGetStatus(int kind);
int BrixSetStatus(int kind, int value);

}  // namespace lexiv::access
