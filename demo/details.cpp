// Items of the catalogue, its standard parts, and the drawings of single parts.

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <map>

#include "content.h"

namespace demo {

namespace {

constexpr double kDeg = M_PI / 180.0;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A file name from a designation or a name: Latin letters, digits and hyphens.
std::string Slug(const std::string& text) {
  static const std::map<char32_t, const char*> kLatin = {
      {U'а', "a"},  {U'б', "b"}, {U'в', "v"}, {U'г', "g"},  {U'д', "d"},  {U'е', "e"},   {U'ё', "e"},
      {U'ж', "zh"}, {U'з', "z"}, {U'и', "i"}, {U'й', "i"},  {U'к', "k"},  {U'л', "l"},   {U'м', "m"},
      {U'н', "n"},  {U'о', "o"}, {U'п', "p"}, {U'р', "r"},  {U'с', "s"},  {U'т', "t"},   {U'у', "u"},
      {U'ф', "f"},  {U'х', "h"}, {U'ц', "c"}, {U'ч', "ch"}, {U'ш', "sh"}, {U'щ', "sch"}, {U'ъ', ""},
      {U'ы', "y"},  {U'ь', ""},  {U'э', "e"}, {U'ю', "yu"}, {U'я', "ya"}, {U'×', "x"}};
  const std::u32string u = QString::fromStdString(text).toLower().toStdU32String();
  std::string out;
  for (char32_t c : u) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      out += static_cast<char>(c);
    } else if (auto it = kLatin.find(c); it != kLatin.end()) {
      out += it->second;
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  return out;
}

std::string PictureName(const std::string& oboz, const std::string& naim) {
  return oboz.rfind("ГОСТ", 0) == 0 ? Slug(naim) : Slug(oboz);
}

DrawingRef MakeDrawing(const std::string& name, DrawFn draw, const QString& oboz, const QString& naim, double mass,
                       const QString& scale, const QString& material) {
  auto d = std::make_shared<Drawing>();
  d->name = name;
  d->draw = std::move(draw);
  d->title = {oboz, naim, scale, mass > 0 ? MassText(mass) : QString(), material};
  return d;
}

// Free space of a detail drawing: the view and an end view beside it.
constexpr double kViewCx = 300, kViewCy = 270;

void Dims(Sheet& s, QPointF a, QPointF b, double offsetPx, const QString& text, double k) {
  s.Dim(a, b, offsetPx / k, text);
}

// The size across the flats of a hexagon for thread d, dimensioned under its end view.
void AcrossFlats(Sheet& s, int d, double k) {
  Dims(s, QPointF(-0.775 * d, 0.9 * d), QPointF(0.775 * d, 0.9 * d), -22,
       QStringLiteral("S") + QString::number(static_cast<int>(std::lround(1.5 * d))), k);
}

}  // namespace

// ------------------------------------------------------------------ items

NodeRef NewPart(const std::string& oboz, const std::string& naim, double mass, int table, bool orderable, DrawFn draw,
                const QString& scale, const QString& material) {
  auto n = std::make_shared<Node>();
  n->oboz = oboz;
  n->naim = naim;
  n->mass = mass;
  n->table = table;
  n->orderable = orderable;
  const bool standard = oboz.rfind("ГОСТ", 0) == 0;
  n->picture = MakeDrawing(PictureName(oboz, naim), std::move(draw),
                           standard ? Q(naim).section(QStringLiteral(" ГОСТ"), 0, 0) : Q(oboz),
                           standard ? Q(oboz) : Q(naim), mass, scale, material);
  return n;
}

NodeRef NewAssembly(const std::string& oboz, const std::string& naim, double mass, int table, DrawFn draw,
                    const QString& scale, std::vector<Use> parts, bool progressive) {
  auto n = std::make_shared<Node>();
  n->oboz = oboz;
  n->naim = naim;
  n->mass = mass;
  n->table = table;
  const std::string doc = oboz.rfind("КМ-", 0) == 0 && oboz.find(' ') == std::string::npos ? oboz + " СБ" : oboz;
  n->picture = MakeDrawing(PictureName(oboz, naim), std::move(draw), Q(doc), Q(naim), mass, scale, {});
  n->picture->parts = std::move(parts);
  n->picture->progressive = progressive;
  return n;
}

NodeRef NewComposite(const std::string& oboz, const std::string& naim, double mass, int table, bool orderable,
                     DrawFn outside, const QString& outsideScale, DrawFn inside, const QString& insideScale,
                     std::vector<Use> parts, bool progressive) {
  auto n = std::make_shared<Node>();
  n->oboz = oboz;
  n->naim = naim;
  n->mass = mass;
  n->table = table;
  n->orderable = orderable;
  const std::string base = PictureName(oboz, naim);
  const bool own = oboz.rfind("КМ-", 0) == 0;
  n->picture = MakeDrawing(base, std::move(outside), Q(own ? oboz + " ГЧ" : oboz), Q(naim), mass, outsideScale, {});
  n->composition =
      MakeDrawing(base + "-sb", std::move(inside), Q(own ? oboz + " СБ" : oboz), Q(naim), mass, insideScale, {});
  n->composition->parts = std::move(parts);
  n->composition->progressive = progressive;
  return n;
}

// ------------------------------------------------------------------ detail drawings

QString ScaleFor(double pxPerMm) {
  // A sheet pixel is about half a millimetre of an A3 sheet.
  const double ratio = pxPerMm * 0.53;
  struct S {
    double v;
    const char* t;
  };
  static const S kScales[] = {{0.05, "1:20"}, {0.1, "1:10"}, {0.2, "1:5"}, {0.25, "1:4"},
                              {0.4, "1:2,5"}, {0.5, "1:2"},  {1, "1:1"},   {2, "2:1"},
                              {2.5, "2,5:1"}, {4, "4:1"},    {5, "5:1"}};
  const S* best = &kScales[0];
  for (const S& sc : kScales)
    if (std::abs(std::log(sc.v / ratio)) < std::abs(std::log(best->v / ratio))) best = &sc;
  return QString::fromUtf8(best->t);
}

void Requirements(Sheet& s, const QStringList& lines) {
  if (lines.isEmpty()) return;
  double y = 484 - 13.0 * lines.size();
  for (const QString& l : lines) {
    s.Text(QPointF(24, y), l, 12);
    y += 13;
  }
}

namespace {

// Scale of a part of w × h mm so that it fills a box of bw × bh pixels.
double FitK(double w, double h, double bw, double bh, double most = 8) { return std::min({bw / w, bh / h, most}); }

void EndView(Sheet& s, QPointF c, const std::vector<double>& radii, double bore) {
  for (double r : radii) s.Circle(c, r);
  if (bore > 0) s.Circle(c, bore);
  double big = 0;
  for (double r : radii) big = std::max(big, r);
  s.Centre(c, big + 4);
}

}  // namespace

DrawFn TurnedPart(std::vector<Step> mm, bool section, QStringList notes) {
  return [mm, section, notes](Sheet& s) {
    const double L = StepsLength(mm);
    double R = 0, bore = 1e9;
    for (const Step& st : mm) {
      R = std::max(R, st.r);
      if (st.rin > 0) bore = std::min(bore, st.rin);
    }
    if (bore > 1e8) bore = 0;
    const double k = FitK(L + 2 * R, 2 * R, 470, 220);
    const double total = L * k + 80 + 2 * R * k;
    const double x0 = 400 - total / 2 - 10;
    {
      Place pl(s, QPointF(x0, kViewCy), 0, k);
      Revolved(s, mm, section, false, false);
      Dims(s, QPointF(0, R), QPointF(L, R), -30, DimNumber(L), k);
      if (mm.size() > 1)
        Dims(s, QPointF(0, -mm[0].r), QPointF(mm[0].len, -mm[0].r), 22 + (R - mm[0].r) * k, DimNumber(mm[0].len), k);
      const Step& last = mm.back();
      Dims(s, QPointF(L, -last.r), QPointF(L, last.r), -22, DimDiameter(2 * last.r), k);
      if (bore > 0) s.Note(QPointF(L * 0.6, -bore), QPointF(L * 0.6 + 18 / k, -R - 30 / k), DimDiameter(2 * bore));
      double x = 0;
      for (const Step& st : mm) {
        if (st.r == R && &st != &mm.back()) {
          s.Note(QPointF(x + st.len * 0.4, st.r), QPointF(x + st.len * 0.4 - 16 / k, st.r + 46 / k), DimDiameter(2 * R),
                 false);
          break;
        }
        x += st.len;
      }
    }
    std::vector<double> radii;
    for (const Step& st : mm)
      if (std::find(radii.begin(), radii.end(), st.r * k) == radii.end()) radii.push_back(st.r * k);
    EndView(s, QPointF(x0 + L * k + 80 + R * k, kViewCy), radii, bore * k);
    QStringList req = notes;
    if (req.isEmpty()) req << QStringLiteral("1. Неуказанные предельные отклонения размеров: H14, h14, ±IT14/2.");
    Requirements(s, req);
  };
}

DrawFn PinPart(double d, double len, double headD, double headLen, bool plate, bool crossHole) {
  return [=](Sheet& s) {
    std::vector<Step> steps;
    if (headLen > 0) steps.push_back({headLen, headD / 2});
    steps.push_back({len - 4, d / 2});
    steps.push_back({4, d / 2 - 1.5});
    const double L = StepsLength(steps);
    const double R = std::max(headD, d) / 2;
    const double k = FitK(L + 2 * R + 40, 2 * R + 30, 470, 200);
    const double total = L * k + 80 + 2 * R * k;
    const double x0 = 400 - total / 2 - 10;
    {
      Place pl(s, QPointF(x0, kViewCy), 0, k);
      Revolved(s, steps, false);
      // Grease duct along the pin and out to its surface.
      s.Line(QPointF(0, -1.5), QPointF(L * 0.55, -1.5), Ln::Hidden);
      s.Line(QPointF(0, 1.5), QPointF(L * 0.55, 1.5), Ln::Hidden);
      s.Line(QPointF(L * 0.55 - 1.5, 0), QPointF(L * 0.55 - 1.5, -d / 2), Ln::Hidden);
      s.Line(QPointF(L * 0.55 + 1.5, 0), QPointF(L * 0.55 + 1.5, -d / 2), Ln::Hidden);
      if (crossHole) {
        s.Line(QPointF(L - 9, -d / 2), QPointF(L - 9, d / 2), Ln::Hidden);
        s.Line(QPointF(L - 13, -d / 2), QPointF(L - 13, d / 2), Ln::Hidden);
        s.Axis(QPointF(L - 11, -d / 2), QPointF(L - 11, d / 2), 4);
      }
      if (plate) {
        s.Rect(QRectF(-8, -d * 0.45, 8, d * 1.6));
        s.Hatch(RectPath(QRectF(-8, -d * 0.45, 8, d * 1.6)));
      }
      Dims(s, QPointF(0, R), QPointF(L, R), -34, DimNumber(L), k);
      Dims(s, QPointF(L * 0.8, -d / 2), QPointF(L * 0.8, d / 2), 0, DimDiameter(d), k);
      if (headLen > 0) Dims(s, QPointF(0, -headD / 2), QPointF(headLen, -headD / 2), 20, DimNumber(headLen), k);
    }
    const QPointF c(x0 + L * k + 80 + R * k, kViewCy);
    if (plate) {
      Place pl(s, c, 0, k);
      QPainterPath p;
      p.addRoundedRect(QRectF(-d * 0.45, -d * 0.45, d * 1.6 + 0.45 * d, d * 0.9), d * 0.45, d * 0.45);
      s.Stroke(p);
      s.Circle(QPointF(d * 1.15, 0), d * 0.17);
    }
    EndView(s, c, {d / 2 * k, (d / 2 - 1.5) * k, headD / 2 * k}, 0);
    Requirements(s, {QStringLiteral("1. 40...45 HRCэ, h = 1,5...2 мм."), QStringLiteral("2. Покрытие: Хим.Окс.прм.")});
  };
}

DrawFn BushPart(double D, double d, double len, double flangeD, double flangeLen) {
  std::vector<Step> steps;
  if (flangeLen > 0) steps.push_back({flangeLen, flangeD / 2, d / 2});
  steps.push_back({len - flangeLen, D / 2, d / 2});
  return TurnedPart(steps, true,
                    {QStringLiteral("1. Бронза БрО5Ц5С5 ГОСТ 613-79 допускается заменять"),
                     QStringLiteral("    на сталь 40Х с последующей закалкой ТВЧ.")});
}

DrawFn PlatePart(double w, double h, double t, std::vector<QPointF> holes, double holeD, double corner,
                 bool countersunk, QString engraving) {
  return [=](Sheet& s) {
    const double k = FitK(w + t + 50, h + 20, 470, 250);
    const double x0 = 400 - (w * k + 60 + t * k) / 2 - 10;
    const double y0 = kViewCy - h * k / 2;
    {
      Place pl(s, QPointF(x0, y0), 0, k);
      std::vector<QPointF> hs = holes;
      HolePlate(s, QRectF(0, 0, w, h), corner, hs, holeD / 2);
      if (countersunk)
        for (const QPointF& p : holes) s.Circle(p, holeD * 0.95);
      if (!engraving.isEmpty()) {
        s.Rect(QRectF(w * 0.08, h * 0.15, w * 0.84, h * 0.7), Ln::Thin);
        // As large as the longest word allows.
        double px = h * 0.18;
        for (; px > 2; px *= 0.92) {
          const QFontMetricsF fm(DrawingFont(px, false, true));
          double widest = 0;
          for (const QString& word : engraving.split(QLatin1Char(' ')))
            widest = std::max(widest, fm.horizontalAdvance(word));
          if (widest <= w * 0.76) break;
        }
        s.p().setFont(DrawingFont(px, false, true));
        s.p().setPen(Qt::black);
        s.p().drawText(QRectF(w * 0.08, h * 0.15, w * 0.84, h * 0.7), Qt::AlignCenter | Qt::TextWordWrap, engraving);
      }
      Dims(s, QPointF(0, h), QPointF(w, h), -28, DimNumber(w), k);
      Dims(s, QPointF(0, 0), QPointF(0, h), -24, DimNumber(h), k);
      if (!holes.empty()) {
        s.Note(holes.front() + QPointF(holeD * 0.35, -holeD * 0.35), holes.front() + QPointF(24 / k, -40 / k),
               QString::number(holes.size()) + QStringLiteral(" отв. ") + DimDiameter(holeD));
      }
    }
    {
      Place pl(s, QPointF(x0 + w * k + 60, y0), 0, k);
      s.Rect(QRectF(0, 0, t, h));
      if (countersunk)
        for (const QPointF& p : holes) {
          s.Line(QPointF(0, p.y() - holeD * 0.95), QPointF(t * 0.5, p.y() - holeD / 2), Ln::Hidden);
          s.Line(QPointF(0, p.y() + holeD * 0.95), QPointF(t * 0.5, p.y() + holeD / 2), Ln::Hidden);
        }
      for (const QPointF& p : holes) s.Axis(QPointF(0, p.y()), QPointF(t, p.y()), 4);
      Dims(s, QPointF(0, h), QPointF(t, h), -28, DimNumber(t), k);
    }
    Requirements(
        s, {QStringLiteral("1. Острые кромки притупить."), QStringLiteral("2. Покрытие: грунт ГФ-021, эмаль ПФ-115.")});
  };
}

DrawFn SpringPart(double D, double wire, double len, int coils) {
  return [=](Sheet& s) {
    const double k = FitK(len + 20, D + 20, 420, 200);
    const double x0 = 400 - (len * k + 60 + D * k) / 2 - 10;
    {
      Place pl(s, QPointF(x0, kViewCy), 0, k);
      const double R = D / 2 - wire / 2;
      const double pitch = (len - wire) / coils;
      // Wire sections above and below, joined by the visible turns.
      for (int i = 0; i <= coils; ++i) {
        const QPointF top(wire / 2 + i * pitch, -R), bottom(wire / 2 + i * pitch + pitch / 2, R);
        s.Fill(CirclePath(top, wire / 2), QColor(255, 255, 255));
        s.Circle(top, wire / 2);
        s.Hatch(CirclePath(top, wire / 2), false, 2.5);
        if (i < coils) {
          s.Circle(bottom, wire / 2);
          s.Hatch(CirclePath(bottom, wire / 2), false, 2.5);
          s.Line(top + QPointF(wire / 2, 0), bottom + QPointF(wire / 2, 0));
          s.Line(top - QPointF(wire / 2, 0), bottom - QPointF(wire / 2, 0));
        }
      }
      s.Axis(QPointF(0, 0), QPointF(len, 0), 8);
      Dims(s, QPointF(0, D / 2), QPointF(len, D / 2), -26, DimNumber(len), k);
      Dims(s, QPointF(len, -D / 2), QPointF(len, D / 2), -20, DimDiameter(D), k);
    }
    Requirements(s, {QStringLiteral("1. Число рабочих витков n = ") + QString::number(coils) + QStringLiteral("."),
                     QStringLiteral("2. Проволока ") + DimNumber(wire) + QStringLiteral(" ГОСТ 14963-78, 65Г."),
                     QStringLiteral("3. Направление навивки — правое.")});
  };
}

DrawFn GearPart(int teeth, double module, double width, double bore) {
  return [=](Sheet& s) {
    const double tip = module * (teeth + 2) / 2, root = module * (teeth - 2.5) / 2;
    const double k = FitK(2 * tip + width + 40, 2 * tip, 470, 250);
    const QPointF c(400 - (2 * tip * k + 70 + width * k) / 2 + tip * k - 10, kViewCy);
    {
      Place pl(s, c, 0, k);
      GearRim(s, QPointF(0, 0), root, tip, teeth);
      s.Circle(QPointF(0, 0), bore / 2);
      s.Rect(QRectF(-bore * 0.14, -bore / 2 - bore * 0.12, bore * 0.28, bore * 0.16));
      s.Circle(QPointF(0, 0), bore * 0.9, Ln::Thin);
      s.Centre(QPointF(0, 0), tip + 4);
    }
    {
      Place pl(s, QPointF(c.x() + tip * k + 70, kViewCy), 0, k);
      QPainterPath body =
          RectPath(QRectF(0, -tip, width, 2 * tip)).subtracted(RectPath(QRectF(-1, -bore / 2, width + 2, bore)));
      s.Hatch(body);
      s.Stroke(body);
      s.Line(QPointF(0, -root), QPointF(width, -root), Ln::Thin);
      s.Line(QPointF(0, root), QPointF(width, root), Ln::Thin);
      s.Axis(QPointF(0, -module * teeth / 2), QPointF(width, -module * teeth / 2), 4);
      s.Axis(QPointF(0, 0), QPointF(width, 0), 8);
      Dims(s, QPointF(0, tip), QPointF(width, tip), -24, DimNumber(width), k);
      Dims(s, QPointF(width, -tip), QPointF(width, tip), -20, DimDiameter(module * (teeth + 2)), k);
    }
    // The table of the gear's data, as on a gear drawing.
    const double tx = 520, ty = 108;
    const QString rows[3][2] = {{QStringLiteral("Модуль"), DimNumber(module)},
                                {QStringLiteral("Число зубьев"), QString::number(teeth)},
                                {QStringLiteral("Степень точности"), QStringLiteral("9-В")}};
    s.Rect(QRectF(tx, ty, 170, 48), Ln::Main);
    for (int i = 0; i < 3; ++i) {
      if (i) s.Line(QPointF(tx, ty + 16 * i), QPointF(tx + 170, ty + 16 * i), Ln::Thin);
      s.Text(QPointF(tx + 4, ty + 12 + 16 * i), rows[i][0], 11);
      s.Text(QPointF(tx + 166, ty + 12 + 16 * i), rows[i][1], 11, Qt::AlignRight | Qt::AlignBaseline);
    }
    s.Line(QPointF(tx + 110, ty), QPointF(tx + 110, ty + 48), Ln::Thin);
    Requirements(s, {QStringLiteral("1. Зубья закалить ТВЧ 48...52 HRCэ, h = 1,5...2,5 мм."),
                     QStringLiteral("2. Неуказанные предельные отклонения размеров: H14, h14, ±IT14/2.")});
  };
}

DrawFn RackPart(double len, double height, double module, double width) {
  return [=](Sheet& s) {
    const double k = FitK(len + 20, height + width + 60, 560, 260);
    const double x0 = 400 - len * k / 2 - 20;
    {
      Place pl(s, QPointF(x0, 230), 0, k);
      Rack(s, QPointF(0, 0), len, height, module * M_PI);
      for (double x : {len * 0.2, len * 0.5, len * 0.8}) {
        s.Line(QPointF(x - 5, 0), QPointF(x - 5, height), Ln::Hidden);
        s.Line(QPointF(x + 5, 0), QPointF(x + 5, height), Ln::Hidden);
        s.Axis(QPointF(x, 0), QPointF(x, height), 4);
      }
      Dims(s, QPointF(0, height), QPointF(len, height), -26, DimNumber(len), k);
      Dims(s, QPointF(len, -module * 0.65 * M_PI), QPointF(len, height), -20, DimNumber(height + module * 2), k);
    }
    {
      Place pl(s, QPointF(x0, 230 + (height + 40) * k), 0, k);
      s.Rect(QRectF(0, 0, len, width));
      for (double x : {len * 0.2, len * 0.5, len * 0.8}) {
        s.Circle(QPointF(x, width / 2), 5);
        s.Centre(QPointF(x, width / 2), 7);
      }
    }
    Requirements(s, {QStringLiteral("1. Модуль m = ") + DimNumber(module) +
                         QStringLiteral(", исходный контур по ГОСТ 13755-2015."),
                     QStringLiteral("2. Зубья закалить ТВЧ 48...52 HRCэ.")});
  };
}

DrawFn HosePart(int dn, int len, bool bentEnd) {
  return [=](Sheet& s) {
    const double k = 480.0 / len;
    const double x0 = 150, x1 = x0 + len * k, y = 250;
    QPainterPath c;
    if (bentEnd) {
      c.moveTo(x0, y + 60);
      c.lineTo(x0, y + 30);
      c.quadTo(x0, y, x0 + 40, y);
      c.cubicTo(QPointF(x0 + 200, y - 30), QPointF(x1 - 200, y + 40), QPointF(x1, y));
    } else {
      c.moveTo(x0, y);
      c.cubicTo(QPointF(x0 + 160, y - 50), QPointF(x1 - 160, y + 50), QPointF(x1, y));
    }
    Hose(s, c, std::max(8.0, dn * 0.9));
    s.Dim(QPointF(bentEnd ? x0 : x0 - 20, y + 70), QPointF(x1 + 20, y + 70), -40,
          QStringLiteral("L = ") + QString::number(len));
    s.Note(QPointF(x1 + 10, y - 6), QPointF(x1 - 20, y - 70),
           QStringLiteral("М") + QString::number(dn + 10) + QStringLiteral("×1,5"), false);
    s.Note(QPointF((x0 + x1) / 2, y - 6), QPointF((x0 + x1) / 2 + 30, y - 80),
           QStringLiteral("Ду ") + QString::number(dn));
    Requirements(s, {QStringLiteral("1. Рабочее давление 25 МПа; испытать давлением 37,5 МПа."),
                     QStringLiteral("2. Оплетка — две стальные (2SN)."),
                     QStringLiteral("3. Допускаемое отклонение длины ±1 %.")});
  };
}

DrawFn TubePart(std::vector<QPointF> mm, double d) {
  return [=](Sheet& s) {
    QRectF box;
    for (const QPointF& p : mm)
      box = box.isNull() ? QRectF(p, QSizeF(0.01, 0.01)) : box.united(QRectF(p, QSizeF(0.01, 0.01)));
    const double k = FitK(box.width() + 40, box.height() + 40, 470, 240, 3);
    const QPointF o = QPointF(380, 270) - box.center() * k;
    QPolygonF pts;
    for (const QPointF& p : mm) pts << o + p * k;
    Tube(s, pts, std::max(5.0, d * k), 22);
    Fitting(s, pts.front(), std::atan2(pts[0].y() - pts[1].y(), pts[0].x() - pts[1].x()) / kDeg, 12);
    const int n = pts.size();
    Fitting(s, pts.back(), std::atan2(pts[n - 1].y() - pts[n - 2].y(), pts[n - 1].x() - pts[n - 2].x()) / kDeg, 12);
    s.Dim(pts.front(), QPointF(pts.back().x(), pts.front().y()), 40,
          DimNumber(std::abs(mm.back().x() - mm.front().x())));
    s.Note(pts[n / 2], pts[n / 2] + QPointF(30, -60),
           QStringLiteral("Труба ") + DimNumber(d) + QStringLiteral("×2,5 ГОСТ 8734-75"));
    Requirements(
        s, {QStringLiteral("1. Радиусы гибов R = 3d."), QStringLiteral("2. Трубопровод испытать давлением 37,5 МПа."),
            QStringLiteral("3. Покрытие: Ц9.хр.")});
  };
}

DrawFn LinkPart(double centres, double R, double hole, double thick, bool fork) {
  return [=](Sheet& s) {
    const double k = FitK(centres + 2 * R + thick + 60, 2 * R + 40, 480, 220);
    const double x0 = 400 - (centres + 2 * R + thick + 50) * k / 2;
    {
      Place pl(s, QPointF(x0 + R * k, kViewCy), 0, k);
      QPainterPath body;
      body.addEllipse(QPointF(0, 0), R, R);
      body.addEllipse(QPointF(centres, 0), R, R);
      body.addRect(QRectF(0, -R * 0.7, centres, R * 1.4));
      body = Merged(body);
      s.Stroke(body);
      Boss(s, QPointF(0, 0), R * 0.0001, hole / 2);
      Boss(s, QPointF(centres, 0), R * 0.0001, hole / 2);
      s.Axis(QPointF(0, 0), QPointF(centres, 0), 0);
      Dims(s, QPointF(0, 0), QPointF(centres, 0), -(R * k + 24), DimNumber(centres), k);
      s.Note(QPointF(hole * 0.35, -hole * 0.35), QPointF(30 / k, -R - 30 / k), DimDiameter(hole));
    }
    {
      Place pl(s, QPointF(x0 + (centres + 2 * R + 50) * k, kViewCy), 0, k);
      if (fork) {
        s.Rect(QRectF(0, -R, thick * 0.35, 2 * R));
        s.Rect(QRectF(thick * 0.65, -R, thick * 0.35, 2 * R));
        s.Line(QPointF(thick * 0.35, R * 0.2), QPointF(thick * 0.65, R * 0.2));
      } else {
        s.Rect(QRectF(0, -R, thick, 2 * R));
      }
      s.Line(QPointF(0, -hole / 2), QPointF(thick, -hole / 2), Ln::Hidden);
      s.Line(QPointF(0, hole / 2), QPointF(thick, hole / 2), Ln::Hidden);
      s.Axis(QPointF(0, 0), QPointF(thick, 0), 5);
      Dims(s, QPointF(0, R), QPointF(thick, R), -24, DimNumber(thick), k);
    }
    Requirements(s, {QStringLiteral("1. Сталь 09Г2С ГОСТ 19281-2014."), QStringLiteral("2. Острые кромки притупить.")});
  };
}

DrawFn LeverPart(double len, double hole, bool knob) {
  return [=](Sheet& s) {
    const double k = FitK(len + 80, 120, 260, 340);
    const QPointF pivot(330, 410);
    {
      Place pl(s, pivot, 0, k);
      QPainterPath bar;
      bar.addEllipse(QPointF(0, 0), 14, 14);
      bar.addRect(QRectF(-7, -len, 14, len));
      bar.addEllipse(QPointF(0, -len * 0.25), 10, 10);
      bar = Merged(bar);
      s.Stroke(bar);
      s.Circle(QPointF(0, 0), hole / 2);
      s.Centre(QPointF(0, 0), 16);
      s.Circle(QPointF(0, -len * 0.25), 4);
      s.Centre(QPointF(0, -len * 0.25), 12);
      if (knob) {
        s.Line(QPointF(-4, -len), QPointF(-4, -len - 18), Ln::Main);
        s.Line(QPointF(4, -len), QPointF(4, -len - 18), Ln::Main);
        s.Line(QPointF(-4, -len - 18), QPointF(4, -len - 18));
        s.Line(QPointF(-3.2, -len), QPointF(-3.2, -len - 18), Ln::Thin);
        s.Line(QPointF(3.2, -len), QPointF(3.2, -len - 18), Ln::Thin);
      }
      s.Axis(QPointF(0, 0), QPointF(0, -len - 18), 8);
      Dims(s, QPointF(0, 0), QPointF(0, -len), -40, DimNumber(len), k);
      Dims(s, QPointF(0, 0), QPointF(0, -len * 0.25), 30, DimNumber(len * 0.25), k);
    }
    {
      Place pl(s, QPointF(470, 410), 0, k);
      s.Rect(QRectF(-5, -len, 10, len));
      s.Rect(QRectF(-12, -10, 24, 20));
      s.Line(QPointF(-12, -hole / 2), QPointF(12, -hole / 2), Ln::Hidden);
      s.Line(QPointF(-12, hole / 2), QPointF(12, hole / 2), Ln::Hidden);
      s.Axis(QPointF(0, 0), QPointF(0, -len), 8);
    }
    Requirements(
        s, {QStringLiteral("1. Сварные швы по ГОСТ 5264-80."), QStringLiteral("2. Покрытие: эмаль ПФ-115 черная.")});
  };
}

DrawFn KnobPart() {
  return [](Sheet& s) {
    // Ball knob moulded over a threaded brass insert; left half in section.
    const double k = 3.6;
    {
      Place pl(s, QPointF(330, 250), 0, k);
      QPainterPath body;
      body.addEllipse(QPointF(0, 0), 20, 22);
      QPolygonF neck;
      neck << QPointF(-9, 16) << QPointF(9, 16) << QPointF(11, 32) << QPointF(-11, 32);
      body.addPath(PolyPath(neck));
      body = Merged(body);
      const QPainterPath insert = RectPath(QRectF(-6, 4, 12, 28));
      const QPainterPath left = RectPath(QRectF(-30, -30, 30, 70));
      s.Hatch(body.intersected(left).subtracted(insert), false, 4);
      s.Hatch(insert.intersected(left), true, 2.5);
      s.Stroke(body);
      s.Rect(QRectF(-6, 4, 12, 28));
      s.Line(QPointF(-4.8, 8), QPointF(-4.8, 32), Ln::Thin);
      s.Line(QPointF(4.8, 8), QPointF(4.8, 32), Ln::Thin);
      s.Axis(QPointF(0, -22), QPointF(0, 32), 8);
      s.Dim(QPointF(-20, 0), QPointF(20, 0), 30, DimDiameter(40));
      s.Dim(QPointF(24, -22), QPointF(24, 32), -10, QStringLiteral("54"));
      s.Note(QPointF(5, 28), QPointF(40, 44), QStringLiteral("М12-7H"));
    }
    Requirements(s, {QStringLiteral("1. Пластмасса: полиамид ПА6 черный."),
                     QStringLiteral("2. Втулка резьбовая — латунь ЛС59-1.")});
  };
}

DrawFn ClevisPart(double d) {
  return [=](Sheet& s) {
    const double k = FitK(4 * d + 60, 3 * d, 420, 220);
    const QPointF o(260, kViewCy);
    {
      Place pl(s, o, 0, k);
      QPainterPath body;
      body.addRect(QRectF(0, -d * 1.1, d * 2.2, d * 2.2));
      body.addEllipse(QPointF(d * 2.2, 0), d * 1.1, d * 1.1);
      body.addRect(QRectF(-d * 1.6, -d * 0.6, d * 1.6, d * 1.2));
      body = Merged(body);
      s.Stroke(body);
      s.Rect(QRectF(d * 0.5, -d * 0.45, d * 2.9, d * 0.9), Ln::Hidden);
      s.Circle(QPointF(d * 2.2, 0), d * 0.4);
      s.Centre(QPointF(d * 2.2, 0), d * 1.2);
      s.Line(QPointF(-d * 1.6, -d * 0.3), QPointF(0, -d * 0.3), Ln::Hidden);
      s.Line(QPointF(-d * 1.6, d * 0.3), QPointF(0, d * 0.3), Ln::Hidden);
      s.Axis(QPointF(-d * 1.6, 0), QPointF(d * 3.3, 0), 6);
      Dims(s, QPointF(-d * 1.6, d * 1.1), QPointF(d * 2.2, d * 1.1), -26, DimNumber(d * 3.8), k);
      s.Note(QPointF(-d * 1.2, -d * 0.3), QPointF(-d * 1.2 - 10 / k, -d - 30 / k),
             QStringLiteral("М") + DimNumber(d * 0.6), false);
    }
    {
      Place pl(s, QPointF(560, kViewCy), 0, k);
      s.Circle(QPointF(0, 0), d * 1.1);
      s.Rect(QRectF(-d * 1.1, -d * 0.45, d * 2.2, d * 0.9), Ln::Main);
      s.Centre(QPointF(0, 0), d * 1.2);
    }
    Requirements(s, {QStringLiteral("1. Сталь 45 ГОСТ 1050-2013."), QStringLiteral("2. Покрытие: Ц9.хр.")});
  };
}

// ------------------------------------------------------------------ standard parts

namespace {

std::map<std::string, NodeRef>& Cache() {
  static std::map<std::string, NodeRef> cache;
  return cache;
}

NodeRef Cached(const std::string& naim, const std::function<NodeRef()>& make) {
  auto& c = Cache();
  auto it = c.find(naim);
  if (it != c.end()) return it->second;
  NodeRef n = make();
  c.emplace(naim, n);
  return n;
}

std::string I(int v) { return std::to_string(v); }
std::string Pad3(int v) {
  std::string s = std::to_string(v);
  while (s.size() < 3) s = "0" + s;
  return s;
}

double SteelMass(double volumeMm3) { return volumeMm3 * 7.85e-6; }

DrawFn BoltDrawing(int d, int len) {
  return [=](Sheet& s) {
    const double k = FitK(len + 0.65 * d + 2 * d, 1.8 * d + 10, 420, 200, 9);
    const double total = (len + 0.65 * d) * k + 80 + 1.8 * d * k;
    const double x0 = 400 - total / 2 + 0.65 * d * k - 10;
    {
      Place pl(s, QPointF(x0, kViewCy), 0, k);
      BoltSide(s, d, len);
      Dims(s, QPointF(0, 0.9 * d), QPointF(len, 0.9 * d), -26, QString::number(len), k);
      Dims(s, QPointF(-0.65 * d, -0.9 * d), QPointF(0, -0.9 * d), 20, DimNumber(std::round(0.65 * d)), k);
      s.Note(QPointF(len - d * 0.8, -d / 2), QPointF(len - d * 0.8 + 10 / k, -d - 34 / k),
             QStringLiteral("М") + QString::number(d) + QStringLiteral("-6g"));
    }
    const QPointF c(x0 + len * k + 80 + 0.9 * d * k, kViewCy);
    {
      Place pl(s, c, 0, k);
      Hexagon(s, QPointF(0, 0), 1.55 * d, 0);
      s.Centre(QPointF(0, 0), d);
      AcrossFlats(s, d, k);
    }
    Requirements(s, {QStringLiteral("Класс прочности 8.8, покрытие Ц9.хр.")});
  };
}

DrawFn NutDrawing(int d, bool castle) {
  return [=](Sheet& s) {
    const double k = FitK(4 * d, 2 * d, 420, 220, 9);
    {
      Place pl(s, QPointF(260, kViewCy), 0, k);
      NutSide(s, d);
      if (castle) {
        s.Rect(QRectF(0.4 * d, -0.8 * d, 0.4 * d, 1.6 * d));
        s.Rect(QRectF(0.45 * d, -0.15 * d, 0.35 * d, 0.3 * d));
      }
      s.Line(QPointF(-0.4 * d, -d / 2), QPointF(0.4 * d, -d / 2), Ln::Hidden);
      s.Line(QPointF(-0.4 * d, d / 2), QPointF(0.4 * d, d / 2), Ln::Hidden);
      s.Axis(QPointF(-0.4 * d, 0), QPointF(0.8 * d, 0), 6);
      Dims(s, QPointF(-0.4 * d, 0.9 * d), QPointF(castle ? 0.8 * d : 0.4 * d, 0.9 * d), -24,
           DimNumber(std::round(castle ? 1.2 * d : 0.8 * d)), k);
    }
    {
      Place pl(s, QPointF(520, kViewCy), 0, k);
      Hexagon(s, QPointF(0, 0), 1.55 * d, 0);
      s.Circle(QPointF(0, 0), d / 2);
      s.Arc(QPointF(0, 0), 0.43 * d, 0, 270, Ln::Thin);
      if (castle)
        for (int i = 0; i < 6; ++i) {
          Place r(s, QPointF(0, 0), 30 + 60 * i);
          s.Rect(QRectF(0.5 * d, -0.1 * d, 0.28 * d, 0.2 * d), Ln::Thin);
        }
      s.Centre(QPointF(0, 0), d);
      AcrossFlats(s, d, k);
    }
    Requirements(s, {QStringLiteral("Класс прочности 8, покрытие Ц9.хр.")});
  };
}

DrawFn WasherDrawing(int d, bool spring) {
  return [=](Sheet& s) {
    const double k = FitK(3 * d, 2.4 * d, 360, 230, 9);
    const double D = spring ? 1.7 * d : 2 * d;
    const double t = spring ? std::max(1.6, 0.25 * d) : std::max(1.6, 0.15 * d);
    {
      Place pl(s, QPointF(300, kViewCy), 0, k);
      s.Circle(QPointF(0, 0), D / 2);
      s.Circle(QPointF(0, 0), d * 0.54);
      if (spring) {
        s.Line(QPointF(-0.1 * d, -D / 2), QPointF(0.08 * d, -d * 0.54));
        s.Line(QPointF(0.05 * d, -D / 2), QPointF(0.23 * d, -d * 0.54));
      }
      s.Centre(QPointF(0, 0), D / 2 + 3);
      Dims(s, QPointF(-D / 2, D / 2), QPointF(D / 2, D / 2), -26, DimDiameter(std::round(D)), k);
      s.Note(QPointF(d * 0.54 * 0.7, -d * 0.54 * 0.7), QPointF(D / 2 + 10 / k, -D / 2 - 24 / k),
             DimDiameter(std::round(d * 1.08 * 10) / 10));
    }
    {
      Place pl(s, QPointF(520, kViewCy), 0, k);
      QPainterPath half = RectPath(QRectF(0, -D / 2, t, D / 2 - d * 0.54));
      QPainterPath other = RectPath(QRectF(0, d * 0.54, t, D / 2 - d * 0.54));
      {
        Place tilt(s, QPointF(0, 0), spring ? -6 : 0);  // a spring washer's cut section leans
        s.Hatch(half);
        s.Hatch(other);
        s.Stroke(half);
        s.Stroke(other);
      }
      s.Axis(QPointF(t / 2, -D / 2), QPointF(t / 2, D / 2), 6);
      Dims(s, QPointF(0, D / 2), QPointF(t, D / 2), -26, DimNumber(std::round(t * 10) / 10), k);
    }
    Requirements(s, {spring ? QStringLiteral("Сталь 65Г, покрытие Хим.Окс.прм.")
                            : QStringLiteral("Сталь 08кп, покрытие Ц9.хр.")});
  };
}

DrawFn ScrewDrawing(int d, int len, bool setScrew) {
  return [=](Sheet& s) {
    const double head = setScrew ? 0 : d;
    const double k = FitK(len + head + 2 * d, 1.6 * d + 10, 420, 200, 10);
    const double x0 = 400 - ((len + head) * k + 80 + 1.6 * d * k) / 2 + head * k - 10;
    {
      Place pl(s, QPointF(x0, kViewCy), 0, k);
      if (!setScrew) {
        s.Rect(QRectF(-head, -0.75 * d, head, 1.5 * d));
        s.Rect(QRectF(-head, -0.43 * d, head * 0.6, 0.86 * d), Ln::Hidden);
      }
      s.Rect(QRectF(0, -d / 2, len, d));
      s.Line(QPointF(0, -0.42 * d), QPointF(len, -0.42 * d), Ln::Thin);
      s.Line(QPointF(0, 0.42 * d), QPointF(len, 0.42 * d), Ln::Thin);
      if (setScrew) {
        s.Rect(QRectF(0, -0.25 * d, 0.5 * d, 0.5 * d), Ln::Hidden);
        QPolygonF cone;
        cone << QPointF(len, -d / 2) << QPointF(len + 0.35 * d, -0.15 * d) << QPointF(len + 0.35 * d, 0.15 * d)
             << QPointF(len, d / 2);
        s.Poly(cone);
      }
      s.Axis(QPointF(-head, 0), QPointF(len, 0), 6);
      Dims(s, QPointF(0, 0.8 * d), QPointF(len, 0.8 * d), -24, QString::number(len), k);
    }
    {
      Place pl(s, QPointF(x0 + len * k + 80 + 0.8 * d * k, kViewCy), 0, k);
      s.Circle(QPointF(0, 0), setScrew ? d / 2 : 0.75 * d);
      Hexagon(s, QPointF(0, 0), setScrew ? 0.45 * d : 0.8 * d, 0, Ln::Main);
      s.Centre(QPointF(0, 0), 0.8 * d);
    }
    Requirements(s, {QStringLiteral("Класс прочности 12.9, покрытие Хим.Окс.прм.")});
  };
}

DrawFn RingDrawing(double d, double section, bool black) {
  return [=](Sheet& s) {
    const double D = d + 2 * section;
    const double k = FitK(D + 30, D + 20, 300, 250, 6);
    const QPointF c(300, kViewCy);
    s.Circle(c, D / 2 * k);
    s.Circle(c, d / 2 * k);
    s.Centre(c, D / 2 * k + 4);
    s.Dim(c + QPointF(-D / 2 * k, D / 2 * k), c + QPointF(D / 2 * k, D / 2 * k), -26, DimDiameter(d));
    // The section, enlarged.
    const double e = std::min(60.0, 14.0 * std::max(1.0, 10.0 / section));
    const QPointF sc(590, kViewCy);
    if (black) {
      s.Circle(sc, e / 2);
      s.Hatch(CirclePath(sc, e / 2), false, 3);
    } else {
      s.Fill(CirclePath(sc, e / 2), QColor(40, 40, 40));
    }
    s.Centre(sc, e / 2 + 4);
    s.Dim(sc + QPointF(-e / 2, e / 2), sc + QPointF(e / 2, e / 2), -22, DimDiameter(section));
    s.Text(sc + QPointF(0, -e / 2 - 18), QStringLiteral("А (5:1)"), 13, Qt::AlignHCenter | Qt::AlignBaseline);
    Requirements(s, {QStringLiteral("Резина маслобензостойкая группы 2, твердость 70...80 ед. Шор А.")});
  };
}

DrawFn CuffDrawing(double D, double d, double h, bool wiper) {
  return [=](Sheet& s) {
    const double k = FitK(D + 30, D + 20, 280, 240, 6);
    const QPointF c(280, kViewCy);
    s.Circle(c, D / 2 * k);
    s.Circle(c, d / 2 * k);
    s.Circle(c, (d / 2 + (D - d) * 0.15) * k, Ln::Thin);
    s.Centre(c, D / 2 * k + 4);
    s.Dim(c + QPointF(-D / 2 * k, D / 2 * k), c + QPointF(D / 2 * k, D / 2 * k), -26, DimDiameter(D));
    // The lip profile in section, enlarged.
    const double w = (D - d) / 2;
    const double e = std::min(120.0 / h, 110.0 / w);
    const QPointF o(560, kViewCy - h * e / 2);
    QPainterPath profile;
    if (wiper) {
      profile.moveTo(o);
      profile.lineTo(o + QPointF(w * e, 0));
      profile.lineTo(o + QPointF(w * e, h * e));
      profile.lineTo(o + QPointF(w * e * 0.55, h * e));
      profile.lineTo(o + QPointF(w * e * 0.55, h * e * 0.45));
      profile.lineTo(o + QPointF(0, h * e * 0.1));
      profile.closeSubpath();
    } else {
      profile.moveTo(o);
      profile.lineTo(o + QPointF(w * e, 0));
      profile.lineTo(o + QPointF(w * e * 1.05, h * e));
      profile.lineTo(o + QPointF(w * e * 0.7, h * e));
      profile.quadTo(o + QPointF(w * e * 0.5, h * e * 0.45), o + QPointF(w * e * 0.3, h * e));
      profile.lineTo(o + QPointF(-w * e * 0.05, h * e));
      profile.closeSubpath();
    }
    s.Hatch(profile, false, 3);
    s.Stroke(profile);
    s.Dim(o + QPointF(0, h * e), o + QPointF(w * e, h * e), -22, DimNumber(w));
    s.Dim(o, o + QPointF(0, h * e), -22, DimNumber(h));
    s.Text(o + QPointF(w * e / 2, -18), QStringLiteral("Б (2:1)"), 13, Qt::AlignHCenter | Qt::AlignBaseline);
    Requirements(s, {wiper ? QStringLiteral("Полиуретан, твердость 90...95 ед. Шор А.")
                           : QStringLiteral("Резина маслостойкая 7-В-14, твердость 80...90 ед. Шор А.")});
  };
}

DrawFn CotterDrawing(double d, int len) {
  return [=](Sheet& s) {
    const double k = FitK(len + 3 * d, 4 * d, 460, 150, 10);
    const QPointF o(400 - len * k / 2, kViewCy);
    s.Push(o, 0, k);
    QPainterPath p;
    p.addEllipse(QPointF(-d * 1.2, 0), d * 1.2, d * 1.1);
    s.Stroke(p);
    s.Line(QPointF(0, -d / 2), QPointF(len, -d / 2));
    s.Line(QPointF(0, d / 2), QPointF(len * 0.85, d / 2));
    s.Line(QPointF(0, 0), QPointF(len, 0));
    s.Line(QPointF(len, -d / 2), QPointF(len, 0));
    s.Line(QPointF(len * 0.85, 0), QPointF(len * 0.85, d / 2));
    Dims(s, QPointF(0, d), QPointF(len, d), -24, QString::number(len), k);
    s.Pop();
    Requirements(s, {QStringLiteral("Сталь 08кп, покрытие Ц6.")});
  };
}

DrawFn CirclipDrawing(int d, bool internal) {
  return [=](Sheet& s) {
    const double k = FitK(1.4 * d, 1.4 * d, 280, 260, 6);
    const QPointF c(320, kViewCy);
    s.Push(c, 0, k);
    const double r0 = internal ? d / 2 : d * 0.46, r1 = internal ? d * 0.58 : d * 0.56;
    QPainterPath ring;
    ring.addEllipse(QPointF(0, 0), r1, r1);
    ring = ring.subtracted(CirclePath(QPointF(0, 0), r0));
    ring = ring.subtracted(RectPath(QRectF(-d * 0.08, -r1 - 2, d * 0.16, r1 - r0 + 4)));
    QPainterPath lugs;
    lugs.addEllipse(QPointF(-d * 0.16, -(r0 + r1) / 2), (r1 - r0) * 0.85, (r1 - r0) * 0.85);
    lugs.addEllipse(QPointF(d * 0.16, -(r0 + r1) / 2), (r1 - r0) * 0.85, (r1 - r0) * 0.85);
    ring = ring.united(lugs).simplified();
    s.Stroke(ring);
    s.Circle(QPointF(-d * 0.16, -(r0 + r1) / 2), (r1 - r0) * 0.35);
    s.Circle(QPointF(d * 0.16, -(r0 + r1) / 2), (r1 - r0) * 0.35);
    s.Centre(QPointF(0, 0), r1 + 3);
    Dims(s, QPointF(-r0, r1), QPointF(r0, r1), -24, DimDiameter(d), k);
    s.Pop();
    Requirements(s, {QStringLiteral("Сталь 65Г, 44...52 HRCэ, покрытие Хим.Окс.прм.")});
  };
}

DrawFn GreaseDrawing(bool small) {
  return [=](Sheet& s) {
    const double k = small ? 11 : 9;
    const QPointF o(270, 300);
    s.Push(o, -90, k);
    // Thread, hexagon, body and the ball valve head.
    s.Rect(QRectF(-8, -(small ? 3 : 5), 8, small ? 6 : 10));
    s.Line(QPointF(-8, -(small ? 2.5 : 4.2)), QPointF(0, -(small ? 2.5 : 4.2)), Ln::Thin);
    s.Line(QPointF(-8, small ? 2.5 : 4.2), QPointF(0, small ? 2.5 : 4.2), Ln::Thin);
    s.Rect(QRectF(0, -5.5, 6, 11));
    s.Line(QPointF(0, -2.75), QPointF(6, -2.75));
    s.Line(QPointF(0, 2.75), QPointF(6, 2.75));
    s.Rect(QRectF(6, -3, 5, 6));
    s.Circle(QPointF(14, 0), 3.4);
    s.Line(QPointF(-8, 0), QPointF(18, 0), Ln::Axis);
    s.Pop();
    s.Dim(QPointF(270 - 5.5 * k, 300), QPointF(270 + 5.5 * k, 300), -30, QStringLiteral("S11"));
    s.Note(QPointF(270 + (small ? 3 : 5) * k, 300 + 4 * k), QPointF(380, 400),
           small ? QStringLiteral("М6") : QStringLiteral("М10×1"));
    {
      Place end(s, QPointF(540, 270), 0, k);
      Hexagon(s, QPointF(0, 0), 11, 0);
      s.Circle(QPointF(0, 0), 3.4);
      s.Centre(QPointF(0, 0), 7);
    }
    Requirements(s, {QStringLiteral("Корпус — сталь 10, покрытие Ц6.хр.")});
  };
}

DrawFn BearingDrawing(int d, int D, int B, bool spherical) {
  return [=](Sheet& s) {
    const double k = FitK(D + B + 40, D + 10, 460, 250, 6);
    const QPointF c(260, kViewCy);
    s.Circle(c, D / 2.0 * k);
    s.Circle(c, d / 2.0 * k);
    s.Circle(c, (D / 2.0 - (D - d) * 0.14) * k, Ln::Thin);
    s.Circle(c, (d / 2.0 + (D - d) * 0.14) * k, Ln::Thin);
    s.Centre(c, D / 2.0 * k + 4);
    s.Dim(c + QPointF(-D / 2.0 * k, D / 2.0 * k), c + QPointF(D / 2.0 * k, D / 2.0 * k), -26, DimDiameter(D));
    // Section through the rings.
    const QPointF o(c.x() + D / 2.0 * k + 70, kViewCy);
    s.Push(o, 0, k);
    const double w = (D - d) / 2.0;
    for (double sign : {-1.0, 1.0}) {
      const double y0 = sign * d / 2.0, y1 = sign * D / 2.0;
      const double ym = (y0 + y1) / 2;
      QPainterPath outer = RectPath(QRectF(0, std::min(ym, y1), B, std::abs(y1 - ym)));
      QPainterPath inner =
          RectPath(QRectF(spherical ? B * 0.1 : 0, std::min(y0, ym), spherical ? B * 0.8 : B, std::abs(ym - y0)));
      const QPointF ball(B / 2.0, ym);
      if (spherical) {
        QPainterPath sphere =
            CirclePath(QPointF(B / 2.0, 0), std::abs(ym)).subtracted(CirclePath(QPointF(B / 2.0, 0), d / 2.0));
        inner = inner.intersected(sphere.united(RectPath(QRectF(0, std::min(y0, ym), B, 0.01))));
        s.Hatch(outer.subtracted(sphere), sign > 0);
        s.Stroke(outer.subtracted(sphere));
        s.Hatch(inner, sign < 0);
        s.Stroke(inner);
      } else {
        const QPainterPath b = CirclePath(ball, w * 0.3);
        s.Hatch(outer.subtracted(b), sign > 0);
        s.Stroke(outer.subtracted(b));
        s.Hatch(inner.subtracted(b), sign < 0);
        s.Stroke(inner.subtracted(b));
        s.Circle(ball, w * 0.3);
      }
    }
    s.Axis(QPointF(0, 0), QPointF(B, 0), 8);
    Dims(s, QPointF(0, D / 2.0), QPointF(B, D / 2.0), -24, QString::number(B), k);
    Dims(s, QPointF(B, -d / 2.0), QPointF(B, d / 2.0), -24, DimDiameter(d), k);
    s.Pop();
    Requirements(s, {spherical ? QStringLiteral("Шарнирный, с канавкой и отверстиями для смазки.")
                               : QStringLiteral("С двумя защитными шайбами, смазка ЦИАТИМ-221.")});
  };
}

}  // namespace

NodeRef StdBolt(int d, int len) {
  const std::string naim = "Болт М" + I(d) + "×" + I(len) + " ГОСТ 7798-70";
  return Cached(naim, [&] {
    const double m = SteelMass(M_PI / 4 * d * d * len + 1.6 * d * d * 0.65 * d * 1.3);
    return NewPart("ГОСТ 7798-70", naim, m, -1, true, BoltDrawing(d, len),
                   ScaleFor(FitK(len + 2.65 * d, 1.8 * d + 10, 420, 200, 9)));
  });
}

NodeRef StdNut(int d) {
  const std::string naim = "Гайка М" + I(d) + " ГОСТ 5915-70";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 5915-70", naim, SteelMass(2.1 * d * d * 0.8 * d - 0.785 * d * d * 0.8 * d), -1, true,
                   NutDrawing(d, false), ScaleFor(FitK(4 * d, 2 * d, 420, 220, 9)));
  });
}

NodeRef StdCastleNut(int d) {
  const std::string naim = "Гайка М" + I(d) + " ГОСТ 5918-73";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 5918-73", naim, SteelMass(2.1 * d * d * 1.2 * d - 0.785 * d * d * 1.2 * d), -1, true,
                   NutDrawing(d, true), ScaleFor(FitK(4 * d, 2 * d, 420, 220, 9)));
  });
}

NodeRef StdSpringWasher(int d) {
  const std::string naim = "Шайба " + I(d) + " 65Г ГОСТ 6402-70";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 6402-70", naim, SteelMass(0.785 * (2.9 * d * d - 1.17 * d * d) * 0.25 * d), -1, true,
                   WasherDrawing(d, true), ScaleFor(FitK(3 * d, 2.4 * d, 360, 230, 9)));
  });
}

NodeRef StdWasher(int d) {
  const std::string naim = "Шайба " + I(d) + " ГОСТ 11371-78";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 11371-78", naim, SteelMass(0.785 * (4 * d * d - 1.17 * d * d) * std::max(1.6, 0.15 * d)), -1,
                   true, WasherDrawing(d, false), ScaleFor(FitK(3 * d, 2.4 * d, 360, 230, 9)));
  });
}

NodeRef StdScrew(int d, int len) {
  const std::string naim = "Винт М" + I(d) + "×" + I(len) + " ГОСТ 11738-84";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 11738-84", naim, SteelMass(0.785 * d * d * (len + 1.8 * d)), -1, true,
                   ScrewDrawing(d, len, false), ScaleFor(FitK(len + 3 * d, 1.6 * d + 10, 420, 200, 10)));
  });
}

NodeRef StdSetScrew(int d, int len) {
  const std::string naim = "Винт М" + I(d) + "×" + I(len) + " ГОСТ 8878-93";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 8878-93", naim, SteelMass(0.785 * d * d * len), -1, true, ScrewDrawing(d, len, true),
                   ScaleFor(FitK(len + 2 * d, 1.6 * d + 10, 420, 200, 10)));
  });
}

NodeRef StdORing(int d, int D, int section) {
  const std::string code = Pad3(d) + "-" + Pad3(D) + "-" + (section < 10 ? "0" : "") + I(section);
  const std::string naim = "Кольцо " + code + " ГОСТ 9833-73";
  return Cached(naim, [&] {
    const double sec = section / 10.0;
    return NewPart("ГОСТ 9833-73", naim, 1.3e-6 * M_PI * (d + sec) * 0.785 * sec * sec, -1, true,
                   RingDrawing(d, sec, false), ScaleFor(FitK(d + 2 * sec + 30, d + 2 * sec + 20, 300, 250, 6)));
  });
}

NodeRef StdCotter(double d, int len) {
  QString ds = QString::number(d, 'f', d == std::floor(d) ? 0 : 1);
  ds.replace(QLatin1Char('.'), QLatin1Char(','));
  const std::string naim = "Шплинт " + ds.toStdString() + "×" + I(len) + " ГОСТ 397-79";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 397-79", naim, SteelMass(0.785 * d * d * len * 1.1), -1, true, CotterDrawing(d, len),
                   ScaleFor(FitK(len + 3 * d, 4 * d, 460, 150, 10)));
  });
}

NodeRef StdGrease(bool small) {
  const std::string naim = small ? "Масленка 1.1.Ц6 ГОСТ 19853-74" : "Масленка 1.2.Ц6 ГОСТ 19853-74";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 19853-74", naim, small ? 0.004 : 0.008, -1, true, GreaseDrawing(small),
                   small ? QStringLiteral("5:1") : QStringLiteral("4:1"));
  });
}

NodeRef StdCirclip(int d, bool internal) {
  const std::string naim =
      std::string("Кольцо ") + (internal ? "В" : "А") + I(d) + (internal ? " ГОСТ 13943-86" : " ГОСТ 13942-86");
  return Cached(naim, [&] {
    return NewPart(internal ? "ГОСТ 13943-86" : "ГОСТ 13942-86", naim, SteelMass(M_PI * d * 0.08 * d * 0.05 * d), -1,
                   true, CirclipDrawing(d, internal), ScaleFor(FitK(1.4 * d, 1.4 * d, 280, 260, 6)));
  });
}

NodeRef StdCuff(int type, int D, int d) {
  const std::string naim = "Манжета " + I(type) + "-" + I(D) + "×" + I(d) + "-1 ГОСТ 14896-84";
  return Cached(naim, [&] {
    const double h = std::max(6.0, (D - d) * 0.9);
    return NewPart("ГОСТ 14896-84", naim, 1.2e-6 * M_PI * (D + d) / 2 * (D - d) / 2 * h * 0.6, -1, true,
                   CuffDrawing(D, d, h, false), ScaleFor(FitK(D + 30, D + 20, 280, 240, 6)));
  });
}

NodeRef StdWiper(int d) {
  const std::string naim = "Грязесъемник 1-" + I(d) + " ГОСТ 24811-81";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 24811-81", naim, 1.2e-6 * M_PI * (d + 6) * 6 * 7, -1, true, CuffDrawing(d + 14, d, 8, true),
                   ScaleFor(FitK(d + 44, d + 34, 280, 240, 6)));
  });
}

NodeRef StdPlainBearing(int d) {
  const std::string naim = "Подшипник ШС" + I(d) + " ГОСТ 3635-78";
  return Cached(naim, [&] {
    const int D = static_cast<int>(d * 1.55 + 4), B = static_cast<int>(d * 0.55 + 3);
    return NewPart("ГОСТ 3635-78", naim, SteelMass(0.785 * (D * D - d * d) * B * 0.8), -1, true,
                   BearingDrawing(d, D, B, true), ScaleFor(FitK(D + B + 40, D + 10, 460, 250, 6)));
  });
}

NodeRef StdBallBearing(const std::string& code, int d, int D, int B) {
  const std::string naim = "Подшипник " + code + " ГОСТ 8882-75";
  return Cached(naim, [&] {
    return NewPart("ГОСТ 8882-75", naim, SteelMass(0.785 * (D * D - d * d) * B * 0.6), -1, true,
                   BearingDrawing(d, D, B, false), ScaleFor(FitK(D + B + 40, D + 10, 460, 250, 6)));
  });
}

NodeRef StdHose(int dn, int len, int index) {
  const std::string oboz = "РВД " + I(dn) + "-" + I(len) + "-2SN";
  const std::string naim = "Рукав высокого давления";
  return Cached(oboz, [&] {
    auto n = NewPart(oboz, naim, 0.0011 * len * (dn / 12.0) + 0.25, -1, true, HosePart(dn, len, index % 2 == 1),
                     ScaleFor(480.0 / len));
    n->picture->name = Slug("rvd " + I(dn) + " " + I(len));
    return n;
  });
}

}  // namespace demo
