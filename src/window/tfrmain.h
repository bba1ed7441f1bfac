#pragma once
// The main window of the catalogue: the composition of the browsing model, the controllers
// that draw the regions of the window from it, and the services the window uses. Its handlers
// keep the design's names and forward to the model or to a controller; the controls keep their
// design names (tests find them by name through one probe).

#include <QString>
#include <QWidget>

#include <memory>

#include "browsing/model.h"
#include "catalogue/store.h"
#include "order/uword.h"
#include "order/word_backends.h"
#include "window/environment.h"

class Basket;
class CaptionBar;
class Details;
class Drawing;
class HelpService;
class ModelSignals;
class UserData;
class Plates;
class QModelIndex;
class QPainter;
class QStyleOptionViewItem;
namespace catalogue {
class PartSearch;
}

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

  // ---- Start-up and shutdown (startup.cpp)
  void FormCreate();
  void FormClose();
  void FormDestroy();
  void CreateControls();
  QString NativeFile(const QString& cataloguePath) const;
  void ShowMessage(const QString& text) const;

  // ---- Handlers of the window's controls (handlers.cpp), each forwarding to the model or a
  // controller.
  void ImageLeave1MouseMove(QWidget* sender);
  void ImageLeave1MouseLeave(QWidget* sender);
  void ImageLeave1Click(QWidget* sender);
  void ImageLeave5Click(QWidget* sender);
  void Label1Click(QWidget* sender);
  void Label1MouseMove(QWidget* sender);
  void Label1MouseLeave(QWidget* sender);
  void leNextClick(QWidget* sender);
  void leiBackClick(QWidget* sender);
  void lHomeClick(QWidget* sender);
  void imFonClick(QWidget* sender);
  void imMainClick(QWidget* sender);
  void liZakazClick(QWidget* sender);
  void lbZakazClick(QWidget* sender);
  void N1Click();
  void N2Click();
  void TabControlChange();
  void ADOQueryAfterScroll();
  void bdgSpisokDrawColumnCell(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index);
  void leiWordClick(QWidget* sender);

  // ---- Finding a part (browser/search.cpp)
  void leiFindClick(QWidget* sender);

  // ---- The order document (order/order_document.cpp)
  void CreateOrderDocument();
  // Mails the order document made; where no mail program takes it, the plain mail link opens
  // and a message says where the document is.
  void SendOrder(const QString& document);

  // ---- What the user collected lasts (startup.cpp): the basket is written at each change.
  void KeepBasket(const browsing::Change& change);

  // ---- Help and e-mail (services/mail_and_help.cpp)
  void LoadHtmlHelp();
  void FreeHtmlHelp();
  void leHelpClick(QWidget* sender);
  QString HelpFilePath() const;  // the help file, found as every catalogue file is
  void liMailClick(QWidget* sender);

  // ---- The keyboard (keyboard.cpp)
  void CreateShortcuts();
  // The controls Tab moves over: visible, enabled and clickable, in reading order.
  std::vector<QWidget*> FocusChain() const;
  // The focused control shows its hover look.
  void ShowFocus(QWidget* control, bool focused);
  // Ctrl+C: the designation and name of the part focused or under the pointer.
  void CopyPart();

  // ---- The composition
  AppEnvironment env_;
  catalogue::CatalogueStore ADOQuery;      // the catalogue; its filter and cursor are the parts grid's
  browsing::BrowsingModel model_;          // what the user is doing
  std::unique_ptr<ModelSignals> changes_;  // the model's changes, as a signal to the controllers
  std::unique_ptr<CaptionBar> captionBar_;
  std::unique_ptr<Plates> plates_;
  std::unique_ptr<Drawing> drawing_;
  std::unique_ptr<Details> details_;
  std::unique_ptr<Basket> basket_;
  std::unique_ptr<HelpService> help_;              // the help library, from start-up to the window's end
  std::unique_ptr<UserData> userData_;             // the lasting basket, the order history, the customer
  OrderExport order_;                              // the word processor of the order export
  std::unique_ptr<catalogue::PartSearch> search_;  // the folded texts, made at the first search
  bool startupFailed_ = false;
  bool closed_ = false;
};
