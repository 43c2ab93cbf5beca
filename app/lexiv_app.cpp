#include "app/lexiv_app.h"

#include "access/message_box.h"
#include "access/reader_callbacks.h"
#include "access/speech.h"
#include "access/speech_library.h"
#include "app/about_pictures.h"
#include "app/command_line.h"
#include "app/product_version.h"
#include "app/settings_store.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

// What the reader reads by itself while the program runs.
constexpr access::ReaderValue kOwnReadingAtStart = 0x6080101;
// The hot-key configuration, in the product directory.
constexpr char kHotKeyFileName[] = "LEXIV.INI";
// What the hot keys bound in tmux run, beside the program.
constexpr char kPaneLookupProgram[] = "lexiv-pane-lookup";

}  // namespace

LexivApp::LexivApp(std::string executablePath) : executablePath_(std::move(executablePath)) {}

LexivApp::~LexivApp() {
  Shutdown();
  frame_.reset();
}

int LexivApp::Start(std::string_view commandLine) {
  const CommandLineOptions options = ParseCommandLine(commandLine);
  state_.suppressAnnouncement = options.suppressAnnouncement ? 1 : 0;
  state_.minimizeAtStart = options.minimize;

  switch (processBlock_.Acquire()) {
    case lookup::ProcessBlock::Outcome::kRunningCopy:
      return -1;
    case lookup::ProcessBlock::Outcome::kFailed:
      access::ShowMessage(kStartFailureMessage, CMainFrame::kTitle, MB_ICONHAND | MB_OK, 0, HWND{});
      return -1;
    case lookup::ProcessBlock::Outcome::kOwned:
      break;
  }

  access::BindSpeech();
  speechBound_ = true;

  state_.dirs = LoadDirectories(executablePath_);
  LoadSettings(state_.settings);
  state_.hotKeys = lookup::LoadHotKeyConfig(state_.dirs.productDir + kHotKeyFileName);

  access::SetEventBrlCommand((state_.dirs.productDir + "LEXIVBRL.INI").c_str());
  hook_.Bind(state_.dirs.dllDir);

  const ProductVersion version = BuiltProductVersion();
  state_.productVersionMS = version.ms;
  state_.productVersionLS = version.ls;

  access::VOXASetStatus(access::kReaderOwnReading, kOwnReadingAtStart, 0);
  access::RegisterReaderStatusCallback();

  state_.display.SelectColors(state_.settings.textColor, state_.settings.textBkColor);
  state_.display.SelectFontByName(state_.settings.fontName);
  state_.headwordReading.SetTitleIme(state_.settings.titleIme);
  state_.headwordReading.SetTitleMean(state_.settings.titleMean);

  LoadCommandStrings();
  RegisterAboutPictures();
  document_ = std::make_unique<CYOMIGODoc>();
  frame_ = std::make_unique<CMainFrame>(state_);
  if (!frame_->CreateMainWindow()) return -1;

  if (frame_->Engine().OpenDictionary(state_.dirs.dicDir) != 0) {
    access::ShowMessage(kDictionaryFailureMessage, CMainFrame::kTitle, MB_ICONHAND | MB_OK, 0, frame_->hwnd());
    DestroyWindow(frame_->hwnd());
    return -1;
  }

  processBlock_.Publish(frame_->hwnd());
  hook_.Install();
  state_.hookHandle = hook_.hookHandle();
  BindTmuxKeys();

  ShowWindow(frame_->hwnd(), state_.minimizeAtStart ? SW_MINIMIZE : SW_SHOW);
  UpdateWindow(frame_->hwnd());
  if (!state_.minimizeAtStart && frame_->SearchBox()) SetFocus(frame_->SearchBox()->hwnd());
  state_.startupIncomplete = 0;
  return 0;
}

void LexivApp::BindTmuxKeys() {
  if (!state_.hotKeys.tmuxKeys || !InSession()) return;
  const std::string helper =
      FileSystemName(ExecutableDirectory(RunningExecutablePath()) + kPaneLookupProgram);
  tmuxKeys_.Bind(lookup::TmuxHotKeysOf(state_.hotKeys), helper, SessionDirectoryInUse());
}

void LexivApp::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  // The window is gone (or never was): other programs find no live window in the block from now.
  processBlock_.StopUsingView();
  hook_.Release();
  state_.hookHandle = 0;
  tmuxKeys_.Restore();
  if (!state_.startupIncomplete) {
    SaveSettings(state_.settings);
    access::Speak(std::string("国語辞典") + access::kPhraseSeparator + "終わり");
    access::WaitSpeechEnd(HWND{});
  }
  if (speechBound_) {
    access::UnregisterReaderStatusCallback();
    access::UnbindSpeech();
    speechBound_ = false;
  }
  processBlock_.Close();
}

int LexivApp::Run(std::string_view commandLine) {
  if (Start(commandLine) != 0) {
    Shutdown();
    return 1;
  }
  RunMessageLoop();
  Shutdown();
  return 0;
}

}  // namespace lexiv
