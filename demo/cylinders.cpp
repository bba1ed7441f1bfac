// Hydraulic cylinders of the crane: their general view, their section with the parts called
// out, and the drawings of their own parts.

#include <cmath>

#include "cylinders.h"

namespace demo {

namespace {

double Wall(int D) { return std::max(8.0, std::round(D * 0.09)); }
double BarrelLen(const CylinderDef& c) { return c.stroke + 0.3 * c.D + 60; }
double RodLen(const CylinderDef& c) { return c.stroke + 0.4 * c.D + 70; }

DrawFn BarrelPart(const CylinderDef& c) {
  return [c](Sheet& s) {
    const double Lb = BarrelLen(c), R = c.pin * 1.15, cap = R + 20;
    const double Do = c.D + 2 * Wall(c.D);
    const double k = std::min(520.0 / (Lb + cap + R), 200.0 / Do);
    const QPointF o(400 - (Lb + cap + R) * k / 2 + R * k - 10, 270);
    s.Push(o, 0, k);
    QPainterPath lug;
    lug.addEllipse(QPointF(0, 0), R, R);
    lug.addRect(QRectF(0, -R * 0.85, cap, R * 1.7));
    lug.addRect(QRectF(cap - 4, -Do / 2, 24, Do));
    lug = Merged(lug).subtracted(CirclePath(QPointF(0, 0), c.pin * 0.78));
    s.Hatch(lug);
    s.Stroke(lug);
    const double x0 = cap + 20, x1 = cap + Lb;
    for (double sign : {-1.0, 1.0}) {
      const QRectF wall(x0, sign < 0 ? -Do / 2 : c.D / 2.0, x1 - x0, Wall(c.D));
      s.Hatch(RectPath(wall));
      s.Rect(wall);
      s.Line(QPointF(x1 - 40, sign * (c.D / 2.0 + 2)), QPointF(x1, sign * (c.D / 2.0 + 2)), Ln::Thin);
    }
    // Port bosses.
    for (double x : {x0 + 30, x1 - 60}) {
      const QRectF boss(x - 14, -Do / 2 - 14, 28, 14);
      s.WhiteRect(boss);
      s.Rect(boss);
      s.Line(QPointF(x - 5, -Do / 2 - 14), QPointF(x - 5, -c.D / 2.0), Ln::Hidden);
      s.Line(QPointF(x + 5, -Do / 2 - 14), QPointF(x + 5, -c.D / 2.0), Ln::Hidden);
    }
    s.Centre(QPointF(0, 0), R + 3);
    s.Axis(QPointF(0, 0), QPointF(x1, 0), 8);
    s.Dim(QPointF(0, Do / 2), QPointF(x1, Do / 2), -30 / k, DimNumber(std::round(x1)));
    s.Dim(QPointF(x1, -c.D / 2.0), QPointF(x1, c.D / 2.0), -24 / k, DimDiameter(c.D) + QStringLiteral("H9"));
    s.Note(QPointF(c.pin * 0.55, -c.pin * 0.55), QPointF(30 / k, -Do / 2 - 40 / k), DimDiameter(c.pin * 1.56));
    s.Pop();
    Requirements(s, {QStringLiteral("1. Труба 20Х ГОСТ 8732-78, хонингованная, Ra 0,32."),
                     QStringLiteral("2. Испытать давлением 37,5 МПа в течение 3 мин.")});
  };
}

DrawFn RodPart(const CylinderDef& c) {
  return [c](Sheet& s) {
    const double Lr = RodLen(c), R = c.pin * 1.15;
    const double k = std::min(520.0 / (Lr + 2 * R), 160.0 / (2 * R));
    const QPointF o(400 - (Lr + 2 * R) * k / 2 + R * k - 10, 270);
    s.Push(o, 0, k);
    QPainterPath eye;
    eye.addEllipse(QPointF(0, 0), R, R);
    eye.addRect(QRectF(0, -c.d * 0.6, R + 20, c.d * 1.2));
    eye = Merged(eye);
    s.Stroke(eye);
    s.Circle(QPointF(0, 0), c.pin * 0.78);
    s.Centre(QPointF(0, 0), R + 3);
    const double xr = R + 20;
    s.Rect(QRectF(xr, -c.d / 2.0, Lr - xr - c.d * 0.6, c.d));
    const double xt = Lr - c.d * 0.6;
    s.Rect(QRectF(xt, -c.d * 0.35, c.d * 0.6, c.d * 0.7));
    s.Line(QPointF(xt, -c.d * 0.3), QPointF(Lr, -c.d * 0.3), Ln::Thin);
    s.Line(QPointF(xt, c.d * 0.3), QPointF(Lr, c.d * 0.3), Ln::Thin);
    s.Axis(QPointF(0, 0), QPointF(Lr, 0), 8);
    s.Dim(QPointF(0, R), QPointF(Lr, R), -30 / k, DimNumber(std::round(Lr)));
    s.Dim(QPointF(Lr * 0.55, -c.d / 2.0), QPointF(Lr * 0.55, c.d / 2.0), 0, DimDiameter(c.d) + QStringLiteral("f8"));
    s.Note(QPointF(Lr - c.d * 0.2, -c.d * 0.35), QPointF(Lr - c.d * 0.2 - 20 / k, -R - 30 / k),
           QStringLiteral("М") + QString::number(static_cast<int>(c.d * 0.6)) + QStringLiteral("×2"), false);
    s.Pop();
    Requirements(s, {QStringLiteral("1. Хромировать: Х.тв.20...25 мкм, Ra 0,2."),
                     QStringLiteral("2. Закалка ТВЧ 50...55 HRCэ, h = 1,5...2 мм.")});
  };
}

void CharTable(Sheet& s, QPointF at, const std::vector<std::pair<QString, QString>>& rows, double w = 220) {
  const double h = 16;
  s.Rect(QRectF(at.x(), at.y(), w, h * rows.size()));
  s.Line(QPointF(at.x() + w * 0.68, at.y()), QPointF(at.x() + w * 0.68, at.y() + h * rows.size()), Ln::Thin);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i) s.Line(QPointF(at.x(), at.y() + h * i), QPointF(at.x() + w, at.y() + h * i), Ln::Thin);
    s.Text(QPointF(at.x() + 4, at.y() + h * i + 12), rows[i].first, 11.5);
    s.Text(QPointF(at.x() + w - 4, at.y() + h * i + 12), rows[i].second, 11.5, Qt::AlignRight | Qt::AlignBaseline);
  }
}

DrawFn Outside(const CylinderDef& c) {
  return [c](Sheet& s) {
    CylinderShape sp;
    sp.dia = 72;
    sp.rod = 34;
    sp.eye = 27;
    sp.cap = 44;
    sp.head = 32;
    sp.barrel = 300;
    sp.prefix = "o.";
    const QPointF a(160, 300), b(640, 300);
    Cylinder(s, a, b, sp);
    s.Dim(QPointF(160, 327), QPointF(640, 327), -44, QString::number(c.closed));
    s.Dim(QPointF(160 + 44 + 300 + 32, 317), QPointF(640 - 27 * 0.8, 317), -18,
          QStringLiteral("ход ") + QString::number(c.stroke));
    s.Dim(QPointF(160 + 44 + 150, 264), QPointF(160 + 44 + 150, 336), 0, DimDiameter(c.D + 2 * Wall(c.D)));
    s.Note(QPointF(160 + 0.5 * 27 * 0.52, 300 - 0.5 * 27 * 0.52), QPointF(190, 220), DimDiameter(c.pin));
    CharTable(s, QPointF(150, 120),
              {{QStringLiteral("Диаметр поршня, мм"), QString::number(c.D)},
               {QStringLiteral("Диаметр штока, мм"), QString::number(c.d)},
               {QStringLiteral("Ход поршня, мм"), QString::number(c.stroke)},
               {QStringLiteral("Давление номинальное, МПа"), QStringLiteral("25")}});
    Requirements(s, {QStringLiteral("1. Рабочая жидкость — масло МГЕ-46В или ВМГЗ."),
                     QStringLiteral("2. Размер для справок: ход поршня.")});
  };
}

DrawFn SectionView() {
  return [](Sheet& s) {
    CylinderShape sp;
    sp.dia = 104;
    sp.rod = 46;
    sp.eye = 34;
    sp.cap = 54;
    sp.head = 46;
    sp.barrel = 270;
    sp.piston = 0.42;
    sp.section = true;
    sp.prefix = "cyl.";
    Cylinder(s, QPointF(150, 290), QPointF(640, 290), sp);
  };
}

}  // namespace

NodeRef EyeCylinder(const CylinderDef& c) {
  auto num = [&](int n) {
    std::string v = std::to_string(c.first + n);
    while (v.size() < 3) v = "0" + v;
    return c.base + "." + v;
  };
  const QString steel = QStringLiteral("Сталь 45 ГОСТ 1050-2013");
  const double R = c.D / 2.0, r = c.d / 2.0, bore = c.d * 0.35;
  auto turned = [](std::vector<Step> st) { return st; };
  const std::vector<Step> piston = turned({{0.12 * c.D, R - 0.5, bore},
                                           {0.1 * c.D, R - 5, bore},
                                           {0.16 * c.D, R - 0.5, bore},
                                           {0.1 * c.D, R - 5, bore},
                                           {0.12 * c.D, R - 0.5, bore}});
  const std::vector<Step> nut = turned({{0.45 * c.d, 0.5 * c.d, bore}});
  const std::vector<Step> gland =
      turned({{0.35 * c.D, R, r + 0.5}, {0.12 * c.D, R - 3, r + 0.5}, {0.22 * c.D, R + 8, r + 0.5}});
  auto pistonK = [&](const std::vector<Step>& st) {
    double L = StepsLength(st), Rm = 0;
    for (const Step& x : st) Rm = std::max(Rm, x.r);
    return std::min({470.0 / (L + 2 * Rm), 220.0 / (2 * Rm), 8.0});
  };
  const int oringSection = c.D >= 80 ? 58 : 30;
  std::vector<Use> parts = {
      {NewPart(num(1), "Гильза", c.mass * 0.42, -1, true, BarrelPart(c),
               ScaleFor(std::min(520.0 / (BarrelLen(c) + c.pin * 2.3 + 20), 200.0 / (c.D + 2 * Wall(c.D))))),
       "cyl.barrel"},
      {NewPart(num(2), "Шток", c.mass * 0.3, -1, true, RodPart(c),
               ScaleFor(std::min(520.0 / (RodLen(c) + c.pin * 2.3), 160.0 / (c.pin * 2.3)))),
       "cyl.rod"},
      {NewPart(num(3), "Поршень", c.mass * 0.045, -1, true, TurnedPart(piston, true), ScaleFor(pistonK(piston)), steel),
       "cyl.piston"},
      {NewPart(num(4), "Гайка", c.mass * 0.012, -1, true, TurnedPart(nut, true), ScaleFor(pistonK(nut)), steel),
       "cyl.nut"},
      {NewPart(num(5), "Букса", c.mass * 0.07, -1, true, TurnedPart(gland, true), ScaleFor(pistonK(gland)), steel),
       "cyl.head"},
      {NewPart(num(6), "Втулка направляющая", c.mass * 0.008, -1, true, BushPart(c.d + 10, c.d, 0.5 * c.d),
               ScaleFor(pistonK({{0.5 * c.d, c.d / 2.0 + 5, r}})), QStringLiteral("Бронза БрО5Ц5С5")),
       "cyl.guide"},
      {StdCuff(1, c.D, c.D - 20), "cyl.seal_p"},
      {StdCuff(2, c.d + 15, c.d), "cyl.seal_r"},
      {StdWiper(c.d), "cyl.wiper"},
      {StdORing(c.D, c.D + (oringSection == 58 ? 10 : 5), oringSection), "cyl.oring_g"},
      {StdPlainBearing(c.pin), "cyl.bush_b", 2},
      {StdGrease(), "cyl.grease", 2},
  };
  return NewComposite(num(0), c.naim, c.mass, c.table, true, Outside(c), ScaleFor(480.0 / c.closed), SectionView(),
                      ScaleFor(490.0 / c.closed * 1.4), std::move(parts), c.progressive);
}

}  // namespace demo
