#include "platform/controls/help_viewer.h"

#include <memory>
#include <string>

#include "platform/controls/edit_control.h"
#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/message_map.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"
#include "platform/services/whole_file.h"

namespace lexiv::platform {

namespace {

constexpr UINT kEditId = 1;
// Far beyond any help file of ours; a larger file is refused rather than shown cut.
constexpr std::size_t kMaxHelpFileBytes = 4 << 20;

class HelpViewer;
HelpViewer* openViewer = nullptr;

// The file's name without its directory and extension: the viewer's caption.
std::string Caption(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name);
}

// Line ends as the edit keeps them.
std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    if (text[i] == '\n') out += '\r';
    out += text[i];
  }
  return out;
}

class HelpViewer : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return kHelpViewerClassName; }

  bool Open(HWND owner, const std::string& caption, const std::string& text) {
    if (!hwnd()) {
      returnFocus_ = GetFocus();
      CreateParams params;
      params.text = caption;
      params.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
      params.rect = UiThread::Current()->driver.ScreenRect();
      params.parent = owner;
      if (!Create(params)) return false;
      CreateParams edit;
      edit.style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY;
      edit.parent = hwnd();
      edit.id = kEditId;
      RECT client;
      GetClientRect(hwnd(), &client);
      edit.rect = client;
      if (!edit_.Create(edit)) {
        DestroyWindow(hwnd());
        return false;
      }
    } else {
      SetWindowText(hwnd(), caption.c_str());
    }
    SetWindowText(edit_.hwnd(), text.c_str());
    SendMessage(edit_.hwnd(), EM_SETSEL, 0, 0);
    SetActiveWindow(hwnd());
    SetFocus(edit_.hwnd());
    return true;
  }

  void Close() {
    const HWND back = returnFocus_;
    DestroyWindow(hwnd());
    if (back && IsWindow(back)) {
      const HWND top = GetAncestorTop(back);
      if (top) SetActiveWindow(top);
      SetFocus(back);
    }
  }

  HWND EditWindow() const { return edit_.hwnd(); }

 protected:
  bool PreTranslateMessage(Msg& msg) override {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      Close();
      return true;
    }
    return false;
  }
  void PostNcDestroy() override {
    if (openViewer == this) openViewer = nullptr;
    Window::PostNcDestroy();
  }

 private:
  LRESULT OnSize(WPARAM, LPARAM) {
    RECT client;
    GetClientRect(hwnd(), &client);
    if (edit_.hwnd()) MoveWindow(edit_.hwnd(), 0, 0, client.Width(), client.Height(), TRUE);
    return 0;
  }
  LRESULT OnSetFocus(WPARAM, LPARAM) {
    if (edit_.hwnd()) SetFocus(edit_.hwnd());
    return 0;
  }
  LRESULT OnClose(WPARAM, LPARAM) {
    Close();
    return 0;
  }

  EditControl edit_;
  HWND returnFocus_;
};

const MessageMap& HelpViewer::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<HelpViewer>(Window::ClassMessageMap())
                                    .On(WM_SIZE, &HelpViewer::OnSize)
                                    .On(WM_SETFOCUS, &HelpViewer::OnSetFocus)
                                    .On(WM_CLOSE, &HelpViewer::OnClose);
  return map;
}

bool ShowHelpFile(HWND owner, const char* helpFile) {
  if (helpFile == nullptr) return false;
  std::string bytes;
  if (ReadWholeFile(FileSystemName(helpFile), kMaxHelpFileBytes, bytes) != 0) return false;
  std::string text;
  if (!Utf8ToSjis(WithCrLf(bytes), text)) return false;
  if (openViewer == nullptr) {
    auto viewer = std::make_unique<HelpViewer>();
    viewer->SetAutoDelete(true);
    if (!viewer->Open(owner, Caption(helpFile), text)) return false;
    openViewer = viewer.release();
    return true;
  }
  return openViewer->Open(owner, Caption(helpFile), text);
}

}  // namespace

bool WinHelpA(HWND window, const char* helpFile, UINT command, std::uintptr_t) {
  switch (command) {
    case HELP_QUIT:
      if (openViewer != nullptr) openViewer->Close();
      return true;
    case HELP_FINDER:
    case HELP_CONTENTS:
    case HELP_CONTEXT:
      return ShowHelpFile(window, helpFile);
    default:
      return false;
  }
}

HWND HelpViewerWindow() { return openViewer != nullptr ? openViewer->hwnd() : HWND{}; }
HWND HelpViewerEdit() { return openViewer != nullptr ? openViewer->EditWindow() : HWND{}; }

}  // namespace lexiv::platform
