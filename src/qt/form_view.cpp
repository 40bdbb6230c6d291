#include "qt/form_view.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMouseEvent>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QScreen>
#include <algorithm>

#include "qt/form_window.h"
#include "qt/mdi_host.h"
#include "qt/menu_bar_view.h"
#include "qt/named_pictures.h"
#include "qt/operator_input.h"
#include "qt/qt_convert.h"
#include "ui/basic_controls.h"
#include "ui/focus_order.h"

namespace qtui {

namespace {

// The original's Width and Height include the window frame and caption;
// its ScaleWidth and ScaleHeight are what is left inside.
constexpr int kFrameWidthPx = 8;
constexpr int kFrameHeightPx = 30;

// A borderless window (the splash) has no frame to take off.
QSize FrameOf(int border_style) {
  return border_style == ui::vbBSNone ? QSize(0, 0) : QSize(kFrameWidthPx, kFrameHeightPx);
}

Qt::WindowFlags FlagsForBorder(int border_style) {
  switch (border_style) {
    case ui::vbBSNone: return Qt::Window | Qt::FramelessWindowHint;
    case ui::vbFixedSingle:
      return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    case ui::vbFixedDialog:
      return Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint;
    case ui::vbFixedToolWindow:
      return Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    default: return Qt::Window;
  }
}

Qt::WindowStates QtState(int vb_state) {
  switch (vb_state) {
    case ui::vbMinimized: return Qt::WindowMinimized;
    case ui::vbMaximized: return Qt::WindowMaximized;
    default: return Qt::WindowNoState;
  }
}

int VbState(Qt::WindowStates state) {
  if (state & Qt::WindowMinimized) return ui::vbMinimized;
  if (state & Qt::WindowMaximized) return ui::vbMaximized;
  return ui::vbNormal;
}

}  // namespace

QtFormView* QtFormView::Create(ui::Form& form, const Placement& placement,
                               std::function<void(ui::Form&)> on_activated) {
  const bool top_level = !(form.IsMDIChild() && placement.mdi_area != nullptr);
  auto* window = new FormWindow(top_level && !form.IsMDIForm() ? placement.owner : nullptr);
  auto* view = new QtFormView(form, window, std::move(on_activated));
  view->Build(placement);
  return view;
}

QtFormView::QtFormView(ui::Form& form, FormWindow* window,
                       std::function<void(ui::Form&)> on_activated)
    : QObject(window), form_(form), window_(window), on_activated_(std::move(on_activated)) {}

QtFormView::~QtFormView() { Detach(); }

void QtFormView::Build(const Placement& placement) {
  window_->setObjectName(ToQt(form_.Name()));
  if (form_.IsMDIForm()) {
    mdi_area_ = MakeMdiArea(window_, [](QWidget* child) {
      auto* child_window = dynamic_cast<FormWindow*>(child);
      if (child_window != nullptr && child_window->on_activated) child_window->on_activated();
    });
    window_->setCentralWidget(mdi_area_);
    OnEmptyAreaPress(*mdi_area_, [this](QMouseEvent* e) {
      DeliverMouse(form_.MouseDown, e, e->button());
    });
  } else {
    auto* surface = new FormSurface(window_);
    surface->setObjectName(QStringLiteral("surface"));
    surface->setMouseTracking(true);
    surface->on_paint = [this](QPainter& painter) { PaintSurface(painter); };
    surface->on_resize = [this] {
      if (attached_) form_.SetScaleSize(PxToTwips(surface_->width()), PxToTwips(surface_->height()));
    };
    surface->on_press = [this](QMouseEvent* e) { DeliverMouse(form_.MouseDown, e, e->button()); };
    surface->on_move = [this](QMouseEvent* e) { DeliverMouse(form_.MouseMove, e, e->buttons()); };
    surface->on_release = [this](QMouseEvent* e) { DeliverMouse(form_.MouseUp, e, e->button()); };
    surface->on_double_click = [this](QMouseEvent*) { Deliver([this] { form_.DblClick(); }); };
    surface_ = surface;
    // The canvas paints every pixel of the surface: nothing beneath it is.
    surface_->setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_ = std::make_unique<DrawingCanvas>(*surface_, [this](QPainter& painter) {
      painter.fillRect(surface_->rect(), ToQColor(form_.BackColor(), surface_->palette()));
      if (!form_.Picture().IsEmpty()) painter.drawPixmap(0, 0, PicturePixmap(form_.Picture()));
    });
    window_->setCentralWidget(surface_);
  }
  if (form_.IsMDIChild() && placement.mdi_area != nullptr) {
    sub_ = AddMdiChild(*placement.mdi_area, *window_);
  } else if (!form_.IsMDIForm()) {
    window_->setWindowFlags(FlagsForBorder(form_.BorderStyle()));
  }
  HookWindow();

  menus_ = new MenuBarView(form_, *window_);
  form_.SetObserver(this);
  for (ui::Control* control : form_.Controls()) AddControl(*control);
  PutFrameControlsInStatusBar();  // once the form's own status bar is in place
  ApplyFocusOrder();
  menus_->Rebuild();

  ApplyCaption();
  ApplyBackground();
  window_->setEnabled(form_.Enabled());
  ApplyGeometry();
  ApplyWindowState();
  if (surface_ != nullptr) {
    const QSize frame = FrameOf(form_.BorderStyle());
    form_.SetScaleSize(PxToTwips(std::max(TwipsToPx(form_.Width()) - frame.width(), 1)),
                       PxToTwips(std::max(TwipsToPx(form_.Height()) - frame.height(), 1)));
  }
}

void QtFormView::HookWindow() {
  window_->on_close_box = [this] { Deliver([this] { form_.UserClose(); }); };
  window_->on_activated = [this] { ActivatedByOperator(); };
  window_->on_resized = [this] { ReportResize(); };
  window_->on_moved = [this] { ReportMove(); };
  window_->on_state_changed = [this] {
    if (attached_ && sub_ == nullptr) form_.WindowState.Init(VbState(window_->windowState()));
  };
  window_->on_shortcut_override = [this](QKeyEvent* e) { return ClaimsAccessKey(e); };
  window_->on_key = [this](QKeyEvent* e) {
    if (ClaimsAccessKey(e)) return TakeAccessKey(e);
    if (!attached_ || e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return PressButton(false);
    if (e->key() == Qt::Key_Escape) return PressButton(true);
    return false;
  };
  if (sub_ != nullptr)
    QObject::connect(sub_, &QMdiSubWindow::windowStateChanged, this,
                     [this](Qt::WindowStates, Qt::WindowStates now) {
                       if (attached_) form_.WindowState.Init(VbState(now));
                     });
}

QWidget* QtFormView::Window() const {
  if (sub_ != nullptr) return sub_;
  return window_;
}

QWidget* QtFormView::WidgetOf(const ui::Control& control) const {
  auto it = views_.find(&control);
  return it == views_.end() || it->second == nullptr ? nullptr : it->second->Widget();
}

QAction* QtFormView::ActionOf(const ui::Menu& menu) const { return menus_->ActionOf(menu); }

// ---- following the model -----------------------------------------------

void QtFormView::FormChanged(ui::Form&, ui::Prop which) {
  if (!attached_) return;
  switch (which) {
    case ui::Prop::Caption: ApplyCaption(); break;
    case ui::Prop::Geometry: ApplyGeometry(); break;
    case ui::Prop::WindowState: ApplyWindowState(); break;
    case ui::Prop::BackColor:
    case ui::Prop::Picture: ApplyBackground(); break;
    case ui::Prop::Drawing: RepaintDrawing(); break;
    case ui::Prop::Enabled: window_->setEnabled(form_.Enabled()); break;
    case ui::Prop::Selection:
      Window()->raise();
      Window()->activateWindow();
      break;
    case ui::Prop::Other: Window()->raise(); break;
    default: break;
  }
}

void QtFormView::ControlAdded(ui::Control& control) {
  if (!attached_) return;
  if (control.Kind() == ui::ControlKind::Menu) {
    menus_->Rebuild();
    return;
  }
  AddControl(control);
  if (ui::IsFocusableKind(control.Kind())) ApplyFocusOrder();
}

void QtFormView::ControlRemoved(ui::Control& control) {
  if (!attached_) return;
  if (control.Kind() == ui::ControlKind::Menu)
    menus_->Rebuild(static_cast<const ui::Menu*>(&control));
  else
    RemoveControl(control);
}

ControlView* QtFormView::AddControl(ui::Control& control) {
  auto it = views_.find(&control);
  if (it != views_.end() && it->second != nullptr) return it->second;
  ControlView* view = CreateControlView(control, *this);
  if (view != nullptr) views_[&control] = view;
  return view;
}

// An unloaded control's widget may be the one whose signal is running (a
// button that unloads itself), so it is deleted later.
void QtFormView::RemoveControl(ui::Control& control) {
  auto it = views_.find(&control);
  if (it == views_.end()) return;
  if (ControlView* view = it->second) {
    view->Detach();
    view->Widget()->hide();
    view->Widget()->deleteLater();
  }
  views_.erase(it);
}

QWidget* QtFormView::SurfaceFor(ui::Control* container) {
  for (ui::Control* c = container; c != nullptr; c = c->Container()) {
    ControlView* view = AddControl(*c);
    if (view != nullptr && view->ChildSurface() != nullptr) return view->ChildSurface();
  }
  if (mdi_area_ != nullptr) return mdi_area_;
  return surface_;
}

QMainWindow* QtFormView::DockWindowFor(ui::Control& control) {
  if (control.Container() != nullptr) return nullptr;
  const bool bar = control.Kind() == ui::ControlKind::Toolbar ||
                   control.Kind() == ui::ControlKind::StatusBar;
  return bar || IsFrameControl(control) ? window_ : nullptr;
}

// The client area of a multiple-document frame belongs to its child windows;
// a control placed on the frame itself sits at the right end of its status
// bar instead, where no child window covers it.
bool QtFormView::IsFrameControl(const ui::Control& control) const {
  return form_.IsMDIForm() && control.Kind() == ui::ControlKind::CommandButton &&
         control.Container() == nullptr;
}

void QtFormView::PutFrameControlsInStatusBar() {
  for (auto& [control, view] : views_)
    if (view != nullptr && IsFrameControl(*control))
      window_->statusBar()->addPermanentWidget(view->Widget());
}

bool QtFormView::HasDefaultButton() {
  for (ui::Control* control : form_.Controls())
    if (control->Kind() == ui::ControlKind::CommandButton &&
        static_cast<ui::CommandButton*>(control)->Default() && control->IsShown() &&
        control->Enabled())
      return true;
  return false;
}

bool QtFormView::PressDefaultButton() { return attached_ && PressButton(false); }

// Enter presses the default button, Escape the cancel button: the key is
// taken now, the press runs once the key's event has returned.
bool QtFormView::PressButton(bool cancel) {
  for (ui::Control* control : form_.Controls()) {
    if (control->Kind() != ui::ControlKind::CommandButton) continue;
    auto* button = static_cast<ui::CommandButton*>(control);
    if ((cancel ? button->Cancel() : button->Default()) && button->IsShown() && button->Enabled()) {
      Deliver([this, cancel] {
        for (ui::Control* now : form_.Controls())
          if (now->Kind() == ui::ControlKind::CommandButton) {
            auto* b = static_cast<ui::CommandButton*>(now);
            if (cancel ? b->Cancel() : b->Default()) return b->Press();
          }
      });
      return true;
    }
  }
  return false;
}

void QtFormView::Deliver(std::function<void()> to_model) {
  if (attached_) DeliverWhile(this, attached_, std::move(to_model));
}

void QtFormView::DeliverMouse(const ui::Event<int, int, double, double>& event, QMouseEvent* e,
                              Qt::MouseButtons buttons) {
  Deliver(MouseCall(event, *e, buttons, e->position()));
}

// ---- keyboard ---------------------------------------------------------------

void QtFormView::FocusAfter(const ui::Control& label) {
  if (attached_) FocusControl(ui::NextFocusable(form_, label), Qt::ShortcutFocusReason);
}

void QtFormView::ContainerMoved(const ui::Control& container) {
  if (!attached_) return;
  for (auto& [control, view] : views_) {
    if (view == nullptr || !ui::IsFocusableKind(control->Kind())) continue;
    for (const ui::Control* c = control->Container(); c != nullptr; c = c->Container())
      if (c == &container) {
        view->RefreshVisible();
        break;
      }
  }
}

// Only the widgets that take the focus are chained: Qt skips the others,
// and the hidden and disabled ones, by itself.
void QtFormView::ApplyFocusOrder() {
  QWidget* previous = nullptr;
  for (const ui::Control* control : ui::FocusOrder(form_)) {
    if (!ui::IsFocusableKind(control->Kind())) continue;
    QWidget* widget = WidgetOf(*control);
    if (widget == nullptr) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

void QtFormView::FocusFirstControl() {
  // The window itself (an MDI sub-window takes the focus on activation) is
  // no control.
  const QWidget* current = Window()->focusWidget();
  if (current != nullptr && current != Window() && current->isVisible() && current->isEnabled() &&
      current->focusPolicy() != Qt::NoFocus)
    return;
  for (const ui::Control* control : ui::FocusOrder(form_))
    if (ui::CanTakeFocus(*control)) return FocusControl(control, Qt::ActiveWindowFocusReason);
}

void QtFormView::FocusControl(const ui::Control* control, Qt::FocusReason reason) {
  if (control == nullptr) return;
  if (QWidget* widget = WidgetOf(*control)) widget->setFocus(reason);
}

// ---- window ----------------------------------------------------------------

bool QtFormView::IsFixedBorder() const {
  const int style = form_.BorderStyle();
  return style == ui::vbFixedSingle || style == ui::vbFixedDialog || style == ui::vbFixedToolWindow;
}

void QtFormView::ApplyCaption() {
  window_->setWindowTitle(ToQt(form_.Caption()));
  if (sub_ != nullptr) sub_->setWindowTitle(ToQt(form_.Caption()));
}

void QtFormView::ApplyGeometry() {
  const QSize border = FrameOf(form_.BorderStyle());
  const QSize outer(std::max(TwipsToPx(form_.Width()), border.width() + 1),
                    std::max(TwipsToPx(form_.Height()), border.height() + 1));
  applied_outer_px_ = outer;
  if (sub_ != nullptr) {
    sub_->setGeometry(QRect(QPoint(TwipsToPx(form_.Left()), TwipsToPx(form_.Top())), outer));
    return;
  }
  const QSize content = outer - border;
  if (IsFixedBorder())
    window_->setFixedSize(content);
  else
    window_->resize(content);
  if (form_.Left() != 0 || form_.Top() != 0) {
    window_->move(TwipsToPx(form_.Left()), TwipsToPx(form_.Top()));
    placed_ = true;
  }
}

void QtFormView::ApplyWindowState() {
  Window()->setWindowState(QtState(form_.WindowState()));
}

void QtFormView::ApplyBackground() {
  if (mdi_area_ != nullptr) {
    if (!form_.Picture().IsEmpty())
      mdi_area_->setBackground(QBrush(PicturePixmap(form_.Picture())));
    else if (!IsSystemColor(form_.BackColor()))
      mdi_area_->setBackground(ToQColor(form_.BackColor(), mdi_area_->palette()));
    else
      mdi_area_->setBackground(mdi_area_->palette().brush(QPalette::Dark));
    return;
  }
  canvas_->ChangedEverywhere();
}

// Only the areas the drawing changed are repainted.
void QtFormView::RepaintDrawing() {
  if (mdi_area_ != nullptr) return ApplyBackground();
  canvas_->Changed(form_.TakeDrawingChanges());
}

void QtFormView::PaintSurface(QPainter& painter) {
  if (!attached_) return;
  canvas_->Paint(painter, form_.Drawing());
}

// A form that names no position opens centred over its owner (or screen).
void QtFormView::PlaceFirstTime() {
  if (placed_ || sub_ != nullptr) return;
  placed_ = true;
  QRect area;
  QWidget* owner = window_->parentWidget();
  if (owner != nullptr && owner->isVisible())
    area = owner->frameGeometry();
  else if (QScreen* screen = QGuiApplication::primaryScreen())
    area = screen->availableGeometry();
  if (area.isEmpty()) return;
  const QSize frame = window_->size() + FrameOf(form_.BorderStyle());
  window_->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void QtFormView::Show() {
  // Controls placed since the view was built take their places in the order.
  ApplyFocusOrder();
  if (sub_ != nullptr) {
    sub_->show();
    sub_->raise();
    if (QMdiArea* area = sub_->mdiArea()) area->setActiveSubWindow(sub_);
  } else {
    PlaceFirstTime();
    window_->show();
    window_->raise();
    window_->activateWindow();
  }
  FocusFirstControl();
}

void QtFormView::Hide() { Window()->hide(); }

void QtFormView::SetModal(bool modal) {
  if (sub_ != nullptr) return;
  const Qt::WindowModality modality = modal ? Qt::ApplicationModal : Qt::NonModal;
  if (window_->windowModality() == modality) return;
  // Qt takes a new modality only while the window is hidden.
  const bool visible = window_->isVisible();
  if (visible) window_->hide();
  window_->setWindowModality(modality);
  if (visible) window_->show();
}

void QtFormView::ReportResize() {
  if (!attached_) return;
  const QSize outer = sub_ != nullptr ? sub_->size()
                                      : window_->size() + FrameOf(form_.BorderStyle());
  if (outer == applied_outer_px_ || !Window()->isVisible()) return;
  applied_outer_px_ = outer;
  form_.UserResized(static_cast<int>(PxToTwips(outer.width())),
                    static_cast<int>(PxToTwips(outer.height())));
}

// The program reads Left and Top back (to remember where a window was).
void QtFormView::ReportMove() {
  if (!attached_ || sub_ != nullptr || !window_->isVisible()) return;
  const QPoint at = window_->pos();
  form_.Left.Init(static_cast<int>(PxToTwips(at.x())));
  form_.Top.Init(static_cast<int>(PxToTwips(at.y())));
}

void QtFormView::ActivatedByOperator() {
  if (!attached_) return;
  // The main window's activation means that of its active child, if any.
  if (mdi_area_ != nullptr && mdi_area_->activeSubWindow() != nullptr) {
    auto* child = dynamic_cast<FormWindow*>(mdi_area_->activeSubWindow()->widget());
    if (child != nullptr && child->on_activated) {
      child->on_activated();
      return;
    }
  }
  if (on_activated_) on_activated_(form_);
}

// ---- end of the view ---------------------------------------------------------

void QtFormView::Detach() {
  if (!attached_) return;
  attached_ = false;
  if (form_.Observer() == this) form_.SetObserver(nullptr);
  for (auto& [control, view] : views_)
    if (view != nullptr) view->Detach();
  if (menus_ != nullptr) menus_->Detach();
}

void QtFormView::ModelGone() {
  attached_ = false;
  for (auto& [control, view] : views_)
    if (view != nullptr) view->ModelGone();
  if (menus_ != nullptr) menus_->ModelGone();
}

void QtFormView::Retire() {
  Detach();
  QWidget* outer = Window();
  outer->hide();
  outer->deleteLater();
}

void QtFormView::DestroyNow() {
  Detach();
  delete Window();  // deletes this view too
}

}  // namespace qtui
