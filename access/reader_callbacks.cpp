#include "access/reader_callbacks.h"

#include <utility>

namespace lexiv::access {

namespace {

std::function<bool()>& MeaningViewFocusTest() {
  static std::function<bool()> test;
  return test;
}

std::function<int(const char*)>& CommandHandler() {
  static std::function<int(const char*)> handler;
  return handler;
}

template <typename Function>
ReaderValue AddressOf(Function function) {
  return reinterpret_cast<ReaderValue>(function);
}

}  // namespace

int ReaderStatusCallback(int type, ReaderValue /*param*/) {
  switch (type) {
    case 1:
    case 3:
    case 4:
    case 5:
      return 1;
    case 10:
      return MeaningViewFocusTest() && MeaningViewFocusTest()() ? 1 : 0;
    default:
      return 0;
  }
}

int ReaderCommandCallback(const char* name) {
  if (name == nullptr || !CommandHandler()) return 0;
  return CommandHandler()(name) != 0 ? 1 : 0;
}

void SetMeaningViewFocusTest(std::function<bool()> focusInMeaningView) {
  MeaningViewFocusTest() = std::move(focusInMeaningView);
}

void SetReaderCommandHandler(std::function<int(const char* name)> handler) { CommandHandler() = std::move(handler); }

void RegisterReaderStatusCallback() {
  VOXASetStatus(kReaderStatusCallback, AddressOf<ReaderStatusCallbackFn>(&ReaderStatusCallback), 0);
}

void UnregisterReaderStatusCallback() { VOXASetStatus(kReaderStatusCallback, 0, 0); }

void RegisterReaderCommandCallback(std::function<int(const char* name)> handler) {
  SetReaderCommandHandler(std::move(handler));
  VOXASetStatus(kReaderCommandCallback, AddressOf<ReaderCommandCallbackFn>(&ReaderCommandCallback), 0);
}

void UnregisterReaderCommandCallback() {
  VOXASetStatus(kReaderCommandCallback, 0, 0);
  SetReaderCommandHandler(nullptr);
}

}  // namespace lexiv::access
