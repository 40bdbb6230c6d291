#include "qt/control_view.h"

#include <QApplication>

#include "qt/operator_input.h"
#include "qt/qt_convert.h"
#include "ui/focus_order.h"

namespace qtui {

namespace {

const char* const kLightweightProperty = "vkxLightweight";

// Counts nested model-to-widget updates so that signals the widget raises
// meanwhile are not taken for operator input.
class SyncScope {
 public:
  explicit SyncScope(int& depth) : depth_(depth) { ++depth_; }
  ~SyncScope() { --depth_; }
  SyncScope(const SyncScope&) = delete;
  SyncScope& operator=(const SyncScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

QString ControlObjectName(const ui::Control& control) {
  QString name = ToQt(control.Name());
  if (control.Index() >= 0) name += QStringLiteral("(%1)").arg(control.Index());
  return name;
}

ControlView::ControlView(ui::Control& control, QWidget* widget, ControlHost& host)
    : QObject(widget), control_(&control), widget_(widget), host_(&host) {
  widget_->setObjectName(ControlObjectName(control));
}

ControlView::~ControlView() { Detach(); }

void ControlView::Start() {
  attached_ = true;
  control_->SetObserver(this);
  widget_->setProperty(kLightweightProperty, IsLightweight());
  SyncAll();
  if (IsLightweight()) StackBeneathWindowedSiblings();
}

void ControlView::Detach() {
  if (!attached_) return;
  attached_ = false;
  if (control_->Observer() == this) control_->SetObserver(nullptr);
}

void ControlView::ControlChanged(ui::Control&, ui::Prop which) {
  if (!attached_) return;
  SyncScope scope(syncing_);
  switch (which) {
    case ui::Prop::Visible: SyncVisible(); break;
    case ui::Prop::Enabled: widget_->setEnabled(control_->Enabled()); break;
    case ui::Prop::Geometry:
      SyncGeometry();
      SyncVisible();
      if (ChildSurface() != nullptr) host_->ContainerMoved(*control_);
      break;
    case ui::Prop::ToolTip: widget_->setToolTip(ToQt(control_->ToolTipText())); break;
    case ui::Prop::BackColor:
    case ui::Prop::ForeColor: SyncColors(); break;
    case ui::Prop::Font: SyncFont(); break;
    case ui::Prop::Selection:
      if (HandlesSelection())
        Sync(which);
      else
        widget_->setFocus(Qt::OtherFocusReason);
      break;
    case ui::Prop::Other:
      SyncParent();
      SyncAll();
      break;
    default: Sync(which); break;
  }
}

void ControlView::SyncAll() {
  SyncScope scope(syncing_);
  SyncFont();
  SyncColors();
  widget_->setToolTip(ToQt(control_->ToolTipText()));
  widget_->setEnabled(control_->Enabled());
  Sync(ui::Prop::Other);
  SyncGeometry();
  SyncVisible();
}

void ControlView::Deliver(std::function<void()> to_model) {
  if (Accepting()) DeliverWhile(this, attached_, std::move(to_model));
}

void ControlView::RefreshVisible() {
  if (!attached_) return;
  SyncScope scope(syncing_);
  SyncVisible();
}

// Only the kinds that take the focus are hidden out of sight: the others
// show nothing there either, and a line's place is not its Left and Top.
void ControlView::SyncVisible() {
  const bool out_of_sight =
      ui::IsFocusableKind(control_->Kind()) && ui::LiesOutOfSight(*control_);
  widget_->setVisible(control_->Visible() && !out_of_sight);
}

void ControlView::SyncGeometry() {
  if (host_->DockWindowFor(*control_) != nullptr) return;  // its bar lays it out
  widget_->setGeometry(
      TwipsRect(control_->Left(), control_->Top(), control_->Width(), control_->Height()));
}

void ControlView::SyncColors() { ApplyPalette(widget_->backgroundRole(), false); }

void ControlView::ApplyPalette(QPalette::ColorRole back_role, bool fill_background) {
  QPalette palette;  // no roles set: the widget inherits what is not set here
  const QPalette& inherited = widget_->parentWidget() != nullptr
                                  ? widget_->parentWidget()->palette()
                                  : QApplication::palette();
  const ui::Color back = control_->BackColor();
  const ui::Color fore = control_->ForeColor();
  // The button face and button text are what every style shows by default;
  // other colours, system ones included, are set.
  if (back != ui::kSystemButtonFace) palette.setColor(back_role, ToQColor(back, inherited));
  if (fore != ui::kSystemButtonText && fore != ui::kSystemWindowText) {
    const QColor color = ToQColor(fore, inherited);
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
  }
  widget_->setPalette(palette);
  widget_->setAutoFillBackground(fill_background && back != ui::kSystemButtonFace);
}

void ControlView::SyncFont() {
  QFont font = QApplication::font();
  font.setPointSizeF(control_->FontSize());
  font.setBold(control_->FontBold());
  widget_->setFont(font);
}

// A container change (SetContainer) moves the widget to the new surface.
void ControlView::SyncParent() {
  if (host_->DockWindowFor(*control_) != nullptr) return;
  QWidget* surface = host_->SurfaceFor(control_->Container());
  if (surface == nullptr || surface == widget_ || widget_->parentWidget() == surface) return;
  widget_->setParent(surface);
  if (IsLightweight()) StackBeneathWindowedSiblings();
}

void ControlView::StackBeneathWindowedSiblings() {
  QWidget* parent = widget_->parentWidget();
  if (parent == nullptr) return;
  for (QObject* child : parent->children()) {  // bottom of the stack first
    auto* sibling = qobject_cast<QWidget*>(child);
    if (sibling == nullptr || sibling == widget_ || sibling->isWindow()) continue;
    if (!sibling->property(kLightweightProperty).toBool()) {
      widget_->stackUnder(sibling);
      return;
    }
  }
}

QString ShownText(const ui::Control& control, std::string_view text) {
  return control.HoldsPaths() ? PathToQt(text) : ToQt(text);
}

std::string TypedText(const ui::Control& control, const QString& text) {
  return control.HoldsPaths() ? PathFromQt(text) : FromQt(text);
}

}  // namespace qtui
