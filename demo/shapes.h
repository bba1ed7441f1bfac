#pragma once
// Parametric drawing primitives of the demo catalogue: turned parts, fasteners, bosses and
// pins, gears, springs, hoses, hydraulic cylinders. Each draws in local coordinates of the
// sheet (see Sheet::Push) and may leave anchors for the callouts under a prefix.

#include <string>
#include <vector>

#include "sheet.h"

namespace demo {

QPainterPath RectPath(const QRectF& r);
QPainterPath CirclePath(QPointF c, double r);
QPainterPath PolyPath(const QPolygonF& pts);
QPainterPath RoundedPath(const QRectF& r, double radius);
// The outline of overlapping pieces put together (their union, not their overlap's XOR).
QPainterPath Merged(QPainterPath pieces);

// A turned part as steps along the axis (x from 0), drawn with its upper half in section
// (when it has a bore) and its lower half as a view.
struct Step {
  double len, r, rin = 0;
};
double StepsLength(const std::vector<Step>& steps);
void Revolved(Sheet& s, const std::vector<Step>& steps, bool section = true, bool fullSection = false,
              bool backwards = false);

// Fasteners, axis along x. The bolt's head bears on x = 0 and its shank runs along +x.
void BoltSide(Sheet& s, double d, double len, double thread = -1);
void NutSide(Sheet& s, double d);  // centred on the origin, thickness 0.8 d
void WasherSide(Sheet& s, double d, double thick, bool spring = false);
void Hexagon(Sheet& s, QPointF c, double acrossFlats, double angleDeg = 0, Ln k = Ln::Main);
void BoltEnd(Sheet& s, QPointF c, double d);    // a bolt head seen end on, with its washer
void ScrewHead(Sheet& s, QPointF c, double d);  // a small hex head, plan view
void BoltCircle(Sheet& s, QPointF c, double r, int count, double holeR, double startDeg = 0, bool heads = false);

// Pin bosses and pins, seen along the pin.
void Boss(Sheet& s, QPointF c, double R, double hole, bool bush = false);
void PinEnd(Sheet& s, QPointF c, double r, bool plate = true, double plateAngle = 0);
void GreaseNipple(Sheet& s, QPointF at, double angleDeg = -90, double size = 1);

// Gears: a toothed rim (outside teeth when tip > root) and a straight rack.
void GearRim(Sheet& s, QPointF c, double root, double tip, int teeth, double fromDeg = 0, double spanDeg = 360);
void Rack(Sheet& s, QPointF a, double len, double height, double pitch);

void Spring(Sheet& s, QPointF a, QPointF b, double radius, int coils);
// A hose along a curve: two walls, its end fittings with their nuts.
void Hose(Sheet& s, const QPainterPath& centre, double d, bool fittings = true);
void Fitting(Sheet& s, QPointF at, double angleDeg, double size);
// A steel tube, bent along a polyline with rounded corners.
void Tube(Sheet& s, const QPolygonF& pts, double d, double bend = 12);
QPainterPath SmoothPath(const QPolygonF& pts, double bend);

// A hydraulic cylinder from the centre of its bottom eye (a) to the centre of its rod eye (b).
struct CylinderShape {
  double dia = 44;  // outer diameter of the barrel
  double rod = 20;
  double eye = 15;       // radius of the eye bosses
  double barrel = 0;     // length of the barrel; 0: 55 % of the distance
  double cap = 26;       // bottom eye centre to barrel start
  double head = 24;      // gland beyond the barrel
  double piston = 0.35;  // where the piston stands along the barrel (0..1)
  bool section = false;  // cut along the axis
  bool ports = true;
  bool forkRod = false;  // rod end as a fork seen from the side
  std::string prefix;
};
void Cylinder(Sheet& s, QPointF a, QPointF b, const CylinderShape& c);

// A plate seen face on, with round holes, and its thickness beside it.
void HolePlate(Sheet& s, const QRectF& r, double radius, const std::vector<QPointF>& holes, double holeR);

// A lever with a ball knob, from its pivot along -y.
void Lever(Sheet& s, QPointF pivot, double len, double angleDeg, double knob = 9);

}  // namespace demo
