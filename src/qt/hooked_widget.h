// A Qt widget class with its input events handed to callbacks, so that
// control views can forward the operator's input to their models without a
// widget subclass per control kind.
#pragma once

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <functional>
#include <utility>

namespace qtui {

template <class Base>
class Hooked : public Base {
 public:
  using Base::Base;

  std::function<void(QMouseEvent*)> on_press;
  std::function<void(QMouseEvent*)> on_release;
  std::function<void(QMouseEvent*)> on_move;
  std::function<void(QMouseEvent*)> on_double_click;
  // Returns true when it has handled the key (the widget then ignores it).
  std::function<bool(QKeyEvent*)> on_key;
  std::function<void()> on_focus_in;
  std::function<void()> on_focus_out;

  // The release being reported ends a double click: the click that goes
  // with it was reported at the first release, so it raises no Click.
  bool EndsDoubleClick() const { return ends_double_click_; }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    Base::mousePressEvent(e);
    if (on_press && !in_double_click_) on_press(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    ends_double_click_ = std::exchange(double_clicked_, false);
    Base::mouseReleaseEvent(e);
    if (on_release) on_release(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Base::mouseMoveEvent(e);
    if (on_move) on_move(e);
  }
  // Qt reports a double click in place of the second press, and QWidget's
  // own handler takes it for a press once more. The console's windows see
  // the second press of the left button as the double click alone (no
  // second MouseDown, which would select or magnify again before it); of
  // any other button, as the press it is, with no double click.
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    in_double_click_ = true;
    Base::mouseDoubleClickEvent(e);
    in_double_click_ = false;
    if (e->button() == Qt::LeftButton) {
      double_clicked_ = true;
      if (on_double_click) on_double_click(e);
    } else if (on_press) {
      on_press(e);
    }
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (on_key && on_key(e)) {
      e->accept();
      return;
    }
    Base::keyPressEvent(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    if (on_focus_in) on_focus_in();
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    if (on_focus_out) on_focus_out();
  }

 private:
  bool in_double_click_ = false;  // a press Qt's double-click handler makes
  bool double_clicked_ = false;   // the left button's double click, until released
  bool ends_double_click_ = false;
};

}  // namespace qtui

#include <QPainter>
#include <QResizeEvent>

namespace qtui {

// A Qt widget class that lets a callback paint beneath what the class
// itself paints (a frame's border stays on top), and reports resizes.
template <class Base>
class Painted : public Base {
 public:
  using Base::Base;

  std::function<void(QPainter&)> on_paint;
  std::function<void()> on_resize;

 protected:
  void paintEvent(QPaintEvent* e) override {
    if (on_paint) {
      QPainter painter(this);
      // The painter knows what is to be repainted, so drawing can pass over
      // what lies outside it.
      painter.setClipRegion(e->region());
      on_paint(painter);
    }
    Base::paintEvent(e);
  }
  void resizeEvent(QResizeEvent* e) override {
    Base::resizeEvent(e);
    if (on_resize) on_resize();
  }
};

}  // namespace qtui
