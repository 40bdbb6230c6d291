// Names the operator types for files the console writes: plain names only,
// stored as the file system spells them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/user_file_name.h"

namespace {

TEST(TypedFileNames, PlainNamesAreStoredInTheFileSystemsOwnLettersAndOthersRefused) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"site", "site"},
      {"North ridge 2", "North ridge 2"},
      {"caf\xE9", "caf\xC3\xA9"},      // typed "é" is the file system's "é"
      {"\x80uro", "\xE2\x82\xACuro"},  // and the euro sign its own
      {"", std::nullopt},
      {".", std::nullopt},
      {"..", std::nullopt},
      {"a/b", std::nullopt},
      {"a\\b", std::nullopt},
      {"tab\there", std::nullopt},
      {"?????", std::nullopt},  // what a box makes of letters it cannot hold
      {"why?", std::nullopt}};
  for (const auto& [typed, stored] : cases) EXPECT_EQ(platform::PlainFileName(typed), stored) << typed;
}

}  // namespace
