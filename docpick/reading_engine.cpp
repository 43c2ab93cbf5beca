#include "docpick/reading_engine.h"

#include <vector>

#include "docpick/phrase_splitter.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

constexpr std::size_t kRewindChars = 100;
constexpr std::size_t kFastForwardChars = 100;
constexpr int kFastForwardLines = 10;

std::size_t CharsBetween(const std::string& text, std::size_t from, std::size_t to) {
  std::size_t chars = 0;
  for (std::size_t pos = from; pos < to && pos < text.size(); pos += SjisCharBytesAt(text, pos)) ++chars;
  return chars;
}

// The byte position count characters before caret (the text's start at the most).
std::size_t CharsBack(const std::string& text, std::size_t caret, std::size_t count) {
  std::vector<std::size_t> starts;
  for (std::size_t pos = 0; pos < caret && pos < text.size(); pos += SjisCharBytesAt(text, pos)) starts.push_back(pos);
  return count >= starts.size() ? 0 : starts[starts.size() - count];
}

// What is said of a phrase: its line end is not read, and a phrase of blanks alone says nothing.
std::string SpokenPart(std::string_view phrase) {
  while (!phrase.empty() && (phrase.back() == '\n' || phrase.back() == '\r')) phrase.remove_suffix(1);
  std::string_view rest = phrase;
  while (!rest.empty() && (rest.front() == ' ' || rest.substr(0, 2) == "　"))
    rest.remove_prefix(rest.front() == ' ' ? 1 : 2);
  return rest.empty() ? std::string() : std::string(phrase);
}

}  // namespace

std::string ReadingEngine::Text() const {
  const int length = GetWindowTextLength(textBox_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowText(textBox_, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

std::size_t ReadingEngine::Caret() const {
  DWORD start = 0, end = 0;
  SendMessage(textBox_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start;
}

void ReadingEngine::SetCaret(std::size_t bytePos) {
  SendMessage(textBox_, EM_SETSEL, bytePos, static_cast<LPARAM>(bytePos));
}

bool ReadingEngine::Start() {
  if (reading_) return false;
  reading_ = true;
  stopRequested_ = false;
  pending_ = Request::kNone;
  position_ = Caret();
  lastPhraseStart_ = position_;
  return true;
}

std::size_t ReadingEngine::RewindFrom(const std::string& text, std::size_t caret) {
  if (CharsBetween(text, 0, caret) <= kRewindChars) return 0;
  const std::size_t back = CharsBack(text, caret, kRewindChars);
  return PhraseStartBefore(text, back + 1);
}

std::size_t ReadingEngine::BackOnePhraseFrom(const std::string& text, std::size_t lastPhraseStart, std::size_t caret) {
  (void)caret;
  if (lastPhraseStart == 0) return 0;
  return PhraseStartBefore(text, lastPhraseStart);
}

std::size_t ReadingEngine::FastForwardFrom(const std::string& text, std::size_t caret) {
  std::size_t pos = caret;
  for (int line = 0; line < kFastForwardLines; ++line) {
    const std::size_t lineEnd = text.find("\r\n", pos);
    if (lineEnd == std::string::npos) break;
    pos = lineEnd + 2;
    if (CharsBetween(text, caret, pos) > kFastForwardChars) break;
  }
  return pos;
}

void ReadingEngine::Serve(Request request, const std::string& text) {
  switch (request) {
    case Request::kRewind: position_ = RewindFrom(text, position_); break;
    case Request::kBackOnePhrase: position_ = BackOnePhraseFrom(text, lastPhraseStart_, position_); break;
    case Request::kFastForward: position_ = FastForwardFrom(text, position_); break;
    case Request::kNone: return;
  }
  lastPhraseStart_ = position_;
  SetCaret(position_);
}

void ReadingEngine::Ask(Request request) {
  if (reading_) {
    pending_ = request;
    return;
  }
  position_ = Caret();
  lastPhraseStart_ = position_;
  Serve(request, Text());
}

bool ReadingEngine::Step() {
  if (!reading_) return false;
  const std::string text = Text();
  if (pending_ != Request::kNone) {
    Serve(pending_, text);
    pending_ = Request::kNone;
  }
  if (stopRequested_ || position_ >= text.size()) {
    Finish();
    return false;
  }
  const PhraseBounds phrase = NextPhrase(text, position_);
  SendMessage(textBox_, EM_SETSEL, position_, static_cast<LPARAM>(phrase.endByte));
  const std::string spoken = SpokenPart(std::string_view(text).substr(position_, phrase.endByte - position_));
  lastPhraseStart_ = position_;
  position_ = phrase.nextByte;
  if (!spoken.empty()) {
    reader_.Speak(spoken);
    reader_.WaitSpeechEnd();
  }
  return true;
}

void ReadingEngine::StopNow() {
  if (!reading_) return;
  Finish();
}

void ReadingEngine::Finish() {
  reading_ = false;
  stopRequested_ = false;
  pending_ = Request::kNone;
  reader_.StopSpeech();
  reader_.Speak("読み 終わり");
  SetCaret(position_);
}

}  // namespace lexiv::docpick
