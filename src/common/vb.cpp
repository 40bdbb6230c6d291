// Numbers from and to text, rounding and string functions of vb.h.
// Format(number, picture) is in vb_format.cpp.
//
// Nothing here depends on the C locale (the Qt front end sets LC_ALL from the
// environment): numbers are read with std::from_chars and written with
// std::to_chars, which always use '.'.
#include "common/vb.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <limits>
#include <system_error>

#include "common/vb_internal.h"

namespace vb {

namespace {

bool IsValBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char l = Lower(c);
  if (l >= 'a' && l <= 'f') return l - 'a' + 10;
  return -1;
}

// The value of a &H / &O number as the original gives it: up to &HFFFF a signed
// 16-bit value, up to &HFFFFFFFF a signed 32-bit value (longer numbers, which
// the original refused with an overflow, keep their low 32 bits).
double RadixValue(std::uint64_t v, bool overflowed) {
  if (!overflowed && v <= 0xFFFFu) return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v & 0xFFFFFFFFu));
}

// A decimal number taken apart: [-]int.frac E exp, digits only.
struct DecimalText {
  bool negative = false;
  std::string int_digits;
  std::string frac_digits;
  long exponent = 0;
};

// Turns the parts into a double: from_chars for the normal case, saturating at
// +-DBL_MAX on overflow and giving 0 on underflow.
double DecimalToDouble(const DecimalText& d, bool* overflow) {
  if (overflow) *overflow = false;
  std::string text;
  text.reserve(d.int_digits.size() + d.frac_digits.size() + 16);
  text += d.int_digits.empty() ? std::string("0") : d.int_digits;
  if (!d.frac_digits.empty()) {
    text += '.';
    text += d.frac_digits;
  }
  text += 'e';
  text += std::to_string(d.exponent);
  double v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v,
                                 std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Order of magnitude of the first significant digit decides which way.
    const auto nz = d.int_digits.find_first_not_of('0');
    long mag;
    if (nz != std::string::npos) {
      mag = static_cast<long>(d.int_digits.size() - nz) - 1 + d.exponent;
    } else {
      const auto fz = d.frac_digits.find_first_not_of('0');
      mag = (fz == std::string::npos) ? -1000000 : -static_cast<long>(fz) - 1 + d.exponent;
    }
    if (mag > 0) {
      if (overflow) *overflow = true;
      v = DBL_MAX;
    } else {
      v = 0;
    }
  } else if (r.ec != std::errc()) {
    v = 0;
  }
  if (v == 0) return 0.0;  // never -0
  return d.negative ? -v : v;
}

// Appends an exponent digit, saturating (far beyond the range of a double).
void AddExponentDigit(long& e, char c) {
  if (e < 100000000L) e = e * 10 + (c - '0');
}

}  // namespace

// ---- numbers from text --------------------------------------------------

double Val(std::string_view s) {
  // Blanks, tabs and line feeds are left out wherever they are.
  std::size_t i = 0;
  const std::size_t n = s.size();
  auto peek = [&]() -> int {
    while (i < n && IsValBlank(s[i])) ++i;
    return i < n ? static_cast<unsigned char>(s[i]) : -1;
  };

  int c = peek();
  if (c == '&') {
    ++i;
    const int k = peek();
    int base = 0;
    if (k == 'h' || k == 'H') base = 16;
    if (k == 'o' || k == 'O') base = 8;
    if (base == 0) return 0;
    ++i;
    std::uint64_t v = 0;
    bool overflowed = false;
    for (int d = peek(); d >= 0; d = peek()) {
      const int digit = HexDigit(static_cast<char>(d));
      if (digit < 0 || digit >= base) break;
      v = v * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
      if (v > 0xFFFFFFFFu) {
        overflowed = true;
        v &= 0xFFFFFFFFu;
      }
      ++i;
    }
    return RadixValue(v, overflowed);
  }

  DecimalText d;
  if (c == '-' || c == '+') {
    d.negative = (c == '-');
    ++i;
  }
  for (c = peek(); c >= 0 && IsDigit(static_cast<char>(c)); c = peek()) {
    d.int_digits += static_cast<char>(c);
    ++i;
  }
  if (c == '.') {
    ++i;
    for (c = peek(); c >= 0 && IsDigit(static_cast<char>(c)); c = peek()) {
      d.frac_digits += static_cast<char>(c);
      ++i;
    }
  }
  if (d.int_digits.empty() && d.frac_digits.empty()) return 0;
  if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    ++i;
    bool eneg = false;
    c = peek();
    if (c == '-' || c == '+') {
      eneg = (c == '-');
      ++i;
    }
    long e = 0;
    for (c = peek(); c >= 0 && IsDigit(static_cast<char>(c)); c = peek()) {
      AddExponentDigit(e, static_cast<char>(c));
      ++i;
    }
    d.exponent = eneg ? -e : e;
  }
  return DecimalToDouble(d, nullptr);
}

bool IsNumeric(std::string_view s) {
  auto is_ws = [](char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
  };
  while (!s.empty() && is_ws(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_ws(s.back())) s.remove_suffix(1);
  if (s.empty()) return false;
  const std::size_t n = s.size();
  std::size_t i = 0;

  if (s[0] == '&') {
    if (n < 3) return false;
    const char k = Lower(s[1]);
    const int base = k == 'h' ? 16 : k == 'o' ? 8 : 0;
    if (base == 0) return false;
    std::uint64_t v = 0;
    for (i = 2; i < n; ++i) {
      const int digit = HexDigit(s[i]);
      if (digit < 0 || digit >= base) return false;
      v = v * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
      if (v > 0xFFFFFFFFu) return false;  // CDbl: overflow
    }
    return true;
  }

  DecimalText d;
  bool currency = false, lead_sign = false, paren = false;
  if (s[i] == '$') {
    currency = true;
    ++i;
  }
  if (i < n && (s[i] == '-' || s[i] == '+')) {
    lead_sign = true;
    d.negative = s[i] == '-';
    ++i;
  } else if (i < n && s[i] == '(') {
    paren = true;
    ++i;
  }
  if (!currency && i < n && s[i] == '$') ++i;
  // Integer part, with thousands separators after the first digit.
  while (i < n && (IsDigit(s[i]) || (s[i] == ',' && !d.int_digits.empty()))) {
    if (s[i] != ',') d.int_digits += s[i];
    ++i;
  }
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && IsDigit(s[i])) d.frac_digits += s[i++];
  }
  if (d.int_digits.empty() && d.frac_digits.empty()) return false;
  if (i < n && (Lower(s[i]) == 'e' || Lower(s[i]) == 'd')) {
    ++i;
    bool eneg = false;
    if (i < n && (s[i] == '-' || s[i] == '+')) eneg = s[i++] == '-';
    if (i >= n || !IsDigit(s[i])) return false;
    long e = 0;
    while (i < n && IsDigit(s[i])) AddExponentDigit(e, s[i++]);
    d.exponent = eneg ? -e : e;
  }
  if (!lead_sign && !paren && i < n && (s[i] == '-' || s[i] == '+')) ++i;  // "5-"
  if (paren) {
    if (i >= n || s[i] != ')') return false;
    ++i;
  }
  if (i != n) return false;
  bool overflow = false;
  DecimalToDouble(d, &overflow);
  return !overflow;
}

// ---- numbers to text ----------------------------------------------------

namespace detail {

std::string SpecialText(double v) {
  if (std::isnan(v)) return "-1.#IND";
  return v > 0 ? "1.#INF" : "-1.#INF";
}

}  // namespace detail

namespace {

// printf's %.<digits>G in the "C" locale: the form of the original's number
// to text conversion (exponent below 1E-4 and at 10^digits and above).
template <typename T>
std::string GeneralText(T v, int digits) {
  if (!std::isfinite(v)) return detail::SpecialText(static_cast<double>(v));
  if (v == 0) return "0";  // also -0
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
  std::string out(buf, r.ptr);
  for (char& ch : out) {
    if (ch == 'e') ch = 'E';
  }
  return out;
}

std::string StrFromCStr(std::string_view s) {
  const bool negative = !s.empty() && s[0] == '-';
  if (negative) s.remove_prefix(1);
  if (s.size() > 1 && s[0] == '0' && s[1] == '.') s.remove_prefix(1);
  std::string out(negative ? "-" : " ");
  out += s;
  return out;
}

}  // namespace

std::string CStr(double v) { return GeneralText(v, 15); }
std::string CStrSingle(float v) { return GeneralText(v, 7); }
std::string CStr(std::int64_t v) { return std::to_string(v); }
std::string Str(double v) { return StrFromCStr(CStr(v)); }
std::string StrSingle(float v) { return StrFromCStr(CStrSingle(v)); }

// ---- rounding -----------------------------------------------------------

double Int(double v) { return std::floor(v) + 0.0; }
double Fix(double v) { return std::trunc(v) + 0.0; }  // + 0.0 turns -0 into 0

namespace {

// Round half to even, independent of the floating-point rounding mode.
double RoundHalfEven(double v) {
  if (!std::isfinite(v)) return v;
  const double f = std::floor(v);
  const double diff = v - f;  // exact
  if (diff > 0.5) return f + 1;
  if (diff < 0.5) return f;
  return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

template <typename I>
std::optional<I> TryRounded(double v) {
  if (std::isnan(v)) return std::nullopt;
  const double r = RoundHalfEven(v);
  if (r < static_cast<double>(std::numeric_limits<I>::min()) ||
      r > static_cast<double>(std::numeric_limits<I>::max())) {
    return std::nullopt;
  }
  return static_cast<I>(r);
}

template <typename I>
I Saturated(double v) {
  if (std::isnan(v)) return 0;
  const double r = RoundHalfEven(v);
  if (r <= static_cast<double>(std::numeric_limits<I>::min())) return std::numeric_limits<I>::min();
  if (r >= static_cast<double>(std::numeric_limits<I>::max())) return std::numeric_limits<I>::max();
  return static_cast<I>(r);
}

}  // namespace

std::int16_t CInt(double v) { return Saturated<std::int16_t>(v); }
std::int32_t CLng(double v) { return Saturated<std::int32_t>(v); }
std::optional<std::int16_t> TryCInt(double v) { return TryRounded<std::int16_t>(v); }
std::optional<std::int32_t> TryCLng(double v) { return TryRounded<std::int32_t>(v); }
std::uint8_t CByte(double v) { return Saturated<std::uint8_t>(v); }

float CSng(double v) {
  if (std::isnan(v)) return std::numeric_limits<float>::quiet_NaN();
  if (v > static_cast<double>(FLT_MAX)) return FLT_MAX;
  if (v < -static_cast<double>(FLT_MAX)) return -FLT_MAX;
  return static_cast<float>(v);
}

// ---- text ---------------------------------------------------------------

std::string Mid(std::string_view s, long start, long length) {
  if (start < 1 || length < -1) return {};
  const auto pos = static_cast<std::size_t>(start - 1);
  if (pos >= s.size()) return {};
  if (length == -1) return std::string(s.substr(pos));
  return std::string(s.substr(pos, static_cast<std::size_t>(length)));
}

std::string Left(std::string_view s, long n) {
  if (n <= 0) return {};
  return std::string(s.substr(0, static_cast<std::size_t>(n)));
}

std::string Right(std::string_view s, long n) {
  if (n <= 0) return {};
  const auto k = std::min(s.size(), static_cast<std::size_t>(n));
  return std::string(s.substr(s.size() - k));
}

long InStr(long start, std::string_view s, std::string_view find) {
  if (start < 1 || s.empty()) return 0;
  const auto pos = static_cast<std::size_t>(start - 1);
  if (pos > s.size()) return 0;
  if (find.empty()) return start;
  const auto at = s.find(find, pos);
  return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

long InStrRev(std::string_view s, std::string_view find) {
  if (s.empty()) return 0;
  if (find.empty()) return Len(s);
  const auto at = s.rfind(find);
  return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

namespace {

// Windows-1252 case mapping (Latin-1 letters plus S/Z caron, OE and Y diaeresis).
unsigned char UpperByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

unsigned char LowerByte(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

}  // namespace

std::string UCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
  return out;
}

std::string LCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(LowerByte(static_cast<unsigned char>(c)));
  return out;
}

std::string LTrim(std::string_view s) {
  const auto p = s.find_first_not_of(' ');
  return p == std::string_view::npos ? std::string() : std::string(s.substr(p));
}

std::string RTrim(std::string_view s) {
  const auto p = s.find_last_not_of(' ');
  return p == std::string_view::npos ? std::string() : std::string(s.substr(0, p + 1));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string Replace(std::string_view s, std::string_view find, std::string_view with) {
  if (find.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  for (;;) {
    const auto at = s.find(find, pos);
    if (at == std::string_view::npos) break;
    out.append(s.substr(pos, at - pos));
    out.append(with);
    pos = at + find.size();
  }
  out.append(s.substr(pos));
  return out;
}

std::string Space(long n) { return n > 0 ? std::string(static_cast<std::size_t>(n), ' ') : std::string(); }

std::string String(long n, char c) {
  return n > 0 ? std::string(static_cast<std::size_t>(n), c) : std::string();
}

std::string Chr(int code) {
  if (code < 0 || code > 255) return {};
  return std::string(1, static_cast<char>(static_cast<unsigned char>(code)));
}

int Asc(std::string_view s) { return s.empty() ? 0 : static_cast<unsigned char>(s[0]); }

std::string Hex(std::int64_t v) {
  std::uint64_t u;
  if (v < 0 && v >= std::numeric_limits<std::int32_t>::min()) {
    u = static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
  } else {
    u = static_cast<std::uint64_t>(v);
  }
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, u, 16);
  std::string out(buf, r.ptr);
  for (char& c : out) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 32);
  }
  return out;
}

}  // namespace vb
