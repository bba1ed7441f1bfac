#pragma once
// The window's limits, which a catalogue must fit: the program lays itself out by them and
// catalogue-tool check reports what goes beyond them.

namespace catalogue {

inline constexpr int kMaxSections = 7;          // section plates at the root
inline constexpr int kMaxCallouts = 35;         // callout labels of the window design
inline constexpr int kMaxShownCallouts = 1000;  // the most callouts laid out on one drawing
inline constexpr int kMaxDepth = 14;            // levels below the root that the level stack holds
inline constexpr int kClientWidth = 792;        // the window's client area
inline constexpr int kClientHeight = 541;

}  // namespace catalogue
