// Announcements that wait until the main window has settled. The main window owns one
// DeferredSpeech, routes its two private messages to OnSpeak and OnSpeakGuide, and lets the views
// post through it. Each kind has its own pending mark and texts: a newer post replaces an older
// one of the same kind that has not been spoken yet, and never touches the other kind.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv::access {

// wParam 1: text with SpeakNow, otherwise Speak; lParam 0: only while the main window is the
// foreground window, otherwise regardless.
inline constexpr platform::UINT UM_SPEAK = platform::WM_USER + 100;
// wParam: the guide mode of the second text; lParam 0.
inline constexpr platform::UINT UM_SPEAKGUIDE = platform::WM_USER + 101;

// Said after the pause mark in place of a meaning that the meaning view could not get.
inline constexpr char kMeaningErrorText[] = "エラーにより、見出し語に対する意味を取得することができませんでした。";

class DeferredSpeech {
 public:
  // The window that posts itself the private messages (null: nothing is posted).
  void SetMainWindow(platform::HWND mainWindow) { mainWindow_ = mainWindow; }
  // Whether the keyboard focus is in the headword list; without a test it never is.
  void SetHeadwordListFocusTest(std::function<bool()> test) { focusInHeadwordList_ = std::move(test); }
  // The meaning view's text, or nullopt when the view holds an error instead of an entry.
  void SetMeaningSource(std::function<std::optional<std::string>()> source) { meaningSource_ = std::move(source); }

  // Queues text for UM_SPEAK, replacing (and silencing) one that has not been spoken yet.
  void PostSpeech(std::string_view text, platform::WPARAM wParam, platform::LPARAM lParam);
  // Queues a headword (said at once) and a text said after it in guide mode for UM_SPEAKGUIDE,
  // replacing one that has not been spoken yet.
  void PostSpeechWithGuide(std::string_view headText, std::string_view guideText, int mode);

  // The main window's handlers.
  platform::LRESULT OnSpeak(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnSpeakGuide(platform::WPARAM wParam, platform::LPARAM lParam);

  // Waits while the reader speaks, looking at the main window's messages. True when the user
  // interrupted (a key, a system key or command, a left click, a close or quit request: speech
  // is stopped and that message stays queued); false when the speech ended by itself or the
  // reader is not active. Paints and show messages are handled meanwhile; the rest are dropped.
  bool SpeechInterrupted();

  // Takes every queued UM_SPEAK and UM_SPEAKGUIDE out of the queue and forgets their texts (the
  // window is about to close).
  void CancelQueued();

  // 1 when the next headword announcement is to be followed by the meaning; the handlers clear it.
  platform::DWORD meaningFollows() const { return meaningFollows_; }
  void SetMeaningFollows(platform::DWORD value) { meaningFollows_ = value; }

  bool speakPending() const { return speakPending_; }
  bool guidePending() const { return guidePending_; }
  const std::string& speakText() const { return speakText_; }
  const std::string& guideHeadText() const { return guideHeadText_; }
  const std::string& guideText() const { return guideText_; }

 private:
  // Removes every queued message of one kind from the main window's queue.
  void RemoveQueued(platform::UINT message);
  // The meaning after a headword, when the focus is in the list, the flag asks for it and the
  // user let the headword be said to the end.
  void FollowWithMeaning();

  platform::HWND mainWindow_;
  std::function<bool()> focusInHeadwordList_;
  std::function<std::optional<std::string>()> meaningSource_;
  std::string speakText_;
  std::string guideHeadText_;
  std::string guideText_;
  bool speakPending_ = false;
  bool guidePending_ = false;
  platform::DWORD meaningFollows_ = 0;
};

}  // namespace lexiv::access
