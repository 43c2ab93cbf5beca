// The registry rule of the viewer: machine first, the user's when the machine gives nothing; a
// string up to its first NUL, a DWORD as its number, anything else nothing.
#include "docpick/registry_value.h"

#include <gtest/gtest.h>

#include "docpick_fixture.h"

namespace lexiv::docpick::testing {
namespace {

class RegistryValueTest : public DocpickFixture {};

TEST_F(RegistryValueTest, MachineThenUserAndOnlyStringsAndNumbersCount) {
  const std::string key = "Software\\TKV\\Sample";
  WriteString(HKEY_LOCAL_MACHINE, key, "both", "machine");
  WriteString(HKEY_CURRENT_USER, key, "both", "user");
  WriteString(HKEY_LOCAL_MACHINE, key, "emptyOnMachine", "");
  WriteString(HKEY_CURRENT_USER, key, "emptyOnMachine", "user");
  WriteString(HKEY_CURRENT_USER, key, "userOnly", "user");
  WriteValue(HKEY_LOCAL_MACHINE, key, "withNul", REG_SZ, "ab\0cd", 6);
  WriteDword(HKEY_LOCAL_MACHINE, key, "number", 1234);
  WriteDword(HKEY_LOCAL_MACHINE, key, "zero", 0);
  WriteValue(HKEY_LOCAL_MACHINE, key, "binary", 3, "\x01\x02", 2);
  struct Case {
    const char* name;
    const char* value;
  };
  const Case cases[] = {
      {"both", "machine"},  {"emptyOnMachine", "user"},
      {"userOnly", "user"}, {"withNul", "ab"},
      {"number", "1234"},   {"zero", "0"},
      {"binary", ""},       {"missing", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(QueryValue(key, c.name), c.value) << c.name;
  EXPECT_EQ(QueryValue("Software\\TKV\\NoSuchKey", "both"), "");
}

}  // namespace
}  // namespace lexiv::docpick::testing
