#include "views/title_view.h"

#include "platform/list_view_messages.h"
#include "platform/messages.h"

namespace lexiv {

using namespace lexiv::platform;

const MessageMap& CTitleView::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<CTitleView>(ListView::ClassMessageMap());
  return map;
}

int CTitleView::ShowSearchResults(const std::string&, int, int) { return 1; }
int CTitleView::SelectItem(int) { return -1; }
int CTitleView::ItemCount() const { return static_cast<int>(SendMessage(hwnd(), LVM_GETITEMCOUNT, 0, 0)); }
int CTitleView::GetSelectedIndex() const {
  return static_cast<int>(SendMessage(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}
std::string CTitleView::ItemText(int) const { return {}; }
std::string CTitleView::ExtractSpokenPart(const std::string&) const { return {}; }
void CTitleView::AnnounceItem(int, int) {}
void CTitleView::ApplyColorsAndFont() {}
void CTitleView::ApplyZoom(int) {}
void CTitleView::ReturnToMeaning() { frame_.Exit(); }
bool CTitleView::IsReadingText(std::string_view) { return true; }
bool CTitleView::PreTranslateMessage(Msg& msg) { return ListView::PreTranslateMessage(msg); }

}  // namespace lexiv
