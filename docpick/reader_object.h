// The screen reader's automation object, through which the viewer says everything. It comes from
// libvoxausr.so, loaded by bare name (beside the program first); a test hands in an object of its
// own instead. Without the library or its creating function there is no object, and the viewer
// does not run.
#pragma once

#include <string>

#include "platform/services/library_loader.h"
#include "reader/include/voxa_object.h"

namespace lexiv::docpick {

class ReaderObject {
 public:
  // Loads the library and creates the object; empty when either fails.
  static ReaderObject Create(const char* libraryName = "libvoxausr.so");
  // Takes over one holder of an object made elsewhere (null: empty).
  explicit ReaderObject(VoxaObject* object) : object_(object) {}
  ReaderObject() = default;
  ~ReaderObject();
  ReaderObject(ReaderObject&& other) noexcept;
  ReaderObject& operator=(ReaderObject&& other) noexcept;
  ReaderObject(const ReaderObject&) = delete;
  ReaderObject& operator=(const ReaderObject&) = delete;

  bool exists() const { return object_ != nullptr; }

  // The methods by their numbers; each answers false when the object or the method is missing or
  // the method fails.
  bool Speak(const std::string& sjis);  // 1
  bool StopSpeech();                    // 2
  bool StopFollowingFocus();            // 3
  bool FollowFocus();                   // 4
  bool WaitSpeechEnd();                 // 6
  bool ReadSpeechState();               // 9

 private:
  platform::LoadedLibrary library_;
  VoxaObject* object_ = nullptr;
};

}  // namespace lexiv::docpick
