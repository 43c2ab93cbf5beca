// An in-process screen reader and braille driver for tests. Constructing one installs its entry
// points in the speech bridge (as if both libraries were loaded); destroying it resets the
// bridge. It records every call except the polling ones (VOXAGetVStatus, VOXAGetStatus,
// VOXAStatus), which it counts, and its speech takes scripted time on the platform clock: a text
// keeps VOXAGetVStatus at 1 for the speech duration, a reset ends it. One exists at a time.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "access/speech_library.h"

namespace lexiv::access {

struct ReaderCall {
  std::string name;                  // the entry point, "VOXAPRead"
  bool hasText = false;
  std::string text;                  // Shift-JIS, the call's text (first argument)
  std::vector<ReaderValue> numbers;  // the other arguments, in order
  std::uint64_t atMs = 0;            // the platform clock when called

  // The call as program text: "VOXAPRead(国語辞典\xFE終わり, 4, 1)". Status kinds and the values
  // of the 0x2xxxx kinds are hexadecimal, a callback address is "&callback".
  std::string Describe() const;
};

class FakeReader {
 public:
  FakeReader();
  ~FakeReader();
  FakeReader(const FakeReader&) = delete;
  FakeReader& operator=(const FakeReader&) = delete;

  // Script.
  // VOXAGetStatus(0x10001, 28): the reader is active (it is by default).
  void SetActive(bool active) { SetSwitch(kSwitchActive, active ? 1 : 0); }
  // A value of status kind 0x10001 (what VOXAGetStatus reads and VOXASetStatus replaces).
  void SetSwitch(ReaderValue index, ReaderValue value) { status_[{kReaderSwitches, index}] = value; }
  // How long each text takes to say (1000 ms by default).
  void SetSpeechMs(std::uint32_t ms) { speechMs_ = ms; }
  // VOXAStatus's answer (1 by default).
  void SetReaderStatus(int value) { readerStatus_ = value; }
  // Re-installs the entry points without these, as a library that lacks them.
  void Remove(std::initializer_list<const char*> entryPointNames);

  // What happened.
  const std::vector<ReaderCall>& Calls() const { return calls_; }
  // Describe() of each call.
  std::vector<std::string> Transcript() const;
  // The texts handed to VOXAPRead, VOXACGuide, VOXAVoiceGuide and their Ex forms, in order.
  std::vector<std::string> SpokenTexts() const;
  void ClearCalls() { calls_.clear(); }
  int PollCount() const { return polls_; }
  bool Speaking() const;
  // The value of a kind (0x10001: of an index; other kinds: index 0).
  ReaderValue StatusValue(ReaderValue kind, ReaderValue index = 0) const;
  // The calls, one a line, in UTF-8 (for failure messages).
  std::string Report() const;

  // The program's callbacks as handed over with VOXASetStatus, called as the reader would; 0
  // when none is registered.
  int CallStatusCallback(int type, ReaderValue param) const;
  int CallCommandCallback(const char* name) const;

  // Program text shown as UTF-8, the phrase separator 0xFE as ␞, the pause mark 0xFF as ␟ and a
  // carriage return as ␍ and a line feed as ␊; bytes that do not convert as \xNN. FromDisplayText is the way back.
  static std::string DisplayText(std::string_view sjis);
  static std::string FromDisplayText(std::string_view utf8);

 private:
  friend struct FakeReaderEntryPoints;
  std::uint64_t Now() const;
  void Record(const char* name, const char* text, std::vector<ReaderValue> numbers);
  // A text starts; after a reset (or with flush) it replaces what was being said.
  void Say(bool flush);

  std::map<std::pair<ReaderValue, ReaderValue>, ReaderValue> status_;
  std::vector<ReaderCall> calls_;
  std::uint64_t speakingUntilMs_ = 0;
  std::uint32_t speechMs_ = 1000;
  int readerStatus_ = 1;
  int polls_ = 0;
};

}  // namespace lexiv::access
