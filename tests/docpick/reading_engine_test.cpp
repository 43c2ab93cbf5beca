// The reading in a text box: one phrase a step, and the requests served between two phrases.
#include <gtest/gtest.h>

#include "docpick/reading_engine.h"
#include "docpick_fixture.h"
#include "platform/controls/rich_edit_control.h"

namespace lexiv::docpick::testing {
namespace {

class ReadingEngineTest : public DocpickFixture {
 protected:
  ReadingEngineTest() : reader(RecordingReader::Make(&calls)) {
    CreateParams params;
    params.style = WS_OVERLAPPED | WS_VISIBLE;
    params.rect = RECT{0, 0, 640, 480};
    EXPECT_TRUE(window.Create(params));
    CreateParams box;
    box.style = WS_CHILD | WS_VISIBLE | ES_MULTILINE;
    box.parent = window.hwnd();
    box.rect = RECT{0, 0, 640, 480};
    EXPECT_TRUE(text.Create(box));
  }
  void SetText(const char* sjis) {
    SetWindowText(text.hwnd(), sjis);
    SendMessage(text.hwnd(), EM_SETSEL, 0, 0);
  }
  // The phrases spoken since the last look.
  std::vector<std::string> Said() {
    std::vector<std::string> said = Spoken();
    calls.clear();
    return said;
  }
  DWORD Caret() {
    DWORD start = 0, end = 0;
    SendMessage(text.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start;
  }

  Window window;
  RichEditControl text;
  ReaderObject reader;
};

using Phrases = std::vector<std::string>;

TEST_F(ReadingEngineTest, StepsSpeakPhrasesAndRequestsActBetweenThem) {
  SetText("一、二、三、四。");
  ReadingEngine reading(reader, text.hwnd());
  ASSERT_TRUE(reading.Start());
  EXPECT_FALSE(reading.Start());  // one reading at a time
  ASSERT_TRUE(reading.Step());
  ASSERT_TRUE(reading.Step());
  EXPECT_EQ(Said(), (Phrases{"一、", "二、"}));
  // The phrase just read is selected.
  DWORD start = 0, end = 0;
  SendMessage(text.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 4u);
  EXPECT_EQ(end, 8u);
  // Back: to the phrase before the one just read, and on from there.
  reading.Ask(ReadingEngine::Request::kBackOnePhrase);
  ASSERT_TRUE(reading.Step());
  EXPECT_EQ(Said(), (Phrases{"一、"}));
  reading.RequestStop();
  EXPECT_FALSE(reading.Step());
  EXPECT_FALSE(reading.reading());
  EXPECT_EQ(Said(), (Phrases{"読み 終わり"}));
  // The caret stays where the reading was.
  EXPECT_EQ(Caret(), 4u);
}

TEST_F(ReadingEngineTest, TheReadingEndsAtTheTextsEndAndSkipsLineEnds) {
  SetText("一行\r\n\r\n二行");
  ReadingEngine reading(reader, text.hwnd());
  ASSERT_TRUE(reading.Start());
  while (reading.Step()) {
  }
  EXPECT_EQ(Said(), (Phrases{"一行", "二行", "読み 終わり"}));
  EXPECT_EQ(Caret(), 12u);  // the end of the text
}

TEST_F(ReadingEngineTest, OutsideAReadingTheRequestsMoveTheCaretAtOnce) {
  std::string lines;
  for (int i = 0; i < 5; ++i) lines += std::string(60, 'a') + "\r\n";
  SetText(lines.c_str());
  ReadingEngine reading(reader, text.hwnd());
  reading.Ask(ReadingEngine::Request::kFastForward);
  EXPECT_EQ(Caret(), 124u);
  reading.Ask(ReadingEngine::Request::kRewind);
  EXPECT_EQ(Caret(), 0u);  // not yet 100 characters in
  reading.Ask(ReadingEngine::Request::kFastForward);
  reading.Ask(ReadingEngine::Request::kFastForward);
  EXPECT_EQ(Caret(), 248u);
  // Rewind from 248: back 100 characters into the third line, to the start of its phrase (the
  // lines have no other phrase end).
  reading.Ask(ReadingEngine::Request::kRewind);
  EXPECT_EQ(Caret(), 124u);
  EXPECT_TRUE(Said().empty());
}

}  // namespace
}  // namespace lexiv::docpick::testing
