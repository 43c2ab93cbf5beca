// Reading a manual aloud phrase by phrase from the text box's caret. Each phrase is selected in
// the text box, spoken, and waited for; then the next one follows. The reading advances one
// phrase per step, and the form runs the steps from a timer, so the keys and buttons that steer
// the reading are handled between two phrases: stop, rewind, back one phrase and fast forward
// take effect there, and the reading goes on from the new caret.
#pragma once

#include <cstddef>
#include <string>

#include "docpick/reader_object.h"
#include "platform/win_types.h"

namespace lexiv::docpick {

class ReadingEngine {
 public:
  enum class Request { kNone, kRewind, kBackOnePhrase, kFastForward };

  ReadingEngine(ReaderObject& reader, platform::HWND textBox) : reader_(reader), textBox_(textBox) {}

  bool reading() const { return reading_; }
  // Starts from the caret; false when a reading already runs.
  bool Start();
  // Reads one phrase (serving a pending request first); false when the reading has ended, after
  // saying so.
  bool Step();
  // Ends the reading at the next step (or at once when stopNow): "読み 終わり".
  void RequestStop() { stopRequested_ = true; }
  void StopNow();
  // Rewind, back and forward: served between two phrases while reading, at once otherwise.
  void Ask(Request request);

  // The caret moves of the three requests on a text, by byte positions (exposed for tests).
  static std::size_t RewindFrom(const std::string& text, std::size_t caret);
  static std::size_t BackOnePhraseFrom(const std::string& text, std::size_t lastPhraseStart, std::size_t caret);
  static std::size_t FastForwardFrom(const std::string& text, std::size_t caret);

 private:
  std::string Text() const;
  std::size_t Caret() const;
  void SetCaret(std::size_t bytePos);
  void Serve(Request request, const std::string& text);
  void Finish();

  ReaderObject& reader_;
  platform::HWND textBox_;
  bool reading_ = false;
  bool stopRequested_ = false;
  Request pending_ = Request::kNone;
  std::size_t position_ = 0;
  std::size_t lastPhraseStart_ = 0;
};

}  // namespace lexiv::docpick
