#include "platform/services/library_loader.h"

#include <gtest/gtest.h>

namespace lexiv::platform {
namespace {

TEST(LibraryLoaderTest, LoadsByNameAndFindsSymbols) {
  LoadedLibrary math("libm.so.6");
  ASSERT_TRUE(math.loaded()) << math.error();
  auto cosine = math.Find<double (*)(double)>("cos");
  ASSERT_NE(cosine, nullptr);
  EXPECT_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(math.Find<void (*)()>("NoSuchSymbol"), nullptr);

  LoadedLibrary moved = std::move(math);
  EXPECT_FALSE(math.loaded());
  EXPECT_NE(moved.Find<double (*)(double)>("cos"), nullptr);
}

TEST(LibraryLoaderTest, AMissingLibraryIsAnEmptyResult) {
  LoadedLibrary missing("libnosuchlibrary-lexiv.so");
  EXPECT_FALSE(missing.loaded());
  EXPECT_FALSE(missing.error().empty());
  EXPECT_EQ(missing.Find<void (*)()>("anything"), nullptr);

  EXPECT_EQ(LoadLibraryA("libnosuchlibrary-lexiv.so"), nullptr);
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "cos"), nullptr);
  EXPECT_FALSE(FreeLibrary(nullptr));
}

}  // namespace
}  // namespace lexiv::platform
