#include "ui/basic_controls.h"

#include "ui/form.h"

namespace ui {

std::string WithoutLineBreaks(std::string_view text) {
  std::string line(text);
  std::erase_if(line, [](char ch) { return ch == '\r' || ch == '\n'; });
  return line;
}

TextBox::TextBox(Form& owner, std::string name, int index, Control* container)
    : Control(owner, std::move(name), index, container) {
  BackColor.Init(kSystemWindow);
  ForeColor.Init(kSystemWindowText);
}

void TextBox::OnPropertyChanged(Prop which) {
  if (which != Prop::Text) return;
  kept_length_ = appending_from_ == std::string::npos ? 0 : appending_from_;
  appending_from_ = std::string::npos;  // a change made by a Change handler is not this append
  Change();
}

void TextBox::Type(std::string_view keys) {
  for (char ch : keys) {
    int key_ascii = static_cast<unsigned char>(ch);
    KeyPress(key_ascii);
    if (key_ascii == 0 || Locked()) continue;
    if (key_ascii < 32 && key_ascii != 8) continue;  // a control key types nothing
    std::string text = Text();
    int start = SelStart < 0 ? 0 : SelStart;
    if (start > static_cast<int>(text.size())) start = static_cast<int>(text.size());
    int length = SelLength < 0 ? 0 : SelLength;
    if (start + length > static_cast<int>(text.size()))
      length = static_cast<int>(text.size()) - start;
    if (key_ascii == 8) {  // backspace
      if (length > 0) {
        text.erase(static_cast<size_t>(start), static_cast<size_t>(length));
      } else if (start > 0) {
        text.erase(static_cast<size_t>(start - 1), 1);
        --start;
      }
    } else {
      if (MaxLength() > 0 && static_cast<int>(text.size()) - length >= MaxLength()) continue;
      text.replace(static_cast<size_t>(start), static_cast<size_t>(length), 1,
                   static_cast<char>(key_ascii));
      ++start;
    }
    SelStart = start;
    SelLength = 0;
    Text = text;
  }
}

void TextBox::UserEdit(std::string_view text) {
  if (Locked()) return;
  Text = MultiLine() ? std::string(text) : WithoutLineBreaks(text);
  SelStart = static_cast<int>(Text().size());
  SelLength = 0;
}

void TextBox::Append(std::string_view more) {
  if (!more.empty()) {
    appending_from_ = Text().size();
    Text.Append(more);
  }
  SelStart = static_cast<int>(Text().size());
}

void CommandButton::Press() {
  if (!Enabled() || !IsShown()) return;
  Click();
}

void OptionButton::OnPropertyChanged(Prop which) {
  if (which != Prop::Value || !Value()) return;
  // Option buttons in one container exclude each other.
  for (Control* c : Owner().Controls()) {
    if (c == this || c->Kind() != ControlKind::OptionButton || c->Container() != Container())
      continue;
    static_cast<OptionButton*>(c)->Value = false;
  }
  Click();
}

void OptionButton::Press() {
  if (!Enabled() || !IsShown()) return;
  MouseDown(vbLeftButton, 0, 0.0, 0.0);
  Value = true;
  MouseUp(vbLeftButton, 0, 0.0, 0.0);
}

void CheckBox::OnPropertyChanged(Prop which) {
  if (which == Prop::Value) Click();
}

void CheckBox::Press() {
  if (!Enabled() || !IsShown()) return;
  Value = Value() == vbChecked ? vbUnchecked : vbChecked;
  MouseUp(vbLeftButton, 0, 0.0, 0.0);
}

}  // namespace ui
