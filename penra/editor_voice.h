// What the editor says of its own: the few messages that no screen reader could know (a file it
// cannot read or write, a save, a refused change). Everything else — the text, the caret, the
// selection, what is typed — the screen reader reads from the edit itself, as it reads any
// program that does not speak for itself.
#pragma once

#include <string_view>

#include "platform/services/library_loader.h"
#include "reader/include/voxausr.h"

namespace lexiv::penra {

class EditorVoice {
 public:
  virtual ~EditorVoice() = default;
  // Shift-JIS text; said at once, in place of what was being said.
  virtual void Say(std::string_view text) = 0;
};

// The screen reader loaded by its bare name, as every program of the system loads it. It is
// handed a status callback (which answers nothing), so that it watches our windows; we never set
// what it reads on its own, so it reads our edit. Without the library, or with the reader
// inactive, nothing is said.
class ScreenReaderVoice final : public EditorVoice {
 public:
  explicit ScreenReaderVoice(const char* libraryName = "libvoxausr.so");
  ~ScreenReaderVoice() override;
  ScreenReaderVoice(const ScreenReaderVoice&) = delete;
  ScreenReaderVoice& operator=(const ScreenReaderVoice&) = delete;

  void Say(std::string_view text) override;
  bool loaded() const { return library_.loaded(); }

 private:
  platform::LoadedLibrary library_;
  decltype(&::VOXASetStatus) setStatus_ = nullptr;
  decltype(&::VOXAGetStatus) getStatus_ = nullptr;
  decltype(&::VOXAVReset) reset_ = nullptr;
  decltype(&::VOXAPRead) read_ = nullptr;
};

}  // namespace lexiv::penra
