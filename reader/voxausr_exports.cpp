// The entry points of libvoxausr.so. Each call except the polling ones is written to the log
// that VOXA_LOG names before it is carried out.
#include "voxausr.h"

#include "log_line.h"
#include "reader_instance.h"

using lexiv::reader::AppendLog;
using lexiv::reader::LogLine;
using lexiv::reader::ScreenReader;

namespace {

ScreenReader& Reader() { return lexiv::reader::TheScreenReader(); }

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

#define VOXA_EXPORT extern "C" __attribute__((visibility("default")))

VOXA_EXPORT VoxaValue VOXASetStatus(VoxaValue kind, VoxaValue value, VoxaValue extra) {
  LogLine line("VOXASetStatus");
  line.Hex(kind);
  if (lexiv::reader::ReaderStatus::IsTableKind(kind)) line.Decimal(value).Hex(extra);
  else line.Hex(value).Decimal(extra);
  AppendLog(line);
  return Reader().SetStatus(kind, value, extra);
}

VOXA_EXPORT VoxaValue VOXAGetStatus(VoxaValue kind, VoxaValue index, VoxaValue) {
  return Reader().GetStatus(kind, index);
}

VOXA_EXPORT int VOXAGetVStatus(void) { return Reader().Speaking(); }

VOXA_EXPORT int VOXAVoiceGuide(const char* text, int flags) {
  AppendLog(LogLine("VOXAVoiceGuide").Text(text).Decimal(flags));
  return Reader().VoiceGuide(OrEmpty(text));
}

VOXA_EXPORT int VOXACommand(const char* name, int arg1, int arg2) {
  AppendLog(LogLine("VOXACommand").Text(name).Decimal(arg1).Decimal(arg2));
  return Reader().Command(OrEmpty(name));
}

VOXA_EXPORT int VOXAVReset(void) {
  AppendLog(LogLine("VOXAVReset"));
  Reader().Reset();
  return 0;
}

VOXA_EXPORT int VOXAStatus(void) { return Reader().Active() ? 1 : 0; }

VOXA_EXPORT int VOXABeep(int type) {
  AppendLog(LogLine("VOXABeep").Decimal(type));
  return 0;
}

VOXA_EXPORT int VOXAGetVersion(void) {
  AppendLog(LogLine("VOXAGetVersion"));
  return 0x100;
}

VOXA_EXPORT int VOXAEventHook(VoxaValue hook, VoxaValue param) {
  AppendLog(LogLine("VOXAEventHook").Hex(hook).Decimal(param));
  return 0;
}

VOXA_EXPORT int VOXAGetVoiceLog(char* buffer, int bufferSize) {
  AppendLog(LogLine("VOXAGetVoiceLog").Decimal(bufferSize));
  return Reader().CopyLastText(buffer, bufferSize);
}

VOXA_EXPORT int VOXAPRead(const char* text, int mode, int flag) {
  AppendLog(LogLine("VOXAPRead").Text(text).Decimal(mode).Decimal(flag));
  return Reader().Read(OrEmpty(text));
}

VOXA_EXPORT int VOXACGuide(const char* text, int mode) {
  AppendLog(LogLine("VOXACGuide").Text(text).Decimal(mode));
  return Reader().Guide(OrEmpty(text), mode);
}

VOXA_EXPORT int VOXAPReadEx(const char* text, int mode, int flag, VoxaValue extra) {
  AppendLog(LogLine("VOXAPReadEx").Text(text).Decimal(mode).Decimal(flag).Decimal(extra));
  return Reader().Read(OrEmpty(text));
}

VOXA_EXPORT int VOXACGuideEx(const char* text, int mode, VoxaValue extra) {
  AppendLog(LogLine("VOXACGuideEx").Text(text).Decimal(mode).Decimal(extra));
  return Reader().Guide(OrEmpty(text), mode);
}
