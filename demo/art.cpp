// The start screen's pictures: the crane on its truck (the root picture) and the calm
// background the section plates lie on.

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

#include "model.h"

namespace demo {

namespace {

const QColor kOutline(34, 34, 38);
const QColor kRed(178, 32, 42), kRedDark(128, 20, 28), kRedLight(214, 70, 72);
const QColor kSteelDark(58, 62, 68), kChrome(214, 220, 226);

QPen Outline(double w = 1.1) {
  QPen p(kOutline, w);
  p.setJoinStyle(Qt::RoundJoin);
  p.setCapStyle(Qt::RoundCap);
  return p;
}

// A part painted with a light top and a darker bottom, outlined.
void Shape(QPainter& p, const QPainterPath& path, const QColor& base) {
  const QRectF b = path.boundingRect();
  QLinearGradient g(QPointF(b.center().x(), b.top()), QPointF(b.center().x(), b.bottom()));
  g.setColorAt(0, base.lighter(128));
  g.setColorAt(0.45, base);
  g.setColorAt(1, base.darker(135));
  p.setBrush(g);
  p.setPen(Outline());
  p.drawPath(path);
}

QPainterPath Poly(std::initializer_list<QPointF> pts) {
  QPolygonF poly;
  for (const QPointF& q : pts) poly << q;
  QPainterPath path;
  path.addPolygon(poly);
  path.closeSubpath();
  return path;
}

// A beam of given width between two points, as a path.
QPainterPath Beam(QPointF a, QPointF b, double w0, double w1) {
  const QPointF v = b - a;
  const double len = std::hypot(v.x(), v.y());
  const QPointF n = QPointF(-v.y(), v.x()) / len;
  return Poly({a + n * w0 / 2, b + n * w1 / 2, b - n * w1 / 2, a - n * w0 / 2});
}

void Cylinder(QPainter& p, QPointF a, QPointF b, double dia, double barrelShare) {
  const QPointF m = a + (b - a) * barrelShare;
  // Chrome rod first, then the barrel over it.
  QPainterPath rod = Beam(m, b, dia * 0.45, dia * 0.45);
  QLinearGradient g(rod.boundingRect().topLeft(), rod.boundingRect().bottomRight());
  g.setColorAt(0, kChrome.lighter(110));
  g.setColorAt(0.5, QColor(160, 168, 176));
  g.setColorAt(1, kChrome);
  p.setBrush(g);
  p.setPen(Outline(0.9));
  p.drawPath(rod);
  Shape(p, Beam(a, m, dia, dia), kSteelDark);
  p.setBrush(kSteelDark.lighter(140));
  p.drawEllipse(a, dia * 0.55, dia * 0.55);
  p.drawEllipse(b, dia * 0.4, dia * 0.4);
}

void Wheel(QPainter& p, QPointF c, double r) {
  QRadialGradient tyre(c, r);
  tyre.setColorAt(0.7, QColor(52, 52, 54));
  tyre.setColorAt(1, QColor(28, 28, 30));
  p.setBrush(tyre);
  p.setPen(Outline());
  p.drawEllipse(c, r, r);
  QRadialGradient hub(c - QPointF(r * 0.15, r * 0.15), r * 0.6);
  hub.setColorAt(0, QColor(196, 202, 208));
  hub.setColorAt(1, QColor(120, 128, 136));
  p.setBrush(hub);
  p.drawEllipse(c, r * 0.55, r * 0.55);
  p.setBrush(QColor(70, 74, 80));
  p.drawEllipse(c, r * 0.18, r * 0.18);
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * r * 0.36, 1.3, 1.3);
  }
}

void Log(QPainter& p, QRectF r) {
  QPainterPath bark;
  bark.addRoundedRect(r, r.height() / 2, r.height() / 2);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, QColor(150, 104, 62));
  g.setColorAt(0.5, QColor(118, 78, 44));
  g.setColorAt(1, QColor(84, 54, 30));
  p.setBrush(g);
  p.setPen(Outline(0.9));
  p.drawPath(bark);
  // The cut end with its rings.
  const QPointF c(r.right() - r.height() * 0.3, r.center().y());
  p.setBrush(QColor(222, 184, 128));
  p.drawEllipse(c, r.height() * 0.3, r.height() * 0.48);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(170, 124, 70), 0.7));
  p.drawEllipse(c, r.height() * 0.18, r.height() * 0.3);
  p.drawEllipse(c, r.height() * 0.07, r.height() * 0.12);
}

}  // namespace

void DrawRootPicture(QImage& image) {
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double W = image.width(), H = image.height();
  const double ground = 296;

  QLinearGradient sky(0, 0, 0, ground);
  sky.setColorAt(0, QColor(205, 222, 236));
  sky.setColorAt(1, QColor(240, 244, 247));
  p.fillRect(QRectF(0, 0, W, ground), sky);
  // Far hills and a line of forest.
  QPainterPath hills;
  hills.moveTo(0, 250);
  hills.cubicTo(QPointF(90, 220), QPointF(170, 246), QPointF(260, 232));
  hills.cubicTo(QPointF(350, 218), QPointF(430, 244), QPointF(W, 226));
  hills.lineTo(W, ground);
  hills.lineTo(0, ground);
  hills.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(196, 210, 204));
  p.drawPath(hills);
  p.setBrush(QColor(172, 192, 180));
  for (int i = 0; i < 40; ++i) {
    const double x = i * 13.5 + (i % 3) * 3;
    const double h = 18 + (i * 37 % 11);
    p.drawPolygon(QPolygonF({QPointF(x - 6, 262), QPointF(x, 262 - h), QPointF(x + 6, 262)}));
  }
  p.fillRect(QRectF(0, 258, W, ground - 258), QColor(182, 198, 188));
  QLinearGradient earth(0, ground, 0, H);
  earth.setColorAt(0, QColor(206, 200, 186));
  earth.setColorAt(1, QColor(226, 222, 212));
  p.fillRect(QRectF(0, ground, W, H - ground), earth);
  p.setPen(QPen(QColor(188, 180, 164), 1));
  p.drawLine(QPointF(0, ground + 0.5), QPointF(W, ground + 0.5));
  // Shadow of the truck.
  QRadialGradient shadow(QPointF(260, ground + 6), 240);
  shadow.setColorAt(0, QColor(0, 0, 0, 70));
  shadow.setColorAt(1, QColor(0, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shadow);
  p.drawEllipse(QPointF(255, ground + 5), 250, 12);

  // Chassis: frame, bunks and the load of logs.
  Shape(p, Poly({QPointF(34, 250), QPointF(486, 250), QPointF(486, 262), QPointF(34, 262)}), QColor(48, 50, 54));
  for (double y : {230.0, 212.0, 194.0})
    Log(p, QRectF(204 + (y == 212 ? 8 : 0), y, 262 + (static_cast<int>(y) % 3) * 8, 20));
  Log(p, QRectF(214, 176, 236, 20));
  for (double x : {214.0, 318.0, 430.0}) {
    Shape(p, Poly({QPointF(x - 3, 168), QPointF(x + 3, 168), QPointF(x + 3, 250), QPointF(x - 3, 250)}),
          QColor(60, 64, 70));
  }
  Shape(p, Poly({QPointF(196, 244), QPointF(482, 244), QPointF(482, 252), QPointF(196, 252)}), QColor(70, 74, 80));
  // Mudguards and wheels.
  for (double x : {368.0, 426.0}) {
    QPainterPath guard;
    guard.moveTo(x - 30, 262);
    guard.arcTo(QRectF(x - 30, 242, 60, 44), 180, -180);
    guard.closeSubpath();
    Shape(p, guard, QColor(40, 42, 46));
  }
  Wheel(p, QPointF(86, 272), 24);
  Wheel(p, QPointF(368, 272), 24);
  Wheel(p, QPointF(426, 272), 24);

  // Cab, facing left.
  QPainterPath cab;
  cab.moveTo(30, 258);
  cab.lineTo(28, 196);
  cab.quadTo(30, 160, 54, 152);
  cab.lineTo(112, 148);
  cab.quadTo(124, 148, 124, 162);
  cab.lineTo(124, 258);
  cab.closeSubpath();
  Shape(p, cab, QColor(46, 78, 118));
  QPainterPath window;
  window.moveTo(36, 198);
  window.quadTo(38, 170, 58, 163);
  window.lineTo(104, 160);
  window.lineTo(104, 198);
  window.closeSubpath();
  QLinearGradient glass(36, 160, 104, 198);
  glass.setColorAt(0, QColor(226, 238, 246));
  glass.setColorAt(1, QColor(150, 180, 204));
  p.setBrush(glass);
  p.setPen(Outline());
  p.drawPath(window);
  p.setPen(Outline(0.8));
  p.drawLine(QPointF(70, 161), QPointF(70, 198));
  p.drawLine(QPointF(72, 206), QPointF(72, 250));
  p.drawLine(QPointF(120, 206), QPointF(120, 250));
  // Grille, mirror, step and door handle.
  p.setBrush(QColor(36, 60, 92));
  p.drawRoundedRect(QRectF(25, 208, 8, 26), 2, 2);
  for (double y = 212; y < 232; y += 5) p.drawLine(QPointF(26, y), QPointF(32, y));
  p.setBrush(QColor(40, 42, 46));
  p.drawLine(QPointF(40, 166), QPointF(26, 160));
  p.drawRoundedRect(QRectF(18, 156, 8, 18), 2, 2);
  p.drawRect(QRectF(80, 246, 30, 4));
  p.drawLine(QPointF(94, 205), QPointF(104, 205));
  p.setBrush(QColor(236, 238, 240));
  p.drawRoundedRect(QRectF(22, 238, 16, 14), 2, 2);
  p.setBrush(QColor(250, 226, 150));
  p.drawEllipse(QPointF(30, 231), 4.5, 4.5);
  Shape(p, Poly({QPointF(20, 252), QPointF(48, 252), QPointF(48, 262), QPointF(20, 262)}), QColor(64, 66, 70));
  QPainterPath guard;
  guard.moveTo(56, 262);
  guard.arcTo(QRectF(56, 244, 60, 40), 180, -180);
  guard.closeSubpath();
  Shape(p, guard, QColor(40, 42, 46));
  Wheel(p, QPointF(86, 272), 24);

  // Crane between the cab and the load: base, outrigger, column.
  const QPointF colTop(160, 148);
  Shape(p, Poly({QPointF(128, 232), QPointF(186, 232), QPointF(190, 252), QPointF(126, 252)}), kRed);
  Cylinder(p, QPointF(140, 246), QPointF(140, 290), 10, 0.55);
  Shape(p, Poly({QPointF(126, 290), QPointF(154, 290), QPointF(158, 297), QPointF(122, 297)}), kSteelDark);
  Shape(p, Poly({QPointF(144, 234), QPointF(168, 234), QPointF(166, 150), QPointF(150, 150)}), kRed);
  QPainterPath head;
  head.addRoundedRect(QRectF(146, 136, 26, 20), 4, 4);
  Shape(p, head, kRedDark);
  // Boom up and out, the arm down to the right with its extension.
  const QPointF boomTip(306, 74), armEnd(418, 112), extEnd(462, 126);
  Cylinder(p, QPointF(172, 214), QPointF(222, 130), 13, 0.6);
  Shape(p, Beam(colTop, boomTip, 22, 15), kRed);
  p.setBrush(kRedDark);
  p.setPen(Outline());
  p.drawEllipse(colTop, 8, 8);
  Shape(p, Beam(boomTip, extEnd, 11, 11), kRedLight);
  Shape(p, Beam(boomTip - QPointF(4, 0), armEnd, 17, 15), kRed);
  Cylinder(p, QPointF(228, 106), QPointF(302, 56), 11, 0.6);
  Shape(p, Poly({QPointF(296, 70), QPointF(300, 48), QPointF(312, 52), QPointF(316, 74)}), kRedDark);
  p.setBrush(kRedDark);
  p.setPen(Outline());
  p.drawEllipse(boomTip, 7.5, 7.5);
  // Name on the boom.
  {
    p.save();
    p.translate((colTop + boomTip) / 2 + QPointF(-18, 8));
    p.rotate(std::atan2(boomTip.y() - colTop.y(), boomTip.x() - colTop.x()) * 180 / M_PI);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(9);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, 235));
    p.drawText(QPointF(-40, 0), QStringLiteral("КРАНТЕК  КМ-120"));
    p.restore();
  }
  // Hanger, rotator and the grab holding a log.
  p.setPen(QPen(kOutline, 1.1));
  p.setBrush(kSteelDark);
  p.drawRoundedRect(QRectF(extEnd.x() - 3, extEnd.y(), 6, 18), 3, 3);
  QPainterPath rot;
  rot.addRoundedRect(QRectF(extEnd.x() - 8, extEnd.y() + 17, 16, 16), 3, 3);
  Shape(p, rot, kSteelDark);
  Shape(p,
        Poly({QPointF(extEnd.x() - 12, extEnd.y() + 33), QPointF(extEnd.x() + 12, extEnd.y() + 33),
              QPointF(extEnd.x() + 9, extEnd.y() + 48), QPointF(extEnd.x() - 9, extEnd.y() + 48)}),
        kRed);
  const QPointF logC(extEnd.x(), extEnd.y() + 70);
  p.setBrush(QColor(222, 184, 128));
  p.setPen(Outline(0.9));
  p.drawEllipse(logC, 17, 16);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(170, 124, 70), 0.7));
  p.drawEllipse(logC, 10, 9);
  p.drawEllipse(logC, 4, 3.5);
  for (double m : {-1.0, 1.0}) {
    QPainterPath jaw;
    jaw.moveTo(extEnd.x() + m * 6, extEnd.y() + 46);
    jaw.cubicTo(QPointF(extEnd.x() + m * 30, extEnd.y() + 48), QPointF(extEnd.x() + m * 30, extEnd.y() + 86),
                QPointF(extEnd.x() + m * 4, extEnd.y() + 92));
    jaw.lineTo(extEnd.x() + m * 5, extEnd.y() + 86);
    jaw.cubicTo(QPointF(extEnd.x() + m * 22, extEnd.y() + 80), QPointF(extEnd.x() + m * 22, extEnd.y() + 54),
                QPointF(extEnd.x() + m * 4, extEnd.y() + 52));
    jaw.closeSubpath();
    Shape(p, jaw, kRed);
  }
  p.setBrush(kRedDark);
  p.setPen(Outline());
  p.drawEllipse(QPointF(extEnd.x(), extEnd.y() + 46), 3, 3);
  // A thin border, like a printed illustration.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(150, 162, 174), 1));
  p.drawRect(QRectF(0.5, 0.5, W - 1, H - 1));
}

void DrawBackground(QImage& image) {
  const double W = image.width(), H = image.height();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient paper(0, 0, 0, H);
  paper.setColorAt(0, QColor(238, 242, 246));
  paper.setColorAt(1, QColor(230, 235, 240));
  p.fillRect(QRectF(0, 0, W, H), paper);
  // Faint grid of drawing paper.
  for (int x = 0; x <= W; x += 10) {
    p.setPen(QPen(x % 50 ? QColor(224, 230, 236) : QColor(212, 220, 228), 1));
    p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, H));
  }
  for (int y = 0; y <= H; y += 10) {
    p.setPen(QPen(y % 50 ? QColor(224, 230, 236) : QColor(212, 220, 228), 1));
    p.drawLine(QPointF(0, y + 0.5), QPointF(W, y + 0.5));
  }
  // The panel behind the section plates.
  QPainterPath panel;
  panel.addRoundedRect(QRectF(524, 56, 242, 416), 8, 8);
  p.setPen(QPen(QColor(196, 206, 216), 1));
  p.setBrush(QColor(244, 246, 249, 235));
  p.drawPath(panel);
  // Frame and shadow of the root picture.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 28));
  p.drawRoundedRect(QRectF(5, 103, 519, 346), 3, 3);
  p.setBrush(QColor(0, 0, 0, 18));
  p.drawRoundedRect(QRectF(3, 101, 521, 348), 3, 3);
  p.setPen(QPen(QColor(150, 162, 174), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1.5, 99.5, 520, 347));
  // Title of the catalogue above the picture.
  QFont title(QStringLiteral("Liberation Sans"));
  title.setPixelSize(27);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(34, 52, 74));
  p.drawText(QPointF(86, 50), QStringLiteral("Каталог запасных частей"));
  QFont sub(QStringLiteral("Liberation Sans"));
  sub.setPixelSize(15);
  p.setFont(sub);
  p.setPen(QColor(70, 88, 110));
  p.drawText(QPointF(88, 76), QStringLiteral("Манипулятор гидравлический КМ-120"));
  p.setPen(QPen(kRed, 2));
  p.drawLine(QPointF(88, 86), QPointF(330, 86));
  // The maker's mark: a hook in a red square, the name beside it.
  const QRectF mark(584, 14, 34, 34);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawRoundedRect(mark, 5, 5);
  QPainterPath hook;
  hook.moveTo(601, 19);
  hook.lineTo(601, 30);
  hook.cubicTo(QPointF(601, 44), QPointF(590, 44), QPointF(590, 35));
  p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(hook);
  p.drawLine(QPointF(594, 20), QPointF(608, 20));
  QFont name(QStringLiteral("Liberation Sans"));
  name.setPixelSize(22);
  name.setBold(true);
  name.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  p.setFont(name);
  p.setPen(QColor(34, 52, 74));
  p.drawText(QPointF(626, 38), QStringLiteral("КРАНТЕК"));
  QFont small(QStringLiteral("Liberation Sans"));
  small.setPixelSize(10);
  p.setFont(small);
  p.setPen(QColor(90, 106, 124));
  p.drawText(QPointF(627, 51), QStringLiteral("крано-манипуляторные установки"));
  // Footer between the caption buttons.
  p.setPen(QPen(QColor(196, 206, 216), 1));
  p.drawLine(QPointF(14, 466.5), QPointF(522, 466.5));
  p.setFont(small);
  p.setPen(QColor(110, 124, 140));
  p.drawText(QRectF(300, 500, 222, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("ООО «КРАНТЕК»"));
}

}  // namespace demo
