#include "sample_parameter_dump.h"

#include <cstdio>

namespace testkit {

namespace {

std::string Padded(int v, int width, char fill) {
  std::string digits = std::to_string(v);
  while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), fill);
  return digits;
}

std::string ModemInit() { return "AT&FE0X0V0S0=2"; }

}  // namespace

ParameterValues SampleParameters(int major, int minor, int build) {
  ParameterValues v{};
  const int fixed[][2] = {
      {0, 12},   {1, 34},   {2, 56},   {8, 166},  {9, 128},  {10, 20},  {11, 100}, {12, 15},
      {13, 90},  {14, 3},   {15, 30},  {17, 30},  {19, 4},   {21, 10},  {22, 10},  {23, 1},
      {24, 4},   {25, 210}, {26, 1},   {27, 170}, {28, 140}, {29, 1},   {30, 120}, {31, 80},
      {32, 1},   {33, 175}, {34, 160}, {35, 1},   {36, 95},  {37, 110}, {38, 1},   {39, 150},
      {40, 100}, {44, 2},   {45, 180}, {46, 150}, {47, 1},   {48, 236}, {49, 10},  {55, 1},
      {56, 18},  {57, 30},  {58, 6},   {59, 5},   {60, 1},   {61, 24},  {62, 4},   {63, 2},
      {64, 7},   {65, 30},  {75, 12},  {76, 34},  {77, 56},  {82, 11},  {83, 22},  {84, 33},
      {89, 250}, {95, 0},   {96, 3},   {97, 12},  {98, 8},   {99, 15},  {185, 7},  {186, 45},
      {187, 251}, {195, 0}, {196, 100}, {212, 1}, {213, 44}, {220, 10}, {221, 130}, {225, 20},
      {267, 0},  {274, 30},
  };
  for (const auto& [address, value] : fixed) v[static_cast<std::size_t>(address)] = value;
  v[3] = major;
  v[4] = minor;
  v[5] = build;
  // Memory page: a value, then day / month and hour : minute of its record.
  const int memory_values[] = {200, 60, 180, 2, 150, 21, 40, 253, 50, 2, 5};
  for (int g = 0; g < 11; ++g) {
    const auto base = static_cast<std::size_t>(101 + 6 * g);
    v[base] = memory_values[g];
    v[base + 1] = 1 + g;
    v[base + 2] = 3;
    v[base + 3] = 6 + g;
    v[base + 4] = 5 * g;
  }
  v[168] = 28, v[169] = 2, v[170] = 23, v[171] = 59;
  const std::string init = ModemInit();
  for (std::size_t i = 0; i < init.size(); ++i) v[228 + i] = static_cast<unsigned char>(init[i]);
  return v;
}

std::string PlainDump(const ParameterValues& values, int last) {
  std::string text = std::to_string(last);
  for (int a = 0; a <= last; ++a)
    text += "\r\n" + Padded(a, 3, ' ') + " " + std::to_string(values[static_cast<std::size_t>(a)]);
  return text + "\r\n";
}


std::string CheckedDump(const ParameterValues& values, int last) {
  std::string text = CheckedLine(Padded(last, 3, '0')) + "\n\r";
  for (int a = 0; a <= last; ++a)
    text += CheckedLine(Padded(a, 3, '0') + " " + Padded(values[static_cast<std::size_t>(a)], 3, '0')) +
            "\n\r";
  return text;
}

std::string SequentialDump(const ParameterValues& values, int last) {
  std::string text = PlainDump(values, last);
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

std::string SavedCheckedDump(const ParameterValues& values, int last) {
  std::string text = CheckedDump(values, last);
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

}  // namespace testkit
