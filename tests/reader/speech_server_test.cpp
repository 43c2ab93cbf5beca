// The real library against a real speech-dispatcher, when one can be started here: a private
// server on a socket of its own, so nothing of the machine's is touched.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "voxa_library.h"

namespace lexiv::testing {
namespace {

class SpeechServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* candidates[] = {"/usr/bin/speech-dispatcher", "/usr/local/bin/speech-dispatcher"};
    std::string server;
    for (const char* path : candidates)
      if (::access(path, X_OK) == 0) server = path;
    if (server.empty()) GTEST_SKIP() << "speech-dispatcher is not installed";
    socket_ = (dir_.path() / "speechd.sock").string();
    const std::string logDir = dir_.path().string();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::execl(server.c_str(), server.c_str(), "-s", "-c", "unix_socket", "-S", socket_.c_str(), "-t", "30", "-L",
              logDir.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ASSERT_GT(pid_, 0);
    // Setting up, not measuring: give the server a few seconds to open its socket.
    for (int i = 0; i < 100 && !std::filesystem::exists(socket_); ++i) ::usleep(50000);
    if (!std::filesystem::exists(socket_)) GTEST_SKIP() << "speech-dispatcher did not start";

    // A copy of the library under its own name is a fresh instance that has never tried to connect.
    const std::string copy = (dir_.path() / "libvoxausr-server-test.so").string();
    std::filesystem::copy_file(VoxaLibraryPath(), copy);
    ::unsetenv("VOXA_LOG");
    ::setenv("SPEECHD_ADDRESS", ("unix_socket:" + socket_).c_str(), 1);
    ASSERT_TRUE(voxa_.Bind(copy));
  }
  void TearDown() override {
    ::unsetenv("SPEECHD_ADDRESS");
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      int ended = 0;
      for (int i = 0; i < 40 && ended == 0; ++i) {
        ended = ::waitpid(pid_, nullptr, WNOHANG);
        if (ended == 0) ::usleep(50000);
      }
      if (ended == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
      }
    }
  }

  TempDir dir_;
  std::string socket_;
  pid_t pid_ = 0;
  VoxaFunctions voxa_;
};

TEST_F(SpeechServerTest, SpeaksUntilResetAndIsActiveWithoutALog) {
  ASSERT_EQ(voxa_.GetStatus(0x10001, 28, 0), 1) << "connected to the private server";
  voxa_.PRead("国語辞典\xFE意味", 4, 1);
  EXPECT_EQ(voxa_.GetVStatus(), 1) << "the message is between its sending and its end";
  voxa_.VReset();
  EXPECT_EQ(voxa_.GetVStatus(), 0) << "a reset cancels everything queued";
}

}  // namespace
}  // namespace lexiv::testing
