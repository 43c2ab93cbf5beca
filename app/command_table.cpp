#include "app/command_table.h"

#include <array>

#include "app/main_frame.h"
#include "app/yomigo_doc.h"
#include "platform/core/menu.h"
#include "platform/core/string_table.h"
#include "views/command_ids.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

constexpr BYTE kShift = FSHIFT;
constexpr BYTE kCtrl = FCONTROL;
constexpr BYTE kAlt = FALT;
constexpr KeyChord Key(WORD key, BYTE modifiers = 0) { return KeyChord{modifiers, key}; }

using F = CMainFrame;

const char* const kPopupTexts[] = {"操作(&F)", "読み(R)", "編集(&E)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"};

}  // namespace

std::span<const CommandEntry> CommandTable() {
  // Menu items stand in the order of the table. Rows without handler wait for their actions.
  static const CommandEntry table[] = {
      // 操作
      {ID_SEARCH_AT_CURSOR, kMenuOperate, "カーソル位置から検索(&C)\tCtrl+Shift+F11", false, kNoMenu,
       {Key(VK_F11, kCtrl | kShift), Key('K', kCtrl)}, "カーソル位置の文字列を見出し語検索\nカーソル位置から検索",
       &F::OnSearchAtCursor, &F::OnUpdateFocusInMeaningWithText},
      {ID_SEARCH_BY_READING, kMenuOperate, "読みを入力して検索(&S)\tAlt+F11", false, kNoMenu, {Key(VK_F11, kAlt)},
       "読みを入力して見出し語検索\n読みを入力して検索", &F::OnSearchByReading, nullptr},
      {ID_RANGE_SEARCH, kMenuOperate, "範囲を指定して検索(&H)\tShift+F11", true, kNoMenu, {Key(VK_F11, kShift)},
       "選択範囲を指定して見出し語検索\n範囲を指定して検索", &F::OnRangeSearch, &F::OnUpdateFocusInMeaningWithText},
      {ID_GO_TO_HEADWORDS, kMenuOperate, "見出し語一覧(&I)\tShift+BackSpace", false, kNoMenu, {Key(VK_BACK, kShift)},
       "見出し語一覧の選択\n見出し語選択", &F::OnGoToHeadwords, &F::OnUpdateGoToHeadwords},
      {ID_HISTORY_BACK, kMenuOperate, "履歴を戻る(&O)\tCtrl+PageUp", false, kNoMenu, {},
       "前に検索した意味を表示\n履歴を戻る", &F::OnHistoryBack, &F::OnUpdateHistoryBack},
      {ID_HISTORY_FORWARD, kMenuOperate, "履歴を進む(&L)\tCtrl+PageDown", true, kNoMenu, {},
       "前に検索した意味を表示\n履歴を進む", &F::OnHistoryForward, &F::OnUpdateHistoryForward},
      {ID_PREVIOUS_ENTRY, kMenuOperate, "前へ辞書をめくる(&B)\tPageUp", false, kNoMenu, {Key(VK_PRIOR)},
       "前の意味を表示\n前へ辞書をめくる", &F::OnPreviousEntry, &F::OnUpdateFocusInMeaning},
      {ID_NEXT_ENTRY, kMenuOperate, "次へ辞書をめくる(&N)\tPageDown", true, kNoMenu, {Key(VK_NEXT)},
       "次の意味を表示\n次へ辞書をめくる", &F::OnNextEntry, &F::OnUpdateFocusInMeaning},
      {ID_APP_EXIT, kMenuOperate, "国語辞典の終了(&X)\tEscape", false, kNoMenu, {}, "国語辞典の終了\n終了",
       &F::OnExit, nullptr},
      // 読み
      {ID_HEADWORD_READING, kMenuRead, "見出し語一覧の読み方...(&T)\tF5", true, kNoMenu, {Key(VK_F5)},
       "見出し語一覧の読み方設定\n見出し語一覧の読み方", &F::OnHeadwordReading, nullptr},
      {ID_READ_LINE, kMenuRead, "1行読み(&L)\tAlt+F8", false, kNoMenu, {Key(VK_F8, kAlt)},
       "カーソル行を１行読み\n１行読み", &F::OnReadLine, &F::OnUpdateFocusInMeaningWithText},
      {ID_READ_PARAGRAPH, kMenuRead, "段落読み(S)\tAlt+F9", false, kNoMenu, {Key(VK_F9, kAlt)},
       "カーソル位置を段落読み\n段落読み", &F::OnReadParagraph, &F::OnUpdateFocusInMeaningWithText},
      {ID_READ_ALL, kMenuRead, "全文読み(&A)\tAlt+F10", false, kNoMenu, {Key(VK_F10, kAlt)},
       "カーソル以降を全文読み\n全文読み", &F::OnReadAll, &F::OnUpdateMeaningHasText},
      // 編集
      {ID_RANGE_COPY, kMenuEdit, "ｺﾋﾟｰ(&C)\tCtrl+C", false, kNoMenu, {Key('C', kCtrl), Key(VK_INSERT, kCtrl)},
       "選択範囲を指定してクリップボードに保存\nコピー", &F::OnRangeCopy, &F::OnUpdateFocusInMeaningWithText},
      {ID_COPY_ALL, kMenuEdit, "全てをコピー(&S)\tCtrl+A", true, kNoMenu, {Key('A', kCtrl)},
       "全てをクリップボードに保存\n全てコピー", &F::OnCopyAll, &F::OnUpdateFocusInMeaningWithText},
      {ID_FIND, kMenuEdit, "検索(&F)...\tCtrl+F", false, kNoMenu, {Key('F', kCtrl)}, "指定した文字列の検索\n検索",
       &F::OnFind, &F::OnUpdateFocusInMeaningWithText},
      {ID_FIND_NEXT, kMenuEdit, "次を検索(&I)\tAlt+↓", false, kNoMenu, {Key(VK_F3), Key(VK_DOWN, kAlt)},
       "文末方向に検索\n次を検索", &F::OnFindNext, &F::OnUpdateFocusInMeaningWithText},
      // 表示
      {ID_ZOOM_CYCLE, kMenuView, "拡大率切替(&K)\tF6", false, kMenuZoom, {Key(VK_F6), Key('G', kCtrl)},
       "通常表示/拡大表示に切替\n画面切替", &F::OnZoomUp, nullptr},
      {ID_ZOOM_NORMAL, kMenuZoom, "通常(&0)", false, kNoMenu, {}, "通常画面に切替", &F::OnZoomNormal, &F::OnUpdateZoomNormal},
      {ID_ZOOM_1, kMenuZoom, "拡大１(&1)", false, kNoMenu, {}, "拡大１に切替",
       &F::OnZoomTo<1>, &F::OnUpdateZoomTo<1>},
      {ID_ZOOM_1 + 1, kMenuZoom, "拡大2(&2)", false, kNoMenu, {}, "拡大２に切替",
       &F::OnZoomTo<2>, &F::OnUpdateZoomTo<2>},
      {ID_ZOOM_1 + 2, kMenuZoom, "拡大3(&3)", false, kNoMenu, {}, "拡大３に切替",
       &F::OnZoomTo<3>, &F::OnUpdateZoomTo<3>},
      {ID_ZOOM_1 + 3, kMenuZoom, "拡大4(&4)", false, kNoMenu, {}, "拡大４に切替",
       &F::OnZoomTo<4>, &F::OnUpdateZoomTo<4>},
      {ID_ZOOM_1 + 4, kMenuZoom, "拡大5(&5)", false, kNoMenu, {}, "拡大５に切替",
       &F::OnZoomTo<5>, &F::OnUpdateZoomTo<5>},
      {ID_ZOOM_1 + 5, kMenuZoom, "拡大6(&6)", false, kNoMenu, {}, "拡大６に切替",
       &F::OnZoomTo<6>, &F::OnUpdateZoomTo<6>},
      {ID_ZOOM_7, kMenuZoom, "拡大7(&7)", false, kNoMenu, {}, "拡大７に切替",
       &F::OnZoomTo<7>, &F::OnUpdateZoomTo<7>},
      {ID_DISPLAY_FONT, kMenuView, "表示フォント(&F)...", true, kNoMenu, {}, "表示フォントを変更\n表示フォント",
       &F::OnDisplayFont, nullptr},
      {ID_VIEW_STATUS_BAR, kMenuView, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", false, kNoMenu, {}, nullptr, &F::OnToggleStatusBar,
       &F::OnUpdateStatusBar},
      {ID_WINDOW_SPLIT_MOVE, kMenuView, "分割位置変更(&P)", false, kNoMenu, {},
       "ウィンドウの分割位置を変更\n分割変更", &F::OnSplitMove, nullptr},
      // ﾍﾙﾌﾟ
      {ID_ONLINE_MANUALS, kMenuHelp, "オンラインマニュアル(M)...\tF1", true, kNoMenu, {Key(VK_F1)},
       "オンラインマニュアルを開く\nオンラインマニュアル", &F::OnOnlineManuals, nullptr},
      {ID_APP_ABOUT, kMenuHelp, "ﾊﾞｰｼﾞｮﾝ情報 (&A)...", false, kNoMenu, {},
       "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報", &F::OnAbout, nullptr},
      // Keys and buttons only.
      {ID_SEARCH_BOX_ENTER, kNoMenu, nullptr, false, kNoMenu, {}, "読みを入力して検索\n読みを入力して検索",
       &F::OnSearchBoxEnter, &F::OnUpdateSearchBoxEnter},
      {ID_HISTORY_BACK_BY_KEY, kNoMenu, nullptr, false, kNoMenu, {Key(VK_PRIOR, kCtrl)}, nullptr,
       &F::OnHistoryBackByKey, nullptr},
      {ID_HISTORY_FORWARD_BY_KEY, kNoMenu, nullptr, false, kNoMenu, {Key(VK_NEXT, kCtrl)}, nullptr,
       &F::OnHistoryForwardByKey, nullptr},
      {ID_FIND_PREVIOUS, kNoMenu, nullptr, false, kNoMenu, {Key(VK_F3, kShift), Key(VK_UP, kAlt)}, nullptr,
       &F::OnFindPrevious, &F::OnUpdateFocusInMeaningWithText},
      {ID_ZOOM_UP, kNoMenu, nullptr, false, kNoMenu, {Key(VK_NEXT, kAlt)}, nullptr, &F::OnZoomUp, nullptr},
      {ID_ZOOM_DOWN, kNoMenu, nullptr, false, kNoMenu, {Key(VK_PRIOR, kAlt)}, nullptr, &F::OnZoomDown, nullptr},
      {ID_APPENDIX_FIRST, kNoMenu, nullptr, false, kNoMenu, {}, "付録ドキュメントを表示\n略号・略語表",
       &F::OnAppendix<0>, nullptr},
      {ID_APPENDIX_FIRST + 1, kNoMenu, nullptr, false, kNoMenu, {}, "付録ドキュメントを表示\n編集方針",
       &F::OnAppendix<1>, nullptr},
      {ID_APPENDIX_FIRST + 2, kNoMenu, nullptr, false, kNoMenu, {}, "付録ドキュメントを表示\n付表",
       &F::OnAppendix<2>, nullptr},
      {ID_APPENDIX_FIRST + 3, kNoMenu, nullptr, false, kNoMenu, {}, "付録ドキュメントを表示\n国民の祝日・記念日・年中行事",
       &F::OnAppendix<3>, nullptr},
      {ID_APPENDIX_FIRST + 4, kNoMenu, nullptr, false, kNoMenu, {}, "付録ドキュメントを表示\n二十四節気",
       &F::OnAppendix<4>, nullptr},
      {ID_APPENDIX_FIRST + 5, kNoMenu, nullptr, false, kNoMenu, {}, "付録ドキュメントを表示\n度量衡",
       &F::OnAppendix<5>, nullptr},
      {ID_APPENDIX_LAST, kNoMenu, nullptr, false, kNoMenu, {}, "付録ドキュメントを表示\n標準アクセントの手引き",
       &F::OnAppendix<6>, nullptr},
      {ID_SPEED_TOGGLE, kNoMenu, nullptr, false, kNoMenu, {Key(VK_F7)}, nullptr, &F::OnSpeedToggle,
       &F::OnUpdateReaderPresent},
      {ID_CURRENT_GUIDE, kNoMenu, nullptr, false, kNoMenu, {Key(VK_F8)}, nullptr, &F::OnCurrentGuide,
       &F::OnUpdateReaderPresent},
      {ID_SPEAK_POSITION, kNoMenu, nullptr, false, kNoMenu, {Key(VK_F9)}, nullptr, &F::OnSpeakPosition,
       &F::OnUpdateReaderPresent},
      {ID_READ_INPUT_STATUS, kNoMenu, nullptr, false, kNoMenu, {Key(VK_F2, kAlt)}, nullptr, &F::OnReadInputStatus,
       nullptr},
      {ID_READ_AGAIN, kNoMenu, nullptr, false, kNoMenu, {Key('R', kAlt)}, nullptr, &F::OnReadAgain, nullptr},
      {ID_ACT_AS_ENTER, kNoMenu, nullptr, false, kNoMenu, {Key('M', kCtrl)}, nullptr, &F::OnActAsEnter, nullptr},
      {ID_NEXT_PANE, kNoMenu, nullptr, false, kNoMenu, {Key(VK_TAB, kCtrl | kShift | kAlt)}, nullptr,
       &F::OnNextPane, nullptr},
      // Ctrl+V reaches the search box before the table; elsewhere it does nothing.
      {ID_PASTE, kNoMenu, nullptr, false, kNoMenu, {Key('V', kCtrl), Key(VK_INSERT, kShift)}, nullptr, nullptr,
       nullptr},
  };
  return table;
}

const CommandEntry* FindCommand(UINT id) {
  for (const CommandEntry& entry : CommandTable())
    if (entry.id == id) return &entry;
  return nullptr;
}

const char* MenuPopupText(int popup) {
  return popup >= 0 && popup < kMenuBarPopups ? kPopupTexts[popup] : nullptr;
}

std::span<const int> SearchBarLayout() {
  static constexpr int layout[] = {
      kSearchBarLabel, kSearchBarBox,    ID_SEARCH_BOX_ENTER, kSearchBarSeparator, ID_HISTORY_BACK,
      ID_HISTORY_FORWARD, ID_PREVIOUS_ENTRY, ID_NEXT_ENTRY, kSearchBarSeparator, ID_RANGE_COPY,
      ID_FIND,         kSearchBarSeparator, ID_ZOOM_CYCLE, ID_ZOOM_UP,          ID_ZOOM_DOWN,
      kSearchBarSeparator, ID_SPEED_TOGGLE, kSearchBarSeparator, ID_APP_ABOUT,
  };
  return layout;
}

HMENU BuildMenuBar() {
  constexpr int kPopups = kMenuZoom + 1;
  std::array<HMENU, kPopups> popups;
  for (HMENU& popup : popups) popup = CreatePopupMenu();
  // The zoom submenu first, so that the item opening it finds it filled.
  for (int pass = 0; pass < 2; ++pass) {
    for (const CommandEntry& entry : CommandTable()) {
      if (entry.popup == kNoMenu || (entry.popup == kMenuZoom) != (pass == 0)) continue;
      const HMENU menu = popups[static_cast<std::size_t>(entry.popup)];
      if (entry.submenu != kNoMenu)
        AppendMenu(menu, MF_POPUP, ToWParam(popups[static_cast<std::size_t>(entry.submenu)]), entry.menuText);
      else
        AppendMenu(menu, MF_STRING, entry.id, entry.menuText);
      if (entry.separatorAfter) AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    }
  }
  const HMENU bar = CreateMenu();
  for (int popup = 0; popup < kMenuBarPopups; ++popup)
    AppendMenu(bar, MF_POPUP, ToWParam(popups[static_cast<std::size_t>(popup)]), kPopupTexts[popup]);
  return bar;
}

std::vector<ACCEL> AcceleratorEntriesOfTable() {
  std::vector<ACCEL> entries;
  for (const CommandEntry& entry : CommandTable())
    for (const KeyChord& chord : entry.keys)
      if (chord.key != 0)
        entries.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | chord.modifiers), chord.key, static_cast<WORD>(entry.id)});
  return entries;
}

HACCEL BuildAcceleratorTable() {
  const std::vector<ACCEL> entries = AcceleratorEntriesOfTable();
  return CreateAcceleratorTable(entries.data(), static_cast<int>(entries.size()));
}

void LoadCommandStrings() {
  for (const CommandEntry& entry : CommandTable())
    if (entry.prompt != nullptr) SetString(entry.id, entry.prompt);
  SetString(IDS_WINDOW_TITLE, CMainFrame::kTitle);
  SetString(IDR_MAINFRAME, CYOMIGODoc::kDocumentString);
  SetString(IDS_INDICATOR_CAPS, "CAP");
  SetString(IDS_INDICATOR_NUM, "NUM");
  SetString(IDS_INDICATOR_KANA, "ｶﾅ");
  SetString(IDS_CAPTION_HEADWORDS, "見出し語");
  SetString(IDS_CAPTION_MEANING, "意味");
}

}  // namespace lexiv
