#include "docpick/reader_object.h"

#include <utility>

namespace lexiv::docpick {

ReaderObject ReaderObject::Create(const char* libraryName) {
  ReaderObject reader;
  reader.library_ = platform::LoadedLibrary(libraryName);
  const auto create = reader.library_.Find<VoxaCreateObjectFn>("VOXACreateObject");
  if (create != nullptr) reader.object_ = create();
  return reader;
}

ReaderObject::~ReaderObject() {
  // The object lives in the library: it goes before the library is let go.
  if (object_ != nullptr && object_->methods->Release != nullptr) object_->methods->Release(object_);
}

ReaderObject::ReaderObject(ReaderObject&& other) noexcept
    : library_(std::move(other.library_)), object_(std::exchange(other.object_, nullptr)) {}

ReaderObject& ReaderObject::operator=(ReaderObject&& other) noexcept {
  if (this != &other) {
    ReaderObject old(std::move(*this));
    library_ = std::move(other.library_);
    object_ = std::exchange(other.object_, nullptr);
  }
  return *this;
}

#define LEXIV_CALL_METHOD(method, ...) \
  (object_ != nullptr && object_->methods->method != nullptr && object_->methods->method(object_, ##__VA_ARGS__) == 0)

bool ReaderObject::Speak(const std::string& sjis) {
  long result = 0;
  return LEXIV_CALL_METHOD(Speak, sjis.c_str(), &result);
}
bool ReaderObject::StopSpeech() { return LEXIV_CALL_METHOD(StopSpeech); }
bool ReaderObject::StopFollowingFocus() { return LEXIV_CALL_METHOD(StopFollowingFocus); }
bool ReaderObject::FollowFocus() { return LEXIV_CALL_METHOD(FollowFocus); }
bool ReaderObject::WaitSpeechEnd() {
  long finished = 0;
  return LEXIV_CALL_METHOD(WaitSpeechEnd, &finished);
}
bool ReaderObject::ReadSpeechState() {
  long speaking = 0, rate = 0, following = 0;
  return LEXIV_CALL_METHOD(GetSpeechState, &speaking, &rate, &following);
}

#undef LEXIV_CALL_METHOD

}  // namespace lexiv::docpick
