#pragma once
// The demo catalogue as a tree of items before it becomes table rows: assemblies with their
// numbered parts on a drawing, and items that may open a drawing of their own composition.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sheet.h"

namespace demo {

struct Node;
using NodeRef = std::shared_ptr<Node>;
using DrawFn = std::function<void(Sheet&)>;

// A part where it is used: on which anchor of the drawing, how many per assembly.
struct Use {
  NodeRef node;
  std::string anchor;
  int count = 1;
};

struct Drawing {
  std::string name;  // Images/<name>.jpg
  DrawFn draw;
  TitleBlock title;
  bool frame = true;
  bool progressive = false;
  int width = kSheetW, height = kSheetH;
  std::vector<Use> parts;  // shown as callouts
};
using DrawingRef = std::shared_ptr<Drawing>;

struct Node {
  std::string oboz, naim;
  double mass = 0;  // kg; 0: none given
  int table = -1;   // parts-list group; -1: that of the assembly it is used in
  bool orderable = false;
  DrawingRef picture;      // its own drawing; with parts: the node is an assembly
  DrawingRef composition;  // an item whose composition can be opened
  bool IsAssembly() const { return picture && !picture->parts.empty(); }
};

struct Section {
  NodeRef node;
  std::string descript;
};

// The seven sections of the root, the sixth being the list of spare parts.
std::vector<Section> BuildCatalogue();

// The start screen: the machine itself and the background of the sections.
void DrawRootPicture(QImage& image);  // 519 x 346
void DrawBackground(QImage& image);   // 792 x 541

}  // namespace demo
