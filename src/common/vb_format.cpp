// Format(number, picture) of vb.h.
//
// The value is first written with 15 significant decimal digits (as the
// original keeps a Double), then that decimal text is rounded half away from
// zero to the places of the picture, so Format(2.675, "0.00") = "2.68" although
// the nearest double is 2.67499999...
//
// Picture characters: 0 (digit or 0), # (digit or nothing), . (decimal
// point), , (thousands separator between digit placeholders; before the point
// or at the end of the digits it divides by 1000), % (multiplies by 100 and is
// shown), \x (x literally), "text" (literally), ; (sections: positive;
// negative;zero). Any other character is copied. The named formats
// "General Number", "Fixed", "Standard", "Percent", "Currency" (US), "Yes/No",
// "True/False" and "On/Off" are known; the scientific "E+" forms are not.
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "common/vb.h"
#include "common/vb_internal.h"

namespace vb {

namespace {

// A decimal value: digits with the point after `point` of them
// (point may be negative or beyond the digits). Empty digits = zero.
struct Decimal {
  std::string digits;
  long point = 0;
};

Decimal ToDecimal15(double v) {
  Decimal d;
  if (v == 0) return d;
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
  const std::string_view text(buf, static_cast<std::size_t>(r.ptr - buf));
  const auto e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (c != '.') d.digits += c;
  }
  int exp10 = 0;
  const auto exp_text = text.substr(e + 1);
  const char* first = exp_text.data();
  if (*first == '+') ++first;
  std::from_chars(first, exp_text.data() + exp_text.size(), exp10);
  d.point = exp10 + 1;
  return d;
}

// Rounds half away from zero to `places` digits after the point.
void RoundDecimal(Decimal& d, long places) {
  const long keep = d.point + places;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  if (keep >= static_cast<long>(d.digits.size())) return;
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    long i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
      d.digits[static_cast<std::size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      d.digits.insert(0, "1");
      ++d.point;
    } else {
      ++d.digits[static_cast<std::size_t>(i)];
    }
  }
  if (d.digits.find_first_not_of('0') == std::string::npos) d.digits.clear();
}

char DigitAt(const Decimal& d, long index) {
  if (index < 0 || index >= static_cast<long>(d.digits.size())) return '0';
  return d.digits[static_cast<std::size_t>(index)];
}

enum class Kind { Zero, Hash, Point, Comma, Literal };

struct Element {
  Kind kind;
  std::string text;  // for literals
};

struct Picture {
  std::vector<Element> elements;
  bool grouping = false;
  long shift = 0;  // powers of ten applied to the value (% and scaling commas)
};

bool IsPlaceholder(Kind k) { return k == Kind::Zero || k == Kind::Hash; }

Picture ParsePicture(std::string_view p) {
  Picture pic;
  bool seen_point = false;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const char c = p[i];
    switch (c) {
      case '0':
        pic.elements.push_back({Kind::Zero, {}});
        break;
      case '#':
        pic.elements.push_back({Kind::Hash, {}});
        break;
      case '.':
        if (seen_point) {
          pic.elements.push_back({Kind::Literal, "."});
        } else {
          seen_point = true;
          pic.elements.push_back({Kind::Point, {}});
        }
        break;
      case ',':
        pic.elements.push_back({seen_point ? Kind::Literal : Kind::Comma, ","});
        break;
      case '%':
        pic.shift += 2;
        pic.elements.push_back({Kind::Literal, "%"});
        break;
      case '\\':
        if (i + 1 < p.size()) pic.elements.push_back({Kind::Literal, std::string(1, p[++i])});
        break;
      case '"': {
        const auto end = p.find('"', i + 1);
        const auto stop = end == std::string_view::npos ? p.size() : end;
        pic.elements.push_back({Kind::Literal, std::string(p.substr(i + 1, stop - i - 1))});
        i = stop;
        break;
      }
      default:
        pic.elements.push_back({Kind::Literal, std::string(1, c)});
        break;
    }
  }
  // Commas: between placeholders they group thousands; after the last integer
  // placeholder (before the point or the end) each one divides by 1000.
  auto& el = pic.elements;
  // Index of the last integer placeholder (commas after it scale).
  std::size_t last_int_placeholder = el.size();
  for (std::size_t k = 0; k < el.size() && el[k].kind != Kind::Point; ++k) {
    if (IsPlaceholder(el[k].kind)) last_int_placeholder = k;
  }
  bool placeholder_before = false;
  for (std::size_t i = 0; i < el.size(); ++i) {
    if (el[i].kind != Kind::Comma) {
      placeholder_before |= IsPlaceholder(el[i].kind);
      continue;
    }
    std::size_t j = i;
    while (j < el.size() && el[j].kind == Kind::Comma) ++j;
    const bool placeholder_after =  // in the integer part
        last_int_placeholder != el.size() && last_int_placeholder > j - 1;
    const bool next_is_placeholder = j < el.size() && IsPlaceholder(el[j].kind);
    for (std::size_t k = i; k < j; ++k) el[k].kind = Kind::Literal;
    if (placeholder_before && next_is_placeholder) {
      pic.grouping = true;
      for (std::size_t k = i; k < j; ++k) el[k].text.clear();
    } else if (placeholder_before && !placeholder_after) {
      pic.shift -= 3 * static_cast<long>(j - i);
      for (std::size_t k = i; k < j; ++k) el[k].text.clear();
    }
    i = j - 1;
  }
  return pic;
}

std::string Group(const std::string& digits) {
  std::string out;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// Formats |v| (already known finite) with one section of a picture.
// Returns the text and whether the rounded value is zero.
std::string FormatSection(double v, std::string_view section, bool* rounded_zero) {
  const Picture pic = ParsePicture(section);
  const auto& el = pic.elements;

  std::size_t point_at = el.size();
  for (std::size_t i = 0; i < el.size(); ++i) {
    if (el[i].kind == Kind::Point) {
      point_at = i;
      break;
    }
  }
  std::vector<std::size_t> int_ph, frac_ph;
  for (std::size_t i = 0; i < el.size(); ++i) {
    if (!IsPlaceholder(el[i].kind)) continue;
    (i < point_at ? int_ph : frac_ph).push_back(i);
  }

  Decimal d = ToDecimal15(v);
  d.point += pic.shift;
  const long places = static_cast<long>(frac_ph.size());
  RoundDecimal(d, places);
  *rounded_zero = d.digits.empty();

  std::string int_digits;
  for (long i = 0; i < d.point; ++i) int_digits += DigitAt(d, i);
  const auto nz = int_digits.find_first_not_of('0');
  int_digits = nz == std::string::npos ? std::string() : int_digits.substr(nz);
  std::string frac_digits;
  for (long i = 0; i < places; ++i) frac_digits += DigitAt(d, d.point + i);
  const auto last_nonzero = frac_digits.find_last_not_of('0');

  // Text for each integer placeholder: the rightmost ones get one digit each,
  // the leftmost gets all the digits that are left over.
  std::vector<std::string> int_text(el.size());
  if (pic.grouping && !int_ph.empty()) {
    // Width: the digits, or up to the leftmost '0' placeholder.
    std::size_t width = int_digits.size();
    for (std::size_t k = 0; k < int_ph.size(); ++k) {
      if (el[int_ph[k]].kind == Kind::Zero) {
        width = std::max(width, int_ph.size() - k);
        break;
      }
    }
    std::string padded = std::string(width - int_digits.size(), '0') + int_digits;
    int_text[int_ph.front()] = Group(padded);
  } else {
    const std::size_t n = int_digits.size();
    for (std::size_t k = 0; k < int_ph.size(); ++k) {
      const std::size_t from_right = int_ph.size() - 1 - k;  // 0 = rightmost
      std::string t;
      if (k == 0 && n > int_ph.size()) {
        t = int_digits.substr(0, n - int_ph.size() + 1);
      } else if (from_right < n) {
        t = std::string(1, int_digits[n - 1 - from_right]);
      } else if (el[int_ph[k]].kind == Kind::Zero) {
        t = "0";
      }
      int_text[int_ph[k]] = t;
    }
  }

  std::string out;
  bool int_written = !int_ph.empty();
  std::size_t frac_index = 0;
  for (std::size_t i = 0; i < el.size(); ++i) {
    switch (el[i].kind) {
      case Kind::Zero:
      case Kind::Hash:
        if (i < point_at) {
          out += int_text[i];
        } else {
          const std::size_t k = frac_index++;
          const bool significant = last_nonzero != std::string::npos && k <= last_nonzero;
          if (el[i].kind == Kind::Zero || significant) out += frac_digits[k];
        }
        break;
      case Kind::Point:
        if (!int_written) {
          out += int_digits;  // ".00" still shows the integer digits
          int_written = true;
        }
        out += '.';
        break;
      case Kind::Comma:
      case Kind::Literal:
        out += el[i].text;
        break;
    }
  }
  return out;
}

// Splits at ';' outside quotes and escapes.
std::vector<std::string_view> Sections(std::string_view p) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < p.size(); ++i) {
    if (p[i] == '"') {
      quoted = !quoted;
    } else if (!quoted && p[i] == '\\') {
      ++i;
    } else if (!quoted && p[i] == ';') {
      out.push_back(p.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(p.substr(start));
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto low = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (low(a[i]) != low(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string Format(double v, std::string_view picture) {
  if (picture.empty() || EqualsNoCase(picture, "General Number")) return CStr(v);
  if (EqualsNoCase(picture, "Fixed")) return Format(v, "0.00");
  if (EqualsNoCase(picture, "Standard")) return Format(v, "#,##0.00");
  if (EqualsNoCase(picture, "Percent")) return Format(v, "0.00%");
  if (EqualsNoCase(picture, "Currency")) return Format(v, "$#,##0.00;($#,##0.00)");
  if (EqualsNoCase(picture, "Yes/No")) return v != 0 ? "Yes" : "No";
  if (EqualsNoCase(picture, "True/False")) return v != 0 ? "True" : "False";
  if (EqualsNoCase(picture, "On/Off")) return v != 0 ? "On" : "Off";
  if (!std::isfinite(v)) return detail::SpecialText(v);

  const auto sections = Sections(picture);
  std::string_view section = sections[0];
  bool add_minus = v < 0;
  if (v < 0 && sections.size() >= 2 && !sections[1].empty()) {
    section = sections[1];
    add_minus = false;
  } else if (v == 0 && sections.size() >= 3 && !sections[2].empty()) {
    section = sections[2];
  }
  bool rounded_zero = false;
  std::string out = FormatSection(std::fabs(v), section, &rounded_zero);
  if (add_minus && !rounded_zero) out.insert(0, "-");
  return out;
}

}  // namespace vb
