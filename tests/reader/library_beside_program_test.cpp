// The program loads its reader by bare name, as it would from its own directory on Windows; the
// library installed beside the executable must be the one found, also in a sanitized build.
#include <gtest/gtest.h>

#include "platform/services/library_loader.h"

namespace lexiv::platform {
namespace {

TEST(LibraryBesideProgramTest, ABareNameFindsTheReaderBesideTheExecutable) {
  LoadedLibrary reader("libvoxausr.so");
  ASSERT_TRUE(reader.loaded()) << reader.error();
  EXPECT_NE(reader.Find<int (*)()>("VOXAStatus"), nullptr);
}

}  // namespace
}  // namespace lexiv::platform
