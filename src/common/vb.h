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
#include <type_traits>

namespace vb {

// ---- numbers from text --------------------------------------------------

// Val: the value of the number at the front of s. Blanks, tabs and line feeds
// are skipped anywhere in the number ("1 2" is 12); a sign, digits, one point
// and an exponent (E or D, optional sign) are read; "&H" and "&O" prefixes read
// hexadecimal and octal (4 hex digits or fewer give a signed 16-bit value,
// up to 8 a signed 32-bit value; the size goes by the value, so "&HFFFF" is -1
// and "&H10000" 65536). Reading stops at the first other character; no number
// gives 0. Where the original stopped with an overflow, Val does not: a decimal
// number beyond the range of a Double gives +-DBL_MAX, a &H/&O number of more
// than 32 bits keeps its low 32 bits. The result is never -0.
double Val(std::string_view s);

// IsNumeric: s (after trimming blanks, tabs, CR and LF) is a complete number that
// CDbl accepts in the US locale: optional "$", a leading sign, a trailing sign
// ("5-") or parentheses ("(5)"), digits with "," thousands separators, one
// point, an exponent E/D with digits; or &H/&O with up to 32 bits. "", ".",
// "1e", "1 2" and values that overflow a Double are not numeric.
bool IsNumeric(std::string_view s);

// ---- numbers to text ----------------------------------------------------

// Str: a leading blank for a number that is not negative, "-" otherwise;
// at most 15 significant digits; no leading zero before the point
// (Str(0.5) = " .5", Str(-0.5) = "-.5"); exponent form, as printf's %.15G, when
// the decimal exponent (after rounding to 15 digits) is 15 or more or below -4
// ("1E+15", "1E-05", "1.23456789012346E+15"; 0.0001 stays "0.0001").
// -0 gives " 0". Infinity and NaN (which the original never held) give
// "1.#INF", "-1.#INF" and "-1.#IND".
std::string Str(double v);
// Str of a single-precision value: 7 significant digits (Str(1.1f) = " 1.1").
std::string StrSingle(float v);

// CStr / implicit number-to-text: as Str without the leading blank, and with
// the leading zero kept before the point (CStr(0.5) = "0.5"). Single: 7
// significant digits, exponent form from 1E+07.
std::string CStr(double v);
std::string CStrSingle(float v);
std::string CStr(std::int64_t v);
// int, long, short, long long ... (std::int64_t is long on 64-bit Linux, so a
// separate CStr(long) would redefine the one above as calling itself).
template <typename T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, std::int64_t>)
inline std::string CStr(T v) { return CStr(static_cast<std::int64_t>(v)); }

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
// NaN gives nullopt from TryCInt/TryCLng and 0 from CInt/CLng/CByte.
// CByte: 0..255, rounded half to even, saturating.
std::uint8_t CByte(double v);
// CSng: the single-precision value (as stored in a single-precision field);
// beyond the range of a Single it saturates at +-FLT_MAX.
float CSng(double v);

// ---- formatting ---------------------------------------------------------

// Format of a number with a picture such as "0", "0.0", "0.00", "00", "000",
// "00000", "#", "#0.0", " 00" (literal characters are copied). Digits are
// rounded half away from zero on the decimal value: the double is first
// written with 15 significant digits, then that decimal text is rounded
// (Format(2.675, "0.00") = "2.68", Format(2.5, "0") = "3"); a negative value
// gets "-" in front of the whole result unless it rounds to zero
// (Format(-0.001, "0.00") = "0.00").
// Also understood: "," between digit placeholders (thousands: "#,##0.00"),
// "," right after the last integer placeholder (divides by 1000), "%"
// (times 100), "\x" and "\"text\"" literals, sections "pos;neg;zero" (the
// negative section gets no "-"), the named formats General Number, Fixed,
// Standard, Percent, Currency (US), Yes/No, True/False, On/Off, and "" (as
// CStr). Not understood: scientific pictures ("0.00E+00"), whose letters are
// copied as literals.
std::string Format(double v, std::string_view picture);

// ---- text ---------------------------------------------------------------

// Mid/Left/Right never fail where the original raised "invalid procedure
// call": a start below 1, a length below -1 (-1 = to the end) or a negative n
// give "", and a start or length beyond the end is cut at the end.
std::string Mid(std::string_view s, long start, long length = -1);  // 1-based
std::string Left(std::string_view s, long n);
std::string Right(std::string_view s, long n);
inline long Len(std::string_view s) { return static_cast<long>(s.size()); }
// 1-based position of find in s at or after start, 0 when absent; an empty
// find gives start (when 1 <= start <= Len(s) + 1); an empty s gives 0, even
// for an empty find (InStr("", "") = 0, as in the original); start < 1 gives 0.
long InStr(long start, std::string_view s, std::string_view find);
inline long InStr(std::string_view s, std::string_view find) { return InStr(1, s, find); }
// Last position of find in s, 0 when absent; an empty find gives Len(s).
long InStrRev(std::string_view s, std::string_view find);
// ASCII and Latin-1 letters, plus the Windows-1252 pairs S/Z caron, OE and
// Y diaeresis (0x8A/0x9A, 0x8C/0x9C, 0x8E/0x9E, 0x9F/0xFF) as the original's
// UCase did on a Western Windows; sharp s, mu, 0xD7 and 0xF7 are left as they are.
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);
std::string Trim(std::string_view s);   // blanks only, as the original
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
// An empty find leaves s as it is.
std::string Replace(std::string_view s, std::string_view find, std::string_view with);
std::string Space(long n);              // "" for n <= 0
std::string String(long n, char c);     // "" for n <= 0
std::string Chr(int code);              // code 0..255, one byte; "" otherwise
int Asc(std::string_view s);            // code of the first byte, 0 for ""
// Upper case, no leading zeros; negatives down to -2^31 in 32-bit two's
// complement (Hex(-1) = "FFFFFFFF"), lower ones in 64-bit.
std::string Hex(std::int64_t v);

// Constants of the original's character set.
inline constexpr char vbCr = '\r';
inline constexpr char vbLf = '\n';
inline constexpr std::string_view vbCrLf = "\r\n";

}  // namespace vb
