#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace demo {

namespace {

constexpr double kDeg = M_PI / 180.0;

QPointF Polar(QPointF c, double r, double deg) { return c + QPointF(std::cos(deg * kDeg), std::sin(deg * kDeg)) * r; }

double Len(QPointF v) { return std::hypot(v.x(), v.y()); }

}  // namespace

QPainterPath RectPath(const QRectF& r) {
  QPainterPath p;
  p.addRect(r);
  return p;
}

QPainterPath CirclePath(QPointF c, double r) {
  QPainterPath p;
  p.addEllipse(c, r, r);
  return p;
}

QPainterPath PolyPath(const QPolygonF& pts) {
  QPainterPath p;
  p.addPolygon(pts);
  p.closeSubpath();
  return p;
}

QPainterPath Merged(QPainterPath pieces) {
  // Each closed piece on its own, then their union: the pieces' directions do not matter.
  std::vector<QPainterPath> parts;
  for (int i = 0; i < pieces.elementCount(); ++i) {
    const QPainterPath::Element e = pieces.elementAt(i);
    if (e.isMoveTo()) {
      parts.emplace_back();
      parts.back().moveTo(e);
    } else if (e.isLineTo()) {
      parts.back().lineTo(e);
    } else if (e.isCurveTo()) {
      parts.back().cubicTo(e, pieces.elementAt(i + 1), pieces.elementAt(i + 2));
      i += 2;
    }
  }
  QPainterPath u;
  for (QPainterPath& part : parts) {
    part.closeSubpath();
    u = u.united(part);
  }
  return u.simplified();
}

QPainterPath RoundedPath(const QRectF& r, double radius) {
  QPainterPath p;
  p.addRoundedRect(r, radius, radius);
  return p;
}

// ------------------------------------------------------------------ turned parts

double StepsLength(const std::vector<Step>& steps) {
  double l = 0;
  for (const Step& st : steps) l += st.len;
  return l;
}

void Revolved(Sheet& s, const std::vector<Step>& steps, bool section, bool fullSection, bool backwards) {
  bool bore = false;
  for (const Step& st : steps) bore |= st.rin > 0;
  const bool cutTop = section && bore;
  const bool cutBottom = cutTop && fullSection;
  const double length = StepsLength(steps);

  auto material = [&](double sign) {
    QPainterPath m;
    double x = 0;
    for (const Step& st : steps) {
      if (sign < 0)
        m.addRect(QRectF(x, -st.r, st.len, st.r - st.rin));
      else
        m.addRect(QRectF(x, st.rin, st.len, st.r - st.rin));
      x += st.len;
    }
    return Merged(m);
  };
  auto cut = [&](double sign) {
    const QPainterPath m = material(sign);
    s.Hatch(m, backwards);
    // The outline of the cut, but no line along the axis itself.
    s.p().save();
    s.p().setClipRect(sign < 0 ? QRectF(-50, -1e4, length + 100, 1e4 - 0.9) : QRectF(-50, 0.9, length + 100, 1e4),
                      Qt::IntersectClip);
    s.Stroke(m, Ln::Main);
    s.p().restore();
  };
  auto view = [&](double sign) {
    double x = 0, prevR = 0;
    for (const Step& st : steps) {
      s.Line(QPointF(x, sign * st.r), QPointF(x + st.len, sign * st.r));
      s.Line(QPointF(x, 0), QPointF(x, sign * std::max(prevR, st.r)));
      if (st.rin > 0) s.Line(QPointF(x, sign * st.rin), QPointF(x + st.len, sign * st.rin), Ln::Hidden);
      prevR = st.r;
      x += st.len;
    }
    s.Line(QPointF(x, 0), QPointF(x, sign * prevR));
  };
  if (cutTop)
    cut(-1);
  else
    view(-1);
  if (cutBottom)
    cut(1);
  else
    view(1);
  s.Axis(QPointF(0, 0), QPointF(length, 0), 8);
}

// ------------------------------------------------------------------ fasteners

void BoltSide(Sheet& s, double d, double len, double thread) {
  if (thread < 0) thread = std::min(len, 2 * d + 6);
  const double k = 0.65 * d, e = 1.8 * d;
  s.Rect(QRectF(-k, -e / 2, k, e));
  s.Line(QPointF(-k, -e / 4), QPointF(0, -e / 4));
  s.Line(QPointF(-k, e / 4), QPointF(0, e / 4));
  s.Arc(QPointF(-k + e * 0.9, 0), e * 0.9, 163, 34, Ln::Thin);
  const double c = 0.1 * d;
  QPolygonF shank;
  shank << QPointF(0, -d / 2) << QPointF(len - c, -d / 2) << QPointF(len, -d / 2 + c) << QPointF(len, d / 2 - c)
        << QPointF(len - c, d / 2) << QPointF(0, d / 2);
  s.Poly(shank);
  s.Line(QPointF(len - thread, -0.42 * d), QPointF(len, -0.42 * d), Ln::Thin);
  s.Line(QPointF(len - thread, 0.42 * d), QPointF(len, 0.42 * d), Ln::Thin);
  s.Line(QPointF(len - thread, -d / 2), QPointF(len - thread, d / 2));
  s.Axis(QPointF(-k, 0), QPointF(len, 0), 5);
}

void NutSide(Sheet& s, double d) {
  const double m = 0.8 * d, e = 1.8 * d;
  s.Rect(QRectF(-m / 2, -e / 2, m, e));
  s.Line(QPointF(-m / 2, -e / 4), QPointF(m / 2, -e / 4));
  s.Line(QPointF(-m / 2, e / 4), QPointF(m / 2, e / 4));
  s.Arc(QPointF(-m / 2 + e * 0.9, 0), e * 0.9, 163, 34, Ln::Thin);
  s.Arc(QPointF(m / 2 - e * 0.9, 0), e * 0.9, -17, 34, Ln::Thin);
}

void WasherSide(Sheet& s, double d, double thick, bool spring) {
  const double outer = spring ? 0.85 * d : d;
  s.Rect(QRectF(0, -outer, thick, 2 * outer));
  s.Line(QPointF(0, -0.55 * d), QPointF(thick, -0.55 * d), Ln::Hidden);
  s.Line(QPointF(0, 0.55 * d), QPointF(thick, 0.55 * d), Ln::Hidden);
  if (spring) s.Line(QPointF(0, -outer * 0.75), QPointF(thick, -outer * 0.55));
}

void Hexagon(Sheet& s, QPointF c, double acrossFlats, double angleDeg, Ln k) {
  const double r = acrossFlats / std::sqrt(3.0);
  QPolygonF hex;
  for (int i = 0; i < 6; ++i) hex << Polar(c, r, angleDeg + 30 + 60 * i);
  s.Poly(hex, k, true);
  s.Circle(c, acrossFlats / 2 * 0.95, Ln::Thin);
}

void BoltEnd(Sheet& s, QPointF c, double d) {
  s.Circle(c, d * 1.05, Ln::Thin);
  Hexagon(s, c, 1.6 * d);
}

void ScrewHead(Sheet& s, QPointF c, double d) { Hexagon(s, c, 1.6 * d, 0); }

void BoltCircle(Sheet& s, QPointF c, double r, int count, double holeR, double startDeg, bool heads) {
  s.Arc(c, r, 0, 360, Ln::Axis);
  for (int i = 0; i < count; ++i) {
    const QPointF h = Polar(c, r, startDeg + 360.0 * i / count);
    if (heads) {
      BoltEnd(s, h, holeR * 0.9);
    } else {
      s.Circle(h, holeR);
    }
  }
}

// ------------------------------------------------------------------ bosses, pins

void Boss(Sheet& s, QPointF c, double R, double hole, bool bush) {
  s.Circle(c, R);
  s.Circle(c, hole);
  if (bush) s.Circle(c, hole * 0.8);
  s.Centre(c, R + 2);
}

void PinEnd(Sheet& s, QPointF c, double r, bool plate, double plateAngle) {
  s.Circle(c, r * 0.92);
  s.Circle(c, r * 0.75, Ln::Thin);
  if (plate) {
    s.Push(c, plateAngle);
    QPainterPath p;
    p.moveTo(-r * 0.2, -r * 0.42);
    p.lineTo(r * 1.75, -r * 0.42);
    p.arcTo(QRectF(r * 1.75 - r * 0.42, -r * 0.42, r * 0.84, r * 0.84), 90, -180);
    p.lineTo(-r * 0.2, r * 0.42);
    p.closeSubpath();
    s.White(p);
    s.Stroke(p);
    Hexagon(s, QPointF(r * 1.75, 0), r * 0.55, 0);
    s.Pop();
  }
}

void GreaseNipple(Sheet& s, QPointF at, double angleDeg, double size) {
  s.Push(at, angleDeg, size);
  s.Rect(QRectF(0, -4.5, 5, 9));
  s.Line(QPointF(0, -2.2), QPointF(5, -2.2));
  s.Line(QPointF(0, 2.2), QPointF(5, 2.2));
  s.Rect(QRectF(5, -2, 4, 4));
  s.Circle(QPointF(11.5, 0), 2.8);
  s.Pop();
}

// ------------------------------------------------------------------ gears, springs

void GearRim(Sheet& s, QPointF c, double root, double tip, int teeth, double fromDeg, double spanDeg) {
  const double pitch = 360.0 / teeth;
  QPainterPath path;
  bool first = true;
  const int count = static_cast<int>(std::floor(spanDeg / pitch + 1e-6));
  for (int k = 0; k < count; ++k) {
    const double a = fromDeg + k * pitch;
    const QPointF pts[4] = {Polar(c, root, a), Polar(c, tip, a + pitch * 0.22), Polar(c, tip, a + pitch * 0.48),
                            Polar(c, root, a + pitch * 0.7)};
    if (first)
      path.moveTo(pts[0]);
    else
      path.lineTo(pts[0]);
    first = false;
    for (int i = 1; i < 4; ++i) path.lineTo(pts[i]);
    path.lineTo(Polar(c, root, a + pitch));
  }
  if (spanDeg >= 359.9) path.closeSubpath();
  s.Stroke(path);
  s.Arc(c, (root + tip) / 2, fromDeg > 0 ? -fromDeg : -fromDeg, -spanDeg, Ln::Axis);
}

void Rack(Sheet& s, QPointF a, double len, double height, double pitch) {
  const double h = pitch * 0.65;
  QPainterPath teeth;
  teeth.moveTo(a);
  for (double x = 0; x + pitch <= len + 0.01; x += pitch) {
    teeth.lineTo(a + QPointF(x + pitch * 0.15, 0));
    teeth.lineTo(a + QPointF(x + pitch * 0.35, -h));
    teeth.lineTo(a + QPointF(x + pitch * 0.65, -h));
    teeth.lineTo(a + QPointF(x + pitch * 0.85, 0));
    teeth.lineTo(a + QPointF(x + pitch, 0));
  }
  s.Stroke(teeth);
  s.Rect(QRectF(a.x(), a.y(), len, height));
  s.Line(a + QPointF(0, -h / 2), a + QPointF(len, -h / 2), Ln::Axis);
}

void Spring(Sheet& s, QPointF a, QPointF b, double radius, int coils) {
  const QPointF v = b - a;
  const double len = Len(v);
  if (len <= 0) return;
  const QPointF u = v / len, n(-u.y(), u.x());
  QPolygonF pts;
  const int segments = coils * 2;
  pts << a;
  for (int i = 0; i < segments; ++i) {
    const double t = (i + 0.5) / segments;
    pts << a + u * (len * t) + n * (i % 2 ? radius : -radius);
  }
  pts << b;
  s.Poly(pts);
  s.Line(a + n * radius, a - n * radius);
  s.Line(b + n * radius, b - n * radius);
}

// ------------------------------------------------------------------ hoses and tubes

void Fitting(Sheet& s, QPointF at, double angleDeg, double size) {
  s.Push(at, angleDeg);
  QPainterPath body = RectPath(QRectF(-size * 0.9, -size * 0.55, size * 0.9, size * 1.1));
  s.White(body);
  s.Stroke(body);
  s.Line(QPointF(-size * 0.9, -size * 0.27), QPointF(0, -size * 0.27), Ln::Thin);
  s.Line(QPointF(-size * 0.9, size * 0.27), QPointF(0, size * 0.27), Ln::Thin);
  QPainterPath sleeve = RectPath(QRectF(-size * 1.9, -size * 0.4, size, size * 0.8));
  s.White(sleeve);
  s.Stroke(sleeve);
  s.Pop();
}

QPainterPath SmoothPath(const QPolygonF& pts, double bend) {
  QPainterPath path;
  if (pts.size() < 2) return path;
  path.moveTo(pts.front());
  for (int i = 1; i + 1 < pts.size(); ++i) {
    const QPointF p0 = pts[i - 1], p1 = pts[i], p2 = pts[i + 1];
    const double l1 = Len(p1 - p0), l2 = Len(p2 - p1);
    const double r = std::min({bend, l1 / 2, l2 / 2});
    const QPointF in = p1 + (p0 - p1) / l1 * r;
    const QPointF out = p1 + (p2 - p1) / l2 * r;
    path.lineTo(in);
    path.quadTo(p1, out);
  }
  path.lineTo(pts.back());
  return path;
}

void Hose(Sheet& s, const QPainterPath& centre, double d, bool fittings) {
  QPainter& p = s.p();
  QPen outer(QColor(22, 22, 22), d + 1.6, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
  outer.setCosmetic(true);
  QPen inner(Qt::white, std::max(0.5, d - 1.6), Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
  inner.setCosmetic(true);
  p.setBrush(Qt::NoBrush);
  p.setPen(outer);
  p.drawPath(centre);
  p.setPen(inner);
  p.drawPath(centre);
  if (!fittings) return;
  const double len = centre.length();
  if (len <= 0) return;
  const QPointF a = centre.pointAtPercent(0), b = centre.pointAtPercent(1);
  const double angA = -centre.angleAtPercent(0), angB = -centre.angleAtPercent(1);
  Fitting(s, a, angA + 180, d * 1.1);
  Fitting(s, b, angB, d * 1.1);
}

void Tube(Sheet& s, const QPolygonF& pts, double d, double bend) { Hose(s, SmoothPath(pts, bend), d, false); }

// ------------------------------------------------------------------ hydraulic cylinder

void Cylinder(Sheet& s, QPointF a, QPointF b, const CylinderShape& c) {
  const QPointF v = b - a;
  const double L = Len(v);
  const double angle = std::atan2(v.y(), v.x()) / kDeg;
  s.Push(a, angle);
  const std::string& px = c.prefix;
  const double Ro = c.dia / 2, wall = std::max(3.0, c.dia * 0.09), Ri = Ro - wall;
  const double rr = c.rod / 2;
  const double barrel = c.barrel > 0 ? c.barrel : 0.55 * L;
  const double x0 = c.cap, x1 = c.cap + barrel, xg = x1 + c.head;
  const double eye = c.eye;
  const double pinR = eye * 0.52;

  // Bottom: eye and the bottom plate welded to the barrel.
  {
    QPainterPath lug;
    lug.addEllipse(QPointF(0, 0), eye, eye);
    lug.addRect(QRectF(0, -eye * 0.85, x0 - 3, eye * 1.7));
    lug = Merged(lug);
    s.White(lug);
    if (c.section) s.Hatch(lug.subtracted(CirclePath(QPointF(0, 0), pinR * 1.28)));
    s.Stroke(lug);
    s.Circle(QPointF(0, 0), pinR * 1.28, c.section ? Ln::Main : Ln::Thin);
    if (c.section) {
      QPainterPath bush = CirclePath(QPointF(0, 0), pinR * 1.28).subtracted(CirclePath(QPointF(0, 0), pinR));
      s.White(bush);
      s.Hatch(bush, true, 3.5);
      s.Stroke(bush);
    } else {
      s.Circle(QPointF(0, 0), pinR);
    }
    s.Centre(QPointF(0, 0), eye + 2);
    s.Anchor(px + "eye_b", QPointF(-eye * 0.6, -eye * 0.55));
    s.Anchor(px + "bush_b", QPointF(pinR * 1.15, pinR * 0.6));
    QPainterPath bottom = RectPath(QRectF(x0 - 4, -Ro, 10, 2 * Ro));
    s.White(bottom);
    if (c.section) s.Hatch(bottom);
    s.Stroke(bottom);
  }
  // Barrel.
  {
    QPainterPath tube = RectPath(QRectF(x0 + 6, -Ro, barrel - 6, 2 * Ro));
    s.White(tube);
    if (c.section) {
      s.Hatch(RectPath(QRectF(x0 + 6, -Ro, barrel - 6, wall)));
      s.Hatch(RectPath(QRectF(x0 + 6, Ri, barrel - 6, wall)));
      s.Line(QPointF(x0 + 6, -Ri), QPointF(x1, -Ri));
      s.Line(QPointF(x0 + 6, Ri), QPointF(x1, Ri));
    }
    s.Stroke(tube);
    s.Anchor(px + "barrel", QPointF(x0 + barrel * 0.72, c.section ? -Ro + wall / 2 : -Ro * 0.35));
  }
  // Rod, out of the gland to the rod eye.
  const double xe = L - eye * 0.8;
  const double xp = x0 + 8 + (barrel - 30) * c.piston;
  {
    const double rodFrom = c.section ? xp + 16 : xg;
    QPainterPath rod = RectPath(QRectF(rodFrom, -rr, xe - rodFrom, 2 * rr));
    s.White(rod);
    s.Stroke(rod);
    s.Anchor(px + "rod", QPointF(xg + (xe - xg) * 0.55, -rr * 0.3));
  }
  // Rod eye (or fork).
  {
    QPainterPath head;
    head.addEllipse(QPointF(L, 0), eye, eye);
    head.addRect(QRectF(xe - 6, -eye * 0.8, L - xe + 6, eye * 1.6));
    head = Merged(head);
    s.White(head);
    if (c.section) s.Hatch(head.subtracted(CirclePath(QPointF(L, 0), pinR * 1.28)));
    s.Stroke(head);
    if (c.section) {
      QPainterPath bush = CirclePath(QPointF(L, 0), pinR * 1.28).subtracted(CirclePath(QPointF(L, 0), pinR));
      s.White(bush);
      s.Hatch(bush, true, 3.5);
      s.Stroke(bush);
    } else {
      s.Circle(QPointF(L, 0), pinR * 1.28, Ln::Thin);
      s.Circle(QPointF(L, 0), pinR);
    }
    if (c.forkRod) s.Line(QPointF(xe - 6, 0), QPointF(L - eye, 0), Ln::Thin);
    s.Centre(QPointF(L, 0), eye + 2);
    s.Anchor(px + "eye_r", QPointF(L + eye * 0.55, -eye * 0.6));
    s.Anchor(px + "bush_r", QPointF(L - pinR * 1.15, pinR * 0.6));
    GreaseNipple(s, QPointF(L, -eye), -90, 0.8);
    s.Anchor(px + "grease", QPointF(L, -eye - 9));
  }
  // Gland (head) screwed into the barrel.
  {
    const double inside = std::min(26.0, barrel * 0.16);
    // Cut, the gland shows its part inside the barrel and the rod's bore; seen, only its head.
    QPainterPath gland;
    if (c.section) {
      gland.addRect(QRectF(x1 - inside, -Ri, inside, 2 * Ri));
      gland.addRect(QRectF(x1, -(Ro - 1.5), c.head, 2 * (Ro - 1.5)));
      gland = Merged(gland).subtracted(RectPath(QRectF(x1 - inside - 1, -rr, inside + c.head + 2, 2 * rr)));
    } else {
      gland.addRect(QRectF(x1, -(Ro - 1.5), c.head, 2 * (Ro - 1.5)));
    }
    s.White(gland);
    if (c.section) {
      s.Hatch(gland, true);
      // Rod seal, wiper and the O-ring on the thread.
      const QRectF seal(x1 - inside * 0.55, rr, inside * 0.3, Ri * 0.22);
      const QRectF wiper(x1 + c.head - 6, rr, 4, Ri * 0.22);
      const QRectF guide(x1 - inside + 2, rr, inside * 0.3, Ri * 0.14);
      for (const QRectF& r : {seal, wiper, QRectF(seal.x(), -rr - seal.height(), seal.width(), seal.height()),
                              QRectF(wiper.x(), -rr - wiper.height(), wiper.width(), wiper.height())}) {
        s.WhiteRect(r);
        s.Fill(RectPath(r));
      }
      for (const QRectF& r : {guide, QRectF(guide.x(), -rr - guide.height(), guide.width(), guide.height())}) {
        s.WhiteRect(r);
        s.Hatch(RectPath(r), false, 2.5);
        s.Rect(r);
      }
      const QPointF ring(x1 - inside * 0.35, -Ri - 1.2);
      s.Fill(CirclePath(ring, 1.8));
      s.Anchor(px + "seal_r", QPointF(seal.center().x(), -rr - seal.height() / 2));
      s.Anchor(px + "wiper", QPointF(wiper.center().x(), rr + wiper.height() / 2));
      s.Anchor(px + "guide", QPointF(guide.center().x(), rr + guide.height() / 2));
      s.Anchor(px + "oring_g", ring);
    }
    s.Stroke(gland);
    if (!c.section) {
      s.Line(QPointF(x1 + c.head * 0.5, -(Ro - 1.5)), QPointF(x1 + c.head * 0.5, Ro - 1.5), Ln::Thin);
      s.Rect(QRectF(x1 + c.head * 0.3, -Ro + 2.5, c.head * 0.4, 4));
    }
    s.Anchor(px + "head", QPointF(x1 + c.head * 0.6, c.section ? Ro - 4 : -Ro * 0.55));
  }
  // Piston with its nut and seals, when cut.
  if (c.section) {
    QPainterPath piston =
        RectPath(QRectF(xp, -Ri, 16, 2 * Ri)).subtracted(RectPath(QRectF(xp - 1, -rr * 0.7, 18, rr * 1.4)));
    s.White(piston);
    s.Hatch(piston, true);
    s.Stroke(piston);
    const QRectF grooveTop(xp + 5, -Ri, 6, Ri * 0.16), grooveBottom(xp + 5, Ri - Ri * 0.16, 6, Ri * 0.16);
    s.WhiteRect(grooveTop);
    s.Fill(RectPath(grooveTop));
    s.WhiteRect(grooveBottom);
    s.Fill(RectPath(grooveBottom));
    // Rod end through the piston and the nut.
    s.Rect(QRectF(xp - 1, -rr * 0.7, 17, rr * 1.4));
    QPainterPath nut =
        RectPath(QRectF(xp - 9, -rr * 1.2, 8, rr * 2.4)).subtracted(RectPath(QRectF(xp - 10, -rr * 0.5, 10, rr)));
    s.White(nut);
    s.Hatch(nut);
    s.Stroke(nut);
    s.Rect(QRectF(xp - 12, -rr * 0.7, 11, rr * 1.4));
    s.Line(QPointF(xp - 12, -rr * 0.55), QPointF(xp + 16, -rr * 0.55), Ln::Thin);
    s.Anchor(px + "piston", QPointF(xp + 3, -Ri * 0.55));
    s.Anchor(px + "seal_p", grooveBottom.center());
    s.Anchor(px + "nut", QPointF(xp - 5, rr * 0.95));
    // Rod inside the barrel.
    s.Line(QPointF(xp + 16, -rr), QPointF(x1, -rr));
    s.Line(QPointF(xp + 16, rr), QPointF(x1, rr));
  }
  // Ports with their nipples.
  if (c.ports) {
    for (double x : {x0 + 18.0, x1 - 18.0}) {
      QPainterPath port = RectPath(QRectF(x - 5, -Ro - 8, 10, 8));
      s.White(port);
      s.Stroke(port);
      s.Line(QPointF(x - 5, -Ro - 4), QPointF(x + 5, -Ro - 4), Ln::Thin);
      s.Rect(QRectF(x - 3.5, -Ro - 14, 7, 6));
    }
    s.Anchor(px + "port", QPointF(x1 - 18, -Ro - 11));
  }
  s.Axis(QPointF(0, 0), QPointF(L, 0), eye + 6);
  s.Pop();
}

// ------------------------------------------------------------------ plates, levers

void HolePlate(Sheet& s, const QRectF& r, double radius, const std::vector<QPointF>& holes, double holeR) {
  s.Stroke(RoundedPath(r, radius));
  for (const QPointF& h : holes) {
    s.Circle(h, holeR);
    s.Centre(h, holeR + 2);
  }
}

void Lever(Sheet& s, QPointF pivot, double len, double angleDeg, double knob) {
  s.Push(pivot, angleDeg);
  QPainterPath rod = RectPath(QRectF(-2.6, -len, 5.2, len));
  s.White(rod);
  s.Stroke(rod);
  QPainterPath ball;
  ball.addEllipse(QPointF(0, -len - knob * 0.9), knob * 0.8, knob);
  s.White(ball);
  s.Stroke(ball);
  s.Arc(QPointF(0, -len - knob * 0.9), knob * 0.55, 100, 60, Ln::Thin);
  s.Pop();
}

}  // namespace demo
