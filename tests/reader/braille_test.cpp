// The real libbrixusr.so: it keeps the program's braille command file and logs its calls; without
// brltty it has no display and does nothing more.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <string>

#include "support/temp_dir.h"

namespace lexiv::testing {
namespace {

TEST(BrailleTest, KeepsTheCommandFileAndLogsTheCall) {
  TempDir dir;
  const std::string log = (dir.path() / "voxa.log").string();
  ::setenv("VOXA_LOG", log.c_str(), 1);
  void* library = ::dlopen((std::string(LEXIV_BIN_DIR) + "/libbrixusr.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << ::dlerror();
  auto setCommand = reinterpret_cast<int (*)(const char*)>(::dlsym(library, "SetEventBrlCommand"));
  auto commandFile = reinterpret_cast<int (*)(char*, int)>(::dlsym(library, "BrixGetCommandFile"));
  auto setStatus = reinterpret_cast<int (*)(int, int)>(::dlsym(library, "BrixSetStatus"));
  ASSERT_TRUE(setCommand && commandFile && setStatus);

  EXPECT_EQ(setCommand("/opt/国語辞典/LEXIVBRL.INI"), 0);
  char cut[9];  // room for 8 bytes: the second kanji does not fit whole
  EXPECT_EQ(commandFile(cut, sizeof cut), 26) << "the whole length, the path cut to fit";
  EXPECT_EQ(std::string(cut), "/opt/国");
  EXPECT_EQ(setStatus(3, 1), 0);
  EXPECT_EQ(setStatus(3, 0), 1);

  std::ifstream in(log);
  std::string first;
  std::getline(in, first);
  const char8_t* expected = u8"SetEventBrlCommand\t/opt/国語辞典/LEXIVBRL.INI";
  EXPECT_EQ(first, reinterpret_cast<const char*>(expected));
  ::unsetenv("VOXA_LOG");
}

}  // namespace
}  // namespace lexiv::testing
