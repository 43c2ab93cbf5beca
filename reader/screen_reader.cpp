#include "screen_reader.h"

#include <dlfcn.h>

#include <cstring>

#include "character_description.h"
#include "character_kind.h"
#include "log_line.h"
#include "program_text.h"

namespace lexiv::reader {

namespace {

constexpr int kRateSteps = 5;
constexpr VoxaValue kGuideCaret = 0;
constexpr VoxaValue kGuideListItem = 6;
constexpr VoxaValue kGuideHeadword = 0x10000;
// Compiled from KANJIDIC by the build, beside the library.
constexpr const char* kKanjiTableFile = "voxa/kanji-readings.bin";

// The braille stand-in, when the program has loaded it, shows what is said.
void ShowOnBraille(std::string_view text) {
  void* braille = ::dlopen("libbrixusr.so", RTLD_NOW | RTLD_NOLOAD);
  if (braille == nullptr) return;
  using ShowFn = int (*)(const char*);
  if (auto show = reinterpret_cast<ShowFn>(::dlsym(braille, "BrixShowText"))) show(std::string(text).c_str());
  ::dlclose(braille);
}

// Where this library lies, so the watcher is taken from beside it.
std::string OwnDirectory() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&OwnDirectory), &info) == 0 || info.dli_fname == nullptr) return {};
  std::string path = info.dli_fname;
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void SinkSay(void* reader, const char* text, int interrupt) {
  if (text != nullptr) static_cast<ScreenReader*>(reader)->SayOwn(text, interrupt != 0);
}
void SinkStop(void* reader) {
  AppendLog(LogLine("ReaderStop"));
  static_cast<ScreenReader*>(reader)->Reset();
}
void SinkCommand(void* reader, const char* name) {
  if (name != nullptr) static_cast<ScreenReader*>(reader)->ReaderKey(name);
}
unsigned SinkAutoRead(void* reader) {
  return static_cast<unsigned>(static_cast<ScreenReader*>(reader)->GetStatus(kAutoReadKind, 0));
}
void SinkSayCharacter(void* reader, const char* character) {
  if (character != nullptr) static_cast<ScreenReader*>(reader)->SayOwnCharacter(character);
}
int SinkProgramSpeaks(void* reader) { return static_cast<ScreenReader*>(reader)->ProgramSpeaksForItself() ? 1 : 0; }

}  // namespace

// The watcher library and its entry points; absent when it cannot be loaded into this program.
class WatcherLibrary {
 public:
  WatcherLibrary() {
    const std::string directory = OwnDirectory();
    if (directory.empty()) return;
    handle_ = ::dlopen((directory + "libvoxawatch.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) return;
    attach = reinterpret_cast<VoxaWatchAttachFn>(::dlsym(handle_, "VoxaWatchAttach"));
    detach = reinterpret_cast<VoxaWatchDetachFn>(::dlsym(handle_, "VoxaWatchDetach"));
    load = reinterpret_cast<VoxaWatchLoadSettingsFn>(::dlsym(handle_, "VoxaWatchLoadSettings"));
    save = reinterpret_cast<VoxaWatchSaveSettingsFn>(::dlsym(handle_, "VoxaWatchSaveSettings"));
    describe = reinterpret_cast<VoxaWatchDescribeFn>(::dlsym(handle_, "VoxaWatchDescribe"));
    if (attach == nullptr || detach == nullptr || load == nullptr || save == nullptr || describe == nullptr) {
      ::dlclose(handle_);
      handle_ = nullptr;
    }
  }
  ~WatcherLibrary() {
    if (handle_ == nullptr) return;
    detach();
    ::dlclose(handle_);
  }
  WatcherLibrary(const WatcherLibrary&) = delete;
  WatcherLibrary& operator=(const WatcherLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }

  VoxaWatchAttachFn attach = nullptr;
  VoxaWatchDetachFn detach = nullptr;
  VoxaWatchLoadSettingsFn load = nullptr;
  VoxaWatchSaveSettingsFn save = nullptr;
  VoxaWatchDescribeFn describe = nullptr;

 private:
  void* handle_ = nullptr;
};

ScreenReader::ScreenReader() {
  sink_.reader = this;
  sink_.say = SinkSay;
  sink_.stop = SinkStop;
  sink_.command = SinkCommand;
  sink_.autoRead = SinkAutoRead;
  sink_.sayCharacter = SinkSayCharacter;
  sink_.programSpeaks = SinkProgramSpeaks;
  ApplySettings();
}

ScreenReader::~ScreenReader() { delete watcher_; }

int ScreenReader::RateOfStep(int step) {
  if (step < 1) step = 1;
  if (step > kRateSteps) step = kRateSteps;
  return (step - 3) * 30;
}

bool ScreenReader::Active() { return channel_.Connect() || Logging(); }

void ScreenReader::ApplySettings() {
  if (settings_.rateStep < 1 || settings_.rateStep > kRateSteps) settings_.rateStep = 3;
  settings_.wholeLineOnUpDown = settings_.wholeLineOnUpDown != 0;
  settings_.characterNames = settings_.characterNames != 0;
  channel_.SetRate(RateOfStep(settings_.rateStep));
  status_.Set(kOptionTable, kOptionWholeLineOnUpDown, settings_.wholeLineOnUpDown);
}

void ScreenReader::SaveSettings() {
  if (watcher_ != nullptr && watcher_->loaded()) watcher_->save(&settings_);
}

void ScreenReader::AttachWatcher() {
  if (watcher_ == nullptr) watcher_ = new WatcherLibrary();
  if (!watcher_->loaded()) return;
  if (watcher_->attach(&sink_) != 0) return;
  if (watcher_->load(&settings_) == 0) ApplySettings();
}

void ScreenReader::DetachWatcher() {
  if (watcher_ != nullptr && watcher_->loaded()) watcher_->detach();
}

void ScreenReader::FollowFocus(bool follow) {
  followingFocus_ = follow;
  if (follow) AttachWatcher(); else DetachWatcher();
}

std::string ScreenReader::Ask(int question) {
  if (watcher_ == nullptr || !watcher_->loaded()) return {};
  char buffer[512];
  const int length = watcher_->describe(question, buffer, static_cast<int>(sizeof buffer));
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

VoxaValue ScreenReader::SetStatus(VoxaValue kind, VoxaValue value, VoxaValue extra) {
  if (kind == kOptionTable && value == kOptionActive) return Active() ? 1 : 0;
  const VoxaValue previous = status_.Set(kind, value, extra);
  if (kind == kCommandCallbackKind) commandCallback_ = reinterpret_cast<VoxaCommandCallback>(value);
  // The program hands over its status callback once its user-interface thread runs, and takes it
  // back before it ends: the time during which its windows can be watched.
  if (kind == kStatusCallbackKind) {
    if (value != 0) AttachWatcher(); else DetachWatcher();
  }
  return previous;
}

VoxaValue ScreenReader::GetStatus(VoxaValue kind, VoxaValue index) {
  if (kind == kOptionTable && index == kOptionActive) return Active() ? 1 : 0;
  return status_.Get(kind, index);
}

int ScreenReader::Speaking() { return channel_.Speaking() ? 1 : 0; }

void ScreenReader::Queue(std::string_view text) {
  lastText_ = text;
  ShowOnBraille(text);
  if (channel_.Connect()) Say(SsmlText(text));
}

void ScreenReader::Say(const std::string& ssml) {
  // Nothing to say is not sent: the server is not kept busy with a silence, and nothing is left
  // outstanding for the program to wait on.
  if (!ssml.empty()) channel_.SaySsml(ssml);
}

int ScreenReader::Read(std::string_view text) {
  Queue(text);
  return 0;
}

int ScreenReader::VoiceGuide(std::string_view text) {
  Queue(text);
  return 0;
}

int ScreenReader::Guide(std::string_view text, int mode) {
  const bool oneCharacter = !text.empty() && static_cast<std::size_t>(ShiftJisCharLength(text)) == text.size();
  if (mode == kGuideCaret && oneCharacter) {
    lastCharacter_ = text;
    lastText_ = text;
    ShowOnBraille(text);
    if (!channel_.Connect()) return 0;
    if (text == "\r" || text == "\n") channel_.SaySsml(SsmlText("改行"));
    else if (!settings_.characterNames) Say(SsmlText(text));
    else if (const std::string description = DescribeCharacter(text, KanjiTable()); !description.empty())
      Say(SsmlText(description));  // the description carries the sound
    else channel_.SayCharacter(ProgramTextToUtf8(text, " ", " "));
    return 0;
  }
  if ((mode == kGuideHeadword || mode == kGuideListItem) && KanjiTable().loaded()) {
    // The word, then each of its kanji by its readings, so that homophones can be told apart.
    Queue(HeadwordGuideText(text, KanjiTable()));
    return 0;
  }
  if (mode == kGuideHeadword) {
    // The headword, then spelled, so the user hears which characters the reading became.
    lastText_ = text;
    ShowOnBraille(text);
    if (channel_.Connect()) {
      Say(SsmlText(text));
      Say(SsmlSpelled(text));
    }
    return 0;
  }
  // Without the table a list item (mode 6) is read as it is, as are the rest of a line and any
  // other mode.
  Queue(text);
  return 0;
}

const KanjiReadings& ScreenReader::KanjiTable() {
  if (!kanjiTableTried_) {
    kanjiTableTried_ = true;
    const std::string directory = OwnDirectory();
    if (!directory.empty()) kanjiTable_.Open(directory + kKanjiTableFile);
  }
  return kanjiTable_;
}

void ScreenReader::Reset() { channel_.CancelAll(); }

void ScreenReader::SayOwn(std::string_view text, bool interrupt) {
  if (text.empty()) return;
  AppendLog(LogLine("Reader").Text(std::string(text).c_str()));
  if (interrupt) channel_.CancelAll();
  Queue(text);
}

// A character the reader finds at a caret on its own is spoken as the program's caret guide is.
void ScreenReader::SayOwnCharacter(std::string_view character) {
  if (character.empty()) return;
  AppendLog(LogLine("Reader").Text(std::string(character).c_str()));
  channel_.CancelAll();
  Guide(character, kGuideCaret);
}

void ScreenReader::ReaderKey(const char* name) {
  AppendLog(LogLine("ReaderKey").Text(name));
  if (commandCallback_ != nullptr && commandCallback_(name) != 0) return;
  Command(name);
}

int ScreenReader::Command(std::string_view name) {
  if (name == "SetSpeedToggle") {
    settings_.rateStep = settings_.rateStep % kRateSteps + 1;
    ApplySettings();
    SaveSettings();
    SayOwn("速さ " + std::to_string(settings_.rateStep));
    return 1;
  }
  if (name == "SetCurGuide") {
    settings_.characterNames = !settings_.characterNames;
    SaveSettings();
    SayOwn(settings_.characterNames ? "文字説明 あり" : "文字説明 なし");
    return 1;
  }
  if (name == "ReadAgain") {
    const std::string again = lastText_;
    SayOwn(again);
    return 1;
  }
  if (name == "ReadCurAtrb") {
    if (!lastCharacter_.empty()) {
      SayOwn(DescribeCharacterKind(lastCharacter_) + static_cast<char>(kPhraseSeparator) + lastCharacter_);
      return 1;
    }
    SayOwn(Ask(kVoxaAskFocus));
    return 1;
  }
  if (name == "ReadActiveTitle") {
    SayOwn(Ask(kVoxaAskActiveTitle));
    return 1;
  }
  if (name == "ReadCurPos") {
    SayOwn(Ask(kVoxaAskFocus));
    return 1;
  }
  if (name == "ReadInputSts") {
    const std::string state = Ask(kVoxaAskInputState);
    SayOwn(state.empty() ? std::string("入力状態 不明") : state);
    return 1;
  }
  return 0;
}

int ScreenReader::CopyLastText(char* buffer, int bufferSize) const {
  if (buffer == nullptr || bufferSize <= 0) return 0;
  std::size_t length = 0;
  const std::string_view text = lastText_;
  while (length < text.size()) {
    const std::size_t next = length + static_cast<std::size_t>(ShiftJisCharLength(text.substr(length)));
    if (next + 1 > static_cast<std::size_t>(bufferSize)) break;
    length = next;
  }
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace lexiv::reader
