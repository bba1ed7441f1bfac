// The КМ-120 crane's catalogue: its sections, their assemblies and parts, and the assembly
// drawings with the places of the parts on them.

#include <QTransform>

#include <cmath>

#include "cylinders.h"
#include "structures.h"

namespace demo {

namespace {

constexpr double kDeg = M_PI / 180.0;

const QString kSteel45 = QStringLiteral("Сталь 45 ГОСТ 1050-2013");
const QString kSteel40X = QStringLiteral("Сталь 40Х ГОСТ 4543-2016");
const QString kSt3 = QStringLiteral("Ст3сп ГОСТ 380-2005");
const QString k09G2S = QStringLiteral("09Г2С ГОСТ 19281-2014");
const QString kBronze = QStringLiteral("БрО5Ц5С5 ГОСТ 613-79");
const QString kRubber = QStringLiteral("Резина 7-ИРП-1068");
const QString kPolyamide = QStringLiteral("Полиамид ПА6-блочный");

QPointF Polar(QPointF c, double r, double deg) { return c + QPointF(std::cos(deg * kDeg), std::sin(deg * kDeg)) * r; }

QPointF Rotated(QPointF origin, double deg, QPointF local) {
  QTransform t;
  t.translate(origin.x(), origin.y());
  t.rotate(deg);
  return t.map(local);
}

// A pin seen end on in its bore, with its locking plate; the anchor lies on the free side.
void PinAt(Sheet& s, const std::string& key, QPointF c, double r, bool plate, double plateDeg) {
  PinEnd(s, c, r, plate, plateDeg);
  s.Anchor(key, Polar(c, r * 0.45, plateDeg + 180));
}

void Nut(Sheet& s, QPointF c, double d, double deg) {
  Place pl(s, c, deg);
  QPainterPath box = RectPath(QRectF(-0.4 * d, -0.9 * d, 0.8 * d, 1.8 * d));
  s.White(box);
  NutSide(s, d);
}

void BoltHeadSide(Sheet& s, QPointF bearing, double d, double deg) {
  Place pl(s, bearing, deg);
  QPainterPath box = RectPath(QRectF(-0.65 * d, -0.9 * d, 0.65 * d, 1.8 * d));
  s.White(box);
  s.Stroke(box);
  s.Line(QPointF(-0.65 * d, -0.45 * d), QPointF(0, -0.45 * d));
  s.Line(QPointF(-0.65 * d, 0.45 * d), QPointF(0, 0.45 * d));
}

void Washer(Sheet& s, QPointF c, double d, double deg) {
  Place pl(s, c, deg);
  QPainterPath box = RectPath(QRectF(-0.1 * d, -d, 0.2 * d, 2 * d));
  s.White(box);
  s.Stroke(box);
}

// Rubber in section: crossed hatching.
void RubberBlock(Sheet& s, const QRectF& r) {
  s.WhiteRect(r);
  s.HatchRect(r, false, 3);
  s.HatchRect(r, true, 3);
  s.Rect(r);
}

QPainterPath Curve(QPointF a, QPointF c1, QPointF c2, QPointF b) {
  QPainterPath p;
  p.moveTo(a);
  p.cubicTo(c1, c2, b);
  return p;
}

DrawFn Block(double w, double h, double depth, int ports, QString note) {
  return [=](Sheet& s) {
    const double k = std::min(300.0 / w, 240.0 / h);
    const QPointF o(200, 270 - h * k / 2);
    {
      Place pl(s, o, 0, k);
      s.Rect(QRectF(0, 0, w, h));
      for (int i = 0; i < ports; ++i) {
        const QPointF c(w / 2, h * (i + 1) / (ports + 1));
        s.Circle(c, w * 0.16);
        s.Circle(c, w * 0.1, Ln::Thin);
        s.Centre(c, w * 0.2);
      }
      for (double y : {h * 0.12, h * 0.88}) {
        s.Circle(QPointF(w * 0.2, y), w * 0.05);
        s.Circle(QPointF(w * 0.8, y), w * 0.05);
      }
      s.Dim(QPointF(0, h), QPointF(w, h), -24 / k, QString::number(static_cast<int>(w)));
      s.Dim(QPointF(0, 0), QPointF(0, h), -24 / k, QString::number(static_cast<int>(h)));
    }
    {
      Place pl(s, o + QPointF(w * k + 80, 0), 0, k);
      s.Rect(QRectF(0, 0, depth, h));
      s.Line(QPointF(0, h * 0.5), QPointF(depth, h * 0.5), Ln::Hidden);
      s.Rect(QRectF(depth * 0.2, h * 0.38, depth * 0.6, h * 0.24), Ln::Hidden);
      s.Dim(QPointF(0, h), QPointF(depth, h), -24 / k, QString::number(static_cast<int>(depth)));
    }
    Requirements(s, {note});
  };
}

// ================================================================== section 1: slewing unit

void DrawSlewingUnit(Sheet& s) {
  const double k = 0.62;
  // Outrigger cylinders behind their beams.
  CylinderShape oc;
  oc.dia = 20;
  oc.rod = 11;
  oc.eye = 9;
  oc.cap = 16;
  oc.head = 12;
  oc.barrel = 74;
  oc.ports = false;
  for (double x : {217.7, 582.3}) {
    oc.prefix = x < 400 ? "lcyl." : "rcyl.";
    Cylinder(s, QPointF(x, 302), QPointF(x, 430), oc);
    QPolygonF pad;
    pad << QPointF(x - 12, 428) << QPointF(x + 12, 428) << QPointF(x + 24, 444) << QPointF(x - 24, 444);
    s.White(PolyPath(pad));
    s.Poly(pad, Ln::Main, true);
    PinEnd(s, QPointF(x, 430), 4.5, false);
  }
  // Truck frame (not part of the unit) and the U-bolts on it.
  s.SetGhost(true);
  for (double cx : {347.0, 453.0}) {
    QPolygonF ch;
    ch << QPointF(cx - 17, 368) << QPointF(cx + 17, 368) << QPointF(cx + 17, 373) << QPointF(cx - 12, 373)
       << QPointF(cx - 12, 399) << QPointF(cx + 17, 399) << QPointF(cx + 17, 404) << QPointF(cx - 17, 404);
    s.Poly(ch, Ln::Main, true);
  }
  s.SetGhost(false);
  for (double cx : {347.0, 453.0}) {
    QPainterPath u;
    u.moveTo(cx - 22, 352);
    u.lineTo(cx - 22, 412);
    u.arcTo(QRectF(cx - 22, 390, 44, 44), 180, 180);
    u.lineTo(cx + 22, 352);
    QPen pen(QColor(22, 22, 22), 5.5);
    pen.setCosmetic(true);
    s.p().setPen(pen);
    s.p().drawPath(u);
    pen.setColor(Qt::white);
    pen.setWidthF(2.5);
    s.p().setPen(pen);
    s.p().drawPath(u);
    s.Rect(QRectF(cx - 30, 404, 60, 7));
    for (double x : {cx - 22, cx + 22}) Nut(s, QPointF(x, 357.5), 6, 90);
  }
  s.Anchor("mount", QPointF(325, 392));
  // Base with the outrigger beams at both ends.
  {
    Place pl(s, QPointF(253.7, 346.5), 0, k, true);
    OutriggerBeam(s, 40, "lbeam.");
  }
  {
    Place pl(s, QPointF(546.3, 346.5), 0, k);
    OutriggerBeam(s, 40, "rbeam.");
  }
  {
    Place pl(s, QPointF(400, 282), 0, k);
    Base(s, "base.");
  }
  // Slewing mechanism: rack housing and its two cylinders.
  for (double sign : {-1.0, 1.0}) {
    const double x0 = sign < 0 ? 238 : 499;
    s.WhiteRect(QRectF(x0, 300, 63, 24));
    s.Rect(QRectF(x0, 300, 63, 24));
    const double cap = sign < 0 ? x0 - 7 : x0 + 63;
    s.WhiteRect(QRectF(cap, 297, 7, 30));
    s.Rect(QRectF(cap, 297, 7, 30));
    s.Rect(QRectF(x0 + (sign < 0 ? 10 : 45), 294, 8, 6));
    s.Axis(QPointF(x0, 312), QPointF(x0 + 63, 312), 8);
  }
  s.Anchor("rot", QPointF(262, 306));
  {
    Place pl(s, QPointF(400, 312), 0, k);
    RackHousing(s, false, "rack.");
  }
  // Slewing ring under the column, the bolts through it.
  s.WhiteRect(QRectF(336, 274, 128, 8));
  s.Rect(QRectF(336, 274, 128, 8));
  s.Line(QPointF(336, 278), QPointF(464, 278), Ln::Thin);
  s.Line(QPointF(360, 274), QPointF(360, 282), Ln::Thin);
  s.Line(QPointF(440, 274), QPointF(440, 282), Ln::Thin);
  s.Anchor("ring", QPointF(372, 278));
  {
    Place pl(s, QPointF(400, 274), 0, k);
    Column(s, "col.");
  }
  for (double x : {344.0, 456.0}) {
    BoltHeadSide(s, QPointF(x, 274), 7, 90);
    Washer(s, QPointF(x, 288), 6.5, 90);
    Nut(s, QPointF(x, 292.6), 7, 90);
  }
  s.Anchor("bolt", QPointF(344, 271));
  s.Anchor("washer", QPointF(339, 288));
  s.Anchor("nut", QPointF(458, 293));
  GreaseNipple(s, QPointF(336, 278), 180, 0.8);
  s.Anchor("grease", QPointF(325, 278));
  // Outrigger position sensor and the service cover of the base.
  s.WhiteRect(QRectF(512, 339, 20, 12));
  s.Rect(QRectF(512, 339, 20, 12));
  s.Rect(QRectF(532, 342, 6, 6));
  s.Line(QPointF(538, 345), QPointF(552, 338), Ln::Main);
  s.Anchor("sensor", QPointF(520, 345));
  s.WhiteRect(QRectF(458, 336, 34, 20));
  s.Rect(QRectF(458, 336, 34, 20));
  for (QPointF c : {QPointF(462, 340), QPointF(488, 340), QPointF(462, 352), QPointF(488, 352)}) s.Circle(c, 1.8);
  s.Anchor("cover", QPointF(475, 346));
}

void DrawOutrigger(Sheet& s) {
  // The base's tube the beam slides in (not part of the outrigger).
  s.SetGhost(true);
  s.Rect(QRectF(110, 246, 310, 58));
  s.SetGhost(false);
  CylinderShape c;
  c.dia = 30;
  c.rod = 16;
  c.eye = 15;
  c.cap = 24;
  c.head = 20;
  c.barrel = 108;
  c.prefix = "cyl.";
  Cylinder(s, QPointF(498, 196), QPointF(498, 400), c);
  {
    Place pl(s, QPointF(150, 275));
    OutriggerBeam(s, 330, "beam.");
  }
  // Foot pad on the rod's eye.
  QPolygonF cheek;
  cheek << QPointF(484, 388) << QPointF(512, 388) << QPointF(520, 412) << QPointF(476, 412);
  s.White(PolyPath(cheek));
  s.Poly(cheek, Ln::Main, true);
  QPainterPath plate = RoundedPath(QRectF(452, 412, 92, 12), 3);
  s.White(plate);
  s.Stroke(plate);
  s.Line(QPointF(456, 418), QPointF(540, 418), Ln::Thin);
  s.Anchor("pad", QPointF(466, 418));
  PinAt(s, "pin2", QPointF(498, 400), 6.5, false, 0);
  s.Circle(QPointF(498, 400), 9, Ln::Thin);
  s.Anchor("ring", QPointF(507, 400));
  PinAt(s, "pin1", QPointF(498, 196), 7.5, true, -30);
  // Lock: a spring-loaded pin in a sleeve on the tube, pulled by its knob.
  const QRectF sleeve(252, 212, 20, 34);
  s.WhiteRect(sleeve);
  s.Hatch(RectPath(QRectF(252, 212, 4, 34)));
  s.Hatch(RectPath(QRectF(268, 212, 4, 34)));
  s.Rect(sleeve);
  s.Line(QPointF(256, 212), QPointF(256, 246));
  s.Line(QPointF(268, 212), QPointF(268, 246));
  s.WhiteRect(QRectF(258.5, 204, 7, 66));
  s.Rect(QRectF(258.5, 204, 7, 66));
  Spring(s, QPointF(262, 216), QPointF(262, 242), 5, 5);
  s.Anchor("fixer", QPointF(262, 262));
  s.Anchor("spring", QPointF(266, 229));
  QPainterPath knob;
  knob.addEllipse(QPointF(262, 194), 8, 10);
  s.White(knob);
  s.Stroke(knob);
  s.Anchor("knob", QPointF(258, 192));
  // Slide plates at the tube's mouth and their bolts.
  for (double y : {248.0, 296.0}) {
    const QRectF r(388, y, 30, 6);
    s.WhiteRect(r);
    s.HatchRect(r, true, 3);
    s.Rect(r);
  }
  s.Anchor("plate", QPointF(404, 299));
  BoltHeadSide(s, QPointF(398, 246), 7, 90);
  BoltHeadSide(s, QPointF(410, 246), 7, 90);
  s.Anchor("bolt", QPointF(396, 240));
  Washer(s, QPointF(410, 245), 5, 90);
  s.Anchor("washer", QPointF(414, 244));
}

void DrawChassisMount(Sheet& s) {
  // Frame rail of the truck in section.
  QPainterPath rail = RectPath(QRectF(360, 250, 80, 130)).subtracted(RectPath(QRectF(368, 258, 80, 114)));
  s.Hatch(rail);
  s.Stroke(rail);
  // Foot of the crane's base, not part of the mounting.
  s.SetGhost(true);
  s.Rect(QRectF(320, 214, 160, 30));
  s.SetGhost(false);
  const QRectF spacer(330, 244, 140, 6);
  s.WhiteRect(spacer);
  s.HatchRect(spacer, true, 2.5);
  s.Rect(spacer);
  // U-bolt over the foot, the bar under the rail, nuts under the bar.
  QPainterPath u;
  u.moveTo(312, 412);
  u.lineTo(312, 226);
  u.arcTo(QRectF(312, 202, 48, 48), 180, -90);
  u.lineTo(464, 202);
  u.arcTo(QRectF(440, 202, 48, 48), 90, -90);
  u.lineTo(488, 412);
  QPen pen(QColor(22, 22, 22), 8.6);
  pen.setCosmetic(true);
  s.p().setPen(pen);
  s.p().drawPath(u);
  pen.setColor(Qt::white);
  pen.setWidthF(5.4);
  s.p().setPen(pen);
  s.p().drawPath(u);
  for (double x : {312.0, 488.0}) {
    s.Line(QPointF(x - 2.2, 380), QPointF(x - 2.2, 412), Ln::Thin);
    s.Line(QPointF(x + 2.2, 380), QPointF(x + 2.2, 412), Ln::Thin);
  }
  s.Anchor("ubolt", QPointF(313, 300));
  s.WhiteRect(QRectF(296, 380, 208, 12));
  s.Rect(QRectF(296, 380, 208, 12));
  for (double x : {312.0, 488.0}) {
    s.Line(QPointF(x - 4, 380), QPointF(x - 4, 392), Ln::Hidden);
    s.Line(QPointF(x + 4, 380), QPointF(x + 4, 392), Ln::Hidden);
    Washer(s, QPointF(x, 393.5), 8.5, 90);
    Nut(s, QPointF(x, 399.5), 10, 90);
  }
  s.Anchor("planka", QPointF(430, 386));
  s.Anchor("spacer", QPointF(446, 247));
  s.Anchor("nut24", QPointF(492, 400));
  s.Anchor("washer24", QPointF(306, 394));
  // Stop plate against the rail web, bolted through it.
  const QRectF stop(344, 258, 8, 90);
  s.WhiteRect(stop);
  s.HatchRect(stop, true);
  s.Rect(stop);
  s.Anchor("upor", QPointF(348, 338));
  for (double y : {282.0, 322.0}) {
    BoltHeadSide(s, QPointF(344, y), 8, 0);
    s.Rect(QRectF(352, y - 4, 30, 8));
    Nut(s, QPointF(376, y), 8, 0);
  }
  s.Anchor("bolt16", QPointF(340, 282));
  s.Anchor("nut16", QPointF(377, 318));
}

void DrawColumnAssembly(Sheet& s, bool dims) {
  const double k = 1.1;
  const QPointF o(360, 420);
  Place pl(s, o, 0, k);
  Column(s, "col.");
  // Service hatch cover with its screws, the boom stop on the head.
  const QRectF cover(-22, -156, 44, 56);
  s.WhiteRect(cover);
  s.Rect(cover);
  for (QPointF c : {QPointF(-16, -150), QPointF(16, -150), QPointF(-16, -106), QPointF(16, -106)}) ScrewHead(s, c, 2.6);
  s.Anchor("cover", QPointF(0, -128));
  s.Anchor("screw", QPointF(-16, -150));
  s.Anchor("washer", QPointF(16, -106));
  RubberBlock(s, QRectF(-44, -280, 26, 12));
  s.Anchor("stop", QPointF(-31, -274));
  GreaseNipple(s, ColumnTop() + QPointF(0, -26), -90, 0.8);
  GreaseNipple(s, ColumnLug() + QPointF(16, 0), 0, 0.8);
  s.Anchor("grease", ColumnTop() + QPointF(0, -35));
  s.Anchor("bush1", ColumnTop() + QPointF(-8.3, 8.3));
  s.Anchor("bush2", ColumnLug() + QPointF(-5.1, 5.1));
  if (dims) {
    s.Dim(QPointF(-72, 0), QPointF(-72, -278), -40, QStringLiteral("1340"));
    s.Dim(QPointF(-72, 0), QPointF(72, 0), -24, QStringLiteral("720"));
    s.Dim(ColumnTop(), QPointF(ColumnTop().x(), 0), -90, QStringLiteral("1250"));
  }
}

void DrawSlewingMechanism(Sheet& s, bool section) {
  const double k = 1.25;
  Place pl(s, QPointF(400, 300), 0, k);
  if (section) {
    RackHousing(s, true, "house.");
    Rack(s, QPointF(-148, 2), 296, 10, 12);
    s.Anchor("rack", QPointF(-100, 8));
    GearRim(s, QPointF(0, -32), 21, 29, 14, 0, 360);
    s.Circle(QPointF(0, -32), 11);
    s.Rect(QRectF(-3, -46, 6, 4));
    s.Centre(QPointF(0, -32), 34);
    s.Anchor("pinion", QPointF(18, -38));
    s.Circle(QPointF(0, -32), 38, Ln::Hidden);
    s.Anchor("bearing", Polar(QPointF(0, -32), 38, 215));
    for (double sign : {-1.0, 1.0}) {
      Place side(s, QPointF(0, 0), 0, 1, sign > 0);
      QPainterPath walls = RectPath(QRectF(-250, -22, 90, 8)).united(RectPath(QRectF(-250, 14, 90, 8)));
      s.White(RectPath(QRectF(-250, -22, 90, 44)));
      s.Hatch(walls);
      s.Stroke(walls);
      QPainterPath cover = RectPath(QRectF(-262, -26, 12, 52)).subtracted(RectPath(QRectF(-251, -6, 2, 12)));
      s.Hatch(cover, true);
      s.Stroke(cover);
      QPainterPath piston = RectPath(QRectF(-214, -14, 18, 28));
      s.Hatch(piston, true);
      s.Stroke(piston);
      s.Fill(RectPath(QRectF(-209, 11, 8, 3)));
      s.Fill(RectPath(QRectF(-209, -14, 8, 3)));
      s.Rect(QRectF(-196, -5, 48, 10));
      s.Fill(CirclePath(QPointF(-250, -17), 1.8));
      for (double y : {-20.0, 20.0}) BoltHeadSide(s, QPointF(-262, y), 5, 0);
      s.Fill(RectPath(QRectF(-161, -26, 1.5, 52)));
    }
    s.Anchor("cylinder", QPointF(-232, -18));
    s.Anchor("oring", QPointF(250, -17));
    s.Anchor("gasket", QPointF(160.5, 20));
    s.Anchor("bolt", QPointF(264, 20));
    s.Anchor("washer", QPointF(-264, -20));
    Hexagon(s, QPointF(36, -30), 8, 0);
    s.Anchor("plug", QPointF(39, -26));
  } else {
    RackHousing(s, false, "house.");
    for (double sign : {-1.0, 1.0}) {
      Place side(s, QPointF(0, 0), 0, 1, sign > 0);
      s.WhiteRect(QRectF(-250, -22, 90, 44));
      s.Rect(QRectF(-250, -22, 90, 44));
      s.WhiteRect(QRectF(-262, -26, 12, 52));
      s.Rect(QRectF(-262, -26, 12, 52));
      s.Rect(QRectF(-236, -30, 10, 8));
      s.Axis(QPointF(-262, 0), QPointF(-160, 0), 6);
    }
    s.Circle(QPointF(0, -32), 14);
    s.Circle(QPointF(0, -32), 30, Ln::Hidden);
    s.Centre(QPointF(0, -32), 34);
    s.Dim(QPointF(-262, 26), QPointF(262, 26), -40, QStringLiteral("1310"));
    s.Dim(QPointF(-46, -40), QPointF(46, -40), 20, QStringLiteral("Ø230"));
  }
}

void DrawSlewCylinder(Sheet& s, bool section) {
  Place pl(s, QPointF(400, 280), 0, 2.2);
  if (section) {
    QPainterPath walls = RectPath(QRectF(-120, -50, 180, 10)).united(RectPath(QRectF(-120, 40, 180, 10)));
    QPainterPath flange = RectPath(QRectF(60, -60, 14, 120)).subtracted(RectPath(QRectF(59, -40, 16, 80)));
    s.Hatch(walls.united(flange));
    s.Stroke(walls.united(flange));
    QPainterPath cover = RectPath(QRectF(-134, -56, 14, 112)).united(RectPath(QRectF(-120, -40, 8, 80)));
    s.Hatch(cover.simplified(), true);
    s.Stroke(cover.simplified());
    QPainterPath piston = RectPath(QRectF(-64, -40, 40, 80));
    s.Hatch(piston, true);
    s.Stroke(piston);
    for (double y : {-40.0, 34.0}) {
      s.WhiteRect(QRectF(-52, y, 14, 6));
      s.Fill(RectPath(QRectF(-52, y, 14, 6)));
    }
    s.SetGhost(true);
    s.Rect(QRectF(-24, -14, 120, 28));
    s.SetGhost(false);
    s.Fill(CirclePath(QPointF(-116, -41.5), 2.5));
    for (double y : {-52.0, 52.0}) BoltHeadSide(s, QPointF(-134, y), 8, 0);
    s.Axis(QPointF(-134, 0), QPointF(74, 0), 8);
    s.Anchor("barrel", QPointF(-10, -45));
    s.Anchor("piston", QPointF(-56, -18));
    s.Anchor("cover", QPointF(-127, 24));
    s.Anchor("cuff", QPointF(-45, 37));
    s.Anchor("oring", QPointF(-116, -41.5));
    s.Anchor("bolt", QPointF(-141, 52));
    s.Anchor("washer", QPointF(-136, -45));
  } else {
    s.Rect(QRectF(-120, -50, 180, 100));
    s.Rect(QRectF(60, -60, 14, 120));
    s.Rect(QRectF(-134, -56, 14, 112));
    s.Rect(QRectF(-100, -64, 20, 14));
    s.Rect(QRectF(-96, -72, 12, 8));
    for (double y : {-52.0, 52.0}) BoltHeadSide(s, QPointF(-134, y), 8, 0);
    s.Axis(QPointF(-134, 0), QPointF(74, 0), 8);
    s.Dim(QPointF(-134, 56), QPointF(74, 56), -30, QStringLiteral("208"));
    s.Dim(QPointF(74, -60), QPointF(74, 60), -20, QStringLiteral("Ø120"));
  }
}

// ================================================================== section 2: boom

const QPointF kBoomRoot(178, 262);
constexpr double kBoomAngle = -13, kBoomLen = 440;

void DrawBoomAssembly(Sheet& s) {
  const QPointF colO = kBoomRoot - ColumnTop();
  s.p().save();
  s.p().setClipRect(QRectF(0, 0, 792, 466));
  s.SetGhost(true);
  {
    Place pl(s, colO);
    Column(s, "g.");
  }
  s.SetGhost(false);
  s.p().restore();
  const QPointF a = colO + ColumnLug();
  const QPointF b = Rotated(kBoomRoot, kBoomAngle, BoomLug());
  const QPointF tip = Rotated(kBoomRoot, kBoomAngle, QPointF(kBoomLen, 0));
  CylinderShape c;
  c.dia = 36;
  c.rod = 18;
  c.eye = 15;
  c.cap = 22;
  c.head = 20;
  c.prefix = "lift.";
  Cylinder(s, a, b, c);
  // The arm's root at the boom tip (part of the next section).
  s.SetGhost(true);
  {
    Place pl(s, tip);
    s.Rect(QRectF(0, -21, 66, 42));
  }
  s.SetGhost(false);
  {
    Place pl(s, kBoomRoot, kBoomAngle);
    Boom(s, kBoomLen, "boom.");
    RubberBlock(s, QRectF(84, 39, 30, 9));
    s.Anchor("stop", QPointF(99, 46));
    // Pipes along the side plate with their clamp blocks; hoses at both ends.
    Tube(s, {QPointF(96, -16), QPointF(kBoomLen - 44, -14)}, 5);
    Tube(s, {QPointF(96, -6), QPointF(kBoomLen - 44, -5)}, 5);
    for (double x : {kBoomLen * 0.34, kBoomLen * 0.56, kBoomLen * 0.8}) {
      const QRectF r(x - 6, -22, 12, 23);
      s.WhiteRect(r);
      s.Rect(r);
      s.Line(QPointF(x - 6, -10.5), QPointF(x + 6, -10.5), Ln::Thin);
      s.Circle(QPointF(x, -10.5), 2.2);
    }
    s.Anchor("pipes", QPointF(kBoomLen * 0.45, -15));
    Hose(s, Curve(QPointF(96, -16), QPointF(60, -16), QPointF(50, 10), QPointF(40, 40)), 5);
    Hose(s, Curve(QPointF(96, -6), QPointF(70, -6), QPointF(62, 16), QPointF(52, 44)), 5);
    Hose(s,
         Curve(QPointF(kBoomLen - 44, -14), QPointF(kBoomLen - 16, -14), QPointF(kBoomLen - 14, -30),
               QPointF(kBoomLen - 4, -44)),
         5);
  }
  const double rootPin = 16 * 0.8 / 0.92, tipPin = 12.5 * 0.8 / 0.92, lugPin = 9.5 * 0.8 / 0.92;
  PinAt(s, "pin1", kBoomRoot, rootPin, true, 150);
  s.Anchor("bush", Polar(kBoomRoot, 14.4, 250));
  s.Anchor("plate", Polar(kBoomRoot, rootPin * 1.0, 150));
  s.Anchor("bolt", Polar(kBoomRoot, rootPin * 1.75, 150));
  PinAt(s, "pin4", tip, tipPin, true, 60);
  s.Anchor("washer", Polar(tip, tipPin * 1.75, 60));
  PinAt(s, "pin3", b, lugPin, true, 20);
  PinAt(s, "pin2", a, 7.8, true, 200);
  GreaseNipple(s, Rotated(kBoomRoot, kBoomAngle, QPointF(0, -32)), -90 + kBoomAngle, 0.8);
  s.Anchor("grease", Rotated(kBoomRoot, kBoomAngle, QPointF(0, -43)));
}

void DrawBoomPipes(Sheet& s) {
  const QPointF o(150, 320);
  const double ang = -6;
  s.SetGhost(true);
  {
    Place pl(s, o, ang);
    Boom(s, 460, "g.");
  }
  s.SetGhost(false);
  Place pl(s, o, ang);
  Tube(s, {QPointF(96, -16), QPointF(416, -14)}, 6);
  Tube(s, {QPointF(96, -4), QPointF(416, -3)}, 6);
  s.Anchor("tube1", QPointF(180, -15.5));
  s.Anchor("tube2", QPointF(300, -3.5));
  const double blocks[3] = {150, 260, 370};
  for (double x : blocks) {
    const QRectF r(x - 8, -24, 16, 27);
    s.WhiteRect(r);
    s.Rect(r);
    s.Line(QPointF(x - 8, -10), QPointF(x + 8, -10), Ln::Thin);
    s.WhiteRect(QRectF(x - 10, -28, 20, 4));
    s.Rect(QRectF(x - 10, -28, 20, 4));
    ScrewHead(s, QPointF(x, -10), 3.2);
  }
  s.Anchor("block", QPointF(260 - 6, 0));
  s.Anchor("planka", QPointF(370 + 8, -26));
  s.Anchor("bolt", QPointF(150, -10));
  s.Anchor("washer", QPointF(260 + 4, -13));
  // Adapters at the ends of the pipes and the hoses on them.
  for (double y : {-16.0, -4.0}) {
    Fitting(s, QPointF(96, y), 180, 8);
    Fitting(s, QPointF(416, y + 1), 0, 8);
  }
  s.Anchor("adapter", QPointF(86, -16));
  s.Fill(CirclePath(QPointF(97, 0.5), 1.8));
  s.Anchor("oring", QPointF(97, 0.5));
  Hose(s, Curve(QPointF(80, -16), QPointF(40, -16), QPointF(20, -50), QPointF(10, -110)), 6);
  Hose(s, Curve(QPointF(80, -4), QPointF(30, -4), QPointF(0, -40), QPointF(-14, -96)), 6);
  s.Anchor("hose1", QPointF(24, -58));
  Hose(s, Curve(QPointF(432, -13), QPointF(470, -13), QPointF(480, -60), QPointF(470, -120)), 6);
  Hose(s, Curve(QPointF(432, -2), QPointF(486, -2), QPointF(500, -50), QPointF(496, -112)), 6);
  s.Anchor("hose2", QPointF(482, -76));
}

// ================================================================== section 3: arm with extension

const QPointF kArmPivot(300, 250);
constexpr double kArmLen = 260;

void DrawArmAssembly(Sheet& s) {
  // Drawn a little larger than the boom, in the middle of the sheet.
  Place whole(s, QPointF(-41, 17), 0, 1.12);
  const QPointF boomRoot = kArmPivot - QPointF(kBoomLen * std::cos(13 * kDeg), -kBoomLen * std::sin(13 * kDeg));
  s.p().save();
  s.p().setClipRect(QRectF(90, 80, 600, 318));
  s.SetGhost(true);
  {
    Place pl(s, boomRoot, kBoomAngle);
    Boom(s, kBoomLen, "g.");
  }
  s.SetGhost(false);
  s.p().restore();
  const QPointF lug = Rotated(boomRoot, kBoomAngle, BoomArmCylinderLug());
  const QPointF bracket = kArmPivot + ArmBracket();
  CylinderShape c;
  c.dia = 28;
  c.rod = 14;
  c.eye = 11;
  c.cap = 18;
  c.head = 16;
  c.prefix = "acyl.";
  Cylinder(s, lug, bracket, c);
  {
    Place pl(s, QPointF(kArmPivot.x() + 0.38 * kArmLen, kArmPivot.y()));
    Extension(s, 250, "ext.");
  }
  {
    Place pl(s, kArmPivot);
    Arm(s, kArmLen, true, "arm.");
    // Slide pads inside the mouth (hidden) and the bolts holding them from above.
    s.Rect(QRectF(206, -21, 46, 5), Ln::Hidden);
    s.Rect(QRectF(206, 16, 46, 5), Ln::Hidden);
    s.Anchor("pad1", QPointF(236, -18.5));
    s.Anchor("pad2", QPointF(230, 18.5));
  }
  for (double x : {515.0, 540.0}) {
    BoltHeadSide(s, QPointF(x, 229), 7, 90);
    Washer(s, QPointF(x, 228), 5.5, 90);
  }
  s.Anchor("bolt", QPointF(512, 223));
  s.Anchor("washer", QPointF(545, 228));
  const QPointF head = QPointF(kArmPivot.x() + 0.38 * kArmLen + 258, kArmPivot.y() + 24);
  PinAt(s, "pin3", head, 5.7, false, 0);
  s.Circle(head, 8.5, Ln::Thin);
  s.Anchor("ring", head + QPointF(0, 8.5));
  PinAt(s, "pin1", bracket, 7.4, true, 200);
  PinAt(s, "pin2", lug, 6.5, true, 120);
  PinEnd(s, kArmPivot, 10.9, true, 60);
  s.Anchor("bush", Polar(kArmPivot, 11.5, 230));
  GreaseNipple(s, bracket + QPointF(0, -17), -90, 0.8);
  s.Anchor("grease", bracket + QPointF(0, -26));
}

// ================================================================== section 4: control post

void DrawControlPost(Sheet& s) {
  ValveBank(s, QPointF(312, 286), 6, 0.8, false, "vb.");
  {
    Place pl(s, QPointF(400, 440), 0, 0.95);
    PostFrame(s, "frame.");
  }
  // Lever block on the top plate with its six levers.
  const QRectF bracket(345, 211, 130, 14);
  s.WhiteRect(bracket);
  s.Rect(bracket);
  s.Axis(QPointF(345, 218), QPointF(475, 218), 6);
  s.Anchor("mech", QPointF(350, 221));
  for (int i = 0; i < 6; ++i) {
    const double x = 312 + (44 + 13 + 26 * i) * 0.8;
    Lever(s, QPointF(x, 216), 58, i % 2 ? 4 : -4, 8);
  }
  s.Anchor("knob", QPointF(357.6 - 4.5, 150.5));
  // Valve guard, gauge, emergency button, the plate of lever symbols.
  const QRectF guard(304, 318, 200, 34);
  s.WhiteRect(guard);
  s.Rect(guard);
  for (double x = 316; x < 496; x += 20) s.Rect(QRectF(x, 326, 10, 18), Ln::Thin);
  ScrewHead(s, QPointF(310, 335), 2.5);
  ScrewHead(s, QPointF(498, 335), 2.5);
  s.Anchor("guard", QPointF(326, 335));
  s.Anchor("nut", QPointF(498, 337));
  s.Anchor("valve", QPointF(420, 270));
  s.Line(QPointF(524, 200), QPointF(532, 200));
  Gauge(s, QPointF(548, 200), 17);
  s.Anchor("gauge", QPointF(540, 210));
  const QRectF box(290, 214, 18, 11);
  s.WhiteRect(box);
  s.Rect(box);
  QPainterPath dome;
  dome.moveTo(286, 214);
  dome.cubicTo(QPointF(288, 200), QPointF(310, 200), QPointF(312, 214));
  dome.closeSubpath();
  s.White(dome);
  s.Stroke(dome);
  s.Anchor("button", QPointF(299, 207));
  s.Line(QPointF(512, 206), QPointF(512, 225));
  const QRectF sign(484, 152, 56, 54);
  s.WhiteRect(sign);
  s.Rect(sign);
  for (int i = 0; i < 6; ++i) {
    const double y = 158 + i * 8;
    s.Line(QPointF(490, y + 3), QPointF(500, y + 3), Ln::Thin);
    s.Arrow(QPointF(502, y + 3), QPointF(496, y + 3));
    s.Line(QPointF(508, y + 3), QPointF(534, y + 3), Ln::Thin);
  }
  s.Anchor("sign", QPointF(530, 190));
  for (double x : {322.0, 478.0}) BoltHeadSide(s, QPointF(x, 225), 6, 90);
  s.Anchor("bolt", QPointF(322, 221));
  Washer(s, QPointF(478, 224.5), 5, 90);
  s.Anchor("washer", QPointF(482, 224));
  const QRectF mat(262, 434, 276, 5);
  RubberBlock(s, mat);
  s.Anchor("mat", QPointF(500, 436));
}

void DrawLeverMechanism(Sheet& s) {
  QPainterPath plate = RectPath(QRectF(180, 236, 420, 12)).subtracted(RectPath(QRectF(326, 235, 26, 14)));
  s.Hatch(plate);
  s.Stroke(plate);
  // The valve below (not part of the mechanism).
  s.SetGhost(true);
  s.Rect(QRectF(300, 412, 140, 58));
  s.Rect(QRectF(352, 402, 16, 10));
  s.SetGhost(false);
  QPolygonF bracket;
  bracket << QPointF(288, 236) << QPointF(288, 216) << QPointF(306, 196) << QPointF(330, 196) << QPointF(348, 216)
          << QPointF(348, 236);
  s.White(PolyPath(bracket));
  s.Poly(bracket, Ln::Main, true);
  s.Anchor("bracket", QPointF(296, 228));
  const QPointF P(318, 212), Q(362, 290), R(362, 404);
  // Lever with its crank below the pivot.
  QPainterPath crank;
  crank.moveTo(P + QPointF(-6, 3));
  crank.lineTo(Q + QPointF(-7, 0));
  crank.lineTo(Q + QPointF(7, 0));
  crank.lineTo(P + QPointF(6, -3));
  crank.closeSubpath();
  crank = crank.united(CirclePath(Q, 9)).united(CirclePath(P, 13)).simplified();
  s.White(crank);
  s.Stroke(crank);
  Lever(s, P, 98, -8, 10);
  s.Anchor("lever", Rotated(P, -8, QPointF(0, -60)));
  // Link rod, return spring, the nut locking the fork.
  s.WhiteRect(QRectF(358, 290, 8, 104));
  s.Rect(QRectF(358, 290, 8, 104));
  s.Anchor("rod", QPointF(364, 306));
  Spring(s, QPointF(362, 318), QPointF(362, 372), 10, 6);
  s.Anchor("spring", QPointF(370, 356));
  Nut(s, QPointF(362, 383), 8, 90);
  s.Anchor("nut", QPointF(369, 383));
  QPainterPath fork = RectPath(QRectF(350, 388, 24, 24)).united(CirclePath(R, 12)).simplified();
  s.White(fork);
  s.Stroke(fork);
  s.Anchor("fork", QPointF(352, 398));
  PinAt(s, "pin", R, 5.5, false, 0);
  s.Arc(R + QPointF(9, 0), 3.5, 90, 180, Ln::Main);
  s.Line(R + QPointF(9, -3.5), R + QPointF(20, -3.5));
  s.Line(R + QPointF(9, 3.5), R + QPointF(18, 3.5));
  s.Anchor("cotter", R + QPointF(17, -3.5));
  PinEnd(s, Q, 5.5, false);
  s.Circle(Q, 8, Ln::Main);
  s.Anchor("washer", Q + QPointF(-6.5, 4));
  // Axle of the lever in its bushing, with the retaining ring.
  s.Circle(P, 10.5, Ln::Thin);
  s.Circle(P, 8);
  s.Circle(P, 5.5);
  s.Centre(P, 13);
  s.Anchor("axle", P + QPointF(-3, 3));
  s.Anchor("bush", P + QPointF(5, 4.6));
  s.Anchor("circlip", P + QPointF(10.5, 0));
}

void DrawLeverBlock(Sheet& s) {
  s.Hatch(RectPath(QRectF(170, 300, 460, 12)));
  s.Rect(QRectF(170, 300, 460, 12));
  for (double x : {220.0, 580.0}) {
    s.Rect(QRectF(x - 8, 270, 16, 30));
  }
  s.Rect(QRectF(212, 280, 376, 10));
  s.Axis(QPointF(212, 285), QPointF(588, 285), 8);
  for (int i = 0; i < 6; ++i) {
    const double x = 260 + i * 56;
    Lever(s, QPointF(x, 285), 120, 0, 12);
    s.Rect(QRectF(x - 4, 312, 8, 120));
    s.Rect(QRectF(x - 9, 428, 18, 14));
  }
  s.Dim(QPointF(260, 450), QPointF(316, 450), -14, QStringLiteral("140"));
  s.Dim(QPointF(620, 300), QPointF(620, 130), 0, QStringLiteral("620"));
  Requirements(s, {QStringLiteral("1. Усилие на рукоятке рычага — не более 60 Н."),
                   QStringLiteral("2. Рычаги должны возвращаться в нейтраль пружинами.")});
}

// ================================================================== section 5: hydraulics

void DrawHydraulics(Sheet& s) {
  {
    Place pl(s, QPointF(150, 150), 0, 0.85);
    TankBody(s, "tank.");
  }
  s.Rect(QRectF(183, 128, 46, 8));
  // Tank bracket and its bolts.
  s.WhiteRect(QRectF(144, 303, 250, 8));
  s.Rect(QRectF(144, 303, 250, 8));
  s.Rect(QRectF(144, 311, 8, 34));
  s.Rect(QRectF(386, 311, 8, 34));
  s.Anchor("bracket", QPointF(148, 330));
  BoltHeadSide(s, QPointF(175, 303), 7, 90);
  BoltHeadSide(s, QPointF(363, 303), 7, 90);
  s.Anchor("bolt", QPointF(175, 299));
  s.Anchor("washer", QPointF(367, 300));
  FilterBody(s, QPointF(450, 150), 0.8);
  Tube(s, {QPointF(392, 163.6), QPointF(366, 163.6), QPointF(366, 150)}, 6, 8);
  // Suction through the ball valve to the pump, driven by the power take-off.
  s.WhiteRect(QRectF(186, 318, 28, 18));
  s.Rect(QRectF(186, 318, 28, 18));
  s.Rect(QRectF(182, 322, 4, 10));
  s.Rect(QRectF(214, 322, 4, 10));
  s.Rect(QRectF(196, 308, 6, 10));
  s.Rect(QRectF(196, 304, 44, 5));
  s.Anchor("valve", QPointF(206, 330));
  Tube(s, {QPointF(200, 303), QPointF(200, 318)}, 10, 4);
  s.WhiteRect(QRectF(240, 370, 80, 62));
  s.Rect(QRectF(240, 370, 80, 62));
  s.Rect(QRectF(232, 378, 8, 46));
  s.Rect(QRectF(262, 356, 30, 14));
  s.Anchor("pto", QPointF(250, 404));
  Pump(s, QPointF(330, 402), 0.8);
  Hose(s, Curve(QPointF(200, 342), QPointF(200, 380), QPointF(170, 452), QPointF(260, 452)), 12, false);
  Hose(s, Curve(QPointF(260, 452), QPointF(330, 452), QPointF(375, 440), QPointF(375, 412)), 12);
  s.Rect(QRectF(204, 428, 20, 8));
  s.Rect(QRectF(210, 436, 8, 5));
  s.Anchor("clamp", QPointF(214, 432));
  // Pressure to the valve bank, return from it through the filter.
  Hose(s, Curve(QPointF(414, 378), QPointF(470, 300), QPointF(560, 300), QPointF(650, 280)), 9);
  s.Anchor("hoses", QPointF(520, 304));
  Hose(s, Curve(QPointF(512, 163.6), QPointF(560, 163.6), QPointF(600, 180), QPointF(650, 180)), 9);
  s.Text(QPointF(654, 285), QStringLiteral("к гидрораспр."), 12);
  s.Text(QPointF(654, 186), QStringLiteral("от гидрораспр."), 12);
  // Electrical: fuse box and the cable to the power take-off's valve.
  const QRectF fuse(560, 380, 60, 36);
  s.WhiteRect(fuse);
  s.Rect(fuse);
  for (int i = 0; i < 4; ++i) s.Rect(QRectF(566 + i * 13, 388, 8, 20), Ln::Thin);
  QPainterPath cable = Curve(QPointF(560, 404), QPointF(500, 404), QPointF(480, 352), QPointF(440, 352));
  cable.cubicTo(QPointF(380, 352), QPointF(330, 340), QPointF(292, 362));
  s.p().setPen(QPen(QColor(22, 22, 22), 1.6));
  s.p().setBrush(Qt::NoBrush);
  s.p().drawPath(cable);
  s.Anchor("electric", QPointF(590, 398));
  s.Anchor("pump", QPointF(405, 420));
}

void DrawTankAssembly(Sheet& s, bool dims) {
  {
    Place pl(s, QPointF(200, 190), 0, 1.3);
    TankBody(s, "tank.");
  }
  // Filler: the cap, its gasket and the strainer down the neck.
  s.Fill(RectPath(QRectF(252, 164, 68, 3)));
  s.Anchor("gasket", QPointF(318, 165.5));
  QPainterPath cap = RoundedPath(QRectF(248, 146, 76, 18), 4);
  s.White(cap);
  s.Stroke(cap);
  for (double x = 256; x < 320; x += 8) s.Line(QPointF(x, 149), QPointF(x, 161), Ln::Thin);
  s.Anchor("cap", QPointF(262, 155));
  QPolygonF strainer;
  strainer << QPointF(262, 192) << QPointF(266, 260) << QPointF(306, 260) << QPointF(310, 192);
  s.Poly(strainer, Ln::Hidden);
  s.Anchor("strainer", QPointF(286, 260));
  // Breather, level gauge, drain plug.
  QPainterPath dome;
  dome.moveTo(384, 190);
  dome.cubicTo(QPointF(384, 164), QPointF(416, 164), QPointF(416, 190));
  dome.closeSubpath();
  s.White(dome);
  s.Stroke(dome);
  for (double x = 390; x < 412; x += 6) s.Line(QPointF(x, 182), QPointF(x, 189), Ln::Thin);
  s.Anchor("breather", QPointF(408, 176));
  const QPainterPath gauge = RoundedPath(QRectF(520, 248, 22, 104), 6);
  s.White(gauge);
  s.Stroke(gauge);
  s.Rect(QRectF(526, 262, 10, 76));
  ScrewHead(s, QPointF(531, 254), 3);
  ScrewHead(s, QPointF(531, 346), 3);
  s.Anchor("gauge", QPointF(531, 300));
  Hexagon(s, QPointF(240, 417), 14, 90);
  s.Rect(QRectF(236, 411, 8, 6));
  s.Anchor("plug", QPointF(246, 420));
  // Cleaning hatch on the front: cover, gasket under it, bolts round it.
  const QRectF cover(300, 270, 120, 80);
  s.Fill(RectPath(cover.adjusted(-3, -3, 3, 3)));
  s.WhiteRect(cover);
  s.Rect(cover);
  for (int i = 0; i < 4; ++i) {
    ScrewHead(s, QPointF(310 + i * 33.3, 278), 3);
    ScrewHead(s, QPointF(310 + i * 33.3, 342), 3);
  }
  s.Anchor("cover", QPointF(360, 310));
  s.Anchor("hatchgasket", QPointF(420, 352));
  s.Anchor("bolt", QPointF(310, 342));
  s.Anchor("washer", QPointF(410, 278));
  if (dims) {
    s.Dim(QPointF(200, 424), QPointF(564, 424), -24, QStringLiteral("700"));
    s.Dim(QPointF(564, 190), QPointF(564, 411), -40, QStringLiteral("420"));
    s.Text(QPointF(200, 132), QStringLiteral("Вместимость 120 л"), 13);
  }
}

void DrawElectrics(Sheet& s) {
  QPainterPath trunk = Curve(QPointF(140, 300), QPointF(300, 270), QPointF(480, 330), QPointF(660, 300));
  Hose(s, trunk, 8, false);
  s.Anchor("harness", trunk.pointAtPercent(0.55));
  auto branch = [&](double t, QPointF to) {
    const QPointF from = trunk.pointAtPercent(t);
    Hose(s, Curve(from, from + (to - from) * 0.3 + QPointF(0, 0), to - (to - from) * 0.3, to), 4, false);
  };
  branch(0.1, QPointF(170, 206));
  branch(0.32, QPointF(310, 170));
  branch(0.5, QPointF(440, 170));
  branch(0.7, QPointF(560, 200));
  branch(0.62, QPointF(430, 400));
  branch(0.9, QPointF(580, 400));
  branch(0.25, QPointF(250, 400));
  Lamp(s, QPointF(150, 160), 0.9);
  s.Anchor("lamp", QPointF(170, 150));
  s.WhiteRect(QRectF(296, 146, 28, 24));
  s.Rect(QRectF(296, 146, 28, 24));
  s.Rect(QRectF(307, 132, 6, 14));
  s.Anchor("switch", QPointF(310, 138));
  const QRectF fuse(410, 126, 70, 44);
  s.WhiteRect(fuse);
  s.Rect(fuse);
  for (int i = 0; i < 5; ++i) s.Rect(QRectF(416 + i * 12.5, 134, 8, 26), Ln::Thin);
  s.Anchor("fuse", QPointF(470, 150));
  {
    Place pl(s, QPointF(560, 200), -90, 0.7);
    s.Rect(QRectF(0, -10, 22, 20));
    s.Rect(QRectF(22, -15, 12, 30));
    s.Rect(QRectF(34, -13, 46, 26));
  }
  s.Anchor("sensor", QPointF(560, 160));
  s.WhiteRect(QRectF(410, 400, 44, 20));
  s.Rect(QRectF(410, 400, 44, 20));
  s.Rect(QRectF(420, 384, 24, 16));
  s.Anchor("solenoid", QPointF(440, 412));
  s.Circle(QPointF(580, 412), 22);
  s.Circle(QPointF(580, 412), 7);
  s.Circle(QPointF(580, 412), 18, Ln::Thin);
  s.Anchor("horn", QPointF(596, 412));
  s.Rect(QRectF(118, 290, 22, 20));
  s.Rect(QRectF(112, 294, 6, 12), Ln::Thin);
  s.Anchor("connector", QPointF(124, 306));
  // Earth lead to the frame.
  s.Line(QPointF(250, 400), QPointF(250, 430));
  for (int i = 0; i < 3; ++i) s.Line(QPointF(240 + i * 3, 430 + i * 4), QPointF(260 - i * 3, 430 + i * 4));
  s.Circle(QPointF(250, 400), 4);
  s.Anchor("ground", QPointF(250, 415));
}

void DrawHoses(Sheet& s) {
  s.SetGhost(true);
  s.Rect(QRectF(130, 130, 130, 100));
  s.Rect(QRectF(300, 380, 90, 50));
  s.Rect(QRectF(520, 150, 140, 80));
  s.Rect(QRectF(300, 140, 40, 70));
  s.Circle(QPointF(470, 300), 18);
  s.SetGhost(false);
  s.Text(QPointF(195, 184), QStringLiteral("бак"), 12, Qt::AlignHCenter | Qt::AlignBaseline);
  s.Text(QPointF(345, 410), QStringLiteral("насос"), 12, Qt::AlignHCenter | Qt::AlignBaseline);
  s.Text(QPointF(590, 194), QStringLiteral("распределитель"), 12, Qt::AlignHCenter | Qt::AlignBaseline);
  Hose(s, Curve(QPointF(180, 246), QPointF(180, 330), QPointF(240, 405), QPointF(282, 405)), 14);
  s.Rect(QRectF(174, 234, 12, 10));
  s.Anchor("suction", QPointF(212, 372));
  s.Rect(QRectF(236, 396, 6, 18));
  s.Anchor("clamp", QPointF(239, 414));
  Hose(s, Curve(QPointF(372, 366), QPointF(400, 300), QPointF(520, 300), QPointF(540, 246)), 9);
  s.Anchor("pressure", QPointF(430, 305));
  Hose(s, Curve(QPointF(600, 140), QPointF(570, 114), QPointF(400, 114), QPointF(330, 130)), 9);
  s.Anchor("return", QPointF(470, 119));
  Hose(s, Curve(QPointF(640, 246), QPointF(660, 330), QPointF(560, 360), QPointF(470, 336)), 7);
  s.Anchor("gaugeline", QPointF(620, 338));
  Hose(s, Curve(QPointF(520, 196), QPointF(420, 220), QPointF(300, 250), QPointF(262, 212)), 7);
  s.Anchor("drain", QPointF(360, 234));
  Tube(s, {QPointF(320, 210), QPointF(320, 236), QPointF(270, 236), QPointF(270, 176)}, 6, 10);
  s.Anchor("tube", QPointF(290, 236));
  Fitting(s, QPointF(372, 378), -90, 9);
  s.Anchor("adapter", QPointF(378, 372));
  s.Fill(CirclePath(QPointF(540, 233), 2));
  s.Anchor("oring", QPointF(540, 233));
  Hexagon(s, QPointF(640, 236), 12, 0);
  s.Anchor("union", QPointF(646, 236));
}

// ================================================================== section 7: grab

void DrawGrab(Sheet& s) {
  const double k = 0.92;
  const QPointF o(390, 300);
  // The extension's head above (part of the arm section).
  s.SetGhost(true);
  s.Rect(QRectF(330, 100, 47, 28));
  s.Circle(QPointF(390, 114), 13);
  s.SetGhost(false);
  // Hanger link and the rotator under it.
  QPainterPath link = RoundedPath(QRectF(378, 102, 24, 52), 12);
  s.White(link);
  s.Stroke(link);
  PinEnd(s, QPointF(390, 114), 5.5, false);
  PinEnd(s, QPointF(390, 142), 5.5, false);
  s.Anchor("hanger", QPointF(384, 128));
  const QRectF top(366, 150, 48, 8), body(372, 158, 36, 28), bottom(362, 186, 56, 8);
  for (const QRectF& r : {top, body, bottom}) {
    s.WhiteRect(r);
    s.Rect(r);
  }
  s.Line(QPointF(380, 158), QPointF(380, 186), Ln::Thin);
  Hose(s, Curve(QPointF(382, 150), QPointF(380, 136), QPointF(360, 136), QPointF(348, 128)), 4, false);
  Hose(s, Curve(QPointF(398, 150), QPointF(402, 136), QPointF(420, 136), QPointF(432, 128)), 4, false);
  s.Anchor("rotator", QPointF(400, 172));
  s.Line(QPointF(376, 194), QPointF(376, 204));
  s.Line(QPointF(404, 194), QPointF(404, 204));
  // Jaws, the cylinder between their arms, the body in front.
  {
    Place pl(s, o, 0, k);
    Jaw(s, false, "jl.");
    Jaw(s, true, "jr.");
  }
  const QPointF armL = o + JawArm(false) * k, armR = o + JawArm(true) * k;
  CylinderShape c;
  c.dia = 18;
  c.rod = 9;
  c.eye = 8;
  c.cap = 12;
  c.head = 10;
  c.barrel = 50;
  c.ports = false;
  c.prefix = "gcyl.";
  Cylinder(s, armL, armR, c);
  {
    Place pl(s, o, 0, k);
    GrabBody(s, "body.");
  }
  PinAt(s, "pin3", QPointF(390, o.y() - 104 * k), 5.2, false, 0);
  PinAt(s, "pin1", o + QPointF(-26, 0) * k, 5.9, false, 0);
  PinEnd(s, o + QPointF(26, 0) * k, 5.9, false);
  s.Anchor("bush", o + QPointF(26, 0) * k + QPointF(5.2, 4));
  PinAt(s, "pin2", armL, 3.6, false, 0);
  PinEnd(s, armR, 3.6, false);
  s.Circle(armR, 5.2, Ln::Thin);
  s.Anchor("ring", armR + QPointF(0, 5.2));
  // Knives bolted on the lips of the jaws.
  for (double m : {-1.0, 1.0}) {
    QPolygonF knife;
    knife << o + QPointF(m * 54, 184) * k << o + QPointF(m * 70, 198) * k << o + QPointF(m * 62, 204) * k
          << o + QPointF(m * 46, 190) * k;
    s.White(PolyPath(knife));
    s.Poly(knife, Ln::Main, true);
    s.Circle(o + QPointF(m * 58, 192) * k, 1.8);
  }
  s.Anchor("knife", o + QPointF(-60, 196) * k);
  s.Anchor("bolt", o + QPointF(58, 192) * k);
  GreaseNipple(s, o + QPointF(0, -20) * k, -90, 0.7);
  s.Anchor("grease", o + QPointF(0, -20) * k + QPointF(0, -8));
}

void DrawHangerSide(Sheet& s) {
  s.SetGhost(true);
  s.Rect(QRectF(370, 104, 60, 56));
  s.Rect(QRectF(380, 300, 40, 60));
  s.SetGhost(false);
  for (double x : {348.0, 440.0}) {
    QPainterPath link = RoundedPath(QRectF(x, 120, 12, 220), 5);
    s.White(link);
    s.Stroke(link);
  }
  s.Anchor("link", QPointF(354, 240));
  for (double y : {140.0, 320.0}) {
    s.WhiteRect(QRectF(318, y - 7, 170, 14));
    s.Rect(QRectF(318, y - 7, 170, 14));
    s.Rect(QRectF(310, y - 11, 8, 22));
    s.Axis(QPointF(306, y), QPointF(500, y), 6);
    for (double x : {362.0, 432.0}) {
      const QRectF disc(x, y - 20, 6, 40);
      s.WhiteRect(disc);
      s.HatchRect(disc, false, 2.5);
      s.Rect(disc);
    }
    for (int i = 0; i < 3; ++i) {
      const double x = 322 + i * 8;
      s.Poly(QPolygonF({QPointF(x, y - 18), QPointF(x + 5, y - 8), QPointF(x + 5, y + 8), QPointF(x, y + 18)}),
             Ln::Main);
    }
    Washer(s, QPointF(454, y), 8, 0);
    Nut(s, QPointF(466, y), 12, 0);
    s.Rect(QRectF(472, y - 8, 8, 16));
  }
  s.Anchor("axle", QPointF(400, 327));
  s.Anchor("disc", QPointF(365, 124));
  s.Anchor("spring", QPointF(334, 130));
  s.Anchor("nut", QPointF(468, 131));
  s.Arc(QPointF(484, 140), 4, -90, 180);
  s.Anchor("cotter", QPointF(488, 140));
  s.Anchor("washer", QPointF(455, 310));
  for (double y : {140.0, 320.0}) {
    s.HatchRect(QRectF(348, y - 10, 12, 3), true, 2);
    s.HatchRect(QRectF(348, y + 7, 12, 3), true, 2);
  }
  s.Anchor("bush", QPointF(354, 328.5));
}

void DrawHangerFront(Sheet& s) {
  Place pl(s, QPointF(400, 150), 0, 1.6);
  QPainterPath link = RoundedPath(QRectF(-20, -20, 40, 170), 20);
  s.Stroke(link);
  for (double y : {0.0, 130.0}) {
    s.Circle(QPointF(0, y), 10);
    Hexagon(s, QPointF(0, y), 16, 0);
    s.Centre(QPointF(0, y), 22);
  }
  s.Dim(QPointF(0, 0), QPointF(0, 130), -40, QStringLiteral("360"));
  s.Dim(QPointF(-20, 150), QPointF(20, 150), -14, QStringLiteral("110"));
}

void DrawRotator(Sheet& s, bool section) {
  Place pl(s, QPointF(400, 280), 0, 1.0);
  if (section) {
    QPainterPath housing = RectPath(QRectF(-90, -110, 180, 220)).subtracted(RectPath(QRectF(-60, -100, 120, 200)));
    s.Hatch(housing);
    s.Stroke(housing);
    QPainterPath cover = RectPath(QRectF(-96, -124, 192, 14)).subtracted(RectPath(QRectF(-30, -125, 60, 16)));
    s.Hatch(cover, true);
    s.Stroke(cover);
    s.Anchor("cover", QPointF(-70, -117));
    QPainterPath shaft;
    shaft.addRect(QRectF(-28, -150, 56, 280));
    shaft.addRect(QRectF(-100, 110, 200, 16));
    shaft = Merged(shaft);
    s.White(shaft);
    s.Stroke(shaft);
    s.Line(QPointF(-28, 110), QPointF(28, 110));
    s.Anchor("shaft", QPointF(10, 0));
    s.Rect(QRectF(-60, -60, 32, 120), Ln::Thin);
    s.Rect(QRectF(28, -60, 32, 120), Ln::Thin);
    for (double y : {-84.0, 84.0}) {
      for (double sign : {-1.0, 1.0}) {
        const QRectF race(sign < 0 ? -60 : 28, y - 10, 32, 20);
        s.WhiteRect(race);
        s.HatchRect(QRectF(race.x(), race.y(), 32, 5), sign > 0, 2.5);
        s.HatchRect(QRectF(race.x(), race.y() + 15, 32, 5), sign < 0, 2.5);
        s.Rect(race);
        s.Circle(QPointF(race.center().x(), y), 6);
      }
    }
    s.Anchor("bearing", QPointF(-44, -84));
    for (double y : {-100.0, 98.0}) {
      s.Fill(RectPath(QRectF(-60, y, 32, 3)));
      s.Fill(RectPath(QRectF(28, y, 32, 3)));
    }
    s.Anchor("seals", QPointF(44, 99.5));
    s.Fill(CirclePath(QPointF(-90, 112), 2.5));
    s.Anchor("oring", QPointF(-90, 112));
    for (double x : {-80.0, 80.0}) BoltHeadSide(s, QPointF(x, 126), 8, -90);
    s.Anchor("bolt", QPointF(80, 133));
    for (double y : {-60.0, -20.0}) Fitting(s, QPointF(-90, y), 180, 10);
    s.Anchor("housing", QPointF(75, 0));
    s.Axis(QPointF(0, -150), QPointF(0, 130), 8);
    s.SetGhost(true);
    s.Rect(QRectF(-16, -176, 32, 26));
    s.SetGhost(false);
  } else {
    s.Rect(QRectF(-90, -110, 180, 220));
    s.Rect(QRectF(-96, -124, 192, 14));
    s.Rect(QRectF(-100, 110, 200, 16));
    s.Rect(QRectF(-16, -150, 32, 26));
    s.Circle(QPointF(0, -137), 7);
    for (double y : {-60.0, -20.0}) Fitting(s, QPointF(-90, y), 180, 10);
    s.Axis(QPointF(0, -150), QPointF(0, 126), 8);
    s.Dim(QPointF(-100, 126), QPointF(100, 126), -24, QStringLiteral("Ø250"));
    s.Dim(QPointF(100, -150), QPointF(100, 126), -40, QStringLiteral("345"));
    s.Text(QPointF(-260, -120), QStringLiteral("Момент 4,5 кН·м"), 13);
    s.Text(QPointF(-260, -102), QStringLiteral("Давление 16 МПа"), 13);
  }
}

// ================================================================== the spare parts sheet

void DrawSparePartsSheet(Sheet& s) {
  s.Text(QPointF(400, 128), QStringLiteral("КОМПЛЕКТ ЗАПАСНЫХ ЧАСТЕЙ"), 20, Qt::AlignHCenter | Qt::AlignBaseline, true,
         true);
  const double cw = 172, ch = 100, x0 = 50, y0 = 148;
  auto cell = [&](int col, int row) { return QPointF(x0 + col * cw + cw / 2, y0 + row * ch + ch / 2 - 8); };
  auto caption = [&](int col, int row, const QString& t) {
    s.Text(cell(col, row) + QPointF(0, 44), t, 12, Qt::AlignHCenter | Qt::AlignBaseline);
  };
  {
    const QPointF c = cell(0, 0);
    for (int i = 0; i < 3; ++i) {
      s.Circle(c + QPointF(-40 + i * 38, 0), 24 - i * 3);
      s.Circle(c + QPointF(-40 + i * 38, 0), 17 - i * 3);
    }
    caption(0, 0, QStringLiteral("Уплотнения гидроцилиндров"));
  }
  {
    Place pl(s, cell(1, 0) + QPointF(-28, -30), 0, 0.34);
    s.Rect(QRectF(-40, 0, 80, 10));
    s.Rect(QRectF(-40, 160, 80, 10));
    s.Rect(QRectF(-34, 10, 68, 150));
    for (double x = -30; x <= 30; x += 6) s.Line(QPointF(x, 10), QPointF(x, 160), Ln::Thin);
  }
  {
    Place pl(s, cell(1, 0) + QPointF(28, -30), 0, 0.34);
    s.Rect(QRectF(-40, 0, 80, 10));
    s.Rect(QRectF(-40, 160, 80, 10));
    s.Rect(QRectF(-34, 10, 68, 150));
    for (double x = -30; x <= 30; x += 6) s.Line(QPointF(x, 10), QPointF(x, 160), Ln::Thin);
  }
  caption(1, 0, QStringLiteral("Фильтроэлементы"));
  Hose(s,
       Curve(cell(2, 0) + QPointF(-60, 10), cell(2, 0) + QPointF(-20, -40), cell(2, 0) + QPointF(20, 40),
             cell(2, 0) + QPointF(60, -10)),
       7);
  caption(2, 0, QStringLiteral("Рукава высокого давления"));
  {
    Place pl(s, cell(3, 0) + QPointF(-55, -12), 0, 0.9);
    Revolved(s, {{8, 16}, {110, 12}, {4, 10}}, false);
  }
  {
    Place pl(s, cell(3, 0) + QPointF(-45, 22), 0, 0.9);
    Revolved(s, {{96, 9}, {4, 7.5}}, false);
  }
  caption(3, 0, QStringLiteral("Пальцы"));
  {
    Place pl(s, cell(0, 1) + QPointF(-60, 0), 0, 1);
    Revolved(s, {{36, 20, 14}}, true, true);
  }
  {
    Place pl(s, cell(0, 1) + QPointF(10, 0), 0, 1);
    Revolved(s, {{6, 24, 14}, {40, 19, 14}}, true, true, true);
  }
  caption(0, 1, QStringLiteral("Втулки"));
  {
    Place pl(s, cell(1, 1) + QPointF(-50, -14), 0, 1.6);
    BoltSide(s, 10, 30);
  }
  {
    Place pl(s, cell(1, 1) + QPointF(24, -14), 0, 1.6);
    NutSide(s, 10);
  }
  {
    Place pl(s, cell(1, 1) + QPointF(50, -14), 0, 1.6);
    WasherSide(s, 10, 2.5, true);
  }
  for (int i = 0; i < 3; ++i) GreaseNipple(s, cell(1, 1) + QPointF(-30 + i * 28, 18), -90, 1.1);
  caption(1, 1, QStringLiteral("Крепеж и масленки"));
  {
    const QPointF c = cell(2, 1);
    HolePlate(s, QRectF(c.x() - 70, c.y() - 24, 64, 48), 4, {c + QPointF(-54, -10), c + QPointF(-22, 10)}, 4);
    HolePlate(s, QRectF(c.x() + 6, c.y() - 24, 64, 48), 4, {c + QPointF(22, -10), c + QPointF(54, 10)}, 4);
  }
  caption(2, 1, QStringLiteral("Плиты скольжения"));
  {
    const QPointF c = cell(3, 1);
    s.Circle(c, 34);
    s.Circle(c, 20);
    s.Circle(c, 27, Ln::Thin);
    for (int i = 0; i < 12; ++i) s.Circle(Polar(c, 27, i * 30), 4.5);
    s.Centre(c, 38);
  }
  caption(3, 1, QStringLiteral("Подшипники"));
  {
    const QPointF c = cell(0, 2);
    QPolygonF knife;
    knife << c + QPointF(-70, -10) << c + QPointF(70, -10) << c + QPointF(60, 14) << c + QPointF(-60, 14);
    s.Poly(knife, Ln::Main, true);
    for (int i = 0; i < 4; ++i) s.Circle(c + QPointF(-45 + i * 30, 0), 3.5);
  }
  caption(0, 2, QStringLiteral("Ножи челюстей"));
  Lamp(s, cell(1, 2) + QPointF(-30, -16), 0.8);
  {
    const QPointF c = cell(1, 2) + QPointF(40, -6);
    s.Rect(QRectF(c.x() - 14, c.y() - 10, 28, 20));
    s.Rect(QRectF(c.x() - 10, c.y() - 6, 8, 12), Ln::Thin);
    s.Rect(QRectF(c.x() + 2, c.y() - 6, 8, 12), Ln::Thin);
  }
  caption(1, 2, QStringLiteral("Электрооборудование"));
  for (int i = 0; i < 3; ++i) {
    QPainterPath ball;
    ball.addEllipse(cell(2, 2) + QPointF(-44 + i * 44, -14), 13, 15);
    s.Stroke(ball);
    s.Rect(QRectF(cell(2, 2).x() - 50 + i * 44, cell(2, 2).y() + 1, 12, 16));
  }
  caption(2, 2, QStringLiteral("Рукоятки рычагов"));
  {
    const QPointF c = cell(3, 2);
    Spring(s, c + QPointF(-60, -6), c + QPointF(0, -6), 12, 7);
    s.Circle(c + QPointF(38, -6), 22);
    s.Circle(c + QPointF(38, -6), 15);
    s.Rect(QRectF(c.x() + 34, c.y() - 30, 8, 6));
  }
  caption(3, 2, QStringLiteral("Пружины, кольца"));
  for (int i = 1; i < 4; ++i) s.Line(QPointF(x0 + i * cw, y0), QPointF(x0 + i * cw, y0 + 3 * ch), Ln::Thin);
  for (int i = 1; i < 3; ++i) s.Line(QPointF(x0, y0 + i * ch), QPointF(x0 + 4 * cw, y0 + i * ch), Ln::Thin);
  s.Rect(QRectF(x0, y0, 4 * cw, 3 * ch), Ln::Main);
}

// ================================================================== items

std::string Km(const std::string& group, int n) {
  std::string s = std::to_string(n);
  while (s.size() < 3) s = "0" + s;
  return "КМ-120." + group + "." + s;
}

NodeRef Weldment(const std::string& oboz, const std::string& naim, double mass, DrawFn draw,
                 const char* scale = "1:10") {
  return NewPart(oboz, naim, mass, -1, false, std::move(draw), QString::fromUtf8(scale), k09G2S);
}

NodeRef Pin(const std::string& oboz, double mass, double d, double len, double headD, double headLen, bool plate) {
  const double L = len + headLen;
  return NewPart(oboz, "Палец", mass, -1, true, PinPart(d, len, headD, headLen, plate, !plate),
                 ScaleFor(std::min({470.0 / (L + std::max(d, headD) + 40), 200.0 / (std::max(d, headD) + 30), 8.0})),
                 kSteel40X);
}

NodeRef Bush(const std::string& oboz, double mass, double D, double d, double len, double flD = 0, double flL = 0) {
  const double R = std::max(D, flD) / 2;
  return NewPart(oboz, "Втулка", mass, -1, true, BushPart(D, d, len, flD, flL),
                 ScaleFor(std::min({470.0 / (len + 2 * R), 220.0 / (2 * R), 8.0})), kBronze);
}

NodeRef Plate(const std::string& oboz, const std::string& naim, double mass, bool orderable, double w, double h,
              double t, std::vector<QPointF> holes, double holeD, const QString& material, bool countersunk = false,
              QString engraving = {}) {
  return NewPart(oboz, naim, mass, -1, orderable,
                 PlatePart(w, h, t, std::move(holes), holeD, 4, countersunk, engraving),
                 ScaleFor(std::min(470.0 / (w + t + 50), 250.0 / (h + 20))), material);
}

NodeRef Turned(const std::string& oboz, const std::string& naim, double mass, bool orderable, std::vector<Step> steps,
               bool section, const QString& material, QStringList notes = {}) {
  double L = StepsLength(steps), R = 0;
  for (const Step& st : steps) R = std::max(R, st.r);
  return NewPart(oboz, naim, mass, -1, orderable, TurnedPart(steps, section, notes),
                 ScaleFor(std::min({470.0 / (L + 2 * R), 220.0 / (2 * R), 8.0})), material);
}

NodeRef Bought(const std::string& oboz, const std::string& naim, double mass, int table, DrawFn draw,
               const char* scale) {
  return NewPart(oboz, naim, mass, table, true, std::move(draw), QString::fromUtf8(scale));
}

// ------------------------------------------------------------------ section 1

// U-bolt of the mounting: a bent bar with threads on both legs.
DrawFn UBoltPart() {
  return [](Sheet& s) {
    QPainterPath u;
    u.moveTo(250, 430);
    u.lineTo(250, 170);
    u.arcTo(QRectF(250, 130, 80, 80), 180, -90);
    u.lineTo(450, 130);
    u.arcTo(QRectF(410, 130, 80, 80), 90, -90);
    u.lineTo(490, 430);
    QPen pen(QColor(22, 22, 22), 14.6);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    s.p().setPen(pen);
    s.p().drawPath(u);
    pen.setColor(Qt::white);
    pen.setWidthF(11.4);
    s.p().setPen(pen);
    s.p().drawPath(u);
    for (double x : {250.0, 490.0}) {
      s.Line(QPointF(x - 6, 360), QPointF(x + 6, 360));
      s.Line(QPointF(x - 5, 360), QPointF(x - 5, 430), Ln::Thin);
      s.Line(QPointF(x + 5, 360), QPointF(x + 5, 430), Ln::Thin);
      s.Line(QPointF(x - 7, 430), QPointF(x + 7, 430));
    }
    s.Dim(QPointF(250, 430), QPointF(490, 430), -26, QStringLiteral("360"));
    s.Dim(QPointF(490, 130), QPointF(490, 430), -40, QStringLiteral("420"));
    s.Note(QPointF(255, 390), QPointF(300, 330), QStringLiteral("М24-6g, 2 конца"));
    Requirements(s, {QStringLiteral("1. Пруток 24 ГОСТ 2590-2006, сталь 40Х."),
                     QStringLiteral("2. Резьба — накатанная, покрытие Ц9.хр.")});
  };
}

NodeRef SlewingUnit() {
  // Column.
  auto column = NewComposite(
      Km("01.02", 0), "Колонна", 312, -1, false,
      [](Sheet& s) {
        DrawColumnAssembly(s, true);
        Requirements(s, {QStringLiteral("1. Втулки запрессовать, смазать Литол-24."),
                         QStringLiteral("2. Масленки установить после окраски.")});
      },
      QStringLiteral("1:10"), [](Sheet& s) { DrawColumnAssembly(s, false); }, QStringLiteral("1:10"),
      {{Weldment(Km("01.02", 100), "Колонна (сварная)", 296, ColumnPart()), "col.frame"},
       {Bush(Km("01.02", 1), 2.4, 95, 80, 90), "bush1", 2},
       {Bush(Km("01.02", 2), 1.1, 72, 60, 60), "bush2", 2},
       {StdGrease(), "grease", 2},
       {Plate(Km("01.02", 3), "Крышка", 1.6, true, 200, 260, 4, {{15, 15}, {185, 15}, {15, 245}, {185, 245}}, 9, kSt3),
        "cover"},
       {StdBolt(8, 20), "screw", 4},
       {StdSpringWasher(8), "washer", 4},
       {Plate(Km("01.02", 4), "Упор", 0.6, true, 120, 60, 40, {{30, 30}, {90, 30}}, 11, kRubber), "stop"}});
  // Slewing cylinder and mechanism.
  auto slewCylinder = NewComposite(
      Km("01.03", 100), "Гидроцилиндр поворота", 24, -1, true,
      [](Sheet& s) {
        DrawSlewCylinder(s, false);
        Requirements(s, {QStringLiteral("1. Диаметр поршня 80 мм, ход 240 мм."),
                         QStringLiteral("2. Давление номинальное 20 МПа.")});
      },
      QStringLiteral("1:2,5"), [](Sheet& s) { DrawSlewCylinder(s, true); }, QStringLiteral("1:2,5"),
      {{Turned(Km("01.03", 101), "Гильза", 9.2, true, {{14, 60, 40}, {200, 50, 40}}, true, kSteel45), "barrel"},
       {Turned(Km("01.03", 102), "Поршень", 1.9, true, {{12, 40, 12}, {16, 37, 12}, {12, 40, 12}}, true, kSteel45),
        "piston"},
       {Turned(Km("01.03", 103), "Крышка", 2.3, true, {{14, 56}, {10, 40}}, false, kSteel45), "cover"},
       {StdCuff(1, 80, 60), "cuff"},
       {StdORing(80, 90, 58), "oring"},
       {StdBolt(10, 30), "bolt", 6},
       {StdSpringWasher(10), "washer", 6}});
  auto mechanism = NewComposite(
      Km("01.03", 0), "Механизм поворота", 168, -1, true,
      [](Sheet& s) {
        DrawSlewingMechanism(s, false);
        Requirements(s, {QStringLiteral("1. Угол поворота колонны 400°."),
                         QStringLiteral("2. Полость корпуса заполнить смазкой Литол-24, 1,2 кг.")});
      },
      QStringLiteral("1:5"), [](Sheet& s) { DrawSlewingMechanism(s, true); }, QStringLiteral("1:5"),
      {{Weldment(Km("01.03", 1), "Корпус", 58, RackHousingPart(), "1:5"), "house.frame"},
       {NewPart(Km("01.03", 2), "Рейка", 21, -1, true, RackPart(600, 60, 8, 60), QStringLiteral("1:4"), kSteel40X),
        "rack"},
       {NewPart(Km("01.03", 3), "Вал-шестерня", 14, -1, true, GearPart(14, 8, 70, 45), QStringLiteral("1:2"),
                kSteel40X),
        "pinion"},
       {slewCylinder, "cylinder", 2},
       {StdBallBearing("180212", 60, 110, 22), "bearing", 2},
       {Turned(Km("01.03", 4), "Пробка", 0.12, true, {{10, 13}, {3, 9}, {14, 10}}, false, kSteel45), "plug"},
       {Plate(Km("01.03", 5), "Прокладка", 0.05, true, 150, 150, 1, {{20, 20}, {130, 20}, {20, 130}, {130, 130}}, 13,
              QStringLiteral("Паронит ПМБ-1")),
        "gasket", 2},
       {StdORing(100, 110, 58), "oring", 2},
       {StdBolt(12, 35), "bolt", 16},
       {StdSpringWasher(12), "washer", 16}});
  // Outrigger.
  auto outriggerCylinder = EyeCylinder({"КМ-120.01.04", 100, "Гидроцилиндр опоры", 42, -1, 80, 50, 500, 880, 30});
  auto outrigger = NewAssembly(
      Km("01.04", 0), "Опора выносная", 186, 6, DrawOutrigger, QStringLiteral("1:10"),
      {{Weldment(Km("01.04", 1), "Балка выдвижная", 96, OutriggerBeamPart()), "beam.frame"},
       {outriggerCylinder, "cyl.barrel"},
       {NewPart(Km("01.04", 2), "Пята", 14, -1, true, PlatePart(360, 360, 20, {{180, 180}}, 60, 30),
                QStringLiteral("1:5"), k09G2S),
        "pad"},
       {Pin(Km("01.04", 3), 1.2, 30, 120, 60, 8, true), "pin1"},
       {Pin(Km("01.04", 4), 1.1, 30, 110, 0, 0, false), "pin2"},
       {StdCirclip(30), "ring"},
       {Pin(Km("01.04", 5), 0.6, 20, 180, 0, 0, false), "fixer"},
       {NewPart(Km("01.04", 6), "Пружина", 0.08, -1, true, SpringPart(32, 3, 90, 8), QStringLiteral("1:1"),
                QStringLiteral("Проволока 65Г")),
        "spring"},
       {NewPart(Km("01.04", 7), "Рукоятка", 0.09, -1, true, KnobPart(), QStringLiteral("2:1")), "knob"},
       {Plate(Km("01.04", 8), "Плита скольжения", 0.7, true, 180, 100, 14, {{40, 50}, {140, 50}}, 11, kPolyamide, true),
        "plate", 4},
       {StdBolt(10, 30), "bolt", 8},
       {StdSpringWasher(10), "washer", 8}});
  // Mounting on the truck.
  auto mount = NewAssembly(
      Km("01.05", 0), "Установка на шасси", 64, 0, DrawChassisMount, QStringLiteral("1:4"),
      {{NewPart(Km("01.05", 1), "Стремянка", 6.8, -1, true, UBoltPart(), QStringLiteral("1:5"), kSteel40X), "ubolt", 4},
       {Plate(Km("01.05", 2), "Планка", 3.1, true, 420, 60, 16, {{30, 30}, {390, 30}}, 26, k09G2S), "planka", 4},
       {Plate(Km("01.05", 3), "Прокладка", 1.2, true, 400, 80, 5, {}, 0, QStringLiteral("Резина ТМКЩ")), "spacer", 2},
       {Plate(Km("01.05", 4), "Упор", 2.6, true, 220, 90, 12, {{50, 45}, {170, 45}}, 17, k09G2S), "upor", 2},
       {StdNut(24), "nut24", 8},
       {StdSpringWasher(24), "washer24", 8},
       {StdBolt(16, 60), "bolt16", 4},
       {StdNut(16), "nut16", 4}});
  return NewAssembly(
      Km("01.00", 0), "Основание с колонной", 1420, 1, DrawSlewingUnit, QStringLiteral("1:25"),
      {{Weldment(Km("01.01", 0), "Основание", 612, BasePart(), "1:20"), "base.frame"},
       {column, "col.frame"},
       {Bought(Km("01.00", 10), "Подшипник опорно-поворотный", 118, -1, SlewingBearingPart(), "1:10"), "ring"},
       {mechanism, "rot"},
       {outrigger, "lcyl.barrel", 2},
       {mount, "mount"},
       {StdBolt(20, 90), "bolt", 36},
       {StdSpringWasher(20), "washer", 36},
       {StdNut(20), "nut", 36},
       {StdGrease(), "grease", 4},
       {Bought("ВБ2.18М.65", "Датчик положения опоры", 0.2, 8, SensorPart(), "1:1"), "sensor", 2},
       {Plate(Km("01.00", 1), "Крышка", 2.2, true, 300, 180, 4, {{15, 15}, {285, 15}, {15, 165}, {285, 165}}, 9, kSt3),
        "cover", 2}});
}

// ------------------------------------------------------------------ section 2

NodeRef Boom() {
  auto cylinder = EyeCylinder({"КМ-120.02.02", 0, "Гидроцилиндр подъема стрелы", 96, -1, 125, 70, 720, 1180, 45, true});
  auto pipes = NewAssembly(
      Km("02.03", 0), "Трубопроводы стрелы", 22, -1, DrawBoomPipes, QStringLiteral("1:10"),
      {{NewPart(Km("02.03", 1), "Трубопровод", 3.9, -1, true, TubePart({{0, 0}, {3000, 40}}, 16),
                QStringLiteral("1:20"), QStringLiteral("Труба 16×2,5 ГОСТ 8734-75")),
        "tube1"},
       {NewPart(Km("02.03", 2), "Трубопровод", 3.8, -1, true, TubePart({{0, 0}, {2980, 30}}, 16),
                QStringLiteral("1:20"), QStringLiteral("Труба 16×2,5 ГОСТ 8734-75")),
        "tube2"},
       {Plate(Km("02.03", 3), "Колодка", 0.12, true, 60, 80, 28, {{30, 22}, {30, 58}}, 16, kPolyamide), "block", 3},
       {Plate(Km("02.03", 4), "Планка", 0.08, true, 70, 30, 4, {{35, 15}}, 9, kSt3), "planka", 3},
       {StdHose(12, 850, 0), "hose1", 2},
       {StdHose(12, 1000, 1), "hose2", 2},
       {Turned(Km("02.03", 5), "Штуцер", 0.11, true, {{12, 12, 5}, {10, 9, 5}, {16, 8, 5}}, true, kSteel45), "adapter",
        4},
       {StdORing(18, 22, 25), "oring", 8},
       {StdBolt(8, 60), "bolt", 3},
       {StdSpringWasher(8), "washer", 3}});
  return NewAssembly(
      Km("02.00", 0), "Стрела", 612, 2, DrawBoomAssembly, QStringLiteral("1:20"),
      {{Weldment(Km("02.01", 0), "Стрела (сварная)", 385, BoomPart(), "1:20"), "boom.frame"},
       {cylinder, "lift.barrel"},
       {Pin(Km("02.00", 1), 6.8, 60, 260, 100, 10, true), "pin1"},
       {Pin(Km("02.00", 2), 2.9, 45, 190, 80, 8, true), "pin2"},
       {Pin(Km("02.00", 3), 2.9, 45, 190, 80, 8, true), "pin3"},
       {Pin(Km("02.00", 4), 4.6, 50, 240, 90, 10, true), "pin4"},
       {Bush(Km("02.00", 5), 1.3, 75, 60, 60), "bush", 4},
       {Plate(Km("02.00", 6), "Планка стопорная", 0.4, true, 120, 50, 8, {{25, 25}, {95, 25}}, 13, kSt3), "plate", 4},
       {StdBolt(12, 25), "bolt", 4},
       {StdSpringWasher(12), "washer", 4},
       {StdGrease(), "grease", 4},
       {pipes, "pipes"},
       {Plate(Km("02.00", 7), "Упор", 0.5, true, 140, 50, 40, {{30, 25}, {110, 25}}, 11, kRubber), "stop", 2}},
      true);
}

// ------------------------------------------------------------------ section 3

NodeRef ArmWithExtension() {
  auto armCylinder = EyeCylinder({"КМ-120.03.03", 0, "Гидроцилиндр рукояти", 71, -1, 110, 63, 620, 1050, 40});
  auto extCylinder = EyeCylinder({"КМ-120.03.04", 0, "Гидроцилиндр удлинителя", 58, -1, 80, 50, 1200, 1650, 30});
  return NewAssembly(
      Km("03.00", 0), "Рукоять с удлинителем", 548, 3, DrawArmAssembly, QStringLiteral("1:20"),
      {{Weldment(Km("03.01", 0), "Рукоять (сварная)", 292, ArmPart(), "1:20"), "arm.frame"},
       {Weldment(Km("03.02", 0), "Удлинитель (сварной)", 158, ExtensionPart(), "1:20"), "ext.frame"},
       {armCylinder, "acyl.barrel"},
       {extCylinder, "arm.inner"},
       {Pin(Km("03.00", 1), 2.4, 40, 180, 70, 8, true), "pin1"},
       {Pin(Km("03.00", 2), 2.4, 40, 180, 70, 8, true), "pin2"},
       {Pin(Km("03.00", 3), 1.6, 35, 160, 0, 0, false), "pin3"},
       {Bush(Km("03.00", 4), 1.2, 70, 55, 60), "bush", 4},
       {Plate(Km("03.00", 5), "Плита скольжения", 0.9, true, 240, 90, 14, {{40, 45}, {200, 45}}, 11, kPolyamide, true),
        "pad1", 4},
       {Plate(Km("03.00", 6), "Плита скольжения", 0.7, true, 200, 80, 14, {{40, 40}, {160, 40}}, 11, kPolyamide, true),
        "pad2", 4},
       {StdBolt(10, 30), "bolt", 16},
       {StdSpringWasher(10), "washer", 16},
       {StdGrease(), "grease", 3},
       {StdCirclip(35), "ring", 2}});
}

// ------------------------------------------------------------------ section 4

NodeRef ControlPost() {
  auto mechanism = NewComposite(
      Km("04.02", 0), "Механизм управления", 18.5, 5, true, DrawLeverBlock, QStringLiteral("1:4"), DrawLeverMechanism,
      QStringLiteral("1:2"),
      {{NewPart(Km("04.02", 1), "Рычаг", 0.9, -1, true, LeverPart(300, 20, true), QStringLiteral("1:2,5"), kSteel45),
        "lever", 6},
       {Turned(Km("04.02", 2), "Ось", 0.5, true, {{4, 11}, {170, 10}, {2, 9}, {4, 10}}, false, kSteel45), "axle"},
       {Plate(Km("04.02", 3), "Кронштейн", 1.8, false, 190, 110, 8, {{40, 40}, {150, 40}, {95, 70}}, 20, k09G2S),
        "bracket", 2},
       {Turned(Km("04.02", 4), "Тяга", 0.3, true, {{12, 6}, {260, 5}, {12, 6}}, false, kSteel45), "rod", 6},
       {NewPart(Km("04.02", 5), "Вилка", 0.15, -1, true, ClevisPart(16), QStringLiteral("2:1"), kSteel45), "fork", 6},
       {Pin(Km("04.02", 6), 0.05, 10, 40, 14, 3, false), "pin", 12},
       {Bush(Km("04.02", 7), 0.03, 24, 20, 20), "bush", 12},
       {NewPart(Km("04.02", 8), "Пружина", 0.04, -1, true, SpringPart(22, 2.5, 70, 9), QStringLiteral("2:1"),
                QStringLiteral("Проволока 65Г")),
        "spring", 6},
       {StdCotter(2.5, 16), "cotter", 12},
       {StdWasher(8), "washer", 12},
       {StdNut(10), "nut", 6},
       {StdCirclip(20), "circlip", 2}});
  auto valveBank = NewComposite(
      "РМ80-6", "Гидрораспределитель", 38, 7, true, ValveBankOutline(6), QStringLiteral("1:4"),
      [](Sheet& s) { ValveBank(s, QPointF(172, 300), 6, 1.95, false, "vb."); }, QStringLiteral("1:2"),
      {{Bought("РМ80.100", "Секция входная", 5.2, -1,
               Block(90, 230, 110, 2, QStringLiteral("Секция входная с предохранительным клапаном.")), "1:2,5"),
        "vb.inlet"},
       {Bought("РМ80.110", "Клапан предохранительный", 0.6, -1,
               TurnedPart({{14, 14}, {30, 11}, {24, 9}, {16, 7}}, false,
                          {QStringLiteral("1. Давление настройки 25 МПа."), QStringLiteral("2. Резьба М27×1,5.")}),
               "2:1"),
        "vb.relief"},
       {Bought("РМ80.200", "Секция рабочая", 3.9, -1,
               Block(54, 230, 110, 2, QStringLiteral("Секция рабочая, золотник трехпозиционный.")), "1:2,5"),
        "vb.sec3", 6},
       {Plate("РМ80.210", "Крышка", 0.2, true, 40, 50, 12, {{10, 10}, {30, 40}}, 7,
              QStringLiteral("АК7ч ГОСТ 1583-93")),
        "vb.cap5", 6},
       {Bought("РМ80.300", "Секция концевая", 3.1, -1,
               Block(62, 230, 110, 1, QStringLiteral("Секция концевая со сливным каналом.")), "1:2,5"),
        "vb.end"},
       {Turned("РМ80.001", "Шпилька", 0.18, true, {{240, 5}}, false, kSteel45,
               {QStringLiteral("1. Резьба М10 с обоих концов на длину 30 мм.")}),
        "vb.rod", 3},
       {StdNut(10), "vb.tie", 6},
       {StdORing(18, 22, 25), "vb.joint", 14}});
  return NewAssembly(
      Km("04.00", 0), "Пост управления", 96, 4, DrawControlPost, QStringLiteral("1:10"),
      {{Weldment(Km("04.01", 0), "Рама поста", 34, PostFramePart(), "1:10"), "frame.frame"},
       {mechanism, "mech"},
       {valveBank, "valve"},
       {NewPart(Km("04.00", 1), "Рукоятка", 0.09, -1, true, KnobPart(), QStringLiteral("2:1")), "knob", 6},
       {Bought("ДМ02-100-25", "Манометр", 0.6, 7, GaugePart(), "1:1"), "gauge"},
       {Plate(Km("04.00", 2), "Табличка", 0.1, true, 160, 150, 1, {{8, 8}, {152, 8}, {8, 142}, {152, 142}}, 4,
              QStringLiteral("Алюминий АМг2"), false, QStringLiteral("СХЕМА УПРАВЛЕНИЯ")),
        "sign"},
       {Bought("ВК-43-21", "Кнопка аварийной остановки", 0.15, 8, SwitchPart(true), "1:1"), "button"},
       {Plate(Km("04.00", 3), "Кожух", 3.4, true, 620, 110, 2, {{20, 55}, {600, 55}}, 9, kSt3), "guard"},
       {Plate(Km("04.00", 4), "Коврик", 1.9, true, 800, 300, 8, {}, 0, kRubber), "mat"},
       {StdBolt(10, 25), "bolt", 4},
       {StdSpringWasher(10), "washer", 4},
       {StdNut(10), "nut", 2}});
}

// ------------------------------------------------------------------ section 5

NodeRef Hydraulics() {
  auto clamp =
      Plate(Km("05.00", 1), "Хомут", 0.08, true, 150, 20, 1, {{10, 10}, {140, 10}}, 5, QStringLiteral("12Х18Н10Т"));
  auto tank = NewComposite(
      Km("05.01", 0), "Бак масляный", 96, -1, false,
      [](Sheet& s) {
        DrawTankAssembly(s, true);
        Requirements(s, {QStringLiteral("1. Бак испытать на герметичность давлением 0,05 МПа."),
                         QStringLiteral("2. Внутренние поверхности — маслостойкая грунтовка.")});
      },
      QStringLiteral("1:10"), [](Sheet& s) { DrawTankAssembly(s, false); }, QStringLiteral("1:10"),
      {{Weldment(Km("05.01", 100), "Бак (сварной)", 78, TankPart(), "1:10"), "tank.frame"},
       {Bought(Km("05.01", 1), "Крышка заливной горловины", 0.6, -1, FillerCapPart(), "1:2"), "cap"},
       {Bought(Km("05.01", 2), "Сетка заливная", 0.3, -1, StrainerPart(), "1:2"), "strainer"},
       {Bought("УУ-127", "Указатель уровня", 0.2, -1, LevelGaugePart(), "1:1"), "gauge"},
       {Bought(Km("05.01", 3), "Сапун", 0.15, -1, BreatherPart(), "1:1"), "breather"},
       {Bought(Km("05.01", 4), "Пробка магнитная", 0.12, -1, PlugPart(), "2:1"), "plug"},
       {Plate(Km("05.01", 5), "Крышка люка", 1.8, true, 300, 200, 4, {{20, 20}, {280, 20}, {20, 180}, {280, 180}}, 9,
              kSt3),
        "cover"},
       {Plate(Km("05.01", 6), "Прокладка", 0.1, true, 300, 200, 2, {{20, 20}, {280, 20}, {20, 180}, {280, 180}}, 9,
              QStringLiteral("Паронит ПМБ-1")),
        "hatchgasket"},
       {Plate(Km("05.01", 7), "Прокладка", 0.02, true, 170, 170, 2, {}, 0, QStringLiteral("Паронит ПМБ-1")), "gasket"},
       {StdBolt(8, 20), "bolt", 8},
       {StdSpringWasher(8), "washer", 8}});
  auto filter =
      NewComposite("ФС-100-25", "Фильтр сливной", 6.8, -1, true, FilterOutline(false), QStringLiteral("1:4"),
                   [](Sheet& s) { FilterBody(s, QPointF(400, 116), 1.75); }, QStringLiteral("1:2"),
                   {{Bought("ФС-100.01", "Корпус", 2.9, -1,
                            Block(170, 60, 120, 1, QStringLiteral("Корпус фильтра, алюминиевый сплав АК7ч.")), "1:2"),
                     "filter.head"},
                    {Bought("ФС-100.02", "Стакан", 2.1, -1, FilterOutline(false), "1:4"), "filter.bowl"},
                    {Bought("ЭФ-100-25", "Элемент фильтрующий", 0.7, -1, FilterOutline(true), "1:2"), "filter.element"},
                    {Bought("ИЗ-0,15", "Индикатор засоренности", 0.1, -1, SensorPart(), "2:1"), "filter.indicator"}});
  auto electrics =
      NewAssembly(Km("05.03", 0), "Электрооборудование", 14, 8, DrawElectrics, QStringLiteral("—"),
                  {{Bought(Km("05.03", 1), "Жгут проводов", 2.6, -1, HarnessPart(), "1:20"), "harness"},
                   {Bought("ФР-24-27", "Фара рабочая", 0.9, -1, LampPart(), "1:2"), "lamp", 2},
                   {Bought("ВК-343", "Выключатель", 0.1, -1, SwitchPart(false), "1:1"), "switch"},
                   {Bought("БП-6", "Блок предохранителей", 0.3, -1, FuseBoxPart(), "1:1"), "fuse"},
                   {Bought("ДД-40", "Датчик давления", 0.2, -1, SensorPart(), "1:1"), "sensor"},
                   {Bought("КЭМ-24", "Клапан электромагнитный", 0.7, -1, SolenoidPart(), "1:1"), "solenoid"},
                   {Bought("С-306Д", "Сигнал звуковой", 0.6, -1, HornPart(), "1:2"), "horn"},
                   {Bought(Km("05.03", 2), "Колодка соединительная", 0.05, -1, ConnectorPart(), "1:1"), "connector"},
                   {Bought(Km("05.03", 3), "Провод массы", 0.2, -1, EarthLeadPart(), "1:2"), "ground"}});
  auto hoses = NewAssembly(
      Km("05.02", 0), "Рукава и трубопроводы", 31, -1, DrawHoses, QStringLiteral("—"),
      {{NewPart(Km("05.02", 1), "Рукав всасывающий", 2.4, -1, true, HosePart(40, 1400, false), QStringLiteral("1:10")),
        "suction"},
       {clamp, "clamp", 2},
       {StdHose(16, 1250, 1), "pressure"},
       {StdHose(16, 1600, 0), "return"},
       {StdHose(12, 850, 0), "gaugeline"},
       {StdHose(10, 650, 1), "drain"},
       {NewPart(Km("05.02", 2), "Трубопровод", 1.1, -1, true,
                TubePart({{0, 0}, {0, 260}, {-500, 260}, {-500, -340}}, 22), QStringLiteral("1:10"),
                QStringLiteral("Труба 22×2,5 ГОСТ 8734-75")),
        "tube"},
       {Turned(Km("05.02", 3), "Штуцер", 0.18, true, {{14, 15, 7}, {12, 12, 7}, {18, 11, 7}}, true, kSteel45),
        "adapter", 2},
       {StdORing(18, 22, 25), "oring", 6},
       {Turned(Km("05.02", 4), "Переходник", 0.14, true, {{16, 13, 6}, {10, 11, 6}, {16, 10, 6}}, true, kSteel45),
        "union", 2}});
  return NewAssembly(
      Km("05.00", 0), "Гидрооборудование", 212, 7, DrawHydraulics, QStringLiteral("1:10"),
      {{tank, "tank.frame"},
       {filter, "filter.bowl"},
       {Bought("НШ32У-3", "Насос шестеренный", 7.5, -1, PumpPart(), "1:2"), "pump"},
       {Bought("МП05-4202010", "Коробка отбора мощности", 24, -1, PtoPart(), "1:4"), "pto"},
       {Bought("КШ-25", "Кран шаровой", 1.6, -1, BallValvePart(), "1:1"), "valve"},
       {hoses, "hoses"},
       {electrics, "electric"},
       {clamp, "clamp", 2},
       {Plate(Km("05.00", 2), "Кронштейн бака", 6.2, false, 700, 80, 8, {{40, 40}, {660, 40}}, 14, k09G2S), "bracket",
        2},
       {StdBolt(12, 40), "bolt", 4},
       {StdSpringWasher(12), "washer", 4}});
}

// ------------------------------------------------------------------ section 7

NodeRef Grab() {
  auto cylinder = EyeCylinder({"КМ-120.06.04", 0, "Гидроцилиндр захвата", 18, -1, 80, 40, 250, 560, 30});
  auto hanger = NewComposite(
      Km("06.01", 0), "Подвеска", 21, -1, true,
      [](Sheet& s) {
        DrawHangerFront(s);
        Requirements(s, {QStringLiteral("1. Момент затяжки гаек тормоза 120 Н·м."),
                         QStringLiteral("2. Диски тормоза не смазывать.")});
      },
      QStringLiteral("1:5"), DrawHangerSide, QStringLiteral("1:4"),
      {{NewPart(Km("06.01", 1), "Серьга", 4.1, -1, true, LinkPart(360, 55, 36, 20, false), QStringLiteral("1:4"),
                k09G2S),
        "link", 2},
       {Pin(Km("06.01", 2), 1.9, 35, 200, 50, 8, false), "axle", 2},
       {Turned(Km("06.01", 3), "Диск тормозной", 0.3, true, {{6, 55, 19}}, true, QStringLiteral("Ферродо ФК-24А")),
        "disc", 4},
       {Turned(Km("06.01", 4), "Пружина тарельчатая", 0.05, true, {{3, 30, 15}}, true, QStringLiteral("Сталь 60С2А")),
        "spring", 6},
       {StdCastleNut(30), "nut", 2},
       {StdCotter(5, 50), "cotter", 2},
       {StdWasher(30), "washer", 2},
       {Bush(Km("06.01", 5), 0.15, 44, 36, 20), "bush", 4}});
  auto rotator = NewComposite(
      "РГ-4,5", "Ротатор гидравлический", 48, -1, true,
      [](Sheet& s) {
        DrawRotator(s, false);
        Requirements(s, {QStringLiteral("1. Рабочий объем 520 см³, расход до 40 л/мин."),
                         QStringLiteral("2. Поворот — бесконечный в обе стороны.")});
      },
      QStringLiteral("1:4"), [](Sheet& s) { DrawRotator(s, true); }, QStringLiteral("1:4"),
      {{Bought("РГ-4,5.01", "Корпус", 21, -1, Block(180, 220, 180, 2, QStringLiteral("Корпус ротатора, сталь 40Х.")),
               "1:4"),
        "housing"},
       {Bought("РГ-4,5.02", "Вал", 12, -1, TurnedPart({{26, 16}, {250, 28}, {16, 100}}, false), "1:4"), "shaft"},
       {StdBallBearing("180212", 60, 110, 22), "bearing", 2},
       {Bought("РГ-4,5.900", "Комплект уплотнений", 0.3, -1, SealKitPart(), "1:2"), "seals"},
       {StdORing(100, 110, 58), "oring"},
       {StdBolt(12, 40), "bolt", 8},
       {Plate("РГ-4,5.03", "Крышка", 2.1, true, 190, 190, 14, {{20, 95}, {170, 95}, {95, 20}, {95, 170}}, 13, kSteel45),
        "cover"}});
  return NewAssembly(
      Km("06.00", 0), "Захват", 236, 9, DrawGrab, QStringLiteral("1:10"),
      {{hanger, "hanger"},
       {rotator, "rotator"},
       {Weldment(Km("06.00", 1), "Корпус", 64, GrabBodyPart(), "1:5"), "body.frame"},
       {NewPart(Km("06.02", 0), "Челюсть левая", 46, -1, true, JawPart(), QStringLiteral("1:10"), k09G2S), "jl.shell"},
       {NewPart(Km("06.03", 0), "Челюсть правая", 46, -1, true, JawPart(), QStringLiteral("1:10"), k09G2S), "jr.shell"},
       {cylinder, "gcyl.barrel"},
       {Pin(Km("06.00", 2), 1.9, 40, 170, 0, 0, false), "pin1", 2},
       {Pin(Km("06.00", 3), 1.1, 30, 150, 0, 0, false), "pin2", 2},
       {Pin(Km("06.00", 4), 1.6, 40, 140, 0, 0, false), "pin3"},
       {Bush(Km("06.00", 5), 0.6, 55, 40, 50), "bush", 4},
       {Plate(Km("06.00", 6), "Нож", 2.8, true, 600, 80, 12, {{60, 40}, {240, 40}, {360, 40}, {540, 40}}, 13,
              QStringLiteral("Сталь Hardox 450"), true),
        "knife", 2},
       {StdBolt(12, 40), "bolt", 8},
       {StdCirclip(30), "ring", 2},
       {StdGrease(), "grease", 4}},
      true);
}

}  // namespace

std::vector<Section> BuildCatalogue() {
  auto spare =
      NewAssembly("КМ-120 ПЗЧ", "Перечень запасных частей", 0, 0, DrawSparePartsSheet, QStringLiteral("—"), {});
  spare->picture->title.oboz = QStringLiteral("КМ-120.00.00.000 ЗИ");
  return {
      {SlewingUnit(), "Основание с выносными опорами, колонна, опорно-поворотный подшипник и механизм поворота."},
      {Boom(), "Стрела с гидроцилиндром подъема, пальцами шарниров и трубопроводами."},
      {ArmWithExtension(), "Рукоять с телескопическим удлинителем, их гидроцилиндры и плиты скольжения."},
      {ControlPost(), "Рама поста, рычаги механизма управления и гидрораспределитель."},
      {Hydraulics(), "Бак, насос, фильтр, рукава высокого давления и электрооборудование."},
      {spare, "Все запасные части манипулятора, по группам, с возможностью заказа."},
      {Grab(), "Двухчелюстной грейферный захват с ротатором и подвеской."},
  };
}

}  // namespace demo
