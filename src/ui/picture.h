// A picture held by an image control, a picture box or a form: either one of
// the program's named pictures (lamps, icons, toolbar images) or a bitmap file.
// Lamps are compared by name, as the report reads a lamp back by its picture.
#pragma once

#include <string>

namespace ui {

struct Picture {
  std::string name;  // named picture ("GreenOn", "Connect") or "" for a file
  std::string file;  // bitmap path, for pictures loaded from disk

  bool IsEmpty() const { return name.empty() && file.empty(); }
  friend bool operator==(const Picture&, const Picture&) = default;

  static Picture Named(std::string n) { return Picture{std::move(n), {}}; }
  static Picture FromFile(std::string path) { return Picture{{}, std::move(path)}; }
};

}  // namespace ui
