#include "penra/editor_window.h"

#include <cerrno>
#include <utility>

#include "penra/ryx_edit_control.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/message_map.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::penra {

using namespace lexiv::platform;

namespace {

constexpr UINT kEditId = 1;
constexpr UINT kStatusId = 2;
// Posted after each key, so the position shown is the one the key left.
constexpr UINT kRefreshPositionMessage = WM_USER + 1;
// One terminal row for the status line.
constexpr int kStatusHeight = 16;
constexpr int kPositionPaneWidth = 8 * 36;

constexpr char kSaved[] = "保存しました";
constexpr char kCannotSave[] = "保存できません";
constexpr char kReadOnly[] = "読み取り専用です";
constexpr char kCannotRead[] = "ファイルを読み込めません";
constexpr char kUnknownEncoding[] = "UTF-8 でもシフトJIS でもないため開けません";
constexpr char kBeyondShiftJis[] = "シフトJIS にない文字があるため開けません";
constexpr char kLossyText[] = "保存すると変わる文字があるため、読み取り専用で開きました";
constexpr char kNewFile[] = "新しいファイル";
constexpr char kNoFileName[] = "ファイル名がありません";
constexpr char kUnsavedChanges[] = "変更が保存されていません。もう一度押すと終了します";

std::string ReadFailure(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "読み取りが許可されていません";
    case EISDIR:
      return "フォルダです";
    case EFBIG:
      return "1MB より大きいファイルです";
    default:
      return "読み込みに失敗しました";
  }
}

std::string WriteFailure(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return "書き込みが許可されていません";
    case ENOENT:
    case ENOTDIR:
      return "フォルダがありません";
    case ENOSPC:
    case EDQUOT:
      return "空き容量がありません";
    case EILSEQ:
      return "ファイルの文字コードで書けない文字があります";
    default:
      return "書き込みに失敗しました";
  }
}

// The file's name without its directory, for the caption and the messages.
std::string FileName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }
bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace

EditorWindow::EditorWindow(PenraOptions options, EditorVoice& voice)
    : options_(std::move(options)), voice_(voice), readOnly_(options_.readOnly) {}

EditorWindow::~EditorWindow() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool EditorWindow::Open() {
  CreateParams params;
  params.text = options_.file.empty() ? std::string("penra") : FileName(options_.file) + " - penra";
  params.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  params.rect = UiThread::Current()->driver.ScreenRect();
  if (!Create(params)) return false;
  RECT client;
  GetClientRect(hwnd(), &client);

  if (options_.plainEdit)
    edit_ = std::make_unique<EditControl>();
  else
    edit_ = std::make_unique<RyxEditControl>();
  CreateParams edit;
  edit.style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN;
  edit.parent = hwnd();
  edit.id = kEditId;
  edit.rect = RECT{0, 0, client.Width(), client.Height() - kStatusHeight};
  CreateParams status;
  status.style = WS_CHILD | WS_VISIBLE;
  status.parent = hwnd();
  status.id = kStatusId;
  status.rect = RECT{0, client.Height() - kStatusHeight, client.Width(), client.Height()};
  if (!edit_->Create(edit) || !status_.Create(status)) {
    DestroyWindow(hwnd());
    return false;
  }
  const int edges[2] = {client.Width() - kPositionPaneWidth, -1};
  SendMessage(status_.hwnd(), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  // Typing may grow the text up to what the editor would open again.
  SendMessage(edit_->hwnd(), EM_LIMITTEXT, kMaxTextFileBytes, 0);
  const std::string problem = Load();
  SetActiveWindow(hwnd());
  SetFocus(edit_->hwnd());
  // Told after the focus moved, so the reader's reading of the edit does not cut it off.
  if (!problem.empty()) Tell(problem);
  RefreshPosition();
  return true;
}

std::string EditorWindow::Load() {
  const HWND edit = edit_->hwnd();
  if (options_.file.empty()) {
    Show(kNewFile);
    return {};
  }
  std::string problem;
  const LoadedText loaded = LoadTextFile(options_.file);
  format_ = loaded.format;
  const std::string name = FileName(options_.file);
  switch (loaded.outcome) {
    case LoadOutcome::kNewFile:
      Show(name + " " + kNewFile);
      break;
    case LoadOutcome::kLoaded:
    case LoadOutcome::kLossyUtf8:
      SetWindowText(edit, loaded.text.c_str());
      if (loaded.outcome == LoadOutcome::kLossyUtf8) {
        readOnly_ = true;
        problem = kLossyText;
      } else {
        Show(name);
      }
      break;
    case LoadOutcome::kUnreadable:
      // Nothing that was not read may be written over the file.
      readOnly_ = true;
      problem = std::string(kCannotRead) + " " + name + " " + ReadFailure(loaded.error);
      break;
    case LoadOutcome::kUnknownEncoding:
    case LoadOutcome::kBeyondShiftJis:
      readOnly_ = true;
      problem = std::string(kCannotRead) + " " + name + " " +
                (loaded.outcome == LoadOutcome::kBeyondShiftJis ? kBeyondShiftJis : kUnknownEncoding);
      break;
  }
  if (readOnly_) SendMessage(edit, EM_SETREADONLY, TRUE, 0);
  SendMessage(edit, EM_SETSEL, 0, 0);
  SendMessage(edit, EM_SETMODIFY, FALSE, 0);
  SendMessage(edit, EM_EMPTYUNDOBUFFER, 0, 0);
  return problem;
}

void EditorWindow::Save() {
  if (readOnly_) {
    Tell(kReadOnly);
    return;
  }
  if (options_.file.empty()) {
    Tell(std::string(kCannotSave) + " " + kNoFileName);
    return;
  }
  const int error = SaveTextFile(options_.file, edit_->Text(), format_);
  if (error != 0) {
    Tell(std::string(kCannotSave) + " " + FileName(options_.file) + " " + WriteFailure(error));
    return;
  }
  SendMessage(edit_->hwnd(), EM_SETMODIFY, FALSE, 0);
  Tell(kSaved);
  RefreshPosition();
}

void EditorWindow::Tell(const std::string& message) {
  MessageBeep(0xFFFFFFFF);
  Show(message);
  voice_.Say(message);
}

void EditorWindow::Show(const std::string& message) {
  SendMessage(status_.hwnd(), SB_SETTEXT, 0, reinterpret_cast<LPARAM>(message.c_str()));
}

bool EditorWindow::Modified() const { return edit_ && SendMessage(edit_->hwnd(), EM_GETMODIFY, 0, 0) != 0; }

void EditorWindow::RefreshPosition() {
  if (!edit_) return;
  const std::string& text = edit_->Text();
  const std::size_t caret = edit_->CaretPos();
  int line = 1;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < caret; ++i) {
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  }
  int column = 1;
  for (std::size_t i = lineStart; i < caret; i += SjisCharBytesAt(text, i)) ++column;
  std::string position = std::to_string(line) + "行 " + std::to_string(column) + "桁 " + EncodingName(format_.encoding);
  if (readOnly_) position += " 読み取り専用";
  if (Modified()) position += " 変更あり";
  SendMessage(status_.hwnd(), SB_SETTEXT, 1, reinterpret_cast<LPARAM>(position.c_str()));
}

// Keys and characters that would change the text: what a read-only text refuses out loud (the
// edit would ignore them silently).
bool EditorWindow::WouldChangeText(const Msg& msg) const {
  if (msg.message == WM_IME_CHAR) return true;
  if (msg.message == WM_CHAR) {
    const auto byte = static_cast<unsigned char>(msg.wParam);
    return (byte >= 0x20 && byte != 0x7F) || byte == '\r' || byte == 0x08 || byte == 0x16 || byte == 0x18 ||
           byte == 0x1A;
  }
  if (msg.message != WM_KEYDOWN) return false;
  switch (msg.wParam) {
    case VK_DELETE:
      return true;
    case VK_INSERT:
      return ShiftDown();
    default:
      return false;
  }
}

bool EditorWindow::PreTranslateMessage(Msg& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR || msg.message == WM_IME_CHAR)
    PostMessage(hwnd(), kRefreshPositionMessage, 0, 0);
  if (msg.message == WM_KEYDOWN) {
    const UINT vk = static_cast<UINT>(msg.wParam);
    const bool endKey = (vk == 'Q' && CtrlDown()) || (vk == VK_ESCAPE && options_.endOnEscape);
    if (!endKey && vk != VK_CONTROL && vk != VK_SHIFT && vk != VK_MENU) warnedEndKey_ = 0;
    if (endKey) {
      RequestEnd(vk);
      return true;
    }
    if (vk == 'S' && CtrlDown()) {
      Save();
      return true;
    }
  }
  if (readOnly_ && WouldChangeText(msg)) {
    Tell(kReadOnly);
    return true;
  }
  return false;
}

void EditorWindow::RequestEnd(UINT key) {
  if (Modified() && warnedEndKey_ != key) {
    warnedEndKey_ = key;
    Tell(kUnsavedChanges);
    return;
  }
  End();
}

void EditorWindow::End() {
  DestroyWindow(hwnd());
  PostQuitMessage(0);
}

LRESULT EditorWindow::OnSize(WPARAM, LPARAM) {
  RECT client;
  GetClientRect(hwnd(), &client);
  if (edit_ && edit_->hwnd()) MoveWindow(edit_->hwnd(), 0, 0, client.Width(), client.Height() - kStatusHeight, TRUE);
  if (status_.hwnd())
    MoveWindow(status_.hwnd(), 0, client.Height() - kStatusHeight, client.Width(), kStatusHeight, TRUE);
  return 0;
}

LRESULT EditorWindow::OnSetFocus(WPARAM, LPARAM) {
  if (edit_ && edit_->hwnd()) SetFocus(edit_->hwnd());
  return 0;
}

LRESULT EditorWindow::OnClose(WPARAM, LPARAM) {
  RequestEnd(WM_CLOSE);
  return 0;
}

LRESULT EditorWindow::OnRefreshPosition(WPARAM, LPARAM) {
  RefreshPosition();
  return 0;
}

void EditorWindow::OnTextChanged() { RefreshPosition(); }

const MessageMap& EditorWindow::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<EditorWindow>(Window::ClassMessageMap())
                                    .On(WM_SIZE, &EditorWindow::OnSize)
                                    .On(WM_SETFOCUS, &EditorWindow::OnSetFocus)
                                    .On(WM_CLOSE, &EditorWindow::OnClose)
                                    .On(kRefreshPositionMessage, &EditorWindow::OnRefreshPosition)
                                    .OnControlCommand(kEditId, EN_CHANGE, &EditorWindow::OnTextChanged);
  return map;
}

}  // namespace lexiv::penra
