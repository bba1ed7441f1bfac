#pragma once
// A drawing sheet of the demo catalogue: white paper, the line types of a technical drawing,
// hatching, dimensions, the frame with its title block and named anchor points on the parts.
// Coordinates are pixels; Push/Pop place, turn and scale a component without changing line
// widths, which stay those of the sheet.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace demo {

inline constexpr int kSheetW = 792;
inline constexpr int kSheetH = 541;

enum class Ln { Main, Thin, Hidden, Axis, Phantom };

// What the title block of a sheet says.
struct TitleBlock {
  QString oboz;  // designation of the drawing, e.g. "КМ-120.02.00.000 СБ"
  QString naim;
  QString scale;     // "1:10"
  QString mass;      // "12,5"
  QString material;  // parts only
};

class Sheet {
 public:
  explicit Sheet(int width = kSheetW, int height = kSheetH);
  ~Sheet();
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  QPainter& p() { return painter_; }
  QImage& image() { return image_; }
  void End();     // finishes painting; the image is ready to be read
  void Resume();  // paints again over the finished image

  // Placement of a component: origin, turn in degrees (clockwise on screen), scale.
  void Push(QPointF at, double angleDeg = 0, double scale = 1, bool mirrorX = false);
  void Pop();
  QPointF Map(QPointF local) const;  // local point to sheet pixels

  // Neighbouring parts that are not part of the drawing's subject: thin phantom lines only.
  void SetGhost(bool on) { ghost_ = on; }

  // Lines in local coordinates.
  void SetPen(Ln kind);
  void Line(QPointF a, QPointF b, Ln k = Ln::Main);
  void Poly(const QPolygonF& pts, Ln k = Ln::Main, bool closed = false);
  void Rect(const QRectF& r, Ln k = Ln::Main);
  void Circle(QPointF c, double r, Ln k = Ln::Main);
  void Arc(QPointF c, double r, double startDeg, double spanDeg, Ln k = Ln::Main);
  void Stroke(const QPainterPath& path, Ln k = Ln::Main);
  void Fill(const QPainterPath& path, const QColor& colour = Qt::black);
  void White(const QPainterPath& path);  // paper over whatever lies beneath
  void WhiteRect(const QRectF& r);
  // Section lines at a fixed spacing on the sheet, whatever the scale: 45 or 135 degrees.
  void Hatch(const QPainterPath& area, bool backwards = false, double step = 5.0);
  void HatchRect(const QRectF& r, bool backwards = false, double step = 5.0);
  // Centre lines: an axis with a little overhang, and the cross of a circle.
  void Axis(QPointF a, QPointF b, double overhang = 6);
  void Centre(QPointF c, double r);
  // A linear dimension between a and b, its line offset to the left of a→b.
  void Dim(QPointF a, QPointF b, double offset, const QString& text);
  // A diameter/radius leader with its text on a shelf.
  void Note(QPointF at, QPointF shelf, const QString& text, bool toRight = true);
  void Text(QPointF at, const QString& text, double px, int align = Qt::AlignLeft | Qt::AlignBaseline,
            bool italic = true, bool bold = false);
  void Arrow(QPointF tip, QPointF from);  // filled arrowhead at tip pointing away from `from`

  // Named points of the parts, in sheet pixels, for the callouts.
  void Anchor(const std::string& key, QPointF local);
  const std::map<std::string, QPointF>& anchors() const { return anchors_; }

  // The frame of the sheet and its title block (bottom right, above the button strip).
  void Frame(const TitleBlock& t);

 private:
  QImage image_;
  QPainter painter_;
  std::vector<QTransform> stack_;
  std::vector<double> scales_;
  std::map<std::string, QPointF> anchors_;
  bool ghost_ = false;
};

// Scoped placement.
class Place {
 public:
  Place(Sheet& s, QPointF at, double angleDeg = 0, double scale = 1, bool mirrorX = false) : s_(s) {
    s_.Push(at, angleDeg, scale, mirrorX);
  }
  ~Place() { s_.Pop(); }
  Place(const Place&) = delete;
  Place& operator=(const Place&) = delete;

 private:
  Sheet& s_;
};

QFont DrawingFont(double px, bool italic = true, bool bold = false);

// Callouts: the labels the program puts over a drawing, at (left, top), two lines, with the
// leader drawn on the sheet from the part to the label's shelf.
struct Callout {
  std::string key;  // the anchor on the sheet
  QString oboz, naim;
  QPointF anchor;
  QRect rect;     // where the label stands
  QPointF joint;  // where the leader meets the shelf
  int number = 0;
};

// Places the labels in free paper near their parts and numbers them clockwise. Fails with a
// reason when a label finds no place at all; names the pairs whose leaders had to cross.
bool LayoutCallouts(const QImage& drawn, std::vector<Callout>& callouts, std::string& error, std::string& warning);
void DrawLeaders(Sheet& s, const std::vector<Callout>& callouts);
// Width in pixels the program's label takes for the two lines.
int CalloutWidth(const QString& oboz, const QString& naim);

QString MassText(double kg);
// A dimension's figure: whole numbers bare, others to one decimal, with a decimal comma.
QString DimNumber(double v);
QString DimDiameter(double v);  // with the diameter sign

}  // namespace demo
