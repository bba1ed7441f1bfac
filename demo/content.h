#pragma once
// Building blocks of the demo catalogue's content: how items are made, the standard parts,
// and the drawings of single parts (detail drawings with their dimensions).

#include <QStringList>

#include <string>
#include <vector>

#include "model.h"
#include "shapes.h"

namespace demo {

// Items. Picture names come from the designation (or, for standard parts, the name).
NodeRef NewPart(const std::string& oboz, const std::string& naim, double mass, int table, bool orderable, DrawFn draw,
                const QString& scale = {}, const QString& material = {});
NodeRef NewAssembly(const std::string& oboz, const std::string& naim, double mass, int table, DrawFn draw,
                    const QString& scale, std::vector<Use> parts, bool progressive = false);
// An item whose own drawing shows it whole and whose composition opens a second drawing.
NodeRef NewComposite(const std::string& oboz, const std::string& naim, double mass, int table, bool orderable,
                     DrawFn outside, const QString& outsideScale, DrawFn inside, const QString& insideScale,
                     std::vector<Use> parts, bool progressive = false);

// Standard and bought-in parts, one item each whatever the number of places they are used in.
NodeRef StdBolt(int d, int len);
NodeRef StdNut(int d);
NodeRef StdCastleNut(int d);
NodeRef StdSpringWasher(int d);
NodeRef StdWasher(int d);
NodeRef StdScrew(int d, int len);  // socket head cap screw
NodeRef StdSetScrew(int d, int len);
NodeRef StdORing(int d, int D, int section);  // ГОСТ 9833-73 code: 050-058-46
NodeRef StdCotter(double d, int len);
NodeRef StdGrease(bool small = false);
NodeRef StdCirclip(int d, bool internal = false);
NodeRef StdCuff(int type, int D, int d);  // hydraulic cuff ГОСТ 14896-84
NodeRef StdWiper(int d);
NodeRef StdPlainBearing(int d);  // spherical plain bearing ШС
NodeRef StdBallBearing(const std::string& code, int d, int D, int B);
NodeRef StdHose(int dn, int len, int index);

// Detail drawings.
QString ScaleFor(double pxPerMm);
void Requirements(Sheet& s, const QStringList& lines);
DrawFn TurnedPart(std::vector<Step> mm, bool section, QStringList notes = {});
DrawFn PinPart(double d, double len, double headD, double headLen, bool plate, bool crossHole);
DrawFn BushPart(double D, double d, double len, double flangeD = 0, double flangeLen = 0);
DrawFn PlatePart(double w, double h, double t, std::vector<QPointF> holes, double holeD, double corner = 4,
                 bool countersunk = false, QString engraving = {});
DrawFn SpringPart(double D, double wire, double len, int coils);
DrawFn GearPart(int teeth, double module, double width, double bore);
DrawFn RackPart(double len, double height, double module, double width);
DrawFn HosePart(int dn, int len, bool bentEnd);
DrawFn TubePart(std::vector<QPointF> mm, double d);
DrawFn LinkPart(double centres, double R, double hole, double thick, bool fork);  // тяга, серьга
DrawFn LeverPart(double len, double hole, bool knob);
DrawFn KnobPart();
DrawFn ClevisPart(double d);

// Bought-in units, drawn as outline drawings.
DrawFn PumpPart();
DrawFn ValveBankOutline(int sections);
DrawFn FilterOutline(bool element);
DrawFn BallValvePart();
DrawFn GaugePart();
DrawFn PtoPart();
DrawFn LampPart();
DrawFn SwitchPart(bool mushroom);
DrawFn SensorPart();
DrawFn SolenoidPart();
DrawFn HornPart();
DrawFn FuseBoxPart();
DrawFn HarnessPart();
DrawFn LevelGaugePart();
DrawFn BreatherPart();
DrawFn PlugPart();
DrawFn FillerCapPart();
DrawFn SlewingBearingPart();
DrawFn StrainerPart();
DrawFn SealKitPart();
DrawFn ConnectorPart();
DrawFn EarthLeadPart();

// Components reused in assemblies and in their own drawings (local coordinates, pixels).
void ValveBank(Sheet& s, QPointF at, int sections, double scale, bool levers, const std::string& prefix);
void Pump(Sheet& s, QPointF at, double scale);
void FilterBody(Sheet& s, QPointF at, double scale);
void Lamp(Sheet& s, QPointF at, double scale);
void Gauge(Sheet& s, QPointF at, double r);

}  // namespace demo
