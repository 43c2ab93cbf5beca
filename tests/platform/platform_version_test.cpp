#include "platform/services/platform_version.h"

#include <gtest/gtest.h>

namespace lexiv::platform {
namespace {

TEST(PlatformVersionTest, NamesTheSystemAndItsReleaseNumbers) {
  PlatformVersion version;
  ASSERT_EQ(GetPlatformVersion(version), 0);
  EXPECT_EQ(version.systemName, "Linux");
  ASSERT_FALSE(version.release.empty());
  EXPECT_EQ(version.release.substr(0, version.release.find('.')), std::to_string(version.major));
  EXPECT_GT(version.major, 0u);
}

}  // namespace
}  // namespace lexiv::platform
