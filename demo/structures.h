#pragma once
// The welded structures of the crane, drawn in local pixels so that the assembly drawings
// and the drawings of the weldments themselves share them. Anchors go under a prefix.

#include <string>

#include "content.h"

namespace demo {

// Boom: root pin at (0, 0), tip pin at (len, 0); the lift cylinder's lug below, at BoomLug().
void Boom(Sheet& s, double len, const std::string& px = "boom.");
QPointF BoomLug();
QPointF BoomArmCylinderLug();  // on top, near the root: the arm cylinder's bottom eye

// Arm: pivot at (0, 0) on the boom tip, the arm cylinder's bracket at ArmBracket(), the box
// running along +x to len; the extension slides out of its end.
void Arm(Sheet& s, double len, bool hiddenCylinder, const std::string& px = "arm.");
QPointF ArmBracket();
void Extension(Sheet& s, double len, const std::string& px = "ext.");  // from x = 0 (inside the arm) to its head

// Base seen along the truck: the middle of the slewing housing's top at (0, 0).
void Base(Sheet& s, const std::string& px = "base.");
// Column standing on (0, 0) up to its head; the boom pin at ColumnTop(), cylinder lug at ColumnLug().
void Column(Sheet& s, const std::string& px = "col.");
QPointF ColumnTop();
QPointF ColumnLug();
// Outrigger beam: from the base at x = 0 outwards to its end at len, the cylinder's head on top.
void OutriggerBeam(Sheet& s, double len, const std::string& px = "beam.");

// Grab: the jaw pivots at (±26, 0), the hanger lug on top.
void GrabBody(Sheet& s, const std::string& px = "body.");
void Jaw(Sheet& s, bool right, const std::string& px);
QPointF JawArm(bool right);

void PostFrame(Sheet& s, const std::string& px = "frame.");
void TankBody(Sheet& s, const std::string& px = "tank.");
void RackHousing(Sheet& s, bool section, const std::string& px = "house.");

// Drawings of the weldments on their own, with overall dimensions.
DrawFn BoomPart();
DrawFn ArmPart();
DrawFn ExtensionPart();
DrawFn BasePart();
DrawFn ColumnPart();
DrawFn OutriggerBeamPart();
DrawFn GrabBodyPart();
DrawFn JawPart();
DrawFn PostFramePart();
DrawFn TankPart();
DrawFn RackHousingPart();

}  // namespace demo
