#pragma once
// The main window of the catalogue. One class; its methods are defined in the folder of the
// subsystem they belong to (browser/, basket/, order/, services/), the design, start-up and
// shutdown here. Its handlers, state and controls keep the design's names; only the window's
// own code touches them (tests read them through one probe).

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "browser/level.h"
#include "catalogue/folder.h"
#include "catalogue/store.h"
#include "controls/imageleave.h"
#include "controls/label.h"
#include "controls/picture.h"
#include "order/uword.h"
#include "order/word_backends.h"
#include "window/environment.h"

class HelpService;
namespace catalogue {
class PartSearch;
}
class QAction;
class QMenu;
class QModelIndex;
class QPainter;
class QStyleOptionViewItem;
class TTabControl;
class PartsGrid;
class PartsListModel;
class TfrZakaz;

class TfrMain : public QWidget {
  Q_OBJECT
 public:
  explicit TfrMain(AppEnvironment env, QWidget* parent = nullptr);
  ~TfrMain() override;

  // True when start-up could not load the catalogue: the program ends without showing it.
  bool StartupFailed() const { return startupFailed_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TfrMainProbe;

  // ---- Start-up and shutdown
  void FormCreate();
  void FormClose();
  void FormDestroy();
  void SetBaseDir(const QString& dir);
  // A catalogue path as the window keeps it, and the file it names on this system.
  static QString CataloguePath(const std::string& path);
  QString NativeFile(const QString& cataloguePath) const;
  void ShowMessage(const QString& text) const;

  // ---- Browser state and display modes
  void SetLevel(int value);
  void GoHome();
  void SetDisplayMode(int mode);
  void HideHotSpots();
  void ShowHotSpots(int count);
  void HideCallouts();
  // The level entry at the current depth; the stack grows when a catalogue is deeper than it.
  TMyRec& CurrentLevel();

  // ---- Section hot-spots
  void FillHotSpots(int id, int page);
  void DrawHotSpot(int index);
  void PaintPlate(TImageLeave* h, bool highlighted);
  void ImageLeave1MouseMove(QWidget* sender, Qt::KeyboardModifiers shift, int x, int y);
  void ImageLeave1MouseLeave(QWidget* sender);
  void ImageLeave1Click(QWidget* sender);
  // Enters a section as its hot-spot does.
  void OpenSection(const TMyRec& section);

  // ---- Drawing and callouts
  void ShowAssembly(int id);
  TLabel* NewCalloutLabel();
  TLabel* CalloutLabel(int index);
  void Label1Click(QWidget* sender);
  // Enters a part as its callout or the composition button does.
  void EnterPart(int id);
  void Label1MouseMove(QWidget* sender, Qt::KeyboardModifiers shift, int x, int y);
  void Label1MouseLeave(QWidget* sender);
  void leNextClick(QWidget* sender);

  // ---- Finding a part
  void leiFindClick(QWidget* sender);
  // The rows from a section down to the record on whose drawing the part is a callout (a
  // numbered record itself, an item record its node); nothing when a parent is missing or the
  // parents loop.
  std::optional<std::vector<std::uint32_t>> PathTo(std::uint32_t row) const;
  QString WhereText(std::uint32_t row) const;  // the sections and assemblies above the part
  bool OpenFound(std::uint32_t row);

  // ---- Item details and pictures
  void SetPicture(const QString& fileName);
  void SetJpegOptions();
  JpegOptions PictureOptions() const;
  void SetView(const QString& fileName);
  void SetItemOboz(const QString& text);
  void SetItemNaim(const QString& text);
  void SetItemMassa(const QString& text);
  void SetItemCount(const QString& text);

  // ---- Navigation
  void leiBackClick(QWidget* sender);
  void lHomeClick(QWidget* sender);
  void imFonClick(QWidget* sender);
  void imMainClick(QWidget* sender);

  // ---- Basket
  void SetCanOrder(bool value);
  void SetInBasket(bool value);
  void SetBasketCount(int n);
  void SetBasketPairs(bool removeShown, bool addShown);
  void ToggleBasket();
  void ClearBasket();
  // Runs `walk` over the basket: the filter in force and the current record are remembered,
  // the after-scroll notification is detached and the store is filtered afresh to the basket
  // records; afterwards the filter, the record and the notification come back, in that order,
  // and the parts grid hears of it all once.
  void WalkBasket(const std::function<void()>& walk);
  void liZakazClick(QWidget* sender);
  void lbZakazClick(QWidget* sender);
  void N1Click();
  void N2Click();

  // ---- Parts list
  void CreatePartsList();
  QString TabFilter(int index) const;
  void ApplyTabFilter();
  void ImageLeave5Click(QWidget* sender);
  void TabControlChange();
  void ADOQueryAfterScroll();
  void bdgSpisokDrawColumnCell(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index);

  // ---- Basket review and the order document
  void leiWordClick(QWidget* sender);
  void CreateOrderDocument();

  // ---- Help and e-mail
  void LoadHtmlHelp();
  void FreeHtmlHelp();
  void leHelpClick(QWidget* sender);
  QString HelpFilePath() const;  // the help file, found as every catalogue file is
  void liMailClick(QWidget* sender);

  // ---- Caption buttons: one painter and one pair of hover handlers for all eight
  enum class Button { Mail, Basket, Home, Back, Add, Remove, Next, Help, Find };
  static constexpr int kButtons = 9;
  struct ButtonLook;
  const ButtonLook& Look(Button b) const;
  TLeImage* CaptionButton(Button b) const;
  int& HoverFlag(Button b);
  void PaintResting(Button b, bool disabled);
  void DrawRestingFace(Button b, TImage* icon);
  void HoverButton(Button b);
  void LeaveButton(Button b);
  void AttachButton(Button b, SenderFn onClick);
  void DetachButton(Button b);
  void PaintMailButton();
  void PaintBasketButton();
  void PaintHomeButton();
  void PaintBackButton();
  void PaintAddButton();
  void PaintRemoveButton();
  void PaintNextButton();
  void PaintHelpButton();
  void PaintFindButton();

  // ---- The window design: every control at its place, in stacking order (design.cpp)
  void CreateControls();
  void LoadArtwork();

  // ---- The keyboard (keyboard.cpp)
  void CreateShortcuts();
  // The control takes Enter and Space as a click, and shows its hover look while focused.
  void TakeKeys(QWidget* control);
  // The controls Tab moves over: visible, enabled and clickable, in reading order.
  std::vector<QWidget*> FocusChain() const;
  void ShowFocus(QWidget* control, bool focused);

  // ---- State
  AppEnvironment env_;
  QString FBaseDir;
  catalogue::CatalogueFolder folder_;
  QString HelpFile;  // the application's help file name
  catalogue::CatalogueStore ADOQuery;
  std::vector<TMyRec> Levels;
  std::vector<TImageLeave*> HotSpots;
  std::vector<TLabel*> Callouts;
  int FLevel = 0;
  int FHotSpotCount = 0;
  QString FPicturePath;
  QString FViewPath;
  QString FItemOboz;
  QString FItemNaim;
  QString FItemMassa;
  QString FItemCount;
  bool FCanOrder = false;
  bool FInBasket = false;
  int FDisplayMode = 0;
  int FBasketCount = 0;
  std::unique_ptr<HelpService> help_;  // the help library, from start-up to the window's end
  ConvertedTemplates converted_;       // Word 97-2003 templates converted for this run
  WordAutomation word_;                // the word processor of the order export
  TfrZakaz* frZakaz = nullptr;         // the basket review window while it is open
  std::unique_ptr<catalogue::PartSearch> search_;  // the folded texts, made at the first search
  bool startupFailed_ = false;
  bool closed_ = false;

  // ---- Controls, by their design names
  TImage* imFon = nullptr;
  TImage* imMain = nullptr;
  TImageLeave* ImageLeave1 = nullptr;
  TImageLeave* ImageLeave2 = nullptr;
  TImageLeave* ImageLeave3 = nullptr;
  TImageLeave* ImageLeave4 = nullptr;
  TImageLeave* ImageLeave5 = nullptr;
  TImageLeave* ImageLeave6 = nullptr;
  TImageLeave* ImageLeave7 = nullptr;
  // Hidden picture holders: plates, caption-button faces, backgrounds.
  TImage* Image2 = nullptr;
  TImage* Image3 = nullptr;
  TImage* Image5 = nullptr;
  TImage* Image6 = nullptr;
  TImage* Image7 = nullptr;
  TImage* Image8 = nullptr;
  TImage* Image9 = nullptr;
  TImage* Image10 = nullptr;
  TImage* Image13 = nullptr;
  TImage* Image14 = nullptr;
  TImage* Image15 = nullptr;
  TImage* Image16 = nullptr;
  TImage* Image17 = nullptr;
  TImage* Image18 = nullptr;
  TImage* Image19 = nullptr;
  TImage* Image20 = nullptr;
  TImage* Image21 = nullptr;
  TImage* Image22 = nullptr;
  TImage* Image23 = nullptr;
  TImage* Image24 = nullptr;
  TImage* Image25 = nullptr;
  TImage* Image26 = nullptr;
  TImage* Image27 = nullptr;
  TImage* Image28 = nullptr;
  TImage* Image29 = nullptr;  // the faces of the find button
  TImage* Image30 = nullptr;
  TLeImage* leNext = nullptr;
  TLeImage* lNext = nullptr;
  TLabel* lbOboz = nullptr;
  TLabel* lbNaim = nullptr;
  TLabel* lbMassa = nullptr;
  TLabel* lbCount = nullptr;
  TLeImage* leiBack = nullptr;
  TLeImage* lBack = nullptr;
  TLeImage* lHome = nullptr;
  TLeImage* liHome = nullptr;
  TLeImage* liZakaz = nullptr;
  TLeImage* leiZakaz = nullptr;
  TLeImage* leZakazano = nullptr;
  TLeImage* leiZakazano = nullptr;
  TLeImage* leiWord = nullptr;
  TLeImage* liWord = nullptr;
  TLeImage* liMail = nullptr;
  TLeImage* liEmail = nullptr;
  TLeImage* leHelp = nullptr;
  TLeImage* leiHelp = nullptr;
  TLeImage* leiFind = nullptr;
  TLeImage* liFind = nullptr;
  TImage* imZakaz = nullptr;
  TLabel* lZakaz = nullptr;
  QMenu* pmZakaz = nullptr;
  QAction* N1 = nullptr;
  TTabControl* TabControl = nullptr;
  PartsGrid* bdgSpisok = nullptr;
  PartsListModel* DataSource = nullptr;
  QMenu* pmZacaz = nullptr;
  QAction* N2 = nullptr;

  // ---- What the drawing keeps between calls
  std::vector<TLabel*> designLabels_;  // Label1 .. Label35
  TextLayouts labelLayouts_;           // laid-out label lines, shared by the window's labels
  std::unordered_map<TImageLeave*, QString> plateDrawn_;  // what each hot-spot's plate shows
  std::array<TImage*, kButtons> restingFace_{};  // the resting icon each caption button shows; null when hovered
};
