// The program's texts are 8-bit Windows-1252 (one char per byte); the site
// database stores UTF-8, as SQLite expects of TEXT and as its tools show it.
// These two turn one form into the other at the database's edge.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// Every byte maps to one code point; the five bytes that Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, so any byte string comes back unchanged from Utf8ToCp1252.
std::string Cp1252ToUtf8(std::string_view text);

// A code point without a Windows-1252 byte becomes "?". A byte that does not
// start a valid UTF-8 sequence is taken as a Windows-1252 byte of its own, so
// text that some other tool stored unencoded still reads as it was written.
std::string Utf8ToCp1252(std::string_view text);

// The code point of the well-formed UTF-8 sequence of two to four bytes that
// starts at text[i], with its length; nothing when none starts there
// (overlong forms, surrogates and values beyond U+10FFFF are not well formed).
std::optional<std::pair<char32_t, std::size_t>> Utf8SequenceAt(std::string_view text,
                                                               std::size_t i);

// True when the whole text is well-formed UTF-8 (plain ASCII included).
bool IsUtf8(std::string_view text);

}  // namespace platform
