// The view of one form model: its window (a top-level window, the main
// window with its MDI area for an MDI form, or a sub-window of that area for
// an MDI child), one widget per control, and the menu bar. It follows the
// form (FormObserver), including controls loaded and unloaded at run time.
//
// The view is a child of its window: deleting the window deletes it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <functional>
#include <map>
#include <memory>

#include "qt/control_view.h"
#include "qt/drawing_canvas.h"
#include "qt/menu_bar_view.h"
#include "ui/form.h"
#include "ui/menu.h"

class QAction;
class QKeyEvent;
class QMouseEvent;
class QMdiArea;
class QMdiSubWindow;

namespace qtui {

class FormWindow;

class QtFormView : public QObject, public ui::FormObserver, public ControlHost {
 public:
  struct Placement {
    QMdiArea* mdi_area = nullptr;  // where an MDI child goes (none: top-level)
    QWidget* owner = nullptr;      // window a top-level form stays above
  };

  // Makes the window and widgets of `form`; on_activated runs when the
  // operator makes the form's window the active one.
  static QtFormView* Create(ui::Form& form, const Placement& placement,
                            std::function<void(ui::Form&)> on_activated);
  ~QtFormView() override;

  void Show();
  void Hide();
  // Application-modal while shown by a modal Show.
  void SetModal(bool modal);
  // Stops following the (living) model, hides, and deletes the window once
  // control returns to the event loop (its widgets may be mid-signal).
  void Retire();
  // As Retire, but deletes at once (no event loop will run again).
  void DestroyNow();
  // The model is being destroyed: forget it without touching it.
  void ModelGone();

  ui::Form& Model() const { return form_; }
  // The outermost widget: the top-level window, or the MDI sub-window.
  QWidget* Window() const;
  QMdiArea* MdiArea() const { return mdi_area_; }
  QWidget* WidgetOf(const ui::Control& control) const;
  QAction* ActionOf(const ui::Menu& menu) const;
  // What the form's client area shows (none for an MDI form).
  const DrawingCanvas* Canvas() const { return canvas_.get(); }

  // ui::FormObserver
  void FormChanged(ui::Form& form, ui::Prop which) override;
  void ControlAdded(ui::Control& control) override;
  void ControlRemoved(ui::Control& control) override;

  // ControlHost
  QWidget* SurfaceFor(ui::Control* container) override;
  QMainWindow* DockWindowFor(ui::Control& control) override;
  bool HasDefaultButton() override;
  bool PressDefaultButton() override;
  void FocusAfter(const ui::Control& label) override;
  void ContainerMoved(const ui::Control& container) override;

 private:
  bool IsFrameControl(const ui::Control& control) const;
  void PutFrameControlsInStatusBar();
  QtFormView(ui::Form& form, FormWindow* window, std::function<void(ui::Form&)> on_activated);
  void Build(const Placement& placement);
  void HookWindow();
  ControlView* AddControl(ui::Control& control);
  void RemoveControl(ui::Control& control);
  void Detach();

  void ApplyCaption();
  void ApplyGeometry();
  void ApplyWindowState();
  void RepaintDrawing();
  void ApplyBackground();
  void PlaceFirstTime();
  bool IsFixedBorder() const;
  void PaintSurface(QPainter& painter);
  void ReportResize();
  void ReportMove();
  bool PressButton(bool cancel);
  // The operator's input to the form runs once the Qt event that carried it
  // has returned (operator_input.h), while the view follows the model.
  void Deliver(std::function<void()> to_model);
  void DeliverMouse(const ui::Event<int, int, double, double>& event, QMouseEvent* e,
                    Qt::MouseButtons buttons);
  // Alt and a letter in a window inside the main window (form_access_keys.cpp):
  // claimed at once, answered after the key's event.
  bool ClaimsAccessKey(const QKeyEvent* e) const;
  bool TakeAccessKey(const QKeyEvent* e);
  void AnswerAccessKey(char letter);
  // Tab and Shift+Tab follow the controls' design order (ui/focus_order.h).
  void ApplyFocusOrder();
  // A window opening without a focused control gives the first one the focus.
  void FocusFirstControl();
  void FocusControl(const ui::Control* control, Qt::FocusReason reason);
  void ActivatedByOperator();

  ui::Form& form_;
  FormWindow* window_;
  QPointer<QMdiSubWindow> sub_;
  QMdiArea* mdi_area_ = nullptr;
  QWidget* surface_ = nullptr;  // FormSurface of a form that is no MDI form
  std::unique_ptr<DrawingCanvas> canvas_;  // what the surface shows
  QPointer<MenuBarView> menus_;
  std::map<const ui::Control*, QPointer<ControlView>> views_;
  std::function<void(ui::Form&)> on_activated_;
  QSize applied_outer_px_;  // outer size last taken from or given to the model
  bool attached_ = true;
  bool placed_ = false;
};

}  // namespace qtui
