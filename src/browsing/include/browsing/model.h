#pragma once
// What the user is doing in the main window: the path taken through the catalogue (the level
// stack and the depth), the display, the node on screen with its details, the plates or the
// callouts it shows, what can be ordered and the basket with its quantities. Its operations are
// the user's; each changes the state once and then tells the listeners once. The window's
// controllers draw it; nothing here knows of a window.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/folder.h"
#include "catalogue/store.h"

namespace browsing {

// The display modes of the main window; 0 before the first is laid out.
enum DisplayMode : int { dmSections = 1, dmDrawing = 2, dmList = 3 };

// One level of the path taken through the catalogue. Paths are catalogue paths.
struct TMyRec {
  int ID = 0;
  int Parent = 0;
  int Page = 0;
  std::string Oboz;
  std::string Naim;
  std::string Massa;
  std::string Count;
  std::string PictureFile;
  std::string ViewFile;
  bool operator==(const TMyRec&) const = default;
};

// A section plate: the record a hot-spot stands for.
struct Plate {
  int ID = 0;
  int Parent = 0;
  int Number = 0;
  bool Sostoit = false;  // the section has content: it lights up and opens
  std::string Oboz, Naim, Massa, Count, Descript, PictureFile, ViewFile;
  bool operator==(const Plate&) const = default;
};

// A part on the drawing of its node.
struct Callout {
  int ID = 0;
  std::string Oboz, Naim;
  int Left = 0, Top = 0;  // window coordinates
  bool operator==(const Callout&) const = default;
};

// A picture the view loads for an operation, in order. A failed load is reported as the file
// failing (when the node's picture is set) or as the picture failing (when a display is laid
// out and shows the picture it has again).
struct PictureLoad {
  enum class Report { File, Image };
  std::string path;
  Report report = Report::File;
  bool operator==(const PictureLoad&) const = default;
};

// The operation a change comes from.
enum class Op {
  Start,
  EnterSection,
  EnterPart,
  Back,
  Home,
  OpenList,
  ChangeTab,
  SelectRow,
  Toggle,
  Clear,
  Remove,
  OrderAgain,
  OpenFound,
  Quantity
};

// What one operation changed, for the views to redraw.
enum Aspect : unsigned {
  kMode = 1u << 0,        // the display mode
  kLevel = 1u << 1,       // the depth
  kPlates = 1u << 2,      // the plates (filled anew: each is drawn again)
  kCallouts = 1u << 3,    // the callouts and the composition button (laid out anew)
  kDetails = 1u << 4,     // the details texts
  kOrder = 1u << 5,       // whether the item on screen can be ordered and is in the basket
  kBasket = 1u << 6,      // the basket's records
  kQuantities = 1u << 7,  // the basket's quantities
  kList = 1u << 8,        // the tab and the row of the parts list
  kEverything = (1u << 9) - 1,
};

struct Change {
  Op op = Op::Start;
  unsigned aspects = 0;
  std::vector<PictureLoad> loads;
  bool Has(Aspect a) const { return (aspects & a) != 0; }
};

class Listener {
 public:
  virtual ~Listener() = default;
  virtual void ModelChanged(const Change& change) = 0;
};

// The plates of a node's children on a page: every child when they fit the plates, else a
// page of plates at a time; never more plates than there are. The order flags come from an
// only child.
struct PlatesOf {
  std::vector<Plate> plates;
  bool canOrder = false;
  bool inBasket = false;
};
PlatesOf SectionPlates(const catalogue::CatalogueStore& store, const catalogue::CatalogueFolder& folder, int id,
                       int page);

// The filter of a parts-list tab: tabs 0 to 9 a group, tab 10 every orderable record; none for
// any other tab.
std::optional<catalogue::Filter> TabFilter(int tab);

// A record of the basket as the user's files keep it: by ID, with its designation and name so
// that it is found again when the catalogue has changed, and the quantity ordered.
struct BasketLine {
  int id = 0;
  std::string oboz, naim, quantity;
  bool operator==(const BasketLine&) const = default;
};

// A quantity is a whole number above nought, written plainly.
bool QuantityAccepted(std::string_view text);

// Whether a detail text is shown: not when it is blank (blanks and control characters only),
// nor, for mass and quantity, when it is "0".
bool DetailShown(std::string_view text, bool zeroMeansNone);

class BrowsingModel {
 public:
  // The store is read through its read-only questions; the model is the only writer of its
  // basket marks (Pokupka). Neither its filter nor its cursor is touched.
  BrowsingModel(catalogue::CatalogueStore& store, catalogue::CatalogueFolder folder);
  BrowsingModel(const BrowsingModel&) = delete;
  BrowsingModel& operator=(const BrowsingModel&) = delete;

  void AddListener(Listener* listener);
  void RemoveListener(Listener* listener);

  // ---- The user's operations
  // The root, with the basket the user had: each line's record found by its ID when that still
  // holds its designation and name, else by them. Returns the lines no record was found for,
  // which stay out of the basket. The table's own basket marks are not the user's: they go.
  std::vector<BasketLine> Start(const std::vector<BasketLine>& basket = {});
  void EnterSection(std::size_t plate);  // a plate whose section has content: its drawing
  void EnterPart(int id);                // a callout, or the composition button
  void Back();
  void Home();             // nothing at the root
  void OpenList(int tab);  // the parts list, at the tab selected
  void ChangeTab(int tab);
  void SelectListRow(std::optional<std::uint32_t> row);  // the grid's current row (table row)
  void ToggleBasket();                                   // the item on screen, or the list's row, in or out
  void ClearBasket();
  void RemoveFromBasket(const std::vector<std::uint32_t>& rows);
  // Puts lines into the basket again (an order repeated), each with its quantity; returns the
  // lines no record was found for.
  std::vector<BasketLine> OrderAgain(const std::vector<BasketLine>& lines);
  // Shows a part on the drawing where it is a callout, reached as the clicks from the root
  // would reach it, its callout highlighted. False when its parents are missing or loop:
  // then nothing changes.
  bool OpenFound(std::uint32_t row);
  void SetQuantity(std::uint32_t row, std::string quantity);  // refused unless QuantityAccepted

  // ---- State
  int DisplayMode() const { return mode_; }
  int Level() const { return level_; }
  const std::vector<TMyRec>& Levels() const { return levels_; }
  const TMyRec& CurrentLevel() const { return levels_[static_cast<std::size_t>(level_)]; }
  const std::vector<Plate>& Plates() const { return plates_; }
  const std::vector<Callout>& Callouts() const { return callouts_; }
  std::optional<int> NextID() const { return next_; }              // the composition button's record
  std::optional<int> Highlighted() const { return highlighted_; }  // the found callout
  // The node on screen.
  const std::string& PicturePath() const { return picturePath_; }
  const std::string& ViewPath() const { return viewPath_; }
  const std::string& ItemOboz() const { return oboz_; }
  const std::string& ItemNaim() const { return naim_; }
  const std::string& ItemMassa() const { return massa_; }
  const std::string& ItemCount() const { return count_; }
  bool CanOrder() const { return canOrder_; }
  bool InBasket() const { return inBasket_; }
  // The parts list.
  int Tab() const { return tab_; }
  std::optional<std::uint32_t> ListRow() const { return listRow_; }
  // The basket: its records in file order, each with the quantity ordered.
  std::span<const std::uint32_t> BasketRows() const;
  int BasketCount() const { return static_cast<int>(BasketRows().size()); }
  bool IsInBasket(std::uint32_t row) const;
  const std::string& Quantity(std::uint32_t row) const;
  std::vector<BasketLine> BasketLines() const;
  // Whether a callout's part is in the basket: the record itself, or the item record it holds.
  bool CalloutInBasket(const Callout& callout) const;
  // The record a basket line names now, if any.
  std::optional<std::uint32_t> Find(const BasketLine& line) const;

  // The rows from a section down to the record on whose drawing a part is a callout (a
  // numbered record itself, an item record its node); nothing when a parent is missing or the
  // parents loop.
  std::optional<std::vector<std::uint32_t>> PathTo(std::uint32_t row) const;
  // The names of the sections and assemblies above a part, joined by " › ".
  std::string WhereText(std::uint32_t row) const;

  const catalogue::CatalogueStore& store() const { return store_; }
  const catalogue::CatalogueFolder& folder() const { return folder_; }

 private:
  TMyRec& Entry(int level);  // the stack grows when a catalogue is deeper than it
  std::string FieldText(std::optional<std::uint32_t> row, catalogue::Field f) const;
  void Push(const TMyRec& entry);
  void ShowNode(int id);  // callouts or the item record of a node, with the order flags
  void ShowRoot();        // depth 0 in the sections display: the root's plates and picture
  void ShowListRow(std::optional<std::uint32_t> row);
  void SetDetails(const TMyRec& from);
  void EnterFrom(const TMyRec& section);
  void Mark(std::uint32_t row, bool inBasket);
  std::vector<BasketLine> Put(const std::vector<BasketLine>& lines);
  void FollowBasket();  // whether the item on screen is in the basket, after the basket changed
  void Notify(Op op, unsigned aspects, std::vector<PictureLoad> loads = {});

  catalogue::CatalogueStore& store_;
  catalogue::CatalogueFolder folder_;
  std::vector<Listener*> listeners_;

  int mode_ = 0;
  int level_ = 0;
  std::vector<TMyRec> levels_;
  std::vector<Plate> plates_;
  std::vector<Callout> callouts_;
  std::optional<int> next_;
  std::optional<int> highlighted_;
  std::string picturePath_, viewPath_, oboz_, naim_, massa_, count_;
  bool canOrder_ = false;
  bool inBasket_ = false;
  std::optional<std::uint32_t> itemRow_;  // the item record on screen: what the basket buttons act on
  int tab_ = 0;
  std::optional<std::uint32_t> listRow_;
  std::map<std::uint32_t, std::string> quantities_;                          // by basket row
  mutable std::unordered_multimap<std::string_view, std::uint32_t> byOboz_;  // made when first needed
};

}  // namespace browsing
