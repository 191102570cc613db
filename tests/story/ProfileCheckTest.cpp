// The checker tools/kill_replay.sh runs on a profile left by a killed game:
// LHT_CHECK_PROFILE names the file; without it there is nothing to check.
#include <gtest/gtest.h>

#include <cstdlib>

#include "PlayerFile.h"
#include "PlayerRecord.h"

TEST(StoryProfileCheck, TheNamedProfileReadsBack) {
  const char* path = std::getenv("LHT_CHECK_PROFILE");
  if (!path || !*path) GTEST_SKIP() << "LHT_CHECK_PROFILE names no profile";
  PlayerRecord record;
  EXPECT_EQ(ReadProfileFile(path, record), EPlayerFileRead::Read) << path << " cannot be read";
  EXPECT_FALSE(record.mName.empty());
}
