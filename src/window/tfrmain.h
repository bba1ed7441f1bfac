#pragma once
// The main window of the catalogue. One class; its methods are defined in the folder of the
// subsystem they belong to (browser/, basket/, controls/, services/), start-up and
// shutdown here.

#include <QString>
#include <QWidget>

#include <array>
#include <unordered_map>
#include <vector>

#include "window/environment.h"
#include "catalogue/folder.h"
#include "catalogue/store.h"
#include "controls/imageleave.h"
#include "controls/label.h"
#include "controls/picture.h"

class QAction;
class QMenu;
class QModelIndex;
class QPainter;
class QStyleOptionViewItem;
class TTabControl;
class PartsGrid;
class PartsListModel;
class TfrZakaz;

// Display modes of the main window.
enum : int { dmSections = 1, dmDrawing = 2, dmList = 3 };

// One level of the path taken through the catalogue.
struct TMyRec {
  int ID = 0;
  int Parent = 0;
  int Page = 0;
  QString Oboz;
  QString Naim;
  QString Massa;
  QString Count;
  QString PictureFile;
  QString ViewFile;
};

class TfrMain : public QWidget {
  Q_OBJECT
 public:
  explicit TfrMain(AppEnvironment env = AppEnvironment::FromApplication(), QWidget* parent = nullptr);
  ~TfrMain() override;

  // True when start-up could not load the catalogue: the program ends without showing it.
  bool StartupFailed() const { return startupFailed_; }
  const AppEnvironment& environment() const { return env_; }

  // ---- Start-up and shutdown
  void FormCreate();
  void FormClose();
  void FormDestroy();
  void SetBaseDir(const QString& dir);
  QString FBaseDir;
  catalogue::CatalogueFolder folder_;
  // A catalogue path as the window keeps it, and the file it names on this system.
  static QString CataloguePath(const std::string& path);
  QString NativeFile(const QString& cataloguePath) const;
  QString HelpFile;  // the application's help file name

  // ---- The catalogue store
  catalogue::CatalogueStore ADOQuery;

  // ---- Browser state and display modes
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

  void SetLevel(int value);
  void GoHome();
  void SetDisplayMode(int mode);
  void HideHotSpots();
  void ShowHotSpots(int count);
  void HideCallouts();

  // ---- Section hot-spots
  void FillHotSpots(int id, int page);
  void DrawHotSpot(int index);
  void ImageLeave1MouseMove(QWidget* sender, Qt::KeyboardModifiers shift, int x, int y);
  void ImageLeave1MouseLeave(QWidget* sender);
  void ImageLeave1Click(QWidget* sender);

  // ---- Drawing and callouts
  void ShowAssembly(int id);
  void Label1Click(QWidget* sender);
  void Label1MouseMove(QWidget* sender, Qt::KeyboardModifiers shift, int x, int y);
  void Label1MouseLeave(QWidget* sender);
  void leNextClick(QWidget* sender);

  // ---- Item details and pictures
  void SetPicture(const QString& fileName);
  void SetJpegOptions();
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
  void ClearBasket();
  void liZakazClick(QWidget* sender);
  void lbZakazClick(QWidget* sender);
  void N1Click();
  void N2Click();

  // ---- Parts list
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
  void leHelpClick(QWidget* sender);
  void liMailClick(QWidget* sender);

  // ---- Caption buttons
  void PaintMailButton();
  void PaintBasketButton();
  void PaintHomeButton();
  void PaintBackButton();
  void PaintAddButton();
  void PaintRemoveButton();
  void PaintNextButton();
  void PaintHelpButton();
  void liMailMouseMove(QWidget*, Qt::KeyboardModifiers, int, int);
  void liMailMouseLeave(QWidget*);
  void leiWordMouseMove(QWidget*, Qt::KeyboardModifiers, int, int);
  void leiWordMouseLeave(QWidget*);
  void lHomeMouseMove(QWidget*, Qt::KeyboardModifiers, int, int);
  void lHomeMouseLeave(QWidget*);
  void leiBackMouseMove(QWidget*, Qt::KeyboardModifiers, int, int);
  void leiBackMouseLeave(QWidget*);
  void liZakazMouseMove(QWidget*, Qt::KeyboardModifiers, int, int);
  void liZakazMouseLeave(QWidget*);
  void leZakazanoMouseMove(QWidget*, Qt::KeyboardModifiers, int, int);
  void leZakazanoMouseLeave(QWidget*);
  void leNextMouseMove(QWidget*, Qt::KeyboardModifiers, int, int);
  void leNextMouseLeave(QWidget*);
  void leHelpMouseMove(QWidget*, Qt::KeyboardModifiers, int, int);
  void leHelpMouseLeave(QWidget*);

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
  TLabel* Label36 = nullptr;
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
  TImage* imZakaz = nullptr;
  TLabel* lZakaz = nullptr;
  QMenu* pmZakaz = nullptr;
  QAction* N1 = nullptr;
  TTabControl* TabControl = nullptr;
  PartsGrid* bdgSpisok = nullptr;
  PartsListModel* DataSource = nullptr;
  QMenu* pmZacaz = nullptr;
  QAction* N2 = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  // The window design: every control at its place, in stacking order (design.cpp).
  void CreateControls();
  void LoadArtwork();
  void CreatePartsList();

  // Caption buttons share one painter and one pair of hover handlers (caption_buttons.cpp).
  enum class Button { Mail, Basket, Home, Back, Add, Remove, Next, Help };
  struct ButtonLook;
  const ButtonLook& Look(Button b) const;
  int& HoverFlag(Button b);
  void PaintResting(Button b, bool disabled);
  void DrawRestingFace(Button b, TImage* icon);
  void HoverButton(Button b);
  void LeaveButton(Button b);
  void AttachButton(Button b, SenderFn onClick);
  void DetachButton(Button b);

  // The level entry at the current depth; the stack grows when a catalogue is deeper than it.
  TMyRec& CurrentLevel();
  JpegOptions PictureOptions() const;
  TLabel* CalloutLabel(int index);
  TLabel* NewCalloutLabel();
  void PaintPlate(TImageLeave* h, bool highlighted);
  void SetBasketPairs(bool removeShown, bool addShown);

  std::vector<TLabel*> designLabels_;  // Label1 .. Label35
  std::unordered_map<TImageLeave*, QString> plateDrawn_;  // what each hot-spot's plate shows
  std::array<TImage*, 8> restingFace_{};  // the resting icon each caption button shows; null when hovered
  AppEnvironment env_;
  bool startupFailed_ = false;
  bool closed_ = false;
};
