#include "ui/picture_box.h"

#include "ui/form.h"

namespace ui {

PictureBox::PictureBox(Form& owner, std::string name, int index, Control* container)
    : Control(owner, std::move(name), index, container), Canvas(this, &owner.Rt()) {}

double PictureBox::ScaleWidth() const { return Width(); }
double PictureBox::ScaleHeight() const { return Height(); }

}  // namespace ui
