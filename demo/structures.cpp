#include "structures.h"

#include <cmath>

namespace demo {

namespace {

QPainterPath Union(std::initializer_list<QPainterPath> parts) {
  QPainterPath u;
  for (const QPainterPath& p : parts) u = u.united(p);
  return u.simplified();
}

void Outline(Sheet& s, const QPainterPath& p) {
  s.White(p);
  s.Stroke(p);
}

const QStringList kWeldNotes = {QStringLiteral("1. Сварка полуавтоматическая в среде CO₂ по ГОСТ 14771-76."),
                                QStringLiteral("2. Сварные швы — катет 6 мм, если не указано иначе."),
                                QStringLiteral("3. Покрытие: грунт ГФ-021, эмаль ПФ-115 красная.")};

}  // namespace

// ------------------------------------------------------------------ boom

QPointF BoomLug() { return QPointF(205, 72); }
QPointF BoomArmCylinderLug() { return QPointF(300, -50); }

void Boom(Sheet& s, double L, const std::string& px) {
  auto top = [&](double x) { return -33 + (x + 8) * (8 / (L - 14)); };
  auto bottom = [&](double x) { return x > 250 ? 34 - (x - 250) * (11 / (L - 272)) : 34 + (250 - x) * 0.03; };
  QPolygonF chords;
  chords << QPointF(-8, -33) << QPointF(L - 22, -25) << QPointF(L - 22, 23) << QPointF(250, 34) << QPointF(60, 40)
         << QPointF(14, 31);
  QPolygonF lug;
  lug << QPointF(168, 36) << QPointF(236, 38) << QPointF(222, 72) << QPointF(188, 72);
  QPolygonF topLug;
  topLug << QPointF(268, -27) << QPointF(332, -26) << QPointF(314, -50) << QPointF(286, -50);
  const QPainterPath body =
      Union({PolyPath(chords), CirclePath(QPointF(0, 0), 32), CirclePath(QPointF(L, 0), 25), PolyPath(lug),
             CirclePath(BoomLug(), 19), PolyPath(topLug), CirclePath(BoomArmCylinderLug(), 15)});
  Outline(s, body);
  // Flanges of the box and its inner diaphragms.
  s.Line(QPointF(34, top(34) + 7), QPointF(L - 34, top(L - 34) + 7), Ln::Thin);
  s.Line(QPointF(262, bottom(262) - 7), QPointF(L - 34, bottom(L - 34) - 7), Ln::Thin);
  s.Line(QPointF(40, bottom(40) - 7), QPointF(160, bottom(160) - 7), Ln::Thin);
  for (double x : {L * 0.36, L * 0.64}) s.Line(QPointF(x, top(x) + 7), QPointF(x, bottom(x) - 7), Ln::Hidden);
  Boss(s, QPointF(0, 0), 32, 16, true);
  Boss(s, QPointF(L, 0), 25, 12.5, true);
  Boss(s, BoomLug(), 19, 9.5, true);
  Boss(s, BoomArmCylinderLug(), 15, 7.5, true);
  s.Anchor(px + "frame", QPointF(L * 0.5, 4));
  s.Anchor(px + "flange", QPointF(L * 0.75, top(L * 0.75) + 3.5));
}

// ------------------------------------------------------------------ arm and extension

QPointF ArmBracket() { return QPointF(-16, -66); }

void Arm(Sheet& s, double L, bool hiddenCylinder, const std::string& px) {
  QPolygonF bracket;
  bracket << QPointF(-22, -2) << QPointF(-32, -62) << QPointF(0, -74) << QPointF(52, -21) << QPointF(20, -21);
  const QPainterPath body = Union({RectPath(QRectF(0, -21, L - 6, 42)), RectPath(QRectF(L - 8, -25, 8, 50)),
                                   PolyPath(bracket), CirclePath(QPointF(0, 0), 25), CirclePath(ArmBracket(), 17)});
  Outline(s, body);
  s.Line(QPointF(30, -14), QPointF(L - 12, -14), Ln::Thin);
  s.Line(QPointF(30, 14), QPointF(L - 12, 14), Ln::Thin);
  // The extension inside, and its cylinder.
  s.Line(QPointF(L * 0.38, -15), QPointF(L - 8, -15), Ln::Hidden);
  s.Line(QPointF(L * 0.38, 15), QPointF(L - 8, 15), Ln::Hidden);
  s.Line(QPointF(L * 0.38, -15), QPointF(L * 0.38, 15), Ln::Hidden);
  if (hiddenCylinder) {
    s.Rect(QRectF(48, -8, L * 0.36, 16), Ln::Hidden);
    s.Rect(QRectF(48 + L * 0.36, -4, L * 0.3, 8), Ln::Hidden);
    s.Circle(QPointF(42, 0), 7, Ln::Hidden);
  }
  Boss(s, QPointF(0, 0), 25, 12.5, true);
  Boss(s, ArmBracket(), 17, 8.5, true);
  s.Anchor(px + "frame", QPointF(L * 0.3, 17.5));
  s.Anchor(px + "mouth", QPointF(L - 4, -23));
  s.Anchor(px + "inner", QPointF(48 + L * 0.2, 8));
  s.Anchor(px + "rod", QPointF(48 + L * 0.36 + L * 0.15, 4));
}

void Extension(Sheet& s, double len, const std::string& px) {
  QPolygonF head;
  head << QPointF(len - 10, -14) << QPointF(len + 14, -14) << QPointF(len + 20, 8) << QPointF(len + 10, 30)
       << QPointF(len - 10, 14);
  const QPainterPath body =
      Union({RectPath(QRectF(0, -14, len, 28)), PolyPath(head), CirclePath(QPointF(len + 8, 24), 13)});
  Outline(s, body);
  s.Line(QPointF(10, -8), QPointF(len - 14, -8), Ln::Thin);
  Boss(s, QPointF(len + 8, 24), 13, 6.5, true);
  s.Anchor(px + "frame", QPointF(len * 0.75, 6));
  s.Anchor(px + "head", QPointF(len + 8, 24));
}

// ------------------------------------------------------------------ base and column

void Base(Sheet& s, const std::string& px) {
  QPolygonF gussetL, gussetR;
  gussetL << QPointF(-70, 36) << QPointF(-70, 80) << QPointF(-112, 80);
  gussetR << QPointF(70, 36) << QPointF(70, 80) << QPointF(112, 80);
  const QPainterPath body = Union({RectPath(QRectF(-104, 0, 208, 8)), RectPath(QRectF(-70, 0, 140, 80)),
                                   RectPath(QRectF(-236, 80, 472, 48)), PolyPath(gussetL), PolyPath(gussetR),
                                   RectPath(QRectF(-116, 128, 62, 10)), RectPath(QRectF(54, 128, 62, 10))});
  Outline(s, body);
  s.Line(QPointF(-70, 8), QPointF(70, 8), Ln::Thin);
  s.Line(QPointF(-228, 86), QPointF(228, 86), Ln::Thin);
  s.Line(QPointF(-228, 122), QPointF(228, 122), Ln::Thin);
  // The outrigger beams' tubes, open at both ends.
  s.Rect(QRectF(-236, 84, 10, 40), Ln::Thin);
  s.Rect(QRectF(226, 84, 10, 40), Ln::Thin);
  for (double x : {-60.0, 60.0}) s.Line(QPointF(x, 8), QPointF(x, 80), Ln::Hidden);
  s.Anchor(px + "frame", QPointF(-170, 104));
  s.Anchor(px + "housing", QPointF(-48, 20));
  s.Anchor(px + "foot", QPointF(90, 133));
}

QPointF ColumnTop() { return QPointF(18, -252); }
QPointF ColumnLug() { return QPointF(62, -74); }

void Column(Sheet& s, const std::string& px) {
  QPolygonF tube;
  tube << QPointF(-42, -12) << QPointF(-34, -222) << QPointF(34, -222) << QPointF(42, -12);
  QPolygonF lug;
  lug << QPointF(40, -44) << QPointF(38, -104) << QPointF(74, -78);
  const QPainterPath body =
      Union({RectPath(QRectF(-72, -12, 144, 12)), PolyPath(tube), RectPath(QRectF(-40, -268, 80, 48)),
             CirclePath(ColumnTop(), 26), PolyPath(lug), CirclePath(ColumnLug(), 16)});
  Outline(s, body);
  s.Line(QPointF(-34, -222), QPointF(34, -222), Ln::Thin);
  s.Line(QPointF(-30, -210), QPointF(-38, -20), Ln::Thin);
  s.Rect(QRectF(-16, -150, 32, 44), Ln::Hidden);
  Boss(s, ColumnTop(), 26, 13, true);
  Boss(s, ColumnLug(), 16, 8, true);
  for (double x : {-56.0, 56.0}) s.Centre(QPointF(x, -6), 4);
  s.Anchor(px + "frame", QPointF(-22, -180));
  s.Anchor(px + "flange", QPointF(-60, -6));
}

void OutriggerBeam(Sheet& s, double len, const std::string& px) {
  const QPainterPath body = Union({RectPath(QRectF(0, -20, len, 40)), RectPath(QRectF(len, -44, 36, 78))});
  Outline(s, body);
  s.Line(QPointF(0, -14), QPointF(len, -14), Ln::Thin);
  s.Line(QPointF(len + 6, -44), QPointF(len + 6, 34), Ln::Thin);
  s.Line(QPointF(len + 30, -44), QPointF(len + 30, 34), Ln::Thin);
  for (double x : {len * 0.18, len * 0.34, len * 0.5}) {
    s.Circle(QPointF(x, 0), 5);
    s.Centre(QPointF(x, 0), 7);
  }
  s.Anchor(px + "frame", QPointF(len * 0.7, 6));
  s.Anchor(px + "sleeve", QPointF(len + 18, 20));
}

// ------------------------------------------------------------------ grab

QPointF JawArm(bool right) { return QPointF(right ? 72 : -72, -48); }

void GrabBody(Sheet& s, const std::string& px) {
  QPolygonF plate;
  plate << QPointF(-44, 14) << QPointF(-58, -40) << QPointF(-30, -96) << QPointF(30, -96) << QPointF(58, -40)
        << QPointF(44, 14);
  const QPainterPath window = RoundedPath(QRectF(-34, -62, 68, 26), 8);
  const QPainterPath body = Union({PolyPath(plate), CirclePath(QPointF(0, -104), 16), CirclePath(QPointF(-26, 0), 17),
                                   CirclePath(QPointF(26, 0), 17)})
                                .subtracted(window);
  Outline(s, body);
  s.Stroke(window, Ln::Main);
  s.Line(QPointF(-50, -20), QPointF(50, -20), Ln::Thin);
  Boss(s, QPointF(0, -104), 16, 8, true);
  Boss(s, QPointF(-26, 0), 17, 8.5, true);
  Boss(s, QPointF(26, 0), 17, 8.5, true);
  s.Anchor(px + "frame", QPointF(-40, -24));
  s.Anchor(px + "top", QPointF(0, -104));
}

void Jaw(Sheet& s, bool right, const std::string& px) {
  const double m = right ? 1 : -1;
  QPainterPath shell;
  shell.moveTo(m * 18, 12);
  shell.cubicTo(QPointF(m * 96, 10), QPointF(m * 150, 90), QPointF(m * 92, 176));
  shell.lineTo(m * 70, 196);
  shell.lineTo(m * 58, 186);
  shell.cubicTo(QPointF(m * 112, 100), QPointF(m * 80, 36), QPointF(m * 30, 24));
  shell.closeSubpath();
  QPolygonF arm;
  arm << QPointF(m * 14, -10) << QPointF(m * 62, -62) << QPointF(m * 84, -40) << QPointF(m * 40, 18);
  const QPainterPath body =
      Union({shell, PolyPath(arm), CirclePath(QPointF(m * 26, 0), 22), CirclePath(JawArm(right), 15)});
  Outline(s, body);
  // Rib of the shell and the teeth of its edge.
  QPainterPath rib;
  rib.moveTo(m * 40, 14);
  rib.cubicTo(QPointF(m * 100, 26), QPointF(m * 126, 90), QPointF(m * 80, 170));
  s.Stroke(rib, Ln::Thin);
  for (int i = 0; i < 3; ++i) {
    const QPointF b(m * (64 + 4 * i), 190 - 4 * i);
    s.Line(b, b + QPointF(-m * 10, 10 - i * 2));
  }
  Boss(s, QPointF(m * 26, 0), 22, 8.5);
  Boss(s, JawArm(right), 15, 7.5, true);
  s.Anchor(px + "shell", QPointF(m * 106, 96));
  s.Anchor(px + "edge", QPointF(m * 66, 190));
}

// ------------------------------------------------------------------ control post, tank

void PostFrame(Sheet& s, const std::string& px) {
  const QPainterPath body = Union({RectPath(QRectF(-130, -210, 16, 210)), RectPath(QRectF(114, -210, 16, 210)),
                                   RectPath(QRectF(-138, -226, 276, 16)), RectPath(QRectF(-114, -96, 228, 12)),
                                   RectPath(QRectF(-160, 0, 320, 12))});
  Outline(s, body);
  for (double x = -150; x < 150; x += 16) {
    QPolygonF d;
    d << QPointF(x + 8, 2) << QPointF(x + 13, 6) << QPointF(x + 8, 10) << QPointF(x + 3, 6);
    s.Poly(d, Ln::Thin, true);
  }
  for (double x : {-122.0, 122.0}) s.Line(QPointF(x, -206), QPointF(x, -4), Ln::Thin);
  s.Anchor(px + "frame", QPointF(-122, -150));
  s.Anchor(px + "step", QPointF(-100, 6));
}

void TankBody(Sheet& s, const std::string& px) {
  const QPainterPath body = Union({RoundedPath(QRectF(0, 0, 280, 170), 14), RectPath(QRectF(44, -18, 44, 20)),
                                   RectPath(QRectF(20, 170, 30, 10)), RectPath(QRectF(230, 170, 30, 10))});
  Outline(s, body);
  s.Line(QPointF(8, 10), QPointF(272, 10), Ln::Thin);
  s.Line(QPointF(140, 14), QPointF(140, 160), Ln::Hidden);
  s.Anchor(px + "frame", QPointF(120, 150));
}

void RackHousing(Sheet& s, bool section, const std::string& px) {
  const QPainterPath tube = Union({RectPath(QRectF(-150, -18, 300, 36)), RectPath(QRectF(-160, -26, 12, 52)),
                                   RectPath(QRectF(148, -26, 12, 52)), RectPath(QRectF(-46, -40, 92, 24))});
  if (section) {
    const QPainterPath bore = RectPath(QRectF(-149, -12, 298, 24)).united(CirclePath(QPointF(0, -32), 30));
    const QPainterPath wall = tube.subtracted(bore);
    s.White(tube);
    s.Hatch(wall);
    s.Stroke(wall);
  } else {
    Outline(s, tube);
    s.Line(QPointF(-140, 10), QPointF(140, 10), Ln::Thin);
  }
  s.Anchor(px + "frame", QPointF(-100, section ? -15 : 0));
}

// ------------------------------------------------------------------ weldment drawings

namespace {

DrawFn Weldment(std::function<void(Sheet&)> body, QPointF at, double angle, double scale,
                std::function<void(Sheet&)> dims) {
  return [=](Sheet& s) {
    {
      Place pl(s, at, angle, scale);
      body(s);
      if (dims) dims(s);
    }
    Requirements(s, kWeldNotes);
  };
}

}  // namespace

DrawFn BoomPart() {
  return Weldment([](Sheet& s) { Boom(s, 440); }, QPointF(150, 300), -8, 1.05,
                  [](Sheet& s) {
                    s.Dim(QPointF(0, 0), QPointF(440, 0), 70, QStringLiteral("3850"));
                    s.Dim(QPointF(0, 0), BoomLug(), -50, QStringLiteral("1100"));
                  });
}

DrawFn ArmPart() {
  return Weldment([](Sheet& s) { Arm(s, 430, false); }, QPointF(150, 290), 0, 1.1,
                  [](Sheet& s) {
                    s.Dim(QPointF(0, 21), QPointF(430, 21), -30, QStringLiteral("3620"));
                    s.Dim(ArmBracket(), QPointF(0, 0), 34, QStringLiteral("560"));
                  });
}

DrawFn ExtensionPart() {
  return Weldment([](Sheet& s) { Extension(s, 420); }, QPointF(150, 270), 0, 1.1,
                  [](Sheet& s) {
                    s.Dim(QPointF(0, 14), QPointF(428, 14), -40, QStringLiteral("3380"));
                    s.Dim(QPointF(0, -14), QPointF(0, 14), 24, QStringLiteral("200"));
                  });
}

DrawFn BasePart() {
  return Weldment([](Sheet& s) { Base(s); }, QPointF(400, 200), 0, 1.05,
                  [](Sheet& s) {
                    s.Dim(QPointF(-236, 128), QPointF(236, 128), -46, QStringLiteral("2350"));
                    s.Dim(QPointF(70, 0), QPointF(70, 80), -60, QStringLiteral("400"));
                  });
}

DrawFn ColumnPart() {
  return Weldment([](Sheet& s) { Column(s); }, QPointF(360, 400), 0, 1.05,
                  [](Sheet& s) {
                    s.Dim(QPointF(-72, 0), QPointF(-72, -268), -40, QStringLiteral("1340"));
                    s.Dim(QPointF(-72, 0), QPointF(72, 0), -30, QStringLiteral("720"));
                  });
}

DrawFn OutriggerBeamPart() {
  return Weldment([](Sheet& s) { OutriggerBeam(s, 380); }, QPointF(160, 270), 0, 1.1,
                  [](Sheet& s) {
                    s.Dim(QPointF(0, 34), QPointF(416, 34), -30, QStringLiteral("2080"));
                    s.Dim(QPointF(0, -20), QPointF(0, 20), 24, QStringLiteral("200"));
                  });
}

DrawFn GrabBodyPart() {
  return Weldment([](Sheet& s) { GrabBody(s); }, QPointF(360, 310), 0, 1.6,
                  [](Sheet& s) {
                    s.Dim(QPointF(-26, 0), QPointF(26, 0), -40, QStringLiteral("260"));
                    s.Dim(QPointF(58, -104), QPointF(58, 0), -30, QStringLiteral("520"));
                  });
}

DrawFn JawPart() {
  return Weldment([](Sheet& s) { Jaw(s, true, "j."); }, QPointF(300, 220), 0, 1.1,
                  [](Sheet& s) {
                    s.Dim(QPointF(26, 0), JawArm(true), -20, QStringLiteral("300"));
                    s.Dim(QPointF(26, 0), QPointF(26, 196), 40, QStringLiteral("980"));
                  });
}

DrawFn PostFramePart() {
  return Weldment([](Sheet& s) { PostFrame(s); }, QPointF(380, 390), 0, 1.05,
                  [](Sheet& s) {
                    s.Dim(QPointF(-160, 12), QPointF(160, 12), -26, QStringLiteral("1200"));
                    s.Dim(QPointF(138, -226), QPointF(138, 0), -40, QStringLiteral("860"));
                  });
}

DrawFn TankPart() {
  return Weldment([](Sheet& s) { TankBody(s); }, QPointF(230, 170), 0, 1.2,
                  [](Sheet& s) {
                    s.Dim(QPointF(0, 180), QPointF(280, 180), -26, QStringLiteral("700"));
                    s.Dim(QPointF(280, 0), QPointF(280, 170), -30, QStringLiteral("420"));
                  });
}

DrawFn RackHousingPart() {
  return Weldment([](Sheet& s) { RackHousing(s, true); }, QPointF(390, 270), 0, 1.25,
                  [](Sheet& s) {
                    s.Dim(QPointF(-160, 26), QPointF(160, 26), -30, QStringLiteral("820"));
                    s.Axis(QPointF(-160, 0), QPointF(160, 0), 8);
                  });
}

}  // namespace demo
