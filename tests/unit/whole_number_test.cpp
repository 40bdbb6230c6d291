// The whole-number reader shared by the site dialog, the parameter rows, the
// alarm report and the log records.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/whole_number.h"

namespace {

TEST(WholeNumber, TakesDigitsWithASignAndBlanksAroundUpToTenDigitsAndNothingElse) {
  const std::pair<std::string, std::optional<std::int64_t>> cases[] = {
      {"0", 0},
      {"  40000 ", 40000},
      {"+12", 12},
      {"-32768", -32768},
      {"0000000012", 12},
      {"9999999999", 9'999'999'999},    // ten digits, beyond an int
      {"-9999999999", -9'999'999'999},
      {"99999999999", std::nullopt},    // eleven
      {"00000000012", std::nullopt},    // leading zeros count too
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"--1", std::nullopt},
      {"12-3", std::nullopt},
      {"1 2", std::nullopt},
      {"1,234", std::nullopt},
      {"12.5", std::nullopt},
      {"1e3", std::nullopt},
      {"0x10", std::nullopt},
      {"12abc", std::nullopt},
  };
  for (const auto& [text, number] : cases)
    EXPECT_EQ(common::WholeNumber(text), number) << '"' << text << '"';
}

}  // namespace
