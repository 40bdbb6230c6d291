// The view of one control: a real widget kept in step with the control model
// (as its ControlObserver) that forwards the operator's input to the model.
// The view object is a child of its widget, so it lives exactly as long as
// the widget does.
#pragma once

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "ui/control.h"

class QMainWindow;

namespace qtui {

// What a control view needs from the view of its form.
class ControlHost {
 public:
  // The widget that the children of `container` live in (nullptr: the
  // form's own surface).
  virtual QWidget* SurfaceFor(ui::Control* container) = 0;
  // The form's main window when the control docks to it (a tool bar or a
  // status bar placed on the form itself, or a control that sits in one),
  // else nullptr.
  virtual QMainWindow* DockWindowFor(ui::Control& control) = 0;
  // Whether the form has a default button that takes the Enter key.
  virtual bool HasDefaultButton() = 0;
  // Presses it; false when there is none to press.
  virtual bool PressDefaultButton() = 0;
  // A label's access key: the focus goes to the next control in focus order.
  virtual void FocusAfter(const ui::Control& label) = 0;
  // A container moved or changed size: what lies in it may have come into
  // sight or gone out of it.
  virtual void ContainerMoved(const ui::Control& container) = 0;

 protected:
  ~ControlHost() = default;
};

class ControlView : public QObject, public ui::ControlObserver {
 public:
  ControlView(ui::Control& control, QWidget* widget, ControlHost& host);
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;
  ~ControlView() override;

  // Starts following the model and brings the widget in step with it.
  void Start();
  // Stops following a model that is still alive.
  void Detach();
  // Forgets a model that no longer exists, without touching it.
  void ModelGone() { attached_ = false; }
  bool Attached() const { return attached_; }

  // Shows the widget while the control is visible and, for the kinds that
  // take the focus, lies in sight within its containers: a control out of
  // sight is no Tab stop.
  void RefreshVisible();

  ui::Control& Model() const { return *control_; }
  QWidget* Widget() const { return widget_; }
  // Where the children of this control live, for container kinds.
  virtual QWidget* ChildSurface() { return nullptr; }

  void ControlChanged(ui::Control& control, ui::Prop which) final;

 protected:
  // Brings the kind's own state in step; Prop::Other means everything.
  virtual void Sync(ui::Prop which) = 0;
  virtual void SyncGeometry();
  virtual void SyncColors();
  // Kinds whose Prop::Selection is a list selection rather than SetFocus.
  virtual bool HandlesSelection() const { return false; }
  // Labels, images, shapes and lines are drawn on their container in the
  // original, beneath every control that has a window of its own.
  virtual bool IsLightweight() const { return false; }

  // True when input from the operator may go to the model: the view follows
  // a live model and is not in the middle of applying a model change.
  bool Accepting() const { return attached_ && syncing_ == 0; }
  ControlHost& Host() const { return *host_; }
  // Hands the operator's input to the model once the widget's own event has
  // returned (operator_input.h); dropped when the view stops following the
  // model meanwhile. Nothing is taken while Accepting() is false.
  void Deliver(std::function<void()> to_model);
  // Applies the model's colours to the widget's palette; the default button
  // face and text leave the style's own colours in place. fill_background:
  // the widget paints its background (unless it is the button face, which
  // its container shows already).
  void ApplyPalette(QPalette::ColorRole back_role, bool fill_background);

 private:
  void SyncAll();
  void SyncVisible();
  void SyncParent();
  void SyncFont();
  void StackBeneathWindowedSiblings();

  ui::Control* control_;
  QWidget* widget_;
  ControlHost* host_;
  bool attached_ = false;
  int syncing_ = 0;
};

// Creates the widget and view of a control inside the surface its host
// names; nullptr for kinds without a widget (timers and menus).
ControlView* CreateControlView(ui::Control& control, ControlHost& host);

// The widget's object name: the control name, with the index for elements
// of a control array ("udProp(3)").
QString ControlObjectName(const ui::Control& control);

// A control's texts as its widget shows them, and back: a control that holds
// paths keeps the file system's own bytes, any other the program's 8-bit text.
QString ShownText(const ui::Control& control, std::string_view text);
std::string TypedText(const ui::Control& control, const QString& text);

}  // namespace qtui
