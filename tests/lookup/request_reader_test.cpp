// Requests from another program are read only when every size, address and byte
// in them is sound.
#include "lookup/request_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace lexiv::lookup {
namespace {

// An address space of a few blocks; any read outside them, even in part, fails.
class FakeMemory final : public MemorySource {
public:
  void Put(std::uint64_t address, std::string bytes) {
    blocks_[address] = std::move(bytes);
  }
  void PutRequest(std::uint64_t address, LookupRequest request) {
    std::string bytes(sizeof request, '\0');
    std::memcpy(bytes.data(), &request, sizeof request);
    Put(address, bytes);
  }
  bool Read(std::uint64_t address, void *out, std::size_t bytes) override {
    ++reads;
    largestRead = std::max(largestRead, bytes);
    for (const auto &[start, block] : blocks_)
      if (address >= start && address - start <= block.size() &&
          bytes <= block.size() - (address - start)) {
        std::memcpy(out, block.data() + (address - start), bytes);
        return true;
      }
    return false;
  }
  int reads = 0;
  std::size_t largestRead = 0;

private:
  std::map<std::uint64_t, std::string> blocks_;
};

constexpr std::uint64_t kRequestAt = 0x1000;
constexpr std::uint32_t kTextAt = 0x2000;

TEST(RequestReaderTest, ReadsTheTextUpToItsNul) {
  FakeMemory memory;
  memory.Put(kTextAt, std::string("\x82\xCD\x82\xB5\0garbage", 12)); // はし
  memory.PutRequest(kRequestAt, {12, kTextAt, kCaretText, 5, 77});
  const auto request = ReadLookupRequest(memory, kRequestAt);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->text, "\x82\xCD\x82\xB5");
  EXPECT_EQ(request->mode, kCaretText);
  EXPECT_EQ(request->pattern, 5u);
}

TEST(RequestReaderTest, AnEmptyTextIsARequest) {
  FakeMemory memory;
  memory.Put(kTextAt, std::string(1, '\0'));
  memory.PutRequest(kRequestAt, {1, kTextAt, kWholeText, 0, 0});
  const auto request = ReadLookupRequest(memory, kRequestAt);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->text, "");
}

TEST(RequestReaderTest, RefusesWhatAnotherProgramGotWrong) {
  const std::string longest(kMaxLookupTextBytes, 'a');
  const struct {
    const char *what;
    LookupRequest request;
    std::string text; // at kTextAt
    bool accepted;
  } cases[] = {
      {"size 0", {0, kTextAt, kWholeText, 0, 0}, std::string("a\0", 2), false},
      {"the largest size",
       {kMaxLookupTextBytes + 1, kTextAt, kWholeText, 0, 0},
       longest + '\0',
       true},
      {"above the largest size",
       {kMaxLookupTextBytes + 2, kTextAt, kWholeText, 0, 0},
       longest + "a" + '\0',
       false},
      {"a huge size",
       {0xFFFFFFFF, kTextAt, kWholeText, 0, 0},
       std::string("a\0", 2),
       false},
      {"a text beyond what can be read",
       {10, kTextAt, kWholeText, 0, 0},
       std::string("abc\0", 4),
       false},
      {"an address that cannot be read",
       {2, 0x9000, kWholeText, 0, 0},
       std::string("a\0", 2),
       false},
      {"no NUL within the size",
       {3, kTextAt, kWholeText, 0, 0},
       std::string("abc\0", 4),
       false},
      {"a lead byte without its trail",
       {3, kTextAt, kWholeText, 0, 0},
       std::string("a\x82\0", 3),
       false},
      {"a byte that is no character",
       {3, kTextAt, kWholeText, 0, 0},
       std::string("a\xFF\0", 3),
       false},
      {"half-width katakana",
       {3, kTextAt, kWholeText, 0, 0},
       std::string("\xB1\xB2\0", 3),
       true},
      {"an unknown mode", {2, kTextAt, 2, 0, 0}, std::string("a\0", 2), false},
  };
  for (const auto &c : cases) {
    FakeMemory memory;
    memory.Put(kTextAt, c.text);
    memory.PutRequest(kRequestAt, c.request);
    EXPECT_EQ(ReadLookupRequest(memory, kRequestAt).has_value(), c.accepted)
        << c.what;
    // Nothing is ever asked for beyond the largest text, whatever the request
    // says.
    EXPECT_LE(memory.largestRead, std::size_t{kMaxLookupTextBytes + 1})
        << c.what;
  }
}

TEST(RequestReaderTest, AnUnreadableRequestReadsNoText) {
  FakeMemory memory;
  EXPECT_FALSE(ReadLookupRequest(memory, kRequestAt));
  EXPECT_EQ(memory.reads, 1);
}

TEST(RequestReaderTest, ReadsAKeyProbeWholeOrNotAtAll) {
  FakeMemory memory;
  std::string bytes(sizeof(KeyProbe), '\0');
  bytes[0] = 0x7A;
  bytes[4 + 0x11] = '\x80';
  memory.Put(kRequestAt, bytes);
  const auto probe = ReadKeyProbe(memory, kRequestAt);
  ASSERT_TRUE(probe);
  EXPECT_EQ(probe->virtualKey, 0x7Au);
  EXPECT_EQ(probe->keyState[0x11], 0x80);
  EXPECT_FALSE(
      ReadKeyProbe(memory, kRequestAt + 1)); // its last byte lies outside
}

} // namespace
} // namespace lexiv::lookup
