#include "access/fake_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "platform/core/timers.h"
#include "platform/core/ui_thread.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::access {

namespace {

FakeReader* g_reader = nullptr;

// U+241E and U+241F, the visible stand-ins for 0xFE and 0xFF.
constexpr std::string_view kSeparatorSymbol = "\xE2\x90\x9E";
constexpr std::string_view kPauseSymbol = "\xE2\x90\x9F";
// A carriage return (what the meaning says for a line end) is shown as ␍, and a line feed as ␊,
// so that they can be told from nothing in a report and written in a scenario.
constexpr std::string_view kCarriageReturnSymbol = "\xE2\x90\x8D";
constexpr std::string_view kLineFeedSymbol = "\xE2\x90\x8A";

std::string Decimal(ReaderValue v) { return std::to_string(v); }

std::string Hex(ReaderValue v) {
  char buffer[24];
  const auto bits = static_cast<std::uintmax_t>(v);
  const std::uintmax_t magnitude = v < 0 ? 0 - bits : bits;
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, 16).ptr;
  return std::string(v < 0 ? "-0x" : "0x") + std::string(buffer, end);
}

bool IsCallbackKind(ReaderValue kind) { return kind == kReaderStatusCallback || kind == kReaderCommandCallback; }

// Converts one stretch without separators; bytes that do not convert are shown as \xNN.
void AppendConverted(std::string_view sjis, std::string& out) {
  std::string utf8;
  if (platform::SjisToUtf8(sjis, utf8)) {
    out += utf8;
    return;
  }
  for (unsigned char c : sjis) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
}

}  // namespace

// The entry points installed in the bridge; each forwards to the reader that exists.
struct FakeReaderEntryPoints {
  static ReaderValue SetStatus(ReaderValue kind, ReaderValue value, ReaderValue extra) {
    FakeReader& r = *g_reader;
    r.Record("VOXASetStatus", nullptr, {kind, value, extra});
    // Kind 0x10001 names an index and its value; the other kinds take the value itself.
    const bool indexed = kind == kReaderSwitches;
    auto key = std::make_pair(kind, indexed ? value : 0);
    const ReaderValue previous = r.status_[key];
    r.status_[key] = indexed ? extra : value;
    return previous;
  }
  static ReaderValue GetStatus(ReaderValue kind, ReaderValue index, ReaderValue) {
    ++g_reader->polls_;
    return g_reader->StatusValue(kind, index);
  }
  static int GetVStatus() {
    ++g_reader->polls_;
    return g_reader->Speaking() ? 1 : 0;
  }
  static int Status() {
    ++g_reader->polls_;
    return g_reader->readerStatus_;
  }
  static int VoiceGuide(const char* text, int flags) {
    g_reader->Record("VOXAVoiceGuide", text, {flags});
    g_reader->Say(false);
    return 1;
  }
  static int Command(const char* name, int arg1, int arg2) {
    g_reader->Record("VOXACommand", name, {arg1, arg2});
    return 1;
  }
  static int VReset() {
    g_reader->Record("VOXAVReset", nullptr, {});
    g_reader->speakingUntilMs_ = 0;
    return 1;
  }
  static int Beep(int type) {
    g_reader->Record("VOXABeep", nullptr, {type});
    return 1;
  }
  static int GetVersion() {
    g_reader->Record("VOXAGetVersion", nullptr, {});
    return 0x100;
  }
  static int EventHook(ReaderValue hook, ReaderValue param) {
    g_reader->Record("VOXAEventHook", nullptr, {hook, param});
    return 0;
  }
  static int GetVoiceLog(char* buffer, int bufferSize) {
    g_reader->Record("VOXAGetVoiceLog", nullptr, {bufferSize});
    buffer[0] = '\0';
    return 0;
  }
  static int PRead(const char* text, int mode, int flag) {
    g_reader->Record("VOXAPRead", text, {mode, flag});
    g_reader->Say(flag != 0);
    return 1;
  }
  static int CGuide(const char* text, int mode) {
    g_reader->Record("VOXACGuide", text, {mode});
    g_reader->Say(false);
    return 1;
  }
  static int PReadEx(const char* text, int mode, int flag, ReaderValue extra) {
    g_reader->Record("VOXAPReadEx", text, {mode, flag, extra});
    g_reader->Say(flag != 0);
    return 1;
  }
  static int CGuideEx(const char* text, int mode, ReaderValue extra) {
    g_reader->Record("VOXACGuideEx", text, {mode, extra});
    g_reader->Say(false);
    return 1;
  }
  static int CallEvents(int event) {
    g_reader->Record("CallEvents", nullptr, {event});
    return 0;
  }
  static int SetEventBrlCommand(const char* path) {
    g_reader->Record("SetEventBrlCommand", path, {});
    return 1;
  }
  static int SetEventRoundCommand(const char* path) {
    g_reader->Record("SetEventRoundCommand", path, {});
    return 1;
  }
  static int BrixStatus() {
    g_reader->Record("BrixStatus", nullptr, {});
    return 0;
  }
  static int BrixSendCommand(const char* command) {
    g_reader->Record("BrixSendCommand", command, {});
    return 0;
  }
  static int BrixGetStatus(int kind) {
    g_reader->Record("BrixGetStatus", nullptr, {kind});
    return 0;
  }
  static int BrixSetStatus(int kind, int value) {
    g_reader->Record("BrixSetStatus", nullptr, {kind, value});
    return 0;
  }

  static SpeechLibrary All() {
    SpeechLibrary lib;
    lib.VOXASetStatus = &SetStatus;
    lib.VOXAGetStatus = &GetStatus;
    lib.VOXAGetVStatus = &GetVStatus;
    lib.VOXAVoiceGuide = &VoiceGuide;
    lib.VOXACommand = &Command;
    lib.VOXAVReset = &VReset;
    lib.VOXAStatus = &Status;
    lib.VOXABeep = &Beep;
    lib.VOXAGetVersion = &GetVersion;
    lib.VOXAEventHook = &EventHook;
    lib.VOXAGetVoiceLog = &GetVoiceLog;
    lib.VOXAPRead = &PRead;
    lib.VOXACGuide = &CGuide;
    lib.VOXAPReadEx = &PReadEx;
    lib.VOXACGuideEx = &CGuideEx;
    lib.CallEvents = &CallEvents;
    lib.SetEventBrlCommand = &SetEventBrlCommand;
    lib.SetEventRoundCommand = &SetEventRoundCommand;
    lib.BrixStatus = &BrixStatus;
    lib.BrixSendCommand = &BrixSendCommand;
    lib.BrixGetStatus = &BrixGetStatus;
    lib.BrixSetStatus = &BrixSetStatus;
    return lib;
  }
};

std::string ReaderCall::Describe() const {
  std::vector<std::string> args;
  if (hasText) args.push_back(text);
  const bool status = name == "VOXASetStatus" || name == "VOXAGetStatus";
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const ReaderValue n = numbers[i];
    if (!status || i == 2) {
      args.push_back(Decimal(n));
    } else if (i == 0) {
      args.push_back(Hex(n));
    } else if (numbers[0] == kReaderSwitches) {
      args.push_back(Decimal(n));
    } else if (IsCallbackKind(numbers[0]) && n != 0) {
      args.push_back("&callback");
    } else {
      args.push_back(Hex(n));
    }
  }
  std::string line = name + "(";
  for (std::size_t i = 0; i < args.size(); ++i) line += (i == 0 ? "" : ", ") + args[i];
  return line + ")";
}

FakeReader::FakeReader() {
  g_reader = this;
  SetActive(true);
  InstallSpeechLibrary(FakeReaderEntryPoints::All());
}

FakeReader::~FakeReader() {
  ResetSpeechBridge();
  if (g_reader == this) g_reader = nullptr;
}

void FakeReader::Remove(std::initializer_list<const char*> entryPointNames) {
  SpeechLibrary lib = FakeReaderEntryPoints::All();
  auto drop = [&](const char* name, auto& entry) {
    for (const char* removed : entryPointNames)
      if (std::strcmp(removed, name) == 0) entry = nullptr;
  };
  ForEachReaderEntryPoint(lib, drop);
  ForEachBrailleEntryPoint(lib, drop);
  InstallSpeechLibrary(lib);
}

std::uint64_t FakeReader::Now() const {
  return platform::UiThread::Current() != nullptr ? platform::GetTickCount() : 0;
}

void FakeReader::Record(const char* name, const char* text, std::vector<ReaderValue> numbers) {
  ReaderCall call;
  call.name = name;
  call.hasText = text != nullptr;
  if (text != nullptr) call.text = text;
  call.numbers = std::move(numbers);
  call.atMs = Now();
  calls_.push_back(std::move(call));
}

void FakeReader::Say(bool flush) {
  const std::uint64_t now = Now();
  const std::uint64_t start = flush ? now : std::max(now, speakingUntilMs_);
  speakingUntilMs_ = start + speechMs_;
}

bool FakeReader::Speaking() const { return Now() < speakingUntilMs_; }

ReaderValue FakeReader::StatusValue(ReaderValue kind, ReaderValue index) const {
  auto it = status_.find({kind, kind == kReaderSwitches ? index : 0});
  return it != status_.end() ? it->second : 0;
}

std::vector<std::string> FakeReader::Transcript() const {
  std::vector<std::string> lines;
  for (const ReaderCall& call : calls_) lines.push_back(call.Describe());
  return lines;
}

std::vector<std::string> FakeReader::SpokenTexts() const {
  std::vector<std::string> texts;
  for (const ReaderCall& call : calls_)
    if (call.name.starts_with("VOXAPRead") || call.name.starts_with("VOXACGuide") || call.name == "VOXAVoiceGuide")
      texts.push_back(call.text);
  return texts;
}

std::string FakeReader::Report() const {
  std::string report = "reader calls:\n";
  if (calls_.empty()) report += "  (none)\n";
  for (const ReaderCall& call : calls_)
    report += "  " + std::to_string(call.atMs) + " ms  " + DisplayText(call.Describe()) + "\n";
  return report;
}

int FakeReader::CallStatusCallback(int type, ReaderValue param) const {
  const auto callback = reinterpret_cast<ReaderStatusCallbackFn>(StatusValue(kReaderStatusCallback));
  return callback != nullptr ? callback(type, param) : 0;
}

int FakeReader::CallCommandCallback(const char* name) const {
  const auto callback = reinterpret_cast<ReaderCommandCallbackFn>(StatusValue(kReaderCommandCallback));
  return callback != nullptr ? callback(name) : 0;
}

std::string FakeReader::DisplayText(std::string_view sjis) {
  std::string out;
  std::size_t start = 0;
  std::size_t bytePos = 0;
  while (bytePos < sjis.size()) {
    const unsigned char c = static_cast<unsigned char>(sjis[bytePos]);
    if (c == 0xFE || c == 0xFF || c == '\r' || c == '\n') {
      AppendConverted(sjis.substr(start, bytePos - start), out);
      out += c == 0xFE   ? kSeparatorSymbol
             : c == 0xFF ? kPauseSymbol
             : c == '\r' ? kCarriageReturnSymbol
                         : kLineFeedSymbol;
      start = ++bytePos;
      continue;
    }
    bytePos += platform::SjisCharBytesAt(sjis, bytePos);
  }
  AppendConverted(sjis.substr(start), out);
  return out;
}

std::string FakeReader::FromDisplayText(std::string_view utf8) {
  std::string out;
  auto convert = [&out](std::string_view part) {
    std::string sjis;
    out += platform::Utf8ToSjis(part, sjis) ? sjis : std::string(part);
  };
  std::size_t start = 0;
  for (std::size_t pos = 0; pos + 3 <= utf8.size();) {
    const std::string_view here = utf8.substr(pos, 3);
    if (here == kSeparatorSymbol || here == kPauseSymbol || here == kCarriageReturnSymbol ||
        here == kLineFeedSymbol) {
      convert(utf8.substr(start, pos - start));
      out += here == kSeparatorSymbol        ? '\xFE'
             : here == kPauseSymbol          ? '\xFF'
             : here == kCarriageReturnSymbol ? '\r'
                                             : '\n';
      pos += 3;
      start = pos;
    } else {
      ++pos;
    }
  }
  convert(utf8.substr(start));
  return out;
}

}  // namespace lexiv::access
