#include "sheet.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <unordered_map>

namespace demo {

namespace {

const QColor kInk(22, 22, 22);

QPen MakePen(Ln kind) {
  QPen pen(kInk);
  pen.setCosmetic(true);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::RoundJoin);
  auto dashes = [&](std::initializer_list<double> px) {
    QList<qreal> pattern;
    for (double v : px) pattern << v / pen.widthF();
    pen.setDashPattern(pattern);
  };
  switch (kind) {
    case Ln::Main:
      pen.setWidthF(1.6);
      pen.setCapStyle(Qt::RoundCap);
      break;
    case Ln::Thin:
      pen.setWidthF(0.8);
      break;
    case Ln::Hidden:
      pen.setWidthF(1.0);
      dashes({5, 3});
      break;
    case Ln::Axis:
      pen.setWidthF(0.8);
      dashes({16, 3, 2, 3});
      break;
    case Ln::Phantom:
      pen.setWidthF(0.8);
      dashes({14, 3, 2, 3, 2, 3});
      break;
  }
  return pen;
}

double Length(QPointF v) { return std::hypot(v.x(), v.y()); }

}  // namespace

QFont DrawingFont(double px, bool italic, bool bold) {
  QFont f(QStringLiteral("Liberation Sans Narrow"));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(px))));
  f.setItalic(italic);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

QString DimNumber(double v) {
  QString t = QString::number(v, 'f', v == std::floor(v) ? 0 : 1);
  t.replace(QLatin1Char('.'), QLatin1Char(','));
  return t;
}

QString DimDiameter(double v) { return QStringLiteral("Ø") + DimNumber(v); }

QString MassText(double kg) {
  QString s;
  if (kg >= 100)
    s = QString::number(kg, 'f', 0);
  else if (kg >= 10)
    s = QString::number(kg, 'f', 1);
  else if (kg >= 1)
    s = QString::number(kg, 'f', 2);
  else
    s = QString::number(kg, 'f', 3);
  if (s.contains(QLatin1Char('.'))) {
    while (s.endsWith(QLatin1Char('0'))) s.chop(1);
    if (s.endsWith(QLatin1Char('.'))) s.chop(1);
  }
  s.replace(QLatin1Char('.'), QLatin1Char(','));
  return s;
}

Sheet::Sheet(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(Qt::white);
  painter_.begin(&image_);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
}

Sheet::~Sheet() { End(); }

void Sheet::End() {
  if (painter_.isActive()) painter_.end();
}

void Sheet::Resume() {
  if (painter_.isActive()) return;
  painter_.begin(&image_);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  stack_.clear();
}

void Sheet::Push(QPointF at, double angleDeg, double scale, bool mirrorX) {
  stack_.push_back(painter_.transform());
  painter_.translate(at);
  painter_.rotate(angleDeg);
  painter_.scale(mirrorX ? -scale : scale, scale);
}

void Sheet::Pop() {
  painter_.setTransform(stack_.back());
  stack_.pop_back();
}

QPointF Sheet::Map(QPointF local) const { return painter_.transform().map(local); }

void Sheet::SetPen(Ln kind) {
  painter_.setPen(MakePen(ghost_ && kind != Ln::Axis ? Ln::Phantom : kind));
  painter_.setBrush(Qt::NoBrush);
}

void Sheet::Line(QPointF a, QPointF b, Ln k) {
  SetPen(k);
  painter_.drawLine(a, b);
}

void Sheet::Poly(const QPolygonF& pts, Ln k, bool closed) {
  SetPen(k);
  if (closed)
    painter_.drawPolygon(pts);
  else
    painter_.drawPolyline(pts);
}

void Sheet::Rect(const QRectF& r, Ln k) {
  SetPen(k);
  painter_.drawRect(r);
}

void Sheet::Circle(QPointF c, double r, Ln k) {
  SetPen(k);
  painter_.drawEllipse(c, r, r);
}

void Sheet::Arc(QPointF c, double r, double startDeg, double spanDeg, Ln k) {
  SetPen(k);
  painter_.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), static_cast<int>(std::lround(startDeg * 16)),
                   static_cast<int>(std::lround(spanDeg * 16)));
}

void Sheet::Stroke(const QPainterPath& path, Ln k) {
  SetPen(k);
  painter_.drawPath(path);
}

void Sheet::Fill(const QPainterPath& path, const QColor& colour) {
  if (ghost_) return;
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(colour);
  painter_.drawPath(path);
  painter_.setBrush(Qt::NoBrush);
}

void Sheet::White(const QPainterPath& path) { Fill(path, Qt::white); }

void Sheet::WhiteRect(const QRectF& r) {
  QPainterPath p;
  p.addRect(r);
  White(p);
}

void Sheet::Hatch(const QPainterPath& area, bool backwards, double step) {
  if (ghost_) return;
  const QPainterPath device = painter_.transform().map(area);
  const QRectF box = device.boundingRect();
  painter_.save();
  painter_.resetTransform();
  painter_.setClipPath(device);
  painter_.setPen(MakePen(Ln::Thin));
  // Lines x - y = c (or x + y = c) across the box, at `step` pixels apart.
  const double span = box.width() + box.height();
  const double d = step * std::sqrt(2.0);
  if (!backwards) {
    double c0 = std::floor((box.left() - box.bottom()) / d) * d;
    for (double c = c0; c <= box.right() - box.top() + d; c += d)
      painter_.drawLine(QPointF(c + box.top(), box.top()), QPointF(c + box.top() + span, box.top() + span));
  } else {
    double c0 = std::floor((box.left() + box.top()) / d) * d;
    for (double c = c0; c <= box.right() + box.bottom() + d; c += d)
      painter_.drawLine(QPointF(c - box.top(), box.top()), QPointF(c - box.top() - span, box.top() + span));
  }
  painter_.restore();
}

void Sheet::HatchRect(const QRectF& r, bool backwards, double step) {
  QPainterPath p;
  p.addRect(r);
  Hatch(p, backwards, step);
}

void Sheet::Axis(QPointF a, QPointF b, double overhang) {
  const QPointF v = b - a;
  const double len = Length(v);
  if (len <= 0) return;
  const double scale = std::sqrt(std::abs(painter_.transform().determinant()));
  const QPointF u = v / len * (overhang / std::max(scale, 1e-6));
  Line(a - u, b + u, Ln::Axis);
}

void Sheet::Centre(QPointF c, double r) {
  Axis(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()), 5);
  Axis(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r), 5);
}

void Sheet::Arrow(QPointF tip, QPointF from) {
  // Sized on the sheet whatever the local scale: work in sheet pixels.
  const QPointF t = Map(tip), f = Map(from);
  QPointF u = t - f;
  const double len = Length(u);
  if (len <= 0) return;
  u /= len;
  const QPointF n(-u.y(), u.x());
  QPolygonF head;
  head << t << t - u * 8 + n * 1.9 << t - u * 8 - n * 1.9;
  painter_.save();
  painter_.resetTransform();
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(kInk);
  painter_.drawPolygon(head);
  painter_.restore();
}

void Sheet::Dim(QPointF a, QPointF b, double offset, const QString& text) {
  const QPointF v = b - a;
  const double len = Length(v);
  if (len <= 0) return;
  const QPointF u = v / len;
  const QPointF n(u.y(), -u.x());
  const double scale = std::sqrt(std::abs(painter_.transform().determinant()));
  const double px = 1.0 / std::max(scale, 1e-6);
  const QPointF a1 = a + n * offset, b1 = b + n * offset;
  const double sign = offset >= 0 ? 1 : -1;
  Line(a + n * (2 * px * sign), a1 + n * (4 * px * sign), Ln::Thin);
  Line(b + n * (2 * px * sign), b1 + n * (4 * px * sign), Ln::Thin);
  Line(a1, b1, Ln::Thin);
  Arrow(a1, b1);
  Arrow(b1, a1);
  // The text above the dimension line, read from below or from the right.
  painter_.save();
  const QPointF mid = (a1 + b1) / 2;
  painter_.translate(mid);
  // Read from below or from the right, as on a drawing.
  double angle = std::atan2(u.y(), u.x()) * 180 / M_PI;
  if (angle >= 89.5)
    angle -= 180;
  else if (angle < -90.5)
    angle += 180;
  painter_.rotate(angle);
  painter_.setFont(DrawingFont(12 * px));
  painter_.setPen(kInk);
  const QFontMetricsF fm(painter_.font());
  painter_.drawText(QPointF(-fm.horizontalAdvance(text) / 2, -3 * px), text);
  painter_.restore();
}

void Sheet::Note(QPointF at, QPointF shelf, const QString& text, bool toRight) {
  const double scale = std::sqrt(std::abs(painter_.transform().determinant()));
  const double px = 1.0 / std::max(scale, 1e-6);
  painter_.setFont(DrawingFont(12 * px));
  const double w = QFontMetricsF(painter_.font()).horizontalAdvance(text) + 4 * px;
  Line(at, shelf, Ln::Thin);
  Arrow(at, shelf);
  const QPointF end = shelf + QPointF(toRight ? w : -w, 0);
  Line(shelf, end, Ln::Thin);
  painter_.setPen(kInk);
  painter_.drawText(QPointF(std::min(shelf.x(), end.x()) + 2 * px, shelf.y() - 3 * px), text);
}

void Sheet::Text(QPointF at, const QString& text, double px, int align, bool italic, bool bold) {
  painter_.setFont(DrawingFont(px, italic, bold));
  painter_.setPen(kInk);
  const QFontMetricsF fm(painter_.font());
  const double w = fm.horizontalAdvance(text);
  double x = at.x();
  if (align & Qt::AlignHCenter)
    x -= w / 2;
  else if (align & Qt::AlignRight)
    x -= w;
  double y = at.y();
  if (align & Qt::AlignVCenter)
    y += (fm.ascent() - fm.descent()) / 2;
  else if (align & Qt::AlignTop)
    y += fm.ascent();
  painter_.drawText(QPointF(x, y), text);
}

void Sheet::Anchor(const std::string& key, QPointF local) { anchors_[key] = Map(local); }

void Sheet::Frame(const TitleBlock& t) {
  painter_.save();
  painter_.resetTransform();
  SetPen(Ln::Main);
  painter_.drawRect(QRectF(5, 5, 782, 482));
  const double x0 = 597, y0 = 441, w = 190, h = 46;
  painter_.fillRect(QRectF(x0, y0, w, h), Qt::white);
  painter_.drawRect(QRectF(x0, y0, w, h));
  SetPen(Ln::Thin);
  painter_.drawLine(QPointF(x0, y0 + 20), QPointF(x0 + w, y0 + 20));
  painter_.drawLine(QPointF(x0 + 112, y0 + 20), QPointF(x0 + 112, y0 + h));
  painter_.drawLine(QPointF(x0 + 150, y0 + 20), QPointF(x0 + 150, y0 + h));
  painter_.drawLine(QPointF(x0 + 112, y0 + 33), QPointF(x0 + 150, y0 + 33));
  painter_.setPen(kInk);
  // Designation, as large as fits.
  for (double px = 15; px >= 9; px -= 0.5) {
    painter_.setFont(DrawingFont(px, true, false));
    if (QFontMetricsF(painter_.font()).horizontalAdvance(t.oboz) <= w - 8) break;
  }
  painter_.drawText(QRectF(x0, y0, w, 20), Qt::AlignCenter, t.oboz);
  // Name, on one or two lines.
  {
    QFont f = DrawingFont(11.5);
    const QRectF box(x0 + 3, y0 + 21, 107, 25);
    painter_.setFont(f);
    const QFontMetricsF fm(f);
    QString name = t.naim;
    if (fm.horizontalAdvance(name) <= box.width()) {
      painter_.drawText(box, Qt::AlignCenter, name);
    } else {
      f.setPixelSize(10);
      painter_.setFont(f);
      painter_.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, name);
    }
  }
  painter_.setFont(DrawingFont(9.5));
  painter_.drawText(QRectF(x0 + 112, y0 + 20, 38, 13), Qt::AlignCenter,
                    t.mass.isEmpty() ? QStringLiteral("—") : t.mass + QStringLiteral(" кг"));
  painter_.drawText(QRectF(x0 + 112, y0 + 33, 38, 13), Qt::AlignCenter,
                    t.scale.isEmpty() ? QStringLiteral("—") : QStringLiteral("М ") + t.scale);
  // The maker, and the material of a part.
  if (!t.material.isEmpty()) {
    painter_.setFont(DrawingFont(8.5));
    painter_.drawText(QRectF(x0 + 151, y0 + 21, 38, 13), Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("КРАНТЕК"));
    painter_.drawLine(QPointF(x0 + 150, y0 + 33), QPointF(x0 + w, y0 + 33));
    QFont f = DrawingFont(8.5);
    painter_.setFont(f);
    painter_.drawText(QRectF(x0 + 151, y0 + 33, 38, 13), Qt::AlignCenter, QStringLiteral("Лист 1"));
    // The material goes under the designation in a strip of its own, left of the block.
    const QRectF mbox(x0 - 150, y0 + 26, 150, 20);
    painter_.fillRect(mbox, Qt::white);
    SetPen(Ln::Thin);
    painter_.drawRect(mbox);
    painter_.setPen(kInk);
    painter_.setFont(DrawingFont(10.5));
    painter_.drawText(mbox, Qt::AlignCenter, t.material);
  } else {
    painter_.setFont(DrawingFont(9, true, true));
    painter_.drawText(QRectF(x0 + 150, y0 + 20, 40, 26), Qt::AlignCenter, QStringLiteral("КРАНТЕК"));
  }
  painter_.restore();
}

// ------------------------------------------------------------------ callouts

namespace {

// The program shows callouts in 11-pixel MS Sans Serif, which it draws with Liberation Sans.
QFont CalloutFont() {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPixelSize(11);
  return f;
}

int Chars(const QString& s) { return static_cast<int>(s.size()); }

// Ink of the drawing, and the paper a label may not take: the ink itself and whatever the
// outlines enclose (the inside of a part is the part), summed for rectangle queries.
class InkMap {
 public:
  explicit InkMap(const QImage& img)
      : w_(img.width()), h_(img.height()), sum_((w_ + 1) * (h_ + 1), 0), ink_(w_ * h_, 0) {
    const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < h_; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (int x = 0; x < w_; ++x) {
        const QRgb c = line[x];
        ink_[y * w_ + x] = qRed(c) < 215 || qGreen(c) < 215 || qBlue(c) < 215;
      }
    }
    // Open paper: reached from the margin inside the frame without crossing a line.
    std::vector<unsigned char> open(w_ * h_, 0);
    std::vector<int> stack;
    auto seed = [&](int x, int y) {
      const int i = y * w_ + x;
      if (!ink_[i] && !open[i]) {
        open[i] = 1;
        stack.push_back(i);
      }
    };
    for (int x = 10; x < w_ - 10; ++x) seed(x, 10);
    for (int y = 10; y < std::min(h_ - 10, 436); ++y) {
      seed(10, y);
      seed(w_ - 11, y);
    }
    for (int x = 10; x < 590; ++x) seed(x, std::min(h_ - 11, 482));
    while (!stack.empty()) {
      const int i = stack.back();
      stack.pop_back();
      const int x = i % w_, y = i / w_;
      if (x > 0) seed(x - 1, y);
      if (x + 1 < w_) seed(x + 1, y);
      if (y > 0) seed(x, y - 1);
      if (y + 1 < h_) seed(x, y + 1);
    }
    for (int y = 0; y < h_; ++y) {
      int row = 0;
      for (int x = 0; x < w_; ++x) {
        row += !open[y * w_ + x];
        sum_[(y + 1) * (w_ + 1) + x + 1] = sum_[y * (w_ + 1) + x + 1] + row;
      }
    }
  }
  int Count(int x0, int y0, int x1, int y1) const {  // inclusive-exclusive, clipped
    x0 = std::clamp(x0, 0, w_);
    x1 = std::clamp(x1, 0, w_);
    y0 = std::clamp(y0, 0, h_);
    y1 = std::clamp(y1, 0, h_);
    if (x1 <= x0 || y1 <= y0) return 0;
    return sum_[y1 * (w_ + 1) + x1] - sum_[y0 * (w_ + 1) + x1] - sum_[y1 * (w_ + 1) + x0] + sum_[y0 * (w_ + 1) + x0];
  }
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_ && ink_[y * w_ + x]; }
  // Lines of the drawing a straight leader crosses, leaving out a few pixels at its start.
  int Crossings(QPointF a, QPointF b) const {
    const double len = Length(b - a);
    const int steps = static_cast<int>(len / 1.5);
    int crossings = 0;
    bool inside = true;
    for (int i = 0; i <= steps; ++i) {
      const double t = steps ? static_cast<double>(i) / steps : 0;
      const QPointF q = a + (b - a) * t;
      if (len * t < 7) continue;
      const bool ink = At(static_cast<int>(q.x()), static_cast<int>(q.y()));
      if (ink && !inside) ++crossings;
      inside = ink;
    }
    return crossings;
  }

 private:
  int w_, h_;
  std::vector<int> sum_;
  std::vector<unsigned char> ink_;
};

bool SegmentsCross(QPointF p1, QPointF p2, QPointF q1, QPointF q2) {
  auto cross = [](QPointF o, QPointF a, QPointF b) {
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
  };
  const double d1 = cross(q1, q2, p1), d2 = cross(q1, q2, p2);
  const double d3 = cross(p1, p2, q1), d4 = cross(p1, p2, q2);
  return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

bool SegmentHitsRect(QPointF a, QPointF b, const QRectF& r) {
  if (r.contains(a) || r.contains(b)) return true;
  const QPointF c[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
  for (int i = 0; i < 4; ++i)
    if (SegmentsCross(a, b, c[i], c[(i + 1) % 4])) return true;
  return false;
}

double PointSegmentDistance(QPointF p, QPointF a, QPointF b) {
  const QPointF v = b - a;
  const double l2 = v.x() * v.x() + v.y() * v.y();
  double t = l2 > 0 ? ((p.x() - a.x()) * v.x() + (p.y() - a.y()) * v.y()) / l2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return Length(p - (a + v * t));
}

struct Candidate {
  QRect rect;  // the label's own box, as the checker estimates it (at least)
  QPointF joint;
  double cost;
};

// The screen areas other controls cover in the drawing display.
bool Forbidden(const QRect& r) {
  const int l = r.left(), t = r.top(), rr = l + r.width(), b = t + r.height();
  if (l < 9 || t < 9 || rr > 783 || b > 480) return true;
  if (l < 114 && t < 62) return true;    // basket indicator
  if (rr > 376 && t < 99) return true;   // details of the node
  if (rr > 672 && t < 134) return true;  // "order" button
  if (rr > 590 && b > 436) return true;  // title block
  return false;
}

int LineSpacing() {
  static const int ls = QFontMetrics(CalloutFont()).lineSpacing();
  return ls;
}

}  // namespace

int CalloutWidth(const QString& oboz, const QString& naim) {
  const QFontMetrics fm(CalloutFont());
  return std::max(fm.horizontalAdvance(oboz), fm.horizontalAdvance(naim));
}

bool LayoutCallouts(const QImage& drawn, std::vector<Callout>& callouts, std::string& error, std::string& warning) {
  const InkMap ink(drawn);
  const int n = static_cast<int>(callouts.size());
  const int ls = LineSpacing();
  const int labelH = std::max(26, 2 * ls);
  std::vector<std::vector<Candidate>> cands(n);

  for (int i = 0; i < n; ++i) {
    Callout& c = callouts[i];
    const int measured = CalloutWidth(c.oboz, c.naim);
    const int w = std::max(measured, 6 * std::max(Chars(c.oboz), Chars(c.naim))) + 2;
    const QPointF a = c.anchor;
    std::vector<Candidate>& list = cands[i];
    for (int top = 9; top + labelH <= 480; top += 3) {
      for (int left = 9; left + w <= 783; left += 4) {
        const QRect r(left, top, w, labelH + 2);
        if (Forbidden(r)) continue;
        const QPointF joint = a.x() <= left + w / 2.0 ? QPointF(left - 2, top + labelH + 1)
                                                      : QPointF(left + measured + 2, top + labelH + 1);
        const QPointF v = joint - a;
        const double len = Length(v);
        if (len < 22 || len > 270) continue;
        // Free paper under the label and a little around it.
        if (ink.Count(left - 4, top - 3, left + w + 4, top + labelH + 5) > 0) continue;
        // The leader comes from below or beside, never through its own label.
        if (SegmentHitsRect(a, joint, QRectF(left + 1, top, w - 2, labelH - 1))) continue;
        const double angle = std::abs(std::atan2(v.y(), std::abs(v.x())) * 180 / M_PI);
        double cost = len;
        if (angle < 12)
          cost += 60;
        else if (angle < 22)
          cost += 25;
        if (angle > 82) cost += 20;
        list.push_back({r, joint, cost});
      }
    }
    for (Candidate& k : list) k.cost += 28 * ink.Crossings(a, k.joint);
    std::stable_sort(list.begin(), list.end(), [](const Candidate& x, const Candidate& y) { return x.cost < y.cost; });
    if (list.empty()) {
      error = "no free place for the callout of " + c.key;
      return false;
    }
  }

  std::vector<int> chosen(n, -1);
  // Hard: labels never overlap, nor cover another part's point. Soft: a leader crossing
  // another leader or passing over another label, allowed only when nothing else fits.
  auto hard = [&](int i, const Candidate& k, int j) {
    const Candidate& o = cands[j][chosen[j]];
    if (k.rect.adjusted(-4, -2, 4, 2).intersects(o.rect)) return true;
    const QPointF ai = callouts[i].anchor, aj = callouts[j].anchor;
    if (QRectF(k.rect).adjusted(-6, -6, 6, 6).contains(aj)) return true;
    if (QRectF(o.rect).adjusted(-6, -6, 6, 6).contains(ai)) return true;
    return false;
  };
  auto soft = [&](int i, const Candidate& k, int j) {
    const Candidate& o = cands[j][chosen[j]];
    const QPointF ai = callouts[i].anchor, aj = callouts[j].anchor;
    int count = 0;
    if (SegmentHitsRect(ai, k.joint, QRectF(o.rect).adjusted(-2, -2, 2, 2))) count += 3;
    if (SegmentHitsRect(aj, o.joint, QRectF(k.rect).adjusted(-2, -2, 2, 2))) count += 3;
    if (SegmentsCross(ai, k.joint, aj, o.joint)) ++count;
    if (PointSegmentDistance(aj, ai, k.joint) < 4 || PointSegmentDistance(ai, aj, o.joint) < 4) ++count;
    return count;
  };
  // The first candidate without conflicts, else the one with the fewest soft ones.
  auto place = [&](int i, int* softCount) {
    int best = -1, bestSoft = 1 << 30;
    for (std::size_t c = 0; c < cands[i].size(); ++c) {
      bool ok = true;
      int sc = 0;
      for (int j = 0; j < n && ok; ++j) {
        if (j == i || chosen[j] < 0) continue;
        if (hard(i, cands[i][c], j))
          ok = false;
        else
          sc += soft(i, cands[i][c], j);
      }
      if (!ok || sc >= bestSoft) continue;
      best = static_cast<int>(c);
      bestSoft = sc;
      if (sc == 0) break;
    }
    if (softCount) *softCount = bestSoft;
    return best;
  };

  // Where each label may stand, by position, to try two labels changing places.
  std::vector<std::unordered_map<long long, int>> at(n);
  auto posKey = [](const QRect& r) { return (static_cast<long long>(r.left()) << 20) | r.top(); };
  for (int i = 0; i < n; ++i)
    for (std::size_t c = 0; c < cands[i].size(); ++c) at[i].emplace(posKey(cands[i][c].rect), static_cast<int>(c));
  auto softTotal = [&] {
    int t = 0;
    for (int i = 0; i < n; ++i)
      for (int j = i + 1; j < n; ++j) t += soft(i, cands[i][chosen[i]], j);
    return t;
  };
  auto costTotal = [&] {
    double t = 0;
    for (int i = 0; i < n; ++i) t += cands[i][chosen[i]].cost;
    return t;
  };
  auto fits = [&](int i, int c, int skip) {
    for (int j = 0; j < n; ++j)
      if (j != i && j != skip && chosen[j] >= 0 && hard(i, cands[i][c], j)) return false;
    return true;
  };

  // Greedy placement in a given order, then rounds of moving each label to its best place
  // among the others and of swapping labels whose leaders cross.
  auto run = [&](const std::vector<int>& order) {
    std::fill(chosen.begin(), chosen.end(), -1);
    for (int i : order) {
      chosen[i] = place(i, nullptr);
      if (chosen[i] < 0) return false;
    }
    for (int round = 0; round < 6; ++round) {
      bool moved = false;
      for (int i : order) {
        const int was = chosen[i];
        chosen[i] = -1;
        const int best = place(i, nullptr);
        chosen[i] = best >= 0 ? best : was;
        moved |= chosen[i] != was;
      }
      for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
          if (!soft(i, cands[i][chosen[i]], j)) continue;
          auto ci = at[i].find(posKey(cands[j][chosen[j]].rect));
          auto cj = at[j].find(posKey(cands[i][chosen[i]].rect));
          if (ci == at[i].end() || cj == at[j].end()) continue;
          const int before = softTotal();
          const double beforeCost = costTotal();
          const int oi = chosen[i], oj = chosen[j];
          chosen[i] = ci->second;
          chosen[j] = cj->second;
          const bool ok = fits(i, chosen[i], j) && fits(j, chosen[j], i) && !hard(i, cands[i][chosen[i]], j);
          const int after = ok ? softTotal() : 1 << 30;
          if (after < before || (after == before && costTotal() < beforeCost)) {
            moved = true;
          } else {
            chosen[i] = oi;
            chosen[j] = oj;
          }
        }
      }
      if (!moved) break;
    }
    return true;
  };

  QPointF middle(0, 0);
  for (const Callout& c : callouts) middle += c.anchor;
  if (n) middle /= n;
  std::vector<std::vector<int>> orders;
  std::vector<int> base(n);
  std::iota(base.begin(), base.end(), 0);
  orders.push_back(base);
  std::stable_sort(orders.back().begin(), orders.back().end(),
                   [&](int x, int y) { return cands[x].size() < cands[y].size(); });
  orders.push_back(base);
  std::stable_sort(orders.back().begin(), orders.back().end(), [&](int x, int y) {
    const QPointF a = callouts[x].anchor - middle, b = callouts[y].anchor - middle;
    return std::atan2(a.y(), a.x()) < std::atan2(b.y(), b.x());
  });
  orders.push_back(base);
  std::stable_sort(orders.back().begin(), orders.back().end(), [&](int x, int y) {
    return Length(callouts[x].anchor - middle) > Length(callouts[y].anchor - middle);
  });
  orders.push_back(base);
  std::stable_sort(orders.back().begin(), orders.back().end(),
                   [&](int x, int y) { return callouts[x].anchor.y() < callouts[y].anchor.y(); });
  std::vector<int> best;
  int bestSoft = 1 << 30;
  double bestCost = 0;
  for (const auto& order : orders) {
    if (!run(order)) continue;
    const int sc = softTotal();
    const double cost = costTotal();
    if (sc < bestSoft || (sc == bestSoft && cost < bestCost)) {
      best = chosen;
      bestSoft = sc;
      bestCost = cost;
    }
  }
  if (best.empty()) {
    error = "no place for every callout";
    return false;
  }
  chosen = best;
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      const int sc = soft(i, cands[i][chosen[i]], j);
      if (sc) warning += (warning.empty() ? "" : ", ") + callouts[i].key + "/" + callouts[j].key;
    }
  }
  for (int i = 0; i < n; ++i) {
    const Candidate& k = cands[i][chosen[i]];
    callouts[i].rect = QRect(k.rect.left(), k.rect.top(), k.rect.width(), labelH);
    callouts[i].joint = k.joint;
  }
  // Numbered clockwise from the upper left, around the middle of the parts.
  QPointF centre(0, 0);
  for (const Callout& c : callouts) centre += c.anchor;
  if (n) centre /= n;
  std::vector<int> byAngle(n);
  std::iota(byAngle.begin(), byAngle.end(), 0);
  auto key = [&](int i) {
    const QPointF v = QRectF(callouts[i].rect).center() - centre;
    double a = std::atan2(v.y(), v.x()) - (-0.75 * M_PI - 0.2);
    while (a < 0) a += 2 * M_PI;
    while (a >= 2 * M_PI) a -= 2 * M_PI;
    return a;
  };
  std::stable_sort(byAngle.begin(), byAngle.end(), [&](int x, int y) { return key(x) < key(y); });
  for (int k = 0; k < n; ++k) callouts[byAngle[k]].number = k + 1;
  return true;
}

void DrawLeaders(Sheet& s, const std::vector<Callout>& callouts) {
  QPainter& p = s.p();
  p.save();
  p.resetTransform();
  QPen pen(kInk);
  pen.setWidthF(0.9);
  pen.setCosmetic(true);
  const int ls = LineSpacing();
  const int labelH = std::max(26, 2 * ls);
  for (const Callout& c : callouts) {
    const int measured = CalloutWidth(c.oboz, c.naim);
    const double y = c.rect.top() + labelH + 1;
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawLine(c.anchor, c.joint);
    p.drawLine(QPointF(c.rect.left() - 2, y), QPointF(c.rect.left() + measured + 2, y));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(c.anchor, 2.3, 2.3);
  }
  p.restore();
}

}  // namespace demo
