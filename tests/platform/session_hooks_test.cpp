// System-wide keyboard hooks: installed by one program, run inside every other one, gone with an
// unhook or with the program that installed them.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/core/windows_hooks.h"
#include "platform/services/library_loader.h"
#include "session/peer_messages.h"
#include "session_fixture.h"

namespace lexiv::testing {
namespace {

const std::string kHookModule = std::string(LEXIV_BIN_DIR) + "/libtestkeyhook.so";

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class SessionHooks : public SessionTest {
 protected:
  PeerMessages messages;
  UINT type = messages.type;
  UINT hook = messages.hook;

  void Type(const Peer& peer, const std::string& letters) {
    for (char c : letters) ASSERT_TRUE(PostMessage(peer.window, type, static_cast<WPARAM>(c), 0));
  }
  HHOOK Install(const std::string& modulePath) {
    LibraryHandle module = LoadLibraryA(modulePath.c_str());
    EXPECT_NE(module, nullptr) << modulePath;
    const auto proc = reinterpret_cast<HOOKPROC>(GetProcAddress(module, "SwallowQ"));
    return SetWindowsHookEx(WH_KEYBOARD, proc, module, 0);
  }
};

TEST_F(SessionHooks, AHookInstalledInOneProgramSwallowsKeysInAnotherUntilUnhooked) {
  const HHOOK installed = Install(kHookModule);
  ASSERT_TRUE(installed);
  const Peer peer = Start("alpha", {"--text", ""});
  Type(peer, "AQB");
  ASSERT_TRUE(WaitFor([&] { return WindowText(peer.edit) == "AB"; })) << WindowText(peer.edit);
  // The module is loaded there; after the unhook the peer lets Q through and unloads it.
  const std::string maps = "/proc/" + std::to_string(peer.pid) + "/maps";
  EXPECT_NE(FileText(maps).find("libtestkeyhook.so"), std::string::npos);
  EXPECT_TRUE(UnhookWindowsHookEx(installed));
  EXPECT_FALSE(UnhookWindowsHookEx(installed));
  Type(peer, "Q");
  ASSERT_TRUE(WaitFor([&] { return WindowText(peer.edit) == "ABQ"; })) << WindowText(peer.edit);
  EXPECT_EQ(FileText(maps).find("libtestkeyhook.so"), std::string::npos);
}

TEST_F(SessionHooks, AHookGoesWithTheProgramThatInstalledIt) {
  Peer installer = Start("alpha", {"--hook", kHookModule});
  ASSERT_NE(SendMessage(installer.window, hook, 0, 0), 0);
  const Peer typist = Start("beta", {"--text", ""});
  Type(typist, "AQB");
  ASSERT_TRUE(WaitFor([&] { return WindowText(typist.edit) == "AB"; })) << WindowText(typist.edit);
  Kill(installer);
  ASSERT_TRUE(WaitFor([&] {
    Type(typist, "Q");
    return WindowText(typist.edit).find('Q') != std::string::npos;
  })) << WindowText(typist.edit);
  EXPECT_EQ(WindowText(typist.edit).substr(0, 3), "ABQ");
}

TEST_F(SessionHooks, AModuleAProgramCannotLoadIsSkippedThereWithALogLine) {
  const std::string copy = dir() + "/libgonehook.so";
  std::filesystem::copy_file(kHookModule, copy);
  ASSERT_TRUE(Install(copy));
  std::filesystem::remove(copy);
  const Peer peer = Start("alpha", {"--text", ""});
  Type(peer, "AQB");
  ASSERT_TRUE(WaitFor([&] { return WindowText(peer.edit) == "AQB"; })) << WindowText(peer.edit);
  EXPECT_NE(FileText(dir() + "/alpha.log").find("libgonehook.so cannot be loaded"), std::string::npos)
      << FileText(dir() + "/alpha.log");
}

TEST_F(SessionHooks, AThreadHookRunsInItsOwnProgramOnly) {
  LibraryHandle module = LoadLibraryA(kHookModule.c_str());
  const auto proc = reinterpret_cast<HOOKPROC>(GetProcAddress(module, "SwallowQ"));
  const HHOOK local = SetWindowsHookEx(WH_KEYBOARD, proc, module, GetCurrentProcessId());
  ASSERT_TRUE(local);
  EXPECT_FALSE(SetWindowsHookEx(WH_KEYBOARD + 1, proc, module, 0));
  const Peer peer = Start("alpha", {"--text", ""});
  Type(peer, "AQB");
  ASSERT_TRUE(WaitFor([&] { return WindowText(peer.edit) == "AQB"; })) << WindowText(peer.edit);
  EXPECT_TRUE(UnhookWindowsHookEx(local));
}

}  // namespace
}  // namespace lexiv::testing
