// The editor's window: the text in a multi-line edit ("RyxEditCtrl", or a plain "Edit" with
// /edit) over a status line. The edit does the editing (caret keys, Shift selections, typing,
// Backspace, Delete, Enter, Ctrl+Home and Ctrl+End, the page keys, Ctrl+A, Ctrl+Z, and Ctrl+C,
// Ctrl+X and Ctrl+V through the session's clipboard); the window adds what makes it an editor:
//
//   Ctrl+S   saves the text back in the file's own encoding, through a temporary file and a
//            rename; a failed save keeps the text and the old file, and says why
//   Ctrl+Q   ends the program; Escape too with /endesc. With unsaved changes the first press
//            only warns, and the same key pressed again at once ends it
//
// A read-only text (/ro, or a file that could not be opened as text) refuses every change with a
// beep, the reason on the status line and the same words spoken. The status line shows the last
// message and the caret's line and column, the encoding and whether the text changed.
#pragma once

#include <memory>
#include <string>

#include "penra/editor_voice.h"
#include "penra/penra_options.h"
#include "penra/text_file.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/status_bar.h"
#include "platform/core/window.h"

namespace lexiv::penra {

inline constexpr char kEditorWindowClassName[] = "PenraWindow";

class EditorWindow : public platform::Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  EditorWindow(PenraOptions options, EditorVoice& voice);
  ~EditorWindow() override;

  std::string_view ClassName() const override { return kEditorWindowClassName; }

  // Makes the window over the whole screen, loads the file and gives the edit the focus. False
  // only when the windows cannot be made; a file that cannot be read is told, not fatal.
  bool Open();

  platform::HWND EditWindow() const { return edit_ ? edit_->hwnd() : platform::HWND{}; }
  platform::HWND StatusWindow() const { return status_.hwnd(); }
  // The message pane and the position pane of the status line.
  std::string StatusMessage() const { return status_.PaneText(0); }
  std::string StatusPosition() const { return status_.PaneText(1); }
  bool ReadOnly() const { return readOnly_; }
  const TextFileFormat& Format() const { return format_; }

 protected:
  bool PreTranslateMessage(platform::Msg& msg) override;

 private:
  // Shows the file; returns what must be told about it (empty when all is well).
  std::string Load();
  void Save();
  // A refusal or a failure: a beep, the words on the status line, the same words spoken.
  void Tell(const std::string& message);
  // A change of state the user sees on the status line only.
  void Show(const std::string& message);
  void RefreshPosition();
  bool WouldChangeText(const platform::Msg& msg) const;
  // An end key (Ctrl+Q, Escape with /endesc): ends the program, or warns first about changes.
  void RequestEnd(platform::UINT key);
  void End();
  bool Modified() const;

  platform::LRESULT OnSize(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnSetFocus(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnClose(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnRefreshPosition(platform::WPARAM, platform::LPARAM);
  void OnTextChanged();

  PenraOptions options_;
  EditorVoice& voice_;
  std::unique_ptr<platform::EditControl> edit_;
  platform::StatusBar status_;
  TextFileFormat format_;
  bool readOnly_ = false;
  platform::UINT warnedEndKey_ = 0;  // the end key that warned of unsaved changes, until another key
};

}  // namespace lexiv::penra
