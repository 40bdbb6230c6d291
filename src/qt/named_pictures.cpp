// Every named picture is drawn into a 32 x 32 design box that the painter
// scales to the size asked for, so the pictures stay crisp at any size. To
// add a picture, write a Draw function and add a row to kPictures.
#include "qt/named_pictures.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QRadialGradient>
#include <array>
#include <initializer_list>

#include "qt/qt_convert.h"

namespace qtui {

namespace {

// A closed outline through the points, in order.
QPainterPath Polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  bool first = true;
  for (const QPointF& point : points) {
    if (first)
      path.moveTo(point);
    else
      path.lineTo(point);
    first = false;
  }
  path.closeSubpath();
  return path;
}

constexpr double kBox = 32.0;
const QColor kOutline(70, 70, 80);

// ---- lamps ---------------------------------------------------------------

void DrawLamp(QPainter& p, QColor lit_color, bool lit) {
  const QColor base = lit ? lit_color : lit_color.darker(330);
  QRadialGradient body(QPointF(12.5, 11.5), 17.0);
  body.setColorAt(0.0, lit ? base.lighter(160) : base.lighter(140));
  body.setColorAt(0.55, base);
  body.setColorAt(1.0, base.darker(lit ? 150 : 130));
  if (lit) {  // a soft glow around a lit lamp
    QRadialGradient glow(QPointF(16, 16), 16.0);
    QColor halo = lit_color;
    halo.setAlpha(90);
    glow.setColorAt(0.7, halo);
    glow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QRectF(0, 0, 32, 32));
  }
  p.setPen(QPen(QColor(40, 40, 40), 1.6));
  p.setBrush(body);
  p.drawEllipse(QRectF(3.5, 3.5, 25, 25));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, lit ? 170 : 55));
  p.drawEllipse(QRectF(9, 7.5, 9, 6));
}

void DrawGreenOn(QPainter& p) { DrawLamp(p, QColor(40, 215, 50), true); }
void DrawGreenOff(QPainter& p) { DrawLamp(p, QColor(40, 215, 50), false); }
void DrawRedOn(QPainter& p) { DrawLamp(p, QColor(235, 45, 35), true); }
void DrawRedOff(QPainter& p) { DrawLamp(p, QColor(235, 45, 35), false); }
void DrawLightOn(QPainter& p) { DrawLamp(p, QColor(255, 195, 30), true); }
void DrawLightOff(QPainter& p) { DrawLamp(p, QColor(255, 195, 30), false); }

// ---- building blocks of the toolbar images ------------------------------

// A sheet of paper with a folded corner, in the given rectangle.
void DrawPage(QPainter& p, const QRectF& r) {
  const double fold = r.width() * 0.3;
  QPainterPath page;
  page.moveTo(r.left(), r.top());
  page.lineTo(r.right() - fold, r.top());
  page.lineTo(r.right(), r.top() + fold);
  page.lineTo(r.right(), r.bottom());
  page.lineTo(r.left(), r.bottom());
  page.closeSubpath();
  QLinearGradient paper(r.topLeft(), r.bottomRight());
  paper.setColorAt(0, Qt::white);
  paper.setColorAt(1, QColor(228, 232, 238));
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(paper);
  p.drawPath(page);
  QPainterPath corner;
  corner.moveTo(r.right() - fold, r.top());
  corner.lineTo(r.right() - fold, r.top() + fold);
  corner.lineTo(r.right(), r.top() + fold);
  corner.closeSubpath();
  p.setBrush(QColor(205, 210, 218));
  p.drawPath(corner);
}

// A padlock in the lower right corner: shut (locked) or with its shackle up.
void DrawPadlock(QPainter& p, bool locked) {
  const QRectF body(16.5, 19.5, 13, 10.5);
  QPainterPath shackle;
  if (locked) {
    shackle.moveTo(19.5, body.top());
    shackle.lineTo(19.5, 16.5);
    shackle.arcTo(QRectF(19.5, 12.5, 7, 8), 180, -180);
    shackle.lineTo(26.5, body.top());
  } else {
    shackle.moveTo(19.5, body.top());
    shackle.lineTo(19.5, 12.5);
    shackle.arcTo(QRectF(19.5, 8.5, 7, 8), 180, -180);
    shackle.lineTo(26.5, 14.5);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(60, 60, 70), 3.4, Qt::SolidLine, Qt::FlatCap));
  p.drawPath(shackle);
  p.setPen(QPen(QColor(175, 180, 190), 1.6, Qt::SolidLine, Qt::FlatCap));
  p.drawPath(shackle);
  QLinearGradient gold(body.topLeft(), body.bottomLeft());
  gold.setColorAt(0, locked ? QColor(250, 205, 70) : QColor(150, 215, 110));
  gold.setColorAt(1, locked ? QColor(200, 140, 20) : QColor(70, 150, 50));
  p.setPen(QPen(QColor(90, 70, 20), 1.0));
  p.setBrush(gold);
  p.drawRoundedRect(body, 1.8, 1.8);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 45, 10));
  p.drawEllipse(QRectF(21.8, 22.2, 2.4, 2.4));
  p.drawRect(QRectF(22.4, 23.8, 1.2, 3.4));
}

void DrawStatusPage(QPainter& p) {
  DrawPage(p, QRectF(3.5, 2.5, 20, 27));
  // a small bar chart of readings
  p.setPen(Qt::NoPen);
  const std::array<std::pair<double, QColor>, 3> bars{{
      {7, QColor(60, 130, 220)}, {12, QColor(50, 170, 80)}, {9, QColor(230, 150, 40)}}};
  double x = 7;
  for (const auto& [height, color] : bars) {
    p.setBrush(color);
    p.drawRect(QRectF(x, 25 - height, 3.2, height));
    x += 4.6;
  }
  p.setPen(QPen(kOutline, 1.0));
  p.drawLine(QPointF(6, 25.5), QPointF(20.5, 25.5));
}

void DrawGear(QPainter& p, QPointF centre, double outer, double inner, int teeth) {
  QPainterPath gear;
  for (int i = 0; i < teeth * 2; ++i) {
    const double angle = (i * 180.0 / teeth) * M_PI / 180.0;
    const double next = ((i + 1) * 180.0 / teeth) * M_PI / 180.0;
    const double r = (i % 2 == 0) ? outer : inner;
    const QPointF a(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
    const QPointF b(centre.x() + r * std::cos(next), centre.y() + r * std::sin(next));
    if (i == 0) gear.moveTo(a); else gear.lineTo(a);
    gear.lineTo(b);
  }
  gear.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(centre, inner * 0.42, inner * 0.42);
  p.setPen(QPen(QColor(50, 60, 80), 0.9));
  p.setBrush(QColor(110, 130, 160));
  p.drawPath(gear.subtracted(hole));
}

void DrawInstallPage(QPainter& p) {
  DrawPage(p, QRectF(3.5, 2.5, 20, 27));
  DrawGear(p, QPointF(12.5, 15.5), 6.5, 4.8, 8);
}

void DrawFactoryPage(QPainter& p) {
  DrawPage(p, QRectF(3.5, 2.5, 20, 27));
  // a saw-tooth roof and a chimney
  const QPainterPath plant = Polygon({{6.5, 25}, {6.5, 17}, {10, 14.5}, {10, 17}, {13.5, 14.5},
                                      {13.5, 17}, {16, 15.2}, {16, 9}, {18.5, 9}, {18.5, 25}});
  p.setPen(QPen(QColor(60, 50, 50), 0.9));
  p.setBrush(QColor(170, 85, 60));
  p.drawPath(plant);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 225, 120));
  p.drawRect(QRectF(8, 20, 2, 2));
  p.drawRect(QRectF(12, 20, 2, 2));
}

void DrawStatusL(QPainter& p) { DrawStatusPage(p); DrawPadlock(p, true); }
void DrawStatusU(QPainter& p) { DrawStatusPage(p); DrawPadlock(p, false); }
void DrawInstallL(QPainter& p) { DrawInstallPage(p); DrawPadlock(p, true); }
void DrawInstallU(QPainter& p) { DrawInstallPage(p); DrawPadlock(p, false); }
void DrawFactoryL(QPainter& p) { DrawFactoryPage(p); DrawPadlock(p, true); }
void DrawFactoryU(QPainter& p) { DrawFactoryPage(p); DrawPadlock(p, false); }

// A telephone handset lying along the x axis, centred on the origin.
void DrawHandset(QPainter& p, QColor color) {
  QPainterPath grip;
  grip.moveTo(-10, 2);
  grip.cubicTo(-6, -5, 6, -5, 10, 2);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(color.darker(150), 6.2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(grip);
  p.setPen(QPen(color, 4.2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(grip);
  p.setPen(QPen(color.darker(150), 1.0));
  p.setBrush(color);
  p.drawRoundedRect(QRectF(-14, 0, 8.5, 5.5), 2.2, 2.2);
  p.drawRoundedRect(QRectF(5.5, 0, 8.5, 5.5), 2.2, 2.2);
}

void DrawConnect(QPainter& p) {
  p.save();
  p.translate(14, 19);
  p.rotate(-35);
  DrawHandset(p, QColor(45, 170, 60));
  p.restore();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(45, 170, 60), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(17, 2, 12, 12), 10 * 16, 70 * 16);
  p.drawArc(QRectF(13, -2, 20, 20), 10 * 16, 70 * 16);
}

void DrawHangup(QPainter& p) {
  p.save();
  p.translate(16, 13);
  DrawHandset(p, QColor(215, 50, 40));
  p.restore();
  // pointing down: the handset goes back on the hook
  const QPainterPath arrow = Polygon(
      {{16, 29.5}, {10.5, 23.5}, {14, 23.5}, {14, 19.5}, {18, 19.5}, {18, 23.5}, {21.5, 23.5}});
  p.setPen(QPen(QColor(120, 30, 25), 0.8));
  p.setBrush(QColor(215, 50, 40));
  p.drawPath(arrow);
}

void DrawSite(QPainter& p) {
  // A mast with radio waves beside a small equipment house.
  p.setPen(QPen(QColor(80, 80, 90), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(23, 8), QPointF(19, 29));
  p.drawLine(QPointF(23, 8), QPointF(27, 29));
  p.drawLine(QPointF(21, 19), QPointF(25, 19));
  p.drawLine(QPointF(20, 24.5), QPointF(26, 24.5));
  p.setBrush(QColor(220, 50, 40));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(23, 7), 1.8, 1.8);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(60, 120, 210), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(18, 2, 10, 10), 30 * 16, 120 * 16);
  p.drawArc(QRectF(15, -1, 16, 16), 35 * 16, 110 * 16);
  const QPainterPath house = Polygon({{3, 17}, {10, 11}, {17, 17}});
  p.setPen(QPen(QColor(90, 40, 30), 1.0));
  p.setBrush(QColor(200, 70, 50));
  p.drawPath(house);
  p.setBrush(QColor(235, 215, 170));
  p.setPen(QPen(kOutline, 1.0));
  p.drawRect(QRectF(4.5, 17, 11, 12));
  p.setBrush(QColor(110, 80, 50));
  p.drawRect(QRectF(8.5, 22, 3.5, 7));
}

void DrawMemory(QPainter& p) {
  p.setPen(QPen(QColor(150, 150, 160), 1.6, Qt::SolidLine, Qt::FlatCap));
  for (int i = 0; i < 5; ++i) {
    const double y = 9.5 + i * 3.4;
    p.drawLine(QPointF(3, y), QPointF(8, y));
    p.drawLine(QPointF(24, y), QPointF(29, y));
  }
  QLinearGradient chip(QPointF(0, 6), QPointF(0, 26));
  chip.setColorAt(0, QColor(75, 75, 85));
  chip.setColorAt(1, QColor(30, 30, 36));
  p.setPen(QPen(QColor(20, 20, 20), 1.0));
  p.setBrush(chip);
  p.drawRoundedRect(QRectF(7.5, 6.5, 17, 19), 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 150, 160));
  p.drawEllipse(QPointF(11, 10), 1.3, 1.3);
  p.setBrush(QColor(210, 180, 60));
  p.drawRect(QRectF(11, 15, 10, 1.4));
  p.drawRect(QRectF(11, 18.5, 7, 1.4));
}

void DrawLog(QPainter& p) {
  DrawPage(p, QRectF(6.5, 2.5, 20, 27));
  p.setPen(QPen(QColor(110, 120, 140), 1.1));
  for (int i = 0; i < 5; ++i) {
    const double y = 11 + i * 3.5;
    p.drawLine(QPointF(10, y), QPointF(i % 2 == 0 ? 23 : 20, y));
  }
  p.setPen(QPen(QColor(60, 60, 70), 1.3));
  p.setBrush(QColor(200, 200, 210));
  for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(6.5, 7 + i * 6.2), 1.8, 1.8);
}

void DrawMap(QPainter& p) {
  const std::array<QPolygonF, 3> panels{{
      QPolygonF({QPointF(2.5, 7), QPointF(11, 4), QPointF(11, 26), QPointF(2.5, 29)}),
      QPolygonF({QPointF(11, 4), QPointF(21, 7), QPointF(21, 29), QPointF(11, 26)}),
      QPolygonF({QPointF(21, 7), QPointF(29.5, 4), QPointF(29.5, 26), QPointF(21, 29)})}};
  const std::array<QColor, 3> fills{QColor(190, 225, 160), QColor(215, 235, 190),
                                    QColor(180, 215, 235)};
  p.setPen(QPen(QColor(90, 110, 80), 1.0));
  for (size_t i = 0; i < panels.size(); ++i) {
    p.setBrush(fills[i]);
    p.drawPolygon(panels[i]);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(180, 60, 40), 1.3, Qt::DashLine, Qt::RoundCap));
  QPainterPath route;
  route.moveTo(5, 24);
  route.cubicTo(10, 16, 15, 24, 20, 15);
  p.drawPath(route);
  // the pin
  QPainterPath pin;
  pin.moveTo(21, 20);
  pin.cubicTo(17, 14, 17, 8, 21, 8);
  pin.cubicTo(25, 8, 25, 14, 21, 20);
  p.setPen(QPen(QColor(120, 20, 20), 1.0));
  p.setBrush(QColor(220, 45, 40));
  p.drawPath(pin);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(21, 11.5), 1.6, 1.6);
}

void DrawMagnify(QPainter& p) {
  p.setPen(QPen(QColor(90, 60, 30), 4.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(19.5, 19.5), QPointF(28, 28));
  p.setPen(QPen(QColor(150, 105, 60), 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(20, 20), QPointF(27.5, 27.5));
  QRadialGradient glass(QPointF(10, 10), 12);
  glass.setColorAt(0, QColor(235, 245, 255));
  glass.setColorAt(1, QColor(160, 200, 235));
  p.setPen(QPen(QColor(60, 70, 90), 2.6));
  p.setBrush(glass);
  p.drawEllipse(QRectF(3, 3, 18, 18));
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(6.5, 6.5, 11, 11), 100 * 16, 70 * 16);
}

// ---- pictures of the program's windows ------------------------------------

void DrawDone(QPainter& p) {
  QRadialGradient disc(QPointF(12, 11), 18);
  disc.setColorAt(0, QColor(90, 200, 90));
  disc.setColorAt(1, QColor(30, 130, 40));
  p.setPen(QPen(QColor(20, 90, 30), 1.2));
  p.setBrush(disc);
  p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
  QPainterPath tick;
  tick.moveTo(9, 16.5);
  tick.lineTo(14, 21.5);
  tick.lineTo(23.5, 10.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(tick);
}

// The program's mark: a sun and a bolt of charge on a blue tile.
void DrawAppLogo(QPainter& p) {
  QLinearGradient tile(QPointF(0, 2), QPointF(0, 30));
  tile.setColorAt(0, QColor(50, 110, 190));
  tile.setColorAt(1, QColor(20, 55, 120));
  p.setPen(QPen(QColor(15, 40, 90), 1.0));
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 215, 80));
  p.drawEllipse(QPointF(9, 9), 3.6, 3.6);
  p.setPen(QPen(QColor(255, 215, 80), 1.3, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    p.drawLine(QPointF(9 + 5 * std::cos(a), 9 + 5 * std::sin(a)),
               QPointF(9 + 7 * std::cos(a), 9 + 7 * std::sin(a)));
  }
  const QPainterPath bolt = Polygon(
      {{19, 6}, {12.5, 18}, {17, 18}, {14.5, 27}, {23.5, 13.5}, {18.5, 13.5}, {22, 6}});
  p.setPen(QPen(QColor(150, 100, 0), 0.8));
  p.setBrush(QColor(255, 200, 40));
  p.drawPath(bolt);
}

void DrawPanelPV(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 200, 40));
  p.drawEllipse(QPointF(7, 7), 4.5, 4.5);
  const QPolygonF panel({QPointF(8, 15), QPointF(29, 12), QPointF(25, 24), QPointF(3, 27)});
  p.setPen(QPen(QColor(40, 50, 70), 1.1));
  p.setBrush(QColor(45, 85, 160));
  p.drawPolygon(panel);
  p.setPen(QPen(QColor(150, 180, 230), 0.7));
  for (int i = 1; i < 4; ++i) {  // cells
    const double t = i / 4.0;
    p.drawLine(QPointF(8 + 21 * t, 15 - 3 * t), QPointF(3 + 22 * t, 27 - 3 * t));
  }
  p.drawLine(QPointF(5.5, 21), QPointF(27, 18));
  p.setPen(QPen(QColor(90, 90, 100), 1.6));
  p.drawLine(QPointF(15, 25.5), QPointF(15, 30.5));
}

void DrawPanelLoad(QPainter& p) {
  QRadialGradient glass(QPointF(14, 11), 11);
  glass.setColorAt(0, QColor(255, 250, 200));
  glass.setColorAt(1, QColor(250, 205, 60));
  QPainterPath bulb;
  bulb.moveTo(12, 22);
  bulb.cubicTo(12, 18, 6, 16, 6, 10.5);
  bulb.cubicTo(6, 5.5, 10.5, 2, 16, 2);
  bulb.cubicTo(21.5, 2, 26, 5.5, 26, 10.5);
  bulb.cubicTo(26, 16, 20, 18, 20, 22);
  bulb.closeSubpath();
  p.setPen(QPen(QColor(150, 110, 20), 1.1));
  p.setBrush(glass);
  p.drawPath(bulb);
  p.setPen(QPen(QColor(120, 120, 130), 1.0));
  p.setBrush(QColor(175, 175, 185));
  p.drawRoundedRect(QRectF(11.5, 22, 9, 6), 1.5, 1.5);
  p.drawLine(QPointF(11.5, 25), QPointF(20.5, 25));
  p.setBrush(QColor(80, 80, 90));
  p.drawEllipse(QRectF(14, 27.5, 4, 3));
}

void DrawPanelBattery(QPainter& p) {
  p.setPen(QPen(QColor(40, 40, 50), 1.3));
  p.setBrush(QColor(235, 235, 240));
  p.drawRoundedRect(QRectF(3.5, 9, 23, 15), 2, 2);
  p.setBrush(QColor(120, 120, 130));
  p.drawRect(QRectF(26.5, 13.5, 3, 6));
  p.setPen(Qt::NoPen);
  QLinearGradient charge(QPointF(0, 11), QPointF(0, 22));
  charge.setColorAt(0, QColor(110, 210, 100));
  charge.setColorAt(1, QColor(40, 150, 50));
  p.setBrush(charge);
  p.drawRect(QRectF(5.5, 11, 14, 11));
  p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9.5, 16.5), QPointF(15.5, 16.5));
  p.drawLine(QPointF(12.5, 13.5), QPointF(12.5, 19.5));
}

void DrawPlaceholder(QPainter& p) {
  p.setPen(QPen(QColor(150, 150, 150), 1.2, Qt::DashLine));
  p.setBrush(QColor(225, 225, 225));
  p.drawRoundedRect(QRectF(4.5, 4.5, 23, 23), 3, 3);
}

struct NamedPicture {
  std::string_view name;
  int natural_px;
  void (*draw)(QPainter&);
};

constexpr int kLampPx = 16;
constexpr int kToolPx = 24;
constexpr int kPanelPx = 32;
constexpr int kLogoPx = 48;

constexpr std::array kPictures{
    NamedPicture{"GreenOn", kLampPx, DrawGreenOn},
    NamedPicture{"GreenOff", kLampPx, DrawGreenOff},
    NamedPicture{"RedOn", kLampPx, DrawRedOn},
    NamedPicture{"RedOff", kLampPx, DrawRedOff},
    NamedPicture{"LightOn", kLampPx, DrawLightOn},
    NamedPicture{"LightOff", kLampPx, DrawLightOff},
    NamedPicture{"Connect", kToolPx, DrawConnect},
    NamedPicture{"Hangup", kToolPx, DrawHangup},
    NamedPicture{"Site", kToolPx, DrawSite},
    NamedPicture{"StatusL", kToolPx, DrawStatusL},
    NamedPicture{"StatusU", kToolPx, DrawStatusU},
    NamedPicture{"Memory", kToolPx, DrawMemory},
    NamedPicture{"InstallL", kToolPx, DrawInstallL},
    NamedPicture{"InstallU", kToolPx, DrawInstallU},
    NamedPicture{"FactoryL", kToolPx, DrawFactoryL},
    NamedPicture{"FactoryU", kToolPx, DrawFactoryU},
    NamedPicture{"Log", kToolPx, DrawLog},
    NamedPicture{"Map", kToolPx, DrawMap},
    NamedPicture{"Magnify", kToolPx, DrawMagnify},
    NamedPicture{"Done", kPanelPx, DrawDone},
    NamedPicture{"AppLogo", kLogoPx, DrawAppLogo},
    NamedPicture{"PanelPV", kPanelPx, DrawPanelPV},
    NamedPicture{"PanelLoad", kPanelPx, DrawPanelLoad},
    NamedPicture{"PanelBattery", kPanelPx, DrawPanelBattery},
    NamedPicture{"PanelSite", kPanelPx, DrawSite},
};

const NamedPicture* Find(std::string_view name) {
  for (const auto& picture : kPictures)
    if (picture.name == name) return &picture;
  return nullptr;
}

QPixmap Render(void (*draw)(QPainter&), int size_px) {
  QPixmap pixmap(size_px, size_px);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size_px / kBox, size_px / kBox);
  draw(painter);
  return pixmap;
}

QPixmap Placeholder(int size_px) { return Render(DrawPlaceholder, size_px > 0 ? size_px : kToolPx); }

}  // namespace

bool IsKnownPictureName(std::string_view name) { return Find(name) != nullptr; }

int NaturalPictureSize(std::string_view name) {
  const NamedPicture* picture = Find(name);
  return picture != nullptr ? picture->natural_px : kToolPx;
}

QPixmap NamedPicturePixmap(std::string_view name, int size_px) {
  const NamedPicture* picture = Find(name);
  if (size_px <= 0) size_px = picture != nullptr ? picture->natural_px : kToolPx;
  if (picture == nullptr) return Placeholder(size_px);
  const QString key = QStringLiteral("vkx:named:%1:%2").arg(ToQt(name)).arg(size_px);
  QPixmap pixmap;
  if (QPixmapCache::find(key, &pixmap)) return pixmap;
  pixmap = Render(picture->draw, size_px);
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

namespace {

// The modification time in the key: a file rewritten on disk is read again.
QString FileKey(const QString& path) {
  return QStringLiteral("vkx:file:%1:%2")
      .arg(path)
      .arg(QFileInfo(path).lastModified().toMSecsSinceEpoch());
}

// The file's pixmap from the cache or the disk; the reason when it loads
// not at all or not whole (a file cut short is otherwise shown grey at its
// foot).
QPixmap LoadFile(const std::string& file, QString* error) {
  const QString path = PathToQt(file);
  const QString key = FileKey(path);
  QPixmap pixmap;
  if (QPixmapCache::find(key, &pixmap)) return pixmap;
  QImageReader reader(path);
  QImage image;
  if (!reader.read(&image)) {
    *error = reader.errorString();
    return QPixmap();
  }
  pixmap = QPixmap::fromImage(image);
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

}  // namespace

std::string PictureFileLoadError(const std::string& file) {
  QString error;
  if (!LoadFile(file, &error).isNull()) return {};
  return FromQt(error.isEmpty() ? QStringLiteral("the picture cannot be read") : error);
}

QPixmap PicturePixmap(const ui::Picture& picture, int size_px) {
  if (!picture.name.empty()) return NamedPicturePixmap(picture.name, size_px);
  if (picture.file.empty()) return QPixmap();
  QString error;
  QPixmap pixmap = LoadFile(picture.file, &error);
  return pixmap.isNull() ? Placeholder(size_px) : pixmap;
}

}  // namespace qtui
