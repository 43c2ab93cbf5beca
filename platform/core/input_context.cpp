#include "platform/core/input_context.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {
namespace {

struct Context {
  bool open = false;
  DWORD conversion = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
  DWORD sentence = IME_SMODE_PHRASEPREDICT;
  std::string text;
  std::vector<BYTE> attributes;
};

struct Contexts {
  std::map<std::uint32_t, Context> byHandle;
  // A window's context, once it was asked for or given one; 0: detached.
  std::map<std::uint32_t, std::uint32_t> ofWindow;
  std::uint32_t next = 1;
  std::uint32_t New() {
    const std::uint32_t handle = next++;
    byHandle.emplace(handle, Context{});
    return handle;
  }
};

Contexts* ThreadContexts() {
  UiThread* ui = UiThread::Current();
  if (ui == nullptr) return nullptr;
  if (!ui->inputContexts) ui->inputContexts = std::make_shared<Contexts>();
  return static_cast<Contexts*>(ui->inputContexts.get());
}

bool OwnWindow(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w != nullptr && !WindowInternals::Foreign(*w);
}

Context* ContextOf(HIMC himc) {
  Contexts* contexts = ThreadContexts();
  if (contexts == nullptr || !himc) return nullptr;
  auto it = contexts->byHandle.find(himc.value);
  return it != contexts->byHandle.end() ? &it->second : nullptr;
}

}  // namespace

HIMC ImmGetContext(HWND hwnd) {
  Contexts* contexts = ThreadContexts();
  if (contexts == nullptr || !OwnWindow(hwnd)) return HIMC{};
  auto it = contexts->ofWindow.find(hwnd.value);
  if (it == contexts->ofWindow.end()) it = contexts->ofWindow.emplace(hwnd.value, contexts->New()).first;
  if (it->second != 0 && !contexts->byHandle.count(it->second)) it->second = 0;  // destroyed
  return HIMC{it->second};
}

BOOL ImmReleaseContext(HWND hwnd, HIMC himc) { return OwnWindow(hwnd) && ContextOf(himc) != nullptr ? TRUE : FALSE; }

HIMC ImmAssociateContext(HWND hwnd, HIMC himc) {
  Contexts* contexts = ThreadContexts();
  if (contexts == nullptr || !OwnWindow(hwnd)) return HIMC{};
  if (himc && ContextOf(himc) == nullptr) return HIMC{};
  const HIMC previous = ImmGetContext(hwnd);
  contexts->ofWindow[hwnd.value] = himc.value;
  return previous;
}

HIMC ImmCreateContext() {
  Contexts* contexts = ThreadContexts();
  return contexts != nullptr ? HIMC{contexts->New()} : HIMC{};
}

BOOL ImmDestroyContext(HIMC himc) {
  Contexts* contexts = ThreadContexts();
  return contexts != nullptr && himc && contexts->byHandle.erase(himc.value) > 0 ? TRUE : FALSE;
}

BOOL ImmGetOpenStatus(HIMC himc) {
  const Context* context = ContextOf(himc);
  return context != nullptr && context->open ? TRUE : FALSE;
}

BOOL ImmGetConversionStatus(HIMC himc, DWORD* conversion, DWORD* sentence) {
  const Context* context = ContextOf(himc);
  if (context == nullptr) return FALSE;
  if (conversion != nullptr) *conversion = context->conversion;
  if (sentence != nullptr) *sentence = context->sentence;
  return TRUE;
}

LONG ImmGetCompositionStringA(HIMC himc, DWORD index, void* buffer, DWORD bytes) {
  const Context* context = ContextOf(himc);
  if (context == nullptr || (index != GCS_COMPSTR && index != GCS_COMPATTR)) return IMM_ERROR_GENERAL;
  if (!context->open) return 0;
  const bool text = index == GCS_COMPSTR;
  const std::size_t whole = text ? context->text.size() : context->attributes.size();
  if (bytes == 0) return static_cast<LONG>(whole);
  if (buffer == nullptr) return IMM_ERROR_GENERAL;
  const std::size_t copied = text ? SjisPrefixBytes(context->text, bytes) : std::min<std::size_t>(whole, bytes);
  const void* from = text ? static_cast<const void*>(context->text.data()) : context->attributes.data();
  std::copy_n(static_cast<const char*>(from), copied, static_cast<char*>(buffer));
  return static_cast<LONG>(copied);
}

bool OpenComposition(HWND hwnd, std::string_view sjisText, std::vector<BYTE> attributes, DWORD conversion) {
  Context* context = ContextOf(ImmGetContext(hwnd));
  if (context == nullptr) return false;
  context->open = true;
  context->conversion = conversion;
  context->text = std::string(sjisText);
  attributes.resize(sjisText.size(), ATTR_INPUT);
  context->attributes = std::move(attributes);
  return true;
}

bool CloseComposition(HWND hwnd) {
  Context* context = ContextOf(ImmGetContext(hwnd));
  if (context == nullptr) return false;
  context->open = false;
  context->text.clear();
  context->attributes.clear();
  return true;
}

}  // namespace lexiv::platform
