#include "reader/program_text.h"

#include <gtest/gtest.h>

#include "reader/speaking_tracker.h"

namespace lexiv::reader {
namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(ProgramTextTest, SsmlBreaksAtTheMarksAndEscapesTheText) {
  struct Case {
    const char* sjis;
    std::string ssml;
  };
  const Case cases[] = {
      {"国語辞典\xFE意味", U8(u8"<speak>国語辞典<break time=\"250ms\"/>意味</speak>")},
      {"\xFF終わり", U8(u8"<speak><break time=\"600ms\"/>終わり</speak>")},
      {"a<b&c>\"'", "<speak>a&lt;b&amp;c&gt;&quot;&apos;</speak>"},
      {"\x82\xFE" "a", U8(u8"<speak>\uFFFD<break time=\"250ms\"/>a</speak>")},  // a lead byte never eats a mark
      {"", ""},  // nothing to say
  };
  for (const Case& c : cases) EXPECT_EQ(SsmlText(c.sjis), c.ssml) << c.sjis;
}

// libspeechd's notifications may come before the send has returned the message's id, and a
// reset cancels messages whose notifications come later.
TEST(SpeakingTrackerTest, SpeakingFromSendToEndOrCancel) {
  enum Op { kSent, kBegan, kFinished, kCancelAll };
  struct Step {
    Op op;
    std::uint64_t id;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    bool speaking;
  };
  const Case cases[] = {
      {"sent", {{kSent, 1}}, true},
      {"begun", {{kSent, 1}, {kBegan, 1}}, true},
      {"ended", {{kSent, 1}, {kBegan, 1}, {kFinished, 1}}, false},
      {"end before the id came back", {{kBegan, 5}, {kFinished, 5}, {kSent, 5}}, false},
      {"one of two ended", {{kSent, 1}, {kSent, 2}, {kFinished, 1}}, true},
      {"reset", {{kSent, 1}, {kSent, 2}, {kCancelAll, 0}}, false},
      {"late cancel of a reset message is not kept", {{kSent, 1}, {kCancelAll, 0}, {kFinished, 1}, {kSent, 2}}, true},
  };
  for (const Case& c : cases) {
    SpeakingTracker tracker;
    for (const Step& s : c.steps) {
      switch (s.op) {
        case kSent: tracker.Sent(s.id, 1000); break;
        case kBegan: tracker.Began(s.id); break;
        case kFinished: tracker.Finished(s.id); break;
        case kCancelAll: tracker.CancelAll(); break;
      }
    }
    EXPECT_EQ(tracker.Speaking(1000), c.speaking) << c.what;
  }
}

TEST(SpeakingTrackerTest, AMessageNeverBegunIsDroppedAfterTheStartLimit) {
  SpeakingTracker tracker;
  tracker.Sent(1, 1000);
  tracker.Sent(2, 1000);
  tracker.Began(2);
  EXPECT_TRUE(tracker.Speaking(1000 + SpeakingTracker::kStartLimitMs));
  tracker.Finished(2);
  EXPECT_FALSE(tracker.Speaking(1001 + SpeakingTracker::kStartLimitMs));
}

}  // namespace
}  // namespace lexiv::reader
