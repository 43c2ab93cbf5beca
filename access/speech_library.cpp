#include "access/speech_library.h"

#include <type_traits>

#include "platform/services/library_loader.h"
#include "reader/include/brixusr.h"
#include "reader/include/voxausr.h"

namespace lexiv::access {

namespace {

// The table's types are the libraries' own prototypes.
#define LEXIV_SAME_AS_EXPORT(name) \
  static_assert(std::is_same_v<decltype(SpeechLibrary::name), decltype(&::name)>, #name)
LEXIV_SAME_AS_EXPORT(VOXASetStatus);
LEXIV_SAME_AS_EXPORT(VOXAGetStatus);
LEXIV_SAME_AS_EXPORT(VOXAGetVStatus);
LEXIV_SAME_AS_EXPORT(VOXAVoiceGuide);
LEXIV_SAME_AS_EXPORT(VOXACommand);
LEXIV_SAME_AS_EXPORT(VOXAVReset);
LEXIV_SAME_AS_EXPORT(VOXAStatus);
LEXIV_SAME_AS_EXPORT(VOXABeep);
LEXIV_SAME_AS_EXPORT(VOXAGetVersion);
LEXIV_SAME_AS_EXPORT(VOXAEventHook);
LEXIV_SAME_AS_EXPORT(VOXAGetVoiceLog);
LEXIV_SAME_AS_EXPORT(VOXAPRead);
LEXIV_SAME_AS_EXPORT(VOXACGuide);
LEXIV_SAME_AS_EXPORT(VOXAPReadEx);
LEXIV_SAME_AS_EXPORT(VOXACGuideEx);
LEXIV_SAME_AS_EXPORT(CallEvents);
LEXIV_SAME_AS_EXPORT(SetEventBrlCommand);
LEXIV_SAME_AS_EXPORT(SetEventRoundCommand);
LEXIV_SAME_AS_EXPORT(BrixStatus);
LEXIV_SAME_AS_EXPORT(BrixSendCommand);
LEXIV_SAME_AS_EXPORT(BrixGetStatus);
LEXIV_SAME_AS_EXPORT(BrixSetStatus);
#undef LEXIV_SAME_AS_EXPORT
static_assert(std::is_same_v<ReaderValue, VoxaValue>);
static_assert(std::is_same_v<ReaderStatusCallbackFn, VoxaStatusCallback>);
static_assert(std::is_same_v<ReaderCommandCallbackFn, VoxaCommandCallback>);

struct Bridge {
  int useCount = 0;
  // A library counts as present when it is loaded or when entry points were installed for it.
  bool readerPresent = false;
  bool braillePresent = false;
  platform::LoadedLibrary reader;
  platform::LoadedLibrary braille;
  SpeechLibrary entries;
};

Bridge& TheBridge() {
  static Bridge bridge;
  return bridge;
}

const SpeechLibrary& Entries() { return TheBridge().entries; }

}  // namespace

int BindSpeech() { return BindSpeechLibraries("libvoxausr.so", "libbrixusr.so"); }

int BindSpeechLibraries(const char* readerName, const char* brailleName) {
  Bridge& b = TheBridge();
  int missing = 0;
  if (!b.readerPresent) {
    b.reader = platform::LoadedLibrary(readerName != nullptr ? readerName : "");
    b.readerPresent = b.reader.loaded();
    if (b.readerPresent) {
      ForEachReaderEntryPoint(b.entries, [&](const char* name, auto& entry) {
        entry = b.reader.Find<std::remove_reference_t<decltype(entry)>>(name);
      });
    } else {
      missing |= kReaderLibraryMissing;
    }
  }
  if (!b.braillePresent) {
    b.braille = platform::LoadedLibrary(brailleName != nullptr ? brailleName : "");
    b.braillePresent = b.braille.loaded();
    if (b.braillePresent) {
      ForEachBrailleEntryPoint(b.entries, [&](const char* name, auto& entry) {
        entry = b.braille.Find<std::remove_reference_t<decltype(entry)>>(name);
      });
    } else {
      missing |= kBrailleLibraryMissing;
    }
  }
  ++b.useCount;
  return missing;
}

void UnbindSpeech() {
  Bridge& b = TheBridge();
  if (b.useCount == 0) return;
  if (--b.useCount == 0) ResetSpeechBridge();
}

int SpeechUseCount() { return TheBridge().useCount; }

const SpeechLibrary& BoundSpeechLibrary() { return Entries(); }

void InstallSpeechLibrary(const SpeechLibrary& entryPoints) {
  Bridge& b = TheBridge();
  b.entries = entryPoints;
  b.reader = platform::LoadedLibrary();
  b.braille = platform::LoadedLibrary();
  b.readerPresent = true;
  b.braillePresent = true;
}

void ResetSpeechBridge() {
  Bridge& b = TheBridge();
  // Entry points go before the libraries that hold them.
  b.entries = SpeechLibrary{};
  b.reader = platform::LoadedLibrary();
  b.braille = platform::LoadedLibrary();
  b.readerPresent = false;
  b.braillePresent = false;
  b.useCount = 0;
}

ReaderValue VOXASetStatus(ReaderValue kind, ReaderValue value, ReaderValue extra) {
  return Entries().VOXASetStatus != nullptr ? Entries().VOXASetStatus(kind, value, extra) : 0;
}

ReaderValue VOXAGetStatus(ReaderValue kind, ReaderValue index, ReaderValue extra) {
  return Entries().VOXAGetStatus != nullptr ? Entries().VOXAGetStatus(kind, index, extra) : 0;
}

int VOXAGetVStatus() { return Entries().VOXAGetVStatus != nullptr ? Entries().VOXAGetVStatus() : 0; }

int VOXAVoiceGuide(const char* text, int flags) {
  return Entries().VOXAVoiceGuide != nullptr && text != nullptr ? Entries().VOXAVoiceGuide(text, flags) : 0;
}

int VOXACommand(const char* name, int arg1, int arg2) {
  return Entries().VOXACommand != nullptr && name != nullptr ? Entries().VOXACommand(name, arg1, arg2) : 0;
}

int VOXAVReset() { return Entries().VOXAVReset != nullptr ? Entries().VOXAVReset() : 0; }

int VOXAStatus() { return Entries().VOXAStatus != nullptr ? Entries().VOXAStatus() : 0; }

int VOXABeep(int type) { return Entries().VOXABeep != nullptr ? Entries().VOXABeep(type) : 0; }

int VOXAGetVersion() { return Entries().VOXAGetVersion != nullptr ? Entries().VOXAGetVersion() : 0; }

int VOXAEventHook(ReaderValue hook, ReaderValue param) {
  return Entries().VOXAEventHook != nullptr ? Entries().VOXAEventHook(hook, param) : 0;
}

int VOXAGetVoiceLog(char* buffer, int bufferSize) {
  if (Entries().VOXAGetVoiceLog == nullptr || buffer == nullptr || bufferSize <= 0) return 0;
  return Entries().VOXAGetVoiceLog(buffer, bufferSize);
}

int VOXAPRead(const char* text, int mode, int flag) {
  return Entries().VOXAPRead != nullptr && text != nullptr ? Entries().VOXAPRead(text, mode, flag) : 0;
}

int VOXACGuide(const char* text, int mode) {
  return Entries().VOXACGuide != nullptr && text != nullptr ? Entries().VOXACGuide(text, mode) : 0;
}

int VOXAPReadEx(const char* text, int mode, int flag, ReaderValue extra) {
  return Entries().VOXAPReadEx != nullptr && text != nullptr ? Entries().VOXAPReadEx(text, mode, flag, extra) : 0;
}

int VOXACGuideEx(const char* text, int mode, ReaderValue extra) {
  return Entries().VOXACGuideEx != nullptr && text != nullptr ? Entries().VOXACGuideEx(text, mode, extra) : 0;
}

int CallEvents(int event) { return Entries().CallEvents != nullptr ? Entries().CallEvents(event) : 0; }

int SetEventBrlCommand(const char* commandFilePath) {
  return Entries().SetEventBrlCommand != nullptr && commandFilePath != nullptr
             ? Entries().SetEventBrlCommand(commandFilePath)
             : 0;
}

int SetEventRoundCommand(const char* commandFilePath) {
  return Entries().SetEventRoundCommand != nullptr && commandFilePath != nullptr
             ? Entries().SetEventRoundCommand(commandFilePath)
             : 0;
}

int BrixStatus() { return Entries().BrixStatus != nullptr ? Entries().BrixStatus() : 0; }

int BrixSendCommand(const char* command) {
  return Entries().BrixSendCommand != nullptr && command != nullptr ? Entries().BrixSendCommand(command) : 0;
}

int BrixGetStatus(int kind) { return Entries().BrixGetStatus != nullptr ? Entries().BrixGetStatus(kind) : 0; }

int BrixSetStatus(int kind, int value) {
  return Entries().BrixSetStatus != nullptr ? Entries().BrixSetStatus(kind, value) : 0;
}

}  // namespace lexiv::access
