// What the real library hands the speech server, read back from a stand-in server on a socket of
// its own: the messages that the program's texts become, and the voice chosen for Japanese.
#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <memory>

#include "support/fake_speech_server.h"
#include "voxa_library.h"

namespace lexiv::testing {
namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

using Modules = std::vector<FakeSpeechServer::Module>;

// What the process writes on stderr while it lives.
class StderrCapture {
 public:
  explicit StderrCapture(const std::filesystem::path& file) : file_(file) {
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(fd, STDERR_FILENO);
    ::close(fd);
  }
  ~StderrCapture() { Restore(); }
  std::string Text() {
    Restore();
    std::ifstream in(file_);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    saved_ = -1;
  }
  std::filesystem::path file_;
  int saved_ = -1;
};

class SpeechRequestsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ::unsetenv("SPEECHD_ADDRESS");
    ::unsetenv("VOXA_LOG");
  }

  // A server offering these modules, and a fresh copy of the library (one that has never
  // connected) connected to it.
  void Connect(Modules modules = {{"espeak-ng", {{"Japanese", "ja"}}}}) {
    static int instances = 0;
    const std::string name = std::to_string(++instances);
    server_ = std::make_unique<FakeSpeechServer>(std::move(modules));
    ASSERT_TRUE(server_->Start((dir_.path() / ("speechd-" + name + ".sock")).string()));
    const std::string copy = (dir_.path() / ("libvoxausr-requests-" + name + ".so")).string();
    std::filesystem::copy_file(VoxaLibraryPath(), copy);
    ::setenv("SPEECHD_ADDRESS", server_->Address().c_str(), 1);
    voxa_ = VoxaFunctions();
    ASSERT_TRUE(voxa_.Bind(copy)) << ::dlerror();
    // The first question connects; a log would make the reader active by itself, so the server
    // must have been reached as well.
    ASSERT_EQ(voxa_.GetStatus(0x10001, 28, 0), 1);
    ASSERT_FALSE(server_->Requests().empty()) << "not connected";
  }

  // The messages a read of text becomes: everything the server is handed before a marker read
  // after it arrives.
  std::vector<std::string> MessagesOf(const char* sjis) {
    voxa_.VReset();
    server_->ClearRequests();
    voxa_.PRead(sjis, 4, 1);
    voxa_.PRead("終", 4, 1);
    const std::string marker = U8(u8"<speak>終</speak>");
    EXPECT_TRUE(server_->WaitUntil([&](const auto& r) { return !r.empty() && r.back().text == marker; }, 5000));
    std::vector<std::string> spoken = server_->Spoken();
    if (!spoken.empty()) spoken.pop_back();
    return spoken;
  }

  // The values of the client's own setting NAME that were sent ("SET SELF NAME value"), in
  // order; the library writes the words in either case.
  std::vector<std::string> SettingsOf(const std::string& name) const {
    auto upper = [](std::string s) {
      for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      return s;
    };
    const std::string prefix = "SET SELF " + name + " ";
    std::vector<std::string> found;
    for (const auto& r : server_->Requests())
      if (upper(r.command.substr(0, prefix.size())) == prefix) found.push_back(r.command.substr(prefix.size()));
    return found;
  }

  TempDir dir_;
  std::unique_ptr<FakeSpeechServer> server_;
  VoxaFunctions voxa_;
};

TEST_F(SpeechRequestsTest, PhraseSeparatorsPauseOnlyBetweenWords) {
  ::setenv("VOXA_LOG", (dir_.path() / "voxa.log").c_str(), 1);
  Connect();
  server_->SetMsPerCharacter(1000);  // each message still playing when it is asked about
  const std::string brk = "<break time=\"250ms\"/>";
  const std::string pause = "<break time=\"600ms\"/>";
  struct Case {
    const char* what;
    const char* sjis;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"alone", "\xFE", {}},
      {"several alone", "\xFE\xFE\xFE", {}},
      {"nothing at all", "", {}},
      {"at the start", "\xFE" "橋", {U8(u8"<speak>橋</speak>")}},
      {"at the end", "見出し語\xFE" "3件\xFE", {U8(u8"<speak>見出し語") + brk + U8(u8"3件</speak>")}},
      {"between words", "下端\xFE" "橋", {U8(u8"<speak>下端") + brk + U8(u8"橋</speak>")}},
      {"in a row", "国語辞典\xFE\xFE\xFE" "意味", {U8(u8"<speak>国語辞典") + brk + U8(u8"意味</speak>")}},
      {"pause at the start", "\xFF" "意味", {"<speak>" + pause + U8(u8"意味</speak>")}},
      {"pause beside a separator", "橋\xFE\xFF" "意味", {U8(u8"<speak>橋") + pause + U8(u8"意味</speak>")}},
      {"pause alone", "\xFF", {"<speak>" + pause + "</speak>"}},
  };
  for (const Case& c : cases) EXPECT_EQ(MessagesOf(c.sjis), c.messages) << c.what;
  // The priority was set once, when connecting; a message goes in without another round trip.
  EXPECT_EQ(SettingsOf("PRIORITY"), std::vector<std::string>{});

  // Nothing was sent, so nothing is outstanding: a wait for the end of speech ends at once.
  voxa_.VReset();
  voxa_.PRead("\xFE", 4, 1);
  EXPECT_EQ(voxa_.GetVStatus(), 0);
  voxa_.PRead("橋", 4, 1);
  EXPECT_EQ(voxa_.GetVStatus(), 1);

  // The log still has every call as the program made it.
  std::ifstream log(dir_.path() / "voxa.log");
  std::string all((std::istreambuf_iterator<char>(log)), {});
  const std::string separator = "\xE2\x90\x9E";  // U+241E, as the log writes the phrase separator
  EXPECT_NE(all.find("VOXAPRead\t" + separator + "\t4\t1\n"), std::string::npos);
  EXPECT_NE(all.find("VOXAPRead\t" + separator + separator + separator + "\t4\t1\n"), std::string::npos);
}

TEST_F(SpeechRequestsTest, AJapaneseVoiceIsChosenWhenTheServerHasOne) {
  struct Case {
    const char* what;
    Modules modules;
    std::string module;  // the module in use at the end
    std::string voice;   // the voice chosen; "-": the module's own for Japanese; empty: none,
                         // and stderr says so
  };
  const Case cases[] = {
      // espeak-ng is not asked for its thousands of voices: its Japanese one is picked by the
      // language, with no voice named.
      {"espeak-ng's Japanese", {{"espeak-ng", {{"English (America)", "en-US"}}}, {"flite", {{"kal", "en"}}}},
       "espeak-ng", "-"},
      {"a module that reads kanji before espeak-ng",
       {{"espeak-ng", {{"Japanese", "ja"}}}, {"openjtalk", {{"mei", "ja-JP"}}}}, "openjtalk", "mei"},
      {"a module's Japanese voice", {{"flite", {{"kal", "en"}}}, {"other", {{"Japanese", "ja"}}}}, "other", "Japanese"},
      {"no Japanese voice", {{"espeak", {{"english", "en"}}}, {"flite", {{"kal", "en"}}}}, "espeak", ""},
  };
  for (const Case& c : cases) {
    StderrCapture captured(dir_.path() / "stderr.txt");
    Connect(c.modules);
    const std::string said = captured.Text();
    const std::vector<std::string> modules = SettingsOf("OUTPUT_MODULE");
    ASSERT_FALSE(modules.empty()) << c.what;
    EXPECT_EQ(modules.back(), c.module) << c.what;
    EXPECT_EQ(SettingsOf("LANGUAGE"), std::vector<std::string>{"ja"}) << c.what;
    std::string module = c.modules.front().name;
    for (const auto& r : server_->Requests()) {
      const std::size_t at = r.command.find("OUTPUT_MODULE ");
      if (r.command.rfind("SET", 0) == 0 && at != std::string::npos) module = r.command.substr(at + 14);
      if (r.command.find("SYNTHESIS_VOICES") != std::string::npos) {
        EXPECT_NE(module, "espeak-ng") << c.what << ": espeak-ng asked for its voices";
      }
    }
    const std::vector<std::string> voices = SettingsOf("SYNTHESIS_VOICE");
    if (c.voice.empty() || c.voice == "-") {
      EXPECT_TRUE(voices.empty()) << c.what;
      EXPECT_EQ(said.find("no Japanese voice") != std::string::npos, c.voice.empty()) << c.what << ": " << said;
    } else {
      EXPECT_EQ(voices, std::vector<std::string>{c.voice}) << c.what;
      EXPECT_EQ(said, "") << c.what;
    }
  }
}

}  // namespace
}  // namespace lexiv::testing
