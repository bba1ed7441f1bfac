#pragma once
// Hydraulic cylinders with eyes at both ends, as items whose composition can be opened.

#include <string>

#include "content.h"

namespace demo {

struct CylinderDef {
  std::string base;  // designation without the last group, e.g. "КМ-120.02.02"
  int first;         // the cylinder's own number in that group: 0, or 100 for one a level down
  std::string naim;
  double mass;
  int table;
  int D, d;            // piston and rod, mm
  int stroke, closed;  // mm
  int pin;             // eye pin, mm
  bool progressive = false;
};

NodeRef EyeCylinder(const CylinderDef& c);

}  // namespace demo
