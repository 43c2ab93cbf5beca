#include "platform/controls/caret_keys.h"

#include <algorithm>

#include "platform/services/text_positions.h"
#include "platform/services/word_breaks.h"

namespace lexiv::platform {

std::optional<CaretMove> CaretKeyMove(UINT vk, bool shift, bool ctrl, const CaretKeyView& view) {
  const bool selected = view.anchor != view.caret;
  const std::size_t selectionStart = std::min(view.anchor, view.caret);
  const std::size_t selectionEnd = std::max(view.anchor, view.caret);
  const bool multiline = static_cast<bool>(view.positionOnLine);
  CaretMove move;
  std::size_t target = view.caret;
  switch (vk) {
    case VK_LEFT:
      if (ctrl && view.wordKeys) target = PrevWordStart(view.text, view.caret);
      else target = !shift && selected ? selectionStart : PrevCaretPos(view.text, view.caret, view.lineStart);
      break;
    case VK_RIGHT:
      if (ctrl && view.wordKeys) target = NextWordStart(view.text, view.caret);
      else target = !shift && selected ? selectionEnd : NextCaretPos(view.text, view.caret);
      break;
    case VK_HOME: target = ctrl ? 0 : view.lineStart; break;
    case VK_END: target = ctrl ? view.text.size() : view.lineEnd; break;
    case VK_UP:
    case VK_DOWN:
      if (!multiline) return std::nullopt;
      if (vk == VK_UP ? view.line > 0 : view.line < view.lastLine) {
        move.targetLine = vk == VK_UP ? view.line - 1 : view.line + 1;
        target = view.positionOnLine(move.targetLine);
      } else {
        move.targetLine = view.line;
      }
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      if (!multiline) return std::nullopt;
      const int page = std::max(view.pageLines, 1);
      move.targetLine = vk == VK_NEXT ? std::min(view.line + page, view.lastLine) : std::max(view.line - page, 0);
      target = view.positionOnLine(move.targetLine);
      break;
    }
    default:
      return std::nullopt;
  }
  move.caret = target;
  move.anchor = shift ? view.anchor : target;
  return move;
}

}  // namespace lexiv::platform
