// Bought-in units of the crane (pump, valve bank, filters, electrical parts...), as outline
// drawings with their main dimensions.

#include <cmath>

#include "content.h"

namespace demo {

namespace {

constexpr double kDeg = M_PI / 180.0;

QPointF Polar(QPointF c, double r, double deg) { return c + QPointF(std::cos(deg * kDeg), std::sin(deg * kDeg)) * r; }

void Body(Sheet& s, const QPainterPath& p, Ln k = Ln::Main) {
  s.White(p);
  s.Stroke(p, k);
}

QStringList Notes(std::initializer_list<const char*> lines) {
  QStringList out;
  for (const char* l : lines) out << QString::fromUtf8(l);
  return out;
}

}  // namespace

// ------------------------------------------------------------------ components

void ValveBank(Sheet& s, QPointF at, int sections, double scale, bool levers, const std::string& px) {
  Place pl(s, at, 0, scale);
  const double h = 110, inlet = 44, w = 26, end = 30;
  double x = 0;
  // Inlet section with the relief valve.
  Body(s, RectPath(QRectF(x, -h / 2, inlet, h)));
  Hexagon(s, QPointF(x + inlet / 2, -18), 18, 0);
  s.Circle(QPointF(x + inlet / 2, -18), 5);
  s.Circle(QPointF(x + inlet / 2, 22), 9);
  s.Circle(QPointF(x + inlet / 2, 22), 5, Ln::Thin);
  s.Anchor(px + "relief", QPointF(x + inlet / 2 + 6, -26));
  s.Anchor(px + "inlet", QPointF(x + 6, 40));
  x += inlet;
  for (int i = 0; i < sections; ++i) {
    Body(s, RectPath(QRectF(x, -h / 2, w, h)));
    for (double y : {-20.0, 14.0}) {
      s.Circle(QPointF(x + w / 2, y), 7);
      s.Circle(QPointF(x + w / 2, y), 4, Ln::Thin);
    }
    // Spool cap below, lever head above.
    Body(s, RectPath(QRectF(x + 5, h / 2, w - 10, 22)));
    s.Line(QPointF(x + 5, h / 2 + 8), QPointF(x + w - 5, h / 2 + 8), Ln::Thin);
    Body(s, RectPath(QRectF(x + 7, -h / 2 - 16, w - 14, 16)));
    if (levers) {
      Lever(s, QPointF(x + w / 2, -h / 2 - 14), 70, (i % 2 ? 6 : -6), 8);
    }
    s.Anchor(px + "sec" + std::to_string(i + 1), QPointF(x + w / 2, 38));
    s.Anchor(px + "cap" + std::to_string(i + 1), QPointF(x + w / 2, h / 2 + 15));
    x += w;
  }
  Body(s, RectPath(QRectF(x, -h / 2, end, h)));
  s.Circle(QPointF(x + end / 2, 0), 8);
  // Tie rods through every section.
  for (double y : {-40.0, 40.0}) s.Line(QPointF(4, y), QPointF(x + end, y), Ln::Hidden);
  s.Anchor(px + "rod", QPointF(inlet + w * 1.5, -40));
  s.Anchor(px + "joint", QPointF(inlet + w * 2, -2));
  s.Anchor(px + "end", QPointF(x + end / 2, 34));
  for (double y : {-40.0, 40.0}) Hexagon(s, QPointF(x + end + 6, y), 12, 90);
  s.Anchor(px + "tie", QPointF(x + end + 6, -40));
}

void Pump(Sheet& s, QPointF at, double scale) {
  Place pl(s, at, 0, scale);
  Body(s, RectPath(QRectF(-12, -48, 12, 96)));
  Body(s, RoundedPath(QRectF(0, -36, 120, 72), 12));
  s.Line(QPointF(96, -36), QPointF(96, 36), Ln::Main);
  s.Line(QPointF(18, -36), QPointF(18, 36), Ln::Thin);
  QPainterPath shaft = RectPath(QRectF(-46, -11, 34, 22));
  Body(s, shaft);
  s.Rect(QRectF(-40, -11, 20, 5), Ln::Thin);
  s.Axis(QPointF(-46, 0), QPointF(120, 0), 8);
  // Port flange with its four screws.
  s.Circle(QPointF(56, 0), 16);
  s.Circle(QPointF(56, 0), 9);
  for (int i = 0; i < 4; ++i) ScrewHead(s, Polar(QPointF(56, 0), 22, 45 + 90 * i), 3.2);
  for (double y : {-40.0, 40.0}) s.Circle(QPointF(-6, y), 3.5);
  s.Anchor("pump.body", QPointF(100, 26));
  s.Anchor("pump.shaft", QPointF(-30, -6));
  s.Anchor("pump.port", QPointF(56, -12));
}

void FilterBody(Sheet& s, QPointF at, double scale) {
  Place pl(s, at, 0, scale);
  Body(s, RectPath(QRectF(-48, 0, 96, 34)));
  Fitting(s, QPointF(-48, 17), 180, 14);
  Fitting(s, QPointF(48, 17), 0, 14);
  QPainterPath bowl;
  bowl.moveTo(-36, 34);
  bowl.lineTo(-36, 150);
  bowl.quadTo(-36, 170, -16, 170);
  bowl.lineTo(16, 170);
  bowl.quadTo(36, 170, 36, 150);
  bowl.lineTo(36, 34);
  bowl.closeSubpath();
  Body(s, bowl);
  s.Rect(QRectF(-24, 44, 48, 112), Ln::Hidden);
  for (double y = 56; y < 150; y += 14) s.Line(QPointF(-24, y), QPointF(24, y), Ln::Hidden);
  s.Circle(QPointF(0, 12), 7);
  s.Circle(QPointF(0, 12), 3, Ln::Thin);
  Hexagon(s, QPointF(0, 172), 12, 90);
  s.Axis(QPointF(0, -6), QPointF(0, 180), 6);
  s.Anchor("filter.head", QPointF(-30, 8));
  s.Anchor("filter.bowl", QPointF(30, 110));
  s.Anchor("filter.element", QPointF(-14, 100));
  s.Anchor("filter.indicator", QPointF(5, 10));
}

void Lamp(Sheet& s, QPointF at, double scale) {
  Place pl(s, at, 0, scale);
  QPainterPath housing;
  housing.moveTo(0, -30);
  housing.lineTo(44, -40);
  housing.lineTo(44, 40);
  housing.lineTo(0, 30);
  housing.quadTo(-18, 0, 0, -30);
  Body(s, housing);
  Body(s, RectPath(QRectF(44, -42, 8, 84)));
  s.Arc(QPointF(40, 0), 40, -30, 60, Ln::Thin);
  QPolygonF bracket;
  bracket << QPointF(10, 30) << QPointF(18, 62) << QPointF(34, 62) << QPointF(30, 35);
  Body(s, PolyPath(bracket));
  s.Line(QPointF(4, 70), QPointF(48, 70));
  ScrewHead(s, QPointF(22, 58), 3);
}

void Gauge(Sheet& s, QPointF at, double r) {
  Body(s, CirclePath(at, r));
  s.Circle(at, r * 0.88, Ln::Thin);
  for (int i = 0; i <= 25; ++i) {
    const double a = 135 + 270.0 * i / 25;
    const double len = i % 5 ? 0.08 : 0.15;
    s.Line(Polar(at, r * 0.84, a), Polar(at, r * (0.84 - len), a), i % 5 ? Ln::Thin : Ln::Main);
  }
  s.Line(at, Polar(at, r * 0.7, 250), Ln::Main);
  s.Circle(at, r * 0.06);
  if (r > 25) {
    s.p().setFont(DrawingFont(r * 0.18, false));
    s.p().setPen(Qt::black);
    s.p().drawText(QRectF(at.x() - r * 0.4, at.y() + r * 0.3, r * 0.8, r * 0.25), Qt::AlignCenter,
                   QStringLiteral("МПа"));
  }
}

// ------------------------------------------------------------------ outline drawings

DrawFn PumpPart() {
  return [](Sheet& s) {
    Pump(s, QPointF(260, 270), 1.9);
    s.Dim(QPointF(260 - 46 * 1.9, 270 + 70 * 1.9 / 1.4), QPointF(260 + 120 * 1.9, 270 + 70 * 1.9 / 1.4), 0,
          QStringLiteral("236"));
    s.Dim(QPointF(260 - 12 * 1.9, 270 - 48 * 1.9), QPointF(260 - 12 * 1.9, 270 + 48 * 1.9), 20, QStringLiteral("140"));
    Requirements(s, Notes({"Рабочий объем 32 см³, номинальное давление 20 МПа.", "Частота вращения 1500...2400 об/мин.",
                           "Направление вращения — левое."}));
  };
}

DrawFn ValveBankOutline(int sections) {
  return [sections](Sheet& s) {
    const double k = 2.0;
    const double width = (44 + 26 * sections + 30) * k;
    const double x0 = 400 - width / 2 - 10;
    ValveBank(s, QPointF(x0, 250), sections, k, false, "vb.");
    s.Dim(QPointF(x0, 250 + 77 * k), QPointF(x0 + width, 250 + 77 * k), -10,
          QString::number(static_cast<int>(width / k * 2.1)));
    s.Dim(QPointF(x0, 250 - 55 * k), QPointF(x0, 250 + 55 * k), 20, QStringLiteral("232"));
    Requirements(s, Notes({"Номинальный расход 80 л/мин, давление 25 МПа.",
                           "Управление золотниками — ручное, рычагами поста."}));
  };
}

DrawFn FilterOutline(bool element) {
  return [element](Sheet& s) {
    if (element) {
      const QPointF o(330, 130);
      const double k = 1.6;
      Place pl(s, o, 0, k);
      s.Rect(QRectF(-40, 0, 80, 10));
      s.Rect(QRectF(-40, 160, 80, 10));
      s.Rect(QRectF(-34, 10, 68, 150));
      for (double x = -30; x <= 30; x += 6) s.Line(QPointF(x, 10), QPointF(x, 160), Ln::Thin);
      s.Line(QPointF(-16, 0), QPointF(-16, 170), Ln::Hidden);
      s.Line(QPointF(16, 0), QPointF(16, 170), Ln::Hidden);
      s.Axis(QPointF(0, -4), QPointF(0, 174), 6);
      s.Dim(QPointF(40, 0), QPointF(40, 170), -30, QStringLiteral("250"));
      s.Dim(QPointF(-40, 170), QPointF(40, 170), -20, QStringLiteral("Ø120"));
    } else {
      FilterBody(s, QPointF(330, 130), 1.6);
      s.Dim(QPointF(330 - 48 * 1.6, 130), QPointF(330 - 48 * 1.6, 130 + 180 * 1.6), 40, QStringLiteral("320"));
    }
    Requirements(s, Notes({"Тонкость фильтрации 25 мкм.", "Перепад давления открытия перепускного клапана 0,15 МПа.",
                           "Замена фильтроэлемента — через 500 моточасов."}));
  };
}

DrawFn BallValvePart() {
  return [](Sheet& s) {
    s.Push(QPointF(400, 290), 0, 2.6);
    Body(s, RectPath(QRectF(-50, -18, 100, 36)));
    Body(s, RoundedPath(QRectF(-24, -28, 48, 56), 10));
    for (double x : {-50.0, 38.0}) {
      s.Line(QPointF(x, -9), QPointF(x + 12, -9), Ln::Thin);
      s.Line(QPointF(x, 9), QPointF(x + 12, 9), Ln::Thin);
    }
    s.Circle(QPointF(0, 0), 14, Ln::Hidden);
    s.Rect(QRectF(-4, -40, 8, 12));
    QPainterPath handle = RoundedPath(QRectF(-4, -48, 76, 9), 4);
    Body(s, handle);
    s.Axis(QPointF(-50, 0), QPointF(50, 0), 6);
    s.Dim(QPointF(-50, 28), QPointF(50, 28), -10, QStringLiteral("120"));
    s.Pop();
    Requirements(s, Notes({"Условный проход 25 мм, давление 32 МПа.", "Присоединение — резьба М33×2."}));
  };
}

DrawFn GaugePart() {
  return [](Sheet& s) {
    Gauge(s, QPointF(330, 250), 110);
    s.Rect(QRectF(318, 360, 24, 18));
    Hexagon(s, QPointF(560, 250), 60, 0);
    s.Circle(QPointF(560, 250), 60 * 0.4);
    s.Rect(QRectF(545, 200, 30, 18), Ln::Thin);
    s.Dim(QPointF(220, 380), QPointF(440, 380), -20, QStringLiteral("Ø100"));
    s.Note(QPointF(330, 378), QPointF(380, 420), QStringLiteral("М20×1,5"));
    Requirements(s, Notes({"Предел измерений 0...25 МПа, класс точности 1,5.", "Корпус с глицериновым заполнением."}));
  };
}

DrawFn PtoPart() {
  return [](Sheet& s) {
    s.Push(QPointF(330, 270), 0, 1.9);
    Body(s, RoundedPath(QRectF(-70, -60, 140, 110), 8));
    Body(s, RectPath(QRectF(-80, -70, 10, 130)));
    s.Rect(QRectF(70, -36, 12, 72));
    Body(s, CirclePath(QPointF(40, -10), 20));
    s.Circle(QPointF(40, -10), 9);
    Body(s, RectPath(QRectF(-30, -84, 40, 24)));
    s.Rect(QRectF(-22, -98, 24, 14));
    s.Line(QPointF(-60, 10), QPointF(60, 10), Ln::Hidden);
    s.Circle(QPointF(-20, 10), 26, Ln::Hidden);
    s.Circle(QPointF(40, 10), 18, Ln::Hidden);
    s.Dim(QPointF(-80, 60), QPointF(82, 60), -12, QStringLiteral("310"));
    s.Pop();
    Requirements(s, Notes({"Включение — пневматическое, от кнопки в кабине.", "Передаточное отношение 1,26."}));
  };
}

DrawFn LampPart() {
  return [](Sheet& s) {
    Lamp(s, QPointF(300, 240), 3.2);
    {
      Place pl(s, QPointF(600, 240), 0, 3.2);
      s.Circle(QPointF(0, 0), 40);
      s.Circle(QPointF(0, 0), 34, Ln::Thin);
      for (int i = -2; i <= 2; ++i) s.Line(QPointF(-30, i * 10.0), QPointF(30, i * 10.0), Ln::Thin);
    }
    s.Dim(QPointF(300 - 18 * 3.2, 240 - 40 * 3.2), QPointF(300 - 18 * 3.2, 240 + 40 * 3.2), 24, QStringLiteral("90"));
    Requirements(s, Notes({"Фара рабочего освещения светодиодная, 24 В, 27 Вт.", "Степень защиты IP67."}));
  };
}

DrawFn SwitchPart(bool mushroom) {
  return [mushroom](Sheet& s) {
    s.Push(QPointF(330, 280), 0, 3.2);
    Body(s, RectPath(QRectF(-30, 0, 60, 40)));
    s.Line(QPointF(-30, 8), QPointF(30, 8), Ln::Thin);
    Body(s, RectPath(QRectF(-14, -12, 28, 12)));
    if (mushroom) {
      QPainterPath head;
      head.moveTo(-34, -12);
      head.cubicTo(QPointF(-30, -44), QPointF(30, -44), QPointF(34, -12));
      head.closeSubpath();
      Body(s, head);
    } else {
      Body(s, RectPath(QRectF(-4, -40, 8, 28)));
      Body(s, CirclePath(QPointF(0, -44), 6));
    }
    for (double x : {-18.0, 0.0, 18.0}) s.Rect(QRectF(x - 3, 40, 6, 14));
    s.Axis(QPointF(0, -48), QPointF(0, 56), 6);
    s.Dim(QPointF(-30, 54), QPointF(30, 54), -10, QStringLiteral("60"));
    s.Pop();
    Requirements(s, mushroom ? Notes({"Кнопка грибовидная с фиксацией, красная.", "Контакты 1НЗ + 1НО, 24 В, 10 А."})
                             : Notes({"Выключатель перекидной, 24 В, 15 А.", "Степень защиты IP65."}));
  };
}

DrawFn SensorPart() {
  return [](Sheet& s) {
    s.Push(QPointF(230, 270), 0, 3.2);
    Body(s, RectPath(QRectF(0, -10, 22, 20)));
    s.Line(QPointF(0, -8), QPointF(22, -8), Ln::Thin);
    s.Line(QPointF(0, 8), QPointF(22, 8), Ln::Thin);
    Body(s, RectPath(QRectF(22, -15, 12, 30)));
    s.Line(QPointF(22, -7.5), QPointF(34, -7.5));
    s.Line(QPointF(22, 7.5), QPointF(34, 7.5));
    Body(s, RectPath(QRectF(34, -13, 46, 26)));
    Body(s, RectPath(QRectF(80, -10, 24, 20)));
    s.Axis(QPointF(0, 0), QPointF(104, 0), 6);
    s.Dim(QPointF(0, 15), QPointF(104, 15), -10, QStringLiteral("104"));
    s.Pop();
    Requirements(s, Notes({"Датчик давления 0...40 МПа, выход 4...20 мА.", "Присоединение G1/4, разъем М12."}));
  };
}

DrawFn SolenoidPart() {
  return [](Sheet& s) {
    s.Push(QPointF(300, 300), 0, 3.0);
    Body(s, RectPath(QRectF(-40, -10, 80, 34)));
    Body(s, RectPath(QRectF(-24, -52, 48, 42)));
    s.Line(QPointF(-24, -44), QPointF(24, -44), Ln::Thin);
    Body(s, RectPath(QRectF(-10, -66, 20, 14)));
    s.Rect(QRectF(24, -42, 14, 22));
    for (double x : {-30.0, 30.0}) s.Circle(QPointF(x, 7), 5);
    s.Dim(QPointF(-40, 24), QPointF(40, 24), -10, QStringLiteral("80"));
    s.Pop();
    Requirements(s, Notes({"Клапан электромагнитный 24 В, 2/2, нормально закрытый.", "Разъем DIN 43650."}));
  };
}

DrawFn HornPart() {
  return [](Sheet& s) {
    s.Push(QPointF(330, 260), 0, 2.8);
    s.Circle(QPointF(0, 0), 46);
    s.Circle(QPointF(0, 0), 38, Ln::Thin);
    s.Circle(QPointF(0, 0), 12);
    for (int i = 0; i < 8; ++i)
      s.Line(Polar(QPointF(0, 0), 16, 22.5 + 45 * i), Polar(QPointF(0, 0), 34, 22.5 + 45 * i), Ln::Thin);
    QPolygonF bracket;
    bracket << QPointF(-8, 46) << QPointF(-8, 70) << QPointF(30, 70) << QPointF(30, 62) << QPointF(0, 62)
            << QPointF(0, 46);
    Body(s, PolyPath(bracket));
    s.Dim(QPointF(-46, 0), QPointF(46, 0), 54, QStringLiteral("Ø92"));
    s.Pop();
    Requirements(s, Notes({"Сигнал звуковой 24 В, 110 дБ.", "Тон — низкий."}));
  };
}

DrawFn FuseBoxPart() {
  return [](Sheet& s) {
    s.Push(QPointF(260, 190), 0, 2.4);
    Body(s, RoundedPath(QRectF(0, 0, 150, 90), 6));
    for (int i = 0; i < 6; ++i) {
      s.Rect(QRectF(12 + i * 22, 22, 14, 40));
      s.Rect(QRectF(15 + i * 22, 30, 8, 12), Ln::Thin);
    }
    for (double x : {-8.0, 150.0}) s.Rect(QRectF(x, 30, 8, 30));
    s.Dim(QPointF(0, 90), QPointF(150, 90), -10, QStringLiteral("150"));
    s.Pop();
    Requirements(s, Notes({"Блок предохранителей на 6 цепей, 24 В.", "Вставки плавкие 5...25 А."}));
  };
}

DrawFn HarnessPart() {
  return [](Sheet& s) {
    QPainterPath trunk;
    trunk.moveTo(120, 300);
    trunk.cubicTo(QPointF(250, 260), QPointF(420, 330), QPointF(620, 280));
    Hose(s, trunk, 9, false);
    const QPointF branches[4][2] = {{QPointF(240, 285), QPointF(230, 180)},
                                    {QPointF(360, 300), QPointF(380, 400)},
                                    {QPointF(480, 300), QPointF(500, 170)},
                                    {QPointF(560, 290), QPointF(650, 390)}};
    for (const auto& b : branches) {
      QPainterPath br;
      br.moveTo(b[0]);
      br.quadTo((b[0] + b[1]) / 2 + QPointF(20, 0), b[1]);
      Hose(s, br, 5, false);
      s.Rect(QRectF(b[1].x() - 10, b[1].y() - 8, 20, 16));
      s.Rect(QRectF(b[1].x() - 7, b[1].y() - 5, 14, 10), Ln::Thin);
    }
    s.Rect(QRectF(96, 288, 24, 24));
    s.Rect(QRectF(620, 268, 28, 24));
    for (double x : {180.0, 300.0, 430.0, 560.0}) s.Rect(QRectF(x - 3, 280, 6, 40), Ln::Thin);
    s.Dim(QPointF(96, 330), QPointF(648, 330), -90, QStringLiteral("4200"));
    Requirements(s,
                 Notes({"Провод ПГВА 1,5 мм²; жгут в гофротрубе Ø13.", "Маркировка проводов по схеме электрической."}));
  };
}

DrawFn LevelGaugePart() {
  return [](Sheet& s) {
    s.Push(QPointF(360, 150), 0, 2.2);
    Body(s, RoundedPath(QRectF(-20, 0, 40, 127), 8));
    s.Rect(QRectF(-9, 18, 18, 90));
    for (double y = 30; y <= 96; y += 11) s.Line(QPointF(-9, y), QPointF(-4, y), Ln::Thin);
    for (double y : {9.0, 118.0}) ScrewHead(s, QPointF(0, y), 4);
    s.Dim(QPointF(20, 9), QPointF(20, 118), -30, QStringLiteral("127"));
    s.Pop();
    Requirements(s, Notes({"Указатель уровня с термометром, межосевое 127 мм."}));
  };
}

DrawFn BreatherPart() {
  return [](Sheet& s) {
    s.Push(QPointF(330, 300), 0, 3.4);
    QPainterPath cap;
    cap.moveTo(-30, 0);
    cap.lineTo(-30, -16);
    cap.quadTo(-30, -34, 0, -36);
    cap.quadTo(30, -34, 30, -16);
    cap.lineTo(30, 0);
    cap.closeSubpath();
    Body(s, cap);
    for (double x = -24; x <= 24; x += 8) s.Line(QPointF(x, -2), QPointF(x, -12), Ln::Thin);
    Body(s, RectPath(QRectF(-14, 0, 28, 10)));
    Body(s, RectPath(QRectF(-9, 10, 18, 16)));
    s.Line(QPointF(-7.5, 10), QPointF(-7.5, 26), Ln::Thin);
    s.Line(QPointF(7.5, 10), QPointF(7.5, 26), Ln::Thin);
    s.Axis(QPointF(0, -36), QPointF(0, 26), 6);
    s.Dim(QPointF(-30, 26), QPointF(30, 26), -10, QStringLiteral("Ø60"));
    s.Pop();
    Requirements(s, Notes({"Сапун с воздушным фильтром 10 мкм.", "Присоединение М20×1,5."}));
  };
}

DrawFn PlugPart() {
  return TurnedPart({{10, 13}, {3, 9}, {14, 10}}, false,
                    Notes({"1. Пробка сливная с магнитной вставкой.", "2. Резьба М20×1,5; под ключ S27."}));
}

DrawFn FillerCapPart() {
  return [](Sheet& s) {
    s.Push(QPointF(330, 280), 0, 2.6);
    QPainterPath cap;
    cap.moveTo(-50, 0);
    cap.lineTo(-50, -20);
    cap.quadTo(-50, -30, -40, -30);
    cap.lineTo(40, -30);
    cap.quadTo(50, -30, 50, -20);
    cap.lineTo(50, 0);
    cap.closeSubpath();
    Body(s, cap);
    for (double x = -44; x <= 44; x += 8) s.Line(QPointF(x, -26), QPointF(x, -4), Ln::Thin);
    s.Rect(QRectF(-38, 0, 76, 40), Ln::Hidden);
    s.Rect(QRectF(-32, 40, 64, 30), Ln::Hidden);
    s.Axis(QPointF(0, -30), QPointF(0, 70), 6);
    s.Dim(QPointF(-50, -30), QPointF(50, -30), 14, QStringLiteral("Ø100"));
    s.Pop();
    Requirements(s, Notes({"Крышка заливной горловины с сапуном и сетчатым фильтром.", "Байонетное крепление."}));
  };
}

DrawFn StrainerPart() {
  return [](Sheet& s) {
    s.Push(QPointF(330, 130), 0, 2.0);
    s.Rect(QRectF(-40, 0, 80, 8));
    QPainterPath basket;
    basket.moveTo(-32, 8);
    basket.lineTo(-28, 120);
    basket.quadTo(0, 132, 28, 120);
    basket.lineTo(32, 8);
    s.Stroke(basket);
    for (double y = 20; y < 120; y += 10) s.Line(QPointF(-31 + y * 0.033, y), QPointF(31 - y * 0.033, y), Ln::Thin);
    for (double x = -24; x <= 24; x += 8) s.Line(QPointF(x, 8), QPointF(x * 0.9, 122), Ln::Thin);
    s.Dim(QPointF(-40, 0), QPointF(40, 0), 14, QStringLiteral("Ø96"));
    s.Pop();
    Requirements(s, Notes({"Сетка фильтровальная 0,25 мм ГОСТ 6613-86.", "Материал — сталь 12Х18Н10Т."}));
  };
}

DrawFn SlewingBearingPart() {
  return [](Sheet& s) {
    const QPointF c(290, 270);
    GearRim(s, c, 128, 140, 64);
    s.Circle(c, 112);
    s.Circle(c, 96);
    BoltCircle(s, c, 120, 24, 3.5, 7.5);
    BoltCircle(s, c, 104, 24, 3.5, 0);
    s.Centre(c, 146);
    // Section of the rings with the balls.
    s.Push(QPointF(560, 250), 0, 3.0);
    QPainterPath outer = RectPath(QRectF(0, -20, 26, 40)).subtracted(CirclePath(QPointF(26, 0), 9));
    QPainterPath inner = RectPath(QRectF(26, -14, 26, 34)).subtracted(CirclePath(QPointF(26, 0), 9));
    s.Hatch(outer);
    s.Stroke(outer);
    s.Hatch(inner, true);
    s.Stroke(inner);
    s.Circle(QPointF(26, 0), 8.2);
    for (double y = -14; y <= 14; y += 5) s.Line(QPointF(52, y), QPointF(57, y), Ln::Thin);
    s.Line(QPointF(13, -20), QPointF(13, 20), Ln::Axis);
    s.Line(QPointF(39, -14), QPointF(39, 20), Ln::Axis);
    s.Text(QPointF(26, -32), QStringLiteral("А–А"), 13 / 3.0, Qt::AlignHCenter | Qt::AlignBaseline);
    s.Pop();
    s.Dim(QPointF(150, 420), QPointF(430, 420), -10, QStringLiteral("Ø880"));
    Requirements(s, Notes({"Подшипник шариковый однорядный с внешним зубчатым венцом, m = 8, z = 64.",
                           "Смазка — Литол-24 через масленки, 4 шт."}));
  };
}

DrawFn SealKitPart() {
  return [](Sheet& s) {
    // The rings of the set side by side, each with its section beside it.
    struct Ring {
      double r, w;
      bool lip;
      const char* what;
    };
    const Ring rings[4] = {{62, 9, true, "манжета поршня"},
                           {46, 7, true, "манжета вала"},
                           {40, 4, false, "кольцо"},
                           {34, 6, true, "грязесъемник"}};
    double x = 110;
    for (const Ring& r : rings) {
      const QPointF c(x + r.r, 240);
      s.Circle(c, r.r);
      s.Circle(c, r.r - r.w);
      s.Centre(c, r.r + 4);
      const QRectF sec(c.x() - r.w / 2, 340, r.w, r.lip ? 18 : r.w);
      if (r.lip) {
        QPainterPath lip;
        lip.moveTo(sec.topLeft());
        lip.lineTo(sec.topRight());
        lip.lineTo(sec.bottomRight());
        lip.lineTo(sec.center().x(), sec.center().y() + 3);
        lip.lineTo(sec.bottomLeft());
        lip.closeSubpath();
        s.Fill(lip, QColor(40, 40, 40));
      } else {
        s.Fill(CirclePath(sec.center(), r.w / 2), QColor(40, 40, 40));
      }
      s.Text(QPointF(c.x(), 384), QString::fromUtf8(r.what), 11, Qt::AlignHCenter | Qt::AlignBaseline);
      x += 2 * r.r + 34;
    }
    Requirements(s, Notes({"Комплект уплотнений поставляется в упаковке изготовителя.",
                           "Перед установкой смазать рабочей жидкостью."}));
  };
}

DrawFn ConnectorPart() {
  return [](Sheet& s) {
    s.Push(QPointF(300, 270), 0, 3.0);
    Body(s, RoundedPath(QRectF(-40, -22, 50, 44), 4));
    Body(s, RectPath(QRectF(10, -18, 30, 36)));
    for (double y : {-10.0, 0.0, 10.0}) s.Rect(QRectF(40, y - 2, 10, 4), Ln::Thin);
    s.Line(QPointF(-40, -10), QPointF(-64, -14));
    s.Line(QPointF(-40, 0), QPointF(-66, 0));
    s.Line(QPointF(-40, 10), QPointF(-64, 14));
    s.Rect(QRectF(-30, -30, 14, 8));
    s.Dim(QPointF(-40, 22), QPointF(50, 22), -10, QStringLiteral("90"));
    s.Pop();
    Requirements(s, Notes({"Колодка соединительная, 6 контактов.", "Степень защиты IP67."}));
  };
}

DrawFn EarthLeadPart() {
  return [](Sheet& s) {
    s.Circle(QPointF(180, 270), 16);
    s.Circle(QPointF(180, 270), 6);
    s.Rect(QRectF(196, 262, 30, 16));
    QPainterPath wire;
    wire.moveTo(226, 270);
    wire.cubicTo(QPointF(330, 230), QPointF(460, 310), QPointF(560, 270));
    Hose(s, wire, 7, false);
    s.Rect(QRectF(560, 262, 30, 16));
    s.Circle(QPointF(606, 270), 16);
    s.Circle(QPointF(606, 270), 6);
    s.Dim(QPointF(180, 300), QPointF(606, 300), -30, QStringLiteral("600"));
    Requirements(s,
                 Notes({"Провод ПВ3 16 мм², наконечники ТМЛ 16-8.", "Сопротивление соединения — не более 0,01 Ом."}));
  };
}

}  // namespace demo
