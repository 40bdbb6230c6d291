#include "qt/mdi_host.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace qtui {

namespace {

class EmptyAreaPresses final : public QObject {
 public:
  EmptyAreaPresses(QObject* parent, std::function<void(QMouseEvent*)> on_press)
      : QObject(parent), on_press_(std::move(on_press)) {}

 protected:
  // A press that a child window passed on to its parent is not one on the
  // empty frame.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* press = static_cast<QMouseEvent*>(event);
      auto* viewport = static_cast<QWidget*>(watched);
      if (viewport->childAt(press->position().toPoint()) == nullptr) on_press_(press);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(QMouseEvent*)> on_press_;
};

}  // namespace

QMdiArea* MakeMdiArea(QWidget* parent, std::function<void(QWidget*)> on_child_activated) {
  auto* area = new QMdiArea(parent);
  area->setObjectName(QStringLiteral("mdiArea"));
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QObject::connect(area, &QMdiArea::subWindowActivated, area,
                   [on_child_activated = std::move(on_child_activated)](QMdiSubWindow* sub) {
                     if (sub != nullptr && sub->widget() != nullptr && on_child_activated)
                       on_child_activated(sub->widget());
                   });
  return area;
}

void OnEmptyAreaPress(QMdiArea& area, std::function<void(QMouseEvent*)> on_press) {
  area.viewport()->installEventFilter(new EmptyAreaPresses(&area, std::move(on_press)));
}

QMdiSubWindow* AddMdiChild(QMdiArea& area, QWidget& form_window) {
  QMdiSubWindow* sub = area.addSubWindow(&form_window);
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
  // The program's icon, or none: not the style's stand-in logo.
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull()) {
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    icon = QIcon(blank);
  }
  sub->setWindowIcon(icon);
  return sub;
}

}  // namespace qtui
