#pragma once
// The one way from outside into the main window: finds its controls by their design names,
// reads the browsing model it draws and calls its operations, for tests and benchmarks.

#include <QString>
#include <QWidget>

#include <vector>

#include "basket/parts_list.h"
#include "browsing/model.h"
#include "catalogue/store.h"
#include "controls/imageleave.h"
#include "controls/label.h"
#include "controls/picture.h"
#include "controls/tab_control.h"

using browsing::dmDrawing;
using browsing::dmList;
using browsing::dmSections;

class HelpService;
class QAction;
class TfrMain;
class TfrZakaz;

class TfrMainProbe {
 public:
  explicit TfrMainProbe(TfrMain& window) : w_(window) {}

  QWidget& form() const;

  // A control by its design name; null when the window has none of that name and kind.
  template <class Control = QWidget>
  Control* Find(const QString& designName) const {
    return form().findChild<Control*>(designName);
  }

  TImage* imFon() const { return Find<TImage>(QStringLiteral("imFon")); }
  TImage* imMain() const { return Find<TImage>(QStringLiteral("imMain")); }
  // The section hot-spot ImageLeaveN.
  TImageLeave* ImageLeave(int n) const { return Find<TImageLeave>(QStringLiteral("ImageLeave%1").arg(n)); }
  // A hidden picture holder ImageN.
  TImage* Image(int n) const { return Find<TImage>(QStringLiteral("Image%1").arg(n)); }
  TLeImage* leNext() const { return Find<TLeImage>(QStringLiteral("leNext")); }
  TLeImage* lNext() const { return Find<TLeImage>(QStringLiteral("lNext")); }
  TLabel* lbOboz() const { return Find<TLabel>(QStringLiteral("lbOboz")); }
  TLabel* lbNaim() const { return Find<TLabel>(QStringLiteral("lbNaim")); }
  TLabel* lbMassa() const { return Find<TLabel>(QStringLiteral("lbMassa")); }
  TLabel* lbCount() const { return Find<TLabel>(QStringLiteral("lbCount")); }
  TLeImage* leiBack() const { return Find<TLeImage>(QStringLiteral("leiBack")); }
  TLeImage* lBack() const { return Find<TLeImage>(QStringLiteral("lBack")); }
  TLeImage* lHome() const { return Find<TLeImage>(QStringLiteral("lHome")); }
  TLeImage* liHome() const { return Find<TLeImage>(QStringLiteral("liHome")); }
  TLeImage* liZakaz() const { return Find<TLeImage>(QStringLiteral("liZakaz")); }
  TLeImage* leiZakaz() const { return Find<TLeImage>(QStringLiteral("leiZakaz")); }
  TLeImage* leZakazano() const { return Find<TLeImage>(QStringLiteral("leZakazano")); }
  TLeImage* leiZakazano() const { return Find<TLeImage>(QStringLiteral("leiZakazano")); }
  TLeImage* leiWord() const { return Find<TLeImage>(QStringLiteral("leiWord")); }
  TLeImage* liWord() const { return Find<TLeImage>(QStringLiteral("liWord")); }
  TLeImage* liMail() const { return Find<TLeImage>(QStringLiteral("liMail")); }
  TLeImage* liEmail() const { return Find<TLeImage>(QStringLiteral("liEmail")); }
  TLeImage* leHelp() const { return Find<TLeImage>(QStringLiteral("leHelp")); }
  TLeImage* leiHelp() const { return Find<TLeImage>(QStringLiteral("leiHelp")); }
  TImage* imZakaz() const { return Find<TImage>(QStringLiteral("imZakaz")); }
  TLabel* lZakaz() const { return Find<TLabel>(QStringLiteral("lZakaz")); }
  QAction* N1() const { return Find<QAction>(QStringLiteral("N1")); }
  QAction* N2() const { return Find<QAction>(QStringLiteral("N2")); }
  TTabControl* TabControl() const { return Find<TTabControl>(QStringLiteral("TabControl")); }
  PartsGrid* bdgSpisok() const { return Find<PartsGrid>(QStringLiteral("bdgSpisok")); }

  // State: the model, the store, and what the controllers keep.
  bool StartupFailed() const;
  QString FBaseDir() const;
  QString HelpFile() const;
  browsing::BrowsingModel& model() const;
  int FLevel() const;
  int FDisplayMode() const;
  int FBasketCount() const;
  QString FPicturePath() const;
  const std::vector<TImageLeave*>& HotSpots() const;
  const std::vector<TLabel*>& Callouts() const;
  catalogue::CatalogueStore& ADOQuery() const;
  TfrZakaz*& frZakaz() const;  // the open review window
  HelpService* help() const;

  // Operations.
  void DrawHotSpot(int index) const;
  void SetPicture(const QString& fileName) const;
  void CreateOrderDocument() const;
  void SendOrder(const QString& document) const;

 private:
  TfrMain& w_;
};
