// The automation object of libvoxausr.so. Each method call is written to the VOXA_LOG log as
// "VOXAObject<N>" with its arguments before it is carried out, so a test reads what a program did
// through the object as it reads the entry points' calls.
#include <time.h>

#include <atomic>
#include <new>

#include "log_line.h"
#include "reader_instance.h"
#include "voxa_object.h"

using lexiv::reader::AppendLog;
using lexiv::reader::LogLine;
using lexiv::reader::TheScreenReader;

namespace {

struct ReaderObject {
  VoxaObject base;
  std::atomic<long> holders{1};
};

// A wait polls the channel's state; the channel counts speech the server never begins as ended
// after a few seconds, so the wait ends even with a server that has no sound output. The limit
// is only there so a broken server can never hold the program for good.
constexpr long kWaitPollMs = 10;
constexpr long kWaitLimitMs = 10 * 60 * 1000;

void SleepMs(long ms) {
  timespec pause{ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
}

long AddRef(VoxaObject* self) {
  if (self == nullptr) return -1;
  return ++reinterpret_cast<ReaderObject*>(self)->holders;
}

long Release(VoxaObject* self) {
  if (self == nullptr) return -1;
  auto* object = reinterpret_cast<ReaderObject*>(self);
  const long left = --object->holders;
  if (left == 0) delete object;
  return left;
}

long Speak(VoxaObject*, const char* text, long* result) {
  AppendLog(LogLine("VOXAObject1").Text(text));
  const int queued = TheScreenReader().Read(text != nullptr ? text : "");
  if (result != nullptr) *result = queued != 0 ? 1 : 0;
  return 0;
}

long StopSpeech(VoxaObject*) {
  AppendLog(LogLine("VOXAObject2"));
  TheScreenReader().Reset();
  return 0;
}

long StopFollowingFocus(VoxaObject*) {
  AppendLog(LogLine("VOXAObject3"));
  TheScreenReader().FollowFocus(false);
  return 0;
}

long FollowFocus(VoxaObject*) {
  AppendLog(LogLine("VOXAObject4"));
  TheScreenReader().FollowFocus(true);
  return 0;
}

long WaitSpeechEnd(VoxaObject*, long* finished) {
  AppendLog(LogLine("VOXAObject6"));
  for (long waited = 0; TheScreenReader().Speaking() != 0 && waited < kWaitLimitMs; waited += kWaitPollMs)
    SleepMs(kWaitPollMs);
  if (finished != nullptr) *finished = 1;
  return 0;
}

long GetSpeechState(VoxaObject*, long* speaking, long* rate, long* followingFocus) {
  AppendLog(LogLine("VOXAObject9"));
  lexiv::reader::ScreenReader& reader = TheScreenReader();
  if (speaking != nullptr) *speaking = reader.Speaking();
  if (rate != nullptr) *rate = reader.settings().rateStep;
  if (followingFocus != nullptr) *followingFocus = reader.FollowingFocus() ? 1 : 0;
  return 0;
}

const VoxaObjectMethods kMethods = {
    AddRef,  Release,       Speak,   StopSpeech, StopFollowingFocus, FollowFocus,
    nullptr, WaitSpeechEnd, nullptr, nullptr,    GetSpeechState,
};

}  // namespace

extern "C" __attribute__((visibility("default"))) VoxaObject* VOXACreateObject(void) {
  auto* object = new (std::nothrow) ReaderObject;
  if (object == nullptr) return nullptr;
  object->base.methods = &kMethods;
  return &object->base;
}
