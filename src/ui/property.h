// A control property: a value that tells its control when it really changes,
// so views repaint and events such as UpDown.Change run only on a change.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace ui {

// What changed on a control; views use it to update only what is needed.
enum class Prop {
  Text, Caption, Value, Visible, Enabled, Geometry, Tag, BackColor, ForeColor,
  Picture, Min, Max, ToolTip, Locked, Checked, ListIndex, Items, Drawing, Font,
  Alignment, Interval, WindowState, Style, Selection, Buttons, Panels, Tabs,
  Columns, Shape, Other
};

class PropertyOwner {
 public:
  virtual ~PropertyOwner() = default;
  virtual void PropertyChanged(Prop which) = 0;
};

template <class T>
class Property {
 public:
  Property(PropertyOwner* owner, Prop id, T initial = T{})
      : owner_(owner), id_(id), value_(std::move(initial)) {}
  Property(const Property&) = delete;
  Property& operator=(const Property& other) {
    Set(other.value_);
    return *this;
  }

  Property& operator=(const T& v) {
    Set(v);
    return *this;
  }
  // Reads the value: txtLog.Text() or, where a T is expected, txtLog.Text.
  const T& operator()() const { return value_; }
  operator const T&() const { return value_; }
  const T& get() const { return value_; }

  // Stores v; the owner hears of it only when the value differs.
  void Set(const T& v) {
    if (value_ == v) return;
    value_ = v;
    owner_->PropertyChanged(id_);
  }
  // Adds more to the end of a text in place: a long text is not copied.
  void Append(std::string_view more)
    requires std::is_same_v<T, std::string>
  {
    if (more.empty()) return;
    value_.append(more);
    owner_->PropertyChanged(id_);
  }
  // Stores v without telling anyone (used while building a form's design state).
  void Init(const T& v) { value_ = v; }

 private:
  PropertyOwner* owner_;
  Prop id_;
  T value_;
};

// Text properties compare and concatenate like strings.
inline std::string operator+(const Property<std::string>& a, const std::string& b) { return a() + b; }
inline std::string operator+(const std::string& a, const Property<std::string>& b) { return a + b(); }
inline std::string operator+(const Property<std::string>& a, const char* b) { return a() + b; }
inline std::string operator+(const char* a, const Property<std::string>& b) { return a + b(); }
inline bool operator==(const Property<std::string>& a, const char* b) { return a() == b; }
inline bool operator==(const Property<std::string>& a, const std::string& b) { return a() == b; }

}  // namespace ui
