#include "platform/services/local_atoms.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/services/system_errors.h"

namespace lexiv::platform {
namespace {

TEST(LocalAtoms, AStringAtomCountsItsReferencesAndComparesWithoutCase) {
  const ATOM atom = AddAtomA("TKV_Test_SearchKey");
  ASSERT_GE(atom, 0xC000);
  EXPECT_EQ(AddAtomA("tkv_test_searchkey"), atom);
  EXPECT_EQ(FindAtomA("TKV_TEST_SEARCHKEY"), atom);
  char name[64];
  EXPECT_EQ(GetAtomNameA(atom, name, sizeof name), 18u);
  EXPECT_STREQ(name, "TKV_Test_SearchKey") << "the name keeps the spelling it was added with";

  // Two references: the first delete leaves it, the second removes it.
  EXPECT_EQ(DeleteAtomA(atom), 0);
  EXPECT_EQ(FindAtomA("TKV_Test_SearchKey"), atom);
  EXPECT_EQ(DeleteAtomA(atom), 0);
  EXPECT_EQ(FindAtomA("TKV_Test_SearchKey"), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(DeleteAtomA(atom), atom) << "deleting an atom that is gone fails";
  EXPECT_EQ(GetAtomNameA(atom, name, sizeof name), 0u);
}

TEST(LocalAtoms, IntegerAtomsAreTheirOwnNumbers) {
  struct Case {
    const char* name;
    ATOM atom;
  };
  const Case cases[] = {
      {"#123", 123}, {"#1", 1}, {"#49151", 0xBFFF}, {"#0", 0}, {"#49152", 0}, {"#99999999999", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AddAtomA(c.name), c.atom);
    EXPECT_EQ(FindAtomA(c.name), c.atom);
  }
  EXPECT_EQ(AddAtomA(MAKEINTATOM(77)), 77);
  EXPECT_EQ(DeleteAtomA(77), 0);
  EXPECT_EQ(FindAtomA(MAKEINTATOM(77)), 77) << "integer atoms have no count";
  char name[8];
  EXPECT_EQ(GetAtomNameA(77, name, sizeof name), 3u);
  EXPECT_STREQ(name, "#77");
  // "#" with something other than digits is a name like any other.
  const ATOM named = AddAtomA("#12a");
  EXPECT_GE(named, 0xC000);
  DeleteAtomA(named);
}

TEST(LocalAtoms, NamesAreShiftJisAndBounded) {
  // ア is 83 41 and ヂ is 83 61 in Shift-JIS: folding the trail byte as a letter would merge them.
  const ATOM a = AddAtomA("\x83\x41");
  const ATOM other = AddAtomA("\x83\x61");
  EXPECT_NE(a, other);
  EXPECT_EQ(FindAtomA("\x83\x41"), a);
  const ATOM kana = AddAtomA("検索キー");
  EXPECT_EQ(FindAtomA("検索キー"), kana);
  // A name cut to the buffer never ends inside a character.
  char cut[4];
  EXPECT_EQ(GetAtomNameA(kana, cut, sizeof cut), 2u);
  EXPECT_EQ(std::string(cut), std::string("検索キー").substr(0, 2));

  EXPECT_EQ(AddAtomA(""), 0);
  EXPECT_EQ(AddAtomA(nullptr), 0);
  EXPECT_EQ(AddAtomA(std::string(256, 'x').c_str()), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  const ATOM longest = AddAtomA(std::string(255, 'x').c_str());
  EXPECT_GE(longest, 0xC000);
  for (ATOM atom : {a, other, kana, longest}) EXPECT_EQ(DeleteAtomA(atom), 0);
}

TEST(LocalAtoms, AFreedNumberIsGivenAgain) {
  const ATOM first = AddAtomA("LexivReuseOne");
  EXPECT_EQ(DeleteAtomA(first), 0);
  const ATOM second = AddAtomA("LexivReuseTwo");
  EXPECT_EQ(second, first);
  char name[32];
  GetAtomNameA(second, name, sizeof name);
  EXPECT_STREQ(name, "LexivReuseTwo");
  DeleteAtomA(second);
}

}  // namespace
}  // namespace lexiv::platform
