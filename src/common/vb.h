// The number and text conversions of the console's original language, in one
// place. Every number that becomes text (or text that becomes a number) goes
// through here, so that values shown, stored and sent keep their exact forms.
//
// Text is 8-bit: one char per byte, Windows-1252/Latin-1 ("\xBA" is the
// degree-like sign of "-5 \xBA" "C"). Positions are 1-based as in the original.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vb {

// ---- numbers from text --------------------------------------------------

// Val: the value of the number at the front of s. Blanks, tabs and line feeds
// are skipped anywhere in the number ("1 2" is 12); a sign, digits, one point
// and an exponent (E or D, optional sign) are read; "&H" and "&O" prefixes read
// hexadecimal and octal (4 hex digits or fewer give a signed 16-bit value,
// up to 8 a signed 32-bit value). Reading stops at the first other character;
// no number gives 0.
double Val(std::string_view s);

// IsNumeric: s (after trimming blanks) is a complete number that CDbl accepts.
bool IsNumeric(std::string_view s);

// ---- numbers to text ----------------------------------------------------

// Str: a leading blank for a number that is not negative, "-" otherwise;
// at most 15 significant digits; no leading zero before the point
// (Str(0.5) = " .5"); exponent form at 1E15 and above or below 1E-4... as the
// original ("1E+15", "1E-05").
std::string Str(double v);
// Str of a single-precision value: 7 significant digits (Str(1.1f) = " 1.1").
std::string StrSingle(float v);

// CStr / implicit number-to-text: as Str without the leading blank, and with
// the leading zero kept before the point (CStr(0.5) = "0.5").
std::string CStr(double v);
std::string CStrSingle(float v);
std::string CStr(std::int64_t v);
inline std::string CStr(int v) { return CStr(static_cast<std::int64_t>(v)); }
inline std::string CStr(long v) { return CStr(static_cast<std::int64_t>(v)); }

// ---- rounding -----------------------------------------------------------

double Int(double v);  // largest integer <= v (Int(-2.5) = -3)
double Fix(double v);  // toward zero (Fix(-2.5) = -2)
// Round half to even, as the original's integer conversions do:
// CInt(2.5) = 2, CInt(3.5) = 4, CInt(-2.5) = -2. Values outside the range of
// the type saturate at its ends (the original stopped with an overflow).
std::int16_t CInt(double v);
std::int32_t CLng(double v);
// The same conversions that report an overflow instead of saturating.
std::optional<std::int16_t> TryCInt(double v);
std::optional<std::int32_t> TryCLng(double v);
// CByte: 0..255, rounded half to even, saturating.
std::uint8_t CByte(double v);
// CSng: the single-precision value (as stored in a single-precision field).
float CSng(double v);

// ---- formatting ---------------------------------------------------------

// Format of a number with a picture such as "0", "0.0", "0.00", "00", "000",
// "00000", "#", "#0.0", " 00" (literal characters are copied). Digits are
// rounded half away from zero on the decimal value (Format(2.675, "0.00") =
// "2.68"); a negative value gets "-" unless it rounds to zero.
std::string Format(double v, std::string_view picture);

// ---- text ---------------------------------------------------------------

std::string Mid(std::string_view s, long start, long length = -1);  // 1-based
std::string Left(std::string_view s, long n);
std::string Right(std::string_view s, long n);
inline long Len(std::string_view s) { return static_cast<long>(s.size()); }
// 1-based position of find in s at or after start, 0 when absent; an empty
// find gives start (when start <= Len(s) + 1).
long InStr(long start, std::string_view s, std::string_view find);
inline long InStr(std::string_view s, std::string_view find) { return InStr(1, s, find); }
long InStrRev(std::string_view s, std::string_view find);
std::string UCase(std::string_view s);  // ASCII letters and Latin-1 letters
std::string LCase(std::string_view s);
std::string Trim(std::string_view s);   // blanks only, as the original
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string Replace(std::string_view s, std::string_view find, std::string_view with);
std::string Space(long n);
std::string String(long n, char c);
std::string Chr(int code);              // code 0..255, one byte
int Asc(std::string_view s);            // code of the first byte, 0 for ""
std::string Hex(std::int64_t v);        // upper case, two's complement for negatives (32-bit)

// Constants of the original's character set.
inline constexpr char vbCr = '\r';
inline constexpr char vbLf = '\n';
inline constexpr std::string_view vbCrLf = "\r\n";

}  // namespace vb
