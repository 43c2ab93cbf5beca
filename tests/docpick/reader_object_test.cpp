// The reader object of the real libvoxausr.so: each method reaches the call log as one line, and a
// library without the object is no reader.
#include "docpick/reader_object.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "platform/services/shift_jis_text.h"
#include "support/temp_dir.h"

namespace lexiv::docpick {
namespace {

const std::string kReaderLibrary = std::string(LEXIV_BIN_DIR) + "/libvoxausr.so";

std::string Utf8(const std::string& sjis) {
  std::string utf8;
  platform::SjisToUtf8(sjis, utf8);
  return utf8;
}

TEST(ReaderObjectTest, EachMethodIsOneLogLineInTheLogsEscaping) {
  lexiv::testing::TempDir dir;
  const std::string log = dir.dir() + "voxa.log";
  ::setenv("VOXA_LOG", log.c_str(), 1);
  {
    ReaderObject reader = ReaderObject::Create(kReaderLibrary.c_str());
    ASSERT_TRUE(reader.exists());
    EXPECT_TRUE(reader.StopFollowingFocus());
    EXPECT_TRUE(reader.Speak("メニュー\xFEその他のマニュアル"));
    EXPECT_TRUE(reader.Speak("一行目\r\n\tタブ\\"));
    EXPECT_TRUE(reader.StopSpeech());
    EXPECT_TRUE(reader.FollowFocus());
    // No speech server behind it: the wait ends at once.
    EXPECT_TRUE(reader.WaitSpeechEnd());
    EXPECT_TRUE(reader.ReadSpeechState());
  }
  ::unsetenv("VOXA_LOG");
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  const std::string expected =
      "VOXAObject3\n"
      "VOXAObject1\t" +
      Utf8("メニュー") + "\xE2\x90\x9E" + Utf8("その他のマニュアル") +
      "\n"
      "VOXAObject1\t" +
      Utf8("一行目") + "\\r\\n\\t" + Utf8("タブ") +
      "\\\\\n"
      "VOXAObject2\nVOXAObject4\nVOXAObject6\nVOXAObject9\n";
  EXPECT_EQ(text.str(), expected);
}

TEST(ReaderObjectTest, ALibraryWithoutTheCreatingFunctionGivesNoObject) {
  EXPECT_FALSE(ReaderObject::Create("libdocpick-test-no-such-reader.so").exists());
  // The C library is there but makes no reader.
  ReaderObject none = ReaderObject::Create("libc.so.6");
  EXPECT_FALSE(none.exists());
  EXPECT_FALSE(none.Speak("x"));
}

}  // namespace
}  // namespace lexiv::docpick
