#include "engine/entry_text.h"

#include <cstring>
#include <string_view>
#include <utility>

namespace lexiv {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kLabelSpace = "　";
constexpr std::string_view kFormDigits[3] = {"１", "２", "３"};

class EntryTextBuilder {
 public:
  // Adjacent runs of one kind are joined, so the pane applies each format once per stretch.
  void Add(RunKind kind, std::string_view text) {
    if (text.empty()) return;
    if (!text_.runs.empty() && text_.runs.back().kind == kind)
      text_.runs.back().text += text;
    else
      text_.runs.push_back({kind, std::string(text)});
    text_.plain += text;
  }
  void Label(std::string_view label, int spaces = 0) {
    Add(RunKind::kLabel, label);
    for (int i = 0; i < spaces; ++i) Add(RunKind::kLabel, kLabelSpace);
  }
  void Line(std::string_view text) {
    Add(RunKind::kText, text);
    Add(RunKind::kText, kLineBreak);
  }
  EntryText Take() { return std::move(text_); }

 private:
  EntryText text_;
};

// A fixed field holds its text up to the first zero, or all of its bytes when a zero is missing.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
  return std::string_view(field, ::strnlen(field, N));
}

// The record mirrors the file, so a corrupt file can carry any byte here. Anything but the values
// a dictionary holds is shown as absent, so that no stray byte reaches the text.
int ShownMark(std::int32_t mark) { return mark == 1 || mark == 2 ? mark : 0; }
char ShownAccent(char accent) { return accent >= '0' && accent <= '9' ? accent : 0; }

std::string_view MarkCharacter(int mark) { return mark == 1 ? "\xF1\x58" : "\xF1\x59"; }

void AppendAccentCharacter(std::string& out, char digit) {
  out += '\xF1';
  out += static_cast<char>(0x6F + (digit - '0'));
}

}  // namespace

EntryText FormatEntryText(const EntryRecord& entry) {
  EntryTextBuilder text;
  text.Label("読み", 2);
  text.Line(FieldText(entry.reading));

  if (!FieldText(entry.written[0]).empty()) {
    if (FieldText(entry.written[1]).empty()) {
      text.Label("漢字", 2);
      text.Line(FieldText(entry.written[0]));
    } else {
      for (int form = 0; form < 3 && !FieldText(entry.written[form]).empty(); ++form) {
        text.Label("漢字");
        text.Label(kFormDigits[form], 1);
        text.Line(FieldText(entry.written[form]));
      }
    }
  }

  text.Label("意味\r\n");
  text.Line(entry.meaning);

  int mark = ShownMark(entry.mark);
  char accent1 = ShownAccent(entry.accent1);
  char accent2 = ShownAccent(entry.accent2);
  if (mark != 0 || accent1 != 0 || accent2 != 0 || !entry.historical.empty()) {
    text.Label("その他", mark != 0 ? 1 : 0);
    text.Line(mark != 0 ? MarkCharacter(mark) : std::string_view());
    if (accent1 != 0) {
      std::string accent("アクセント　");
      AppendAccentCharacter(accent, accent1);
      if (accent2 != 0) AppendAccentCharacter(accent, accent2);
      text.Line(accent);
    }
    if (!entry.historical.empty()) {
      std::string historical("歴史的仮名遣い　");
      historical += entry.historical;
      text.Line(historical);
    }
  }
  return text.Take();
}

EntryText FormatEntryErrorText() {
  EntryTextBuilder text;
  text.Label("意味取得エラー\r\n");
  text.Line("エラーにより、見出し語に対する意味を取得することができませんでした。");
  return text.Take();
}

}  // namespace lexiv
