// The screen reader behind libvoxausr.so's entry points: speech through speech-dispatcher, the call
// log, the status values, its commands and settings, and the window watcher it loads.
#pragma once

#include <string>
#include <string_view>

#include "kanji_readings.h"
#include "reader_status.h"
#include "speech_channel.h"
#include "voxausr.h"
#include "watch_interface.h"

namespace lexiv::reader {

class WatcherLibrary;

class ScreenReader {
 public:
  ScreenReader();
  ~ScreenReader();
  ScreenReader(const ScreenReader&) = delete;
  ScreenReader& operator=(const ScreenReader&) = delete;

  // Active with a speech server, or with VOXA_LOG set (then the program speaks into the log).
  bool Active();

  VoxaValue SetStatus(VoxaValue kind, VoxaValue value, VoxaValue extra);
  VoxaValue GetStatus(VoxaValue kind, VoxaValue index);
  int Speaking();
  int Read(std::string_view text);
  int Guide(std::string_view text, int mode);
  int VoiceGuide(std::string_view text);
  void Reset();
  // The reader's own command; 1 when known.
  int Command(std::string_view name);
  int CopyLastText(char* buffer, int bufferSize) const;

  // From the watcher.
  void SayOwn(std::string_view text, bool interrupt = true);
  void SayOwnCharacter(std::string_view character);
  bool ProgramSpeaksForItself() const { return status_.ProgramSpeaksForItself(); }
  void ReaderKey(const char* name);

  // The automation object's switch: while following the focus the reader watches the program's
  // windows (as while it holds the program's status callback); off, it leaves them to the program.
  void FollowFocus(bool follow);
  bool FollowingFocus() const { return followingFocus_; }

  const VoxaReaderSettings& settings() const { return settings_; }

  // The speech rate of each step: -100 to 100.
  static int RateOfStep(int step);

 private:
  void Queue(std::string_view text);
  void Say(const std::string& ssml);
  void ApplySettings();
  void SaveSettings();
  std::string Ask(int question);
  void AttachWatcher();
  void DetachWatcher();
  // The kanji readings beside this library, mapped on first use; empty when absent.
  const KanjiReadings& KanjiTable();

  SpeechChannel channel_;
  ReaderStatus status_;
  VoxaReaderSettings settings_{3, 1, 1};
  std::string lastText_;
  std::string lastCharacter_;  // the last single character guided at a caret
  VoxaCommandCallback commandCallback_ = nullptr;
  WatcherLibrary* watcher_ = nullptr;
  VoxaWatchSink sink_{};
  KanjiReadings kanjiTable_;
  bool kanjiTableTried_ = false;
  bool followingFocus_ = false;
};

}  // namespace lexiv::reader
