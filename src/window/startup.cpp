// Start-up and shutdown of the main window, and its composition.

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

#include "basket/basket.h"
#include "basket/parts_list.h"
#include "browser/details.h"
#include "browser/drawing.h"
#include "browser/plates.h"
#include "caption_bar.h"
#include "catalogue/search.h"
#include "controls/accessible.h"
#include "controls/imageleave.h"
#include "controls/tab_control.h"
#include "design.h"
#include "help/help_service.h"
#include "model_signals.h"
#include "services/user_data.h"
#include "tfrmain.h"

namespace {

// The base directory: where the executable is, never the working directory; or the catalogue
// folder the environment names. It ends with a separator.
std::string BaseDir(const AppEnvironment& env) {
  const QString base =
      env.catalogueDir.isEmpty() ? QFileInfo(env.executablePath).absolutePath() : QDir(env.catalogueDir).absolutePath();
  return QDir::toNativeSeparators(base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/')).toStdString();
}

}  // namespace

TfrMain::TfrMain(AppEnvironment env, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      env_(std::move(env)),
      model_(ADOQuery, catalogue::CatalogueFolder(BaseDir(env_))),
      order_(env_.wordProcessor ? env_.wordProcessor
                                : DefaultWordBackendFactory(
                                      {[this](const QUrl& url) { return env_.openUrl && env_.openUrl(url, this); },
                                       env_.documentsDir, [this](const QString& p) { return NativeFile(p); },
                                       [this](const QString& text) { ShowMessage(text); },
                                       [this](const std::string& path) {
                                         std::vector<std::string> environment;
                                         for (const QString& v : env_.processEnvironment)
                                           environment.push_back(v.toStdString());
                                         return order_.converted.Convert(path, environment);
                                       }})) {
  setWindowTitle(QStringLiteral("Каталог запасных частей ООО \"КРАНТЕК\""));
  setFixedSize(kClientSize);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(11);
  setFont(f);
  InstallControlsAccessibility();
  CreateControls();
  CreateShortcuts();
  FormCreate();
}

TfrMain::~TfrMain() {
  FormDestroy();
  // The controls go first: their handlers call into the controllers, the model and the store.
  // The focused one gives up the focus while everything it calls into is there.
  if (QWidget* focused = focusWidget()) focused->clearFocus();
  const QObjectList controls = children();
  qDeleteAll(controls);
}

void TfrMain::ShowMessage(const QString& text) const {
  if (env_.showMessage) env_.showMessage(text);
}

QString TfrMain::NativeFile(const QString& cataloguePath) const {
  return QString::fromStdU16String(model_.folder().Native(cataloguePath.toStdString()).u16string());
}

// The controls of the design, handed to the controllers of their regions; the handlers the
// design names are attached to their controls.
void TfrMain::CreateControls() {
  const Design d = CreateDesign(this, this);
  d.imFon->OnClick = [this](QWidget* s) { imFonClick(s); };
  d.imMain->OnClick = [this](QWidget* s) { imMainClick(s); };
  for (std::size_t i = 0; i < d.hotSpots.size(); ++i) {
    TImageLeave* h = d.hotSpots[i];
    h->OnMouseMove = [this](QWidget* s, Qt::KeyboardModifiers, int, int) { ImageLeave1MouseMove(s); };
    h->SetOnMouseLeave([this](QWidget* s) { ImageLeave1MouseLeave(s); });
    // The sixth plate opens the parts list, whatever section it shows.
    if (i == 5)
      h->OnClick = [this](QWidget* s) { ImageLeave5Click(s); };
    else
      h->OnClick = [this](QWidget* s) { ImageLeave1Click(s); };
  }
  captionBar_ = std::make_unique<CaptionBar>(
      d, model_,
      std::array<SenderFn, kButtons>{[this](QWidget* s) { liMailClick(s); }, [this](QWidget* s) { leiWordClick(s); },
                                     [this](QWidget* s) { lHomeClick(s); }, [this](QWidget* s) { leiBackClick(s); },
                                     [this](QWidget* s) { liZakazClick(s); }, [this](QWidget* s) { lbZakazClick(s); },
                                     [this](QWidget* s) { leNextClick(s); }, [this](QWidget* s) { leHelpClick(s); },
                                     [this](QWidget* s) { leiFindClick(s); }});
  plates_ = std::make_unique<Plates>(d, model_);
  drawing_ = std::make_unique<Drawing>(d, model_, this, this);
  connect(drawing_.get(), &Drawing::calloutClicked, this, &TfrMain::Label1Click);
  connect(drawing_.get(), &Drawing::calloutMoved, this, &TfrMain::Label1MouseMove);
  connect(drawing_.get(), &Drawing::calloutLeft, this, &TfrMain::Label1MouseLeave);
  connect(drawing_.get(), &Drawing::message, this, &TfrMain::ShowMessage);
  details_ = std::make_unique<Details>(d, model_);
  basket_ = std::make_unique<Basket>(d, model_, ADOQuery, this);
  connect(basket_.get(), &Basket::tabChanged, this, &TfrMain::TabControlChange);
  connect(basket_.get(), &Basket::toggleRequested, this, &TfrMain::N2Click);
  connect(basket_.get(), &Basket::clearRequested, this, &TfrMain::N1Click);
  connect(basket_.get(), &Basket::orderRequested, this, &TfrMain::CreateOrderDocument);
  connect(basket_.get(), &Basket::message, this, &TfrMain::ShowMessage);
  connect(basket_.get(), &Basket::sendRequested, this, &TfrMain::SendOrder);
  connect(basket_.get(), &Basket::copyRequested, this, [this](const QString& text) {
    if (env_.copyText) env_.copyText(text);
  });
  connect(basket_.get(), &Basket::openRequested, this, [this](const QString& document) {
    if (env_.openUrl) env_.openUrl(QUrl::fromLocalFile(document), this);
  });
  connect(basket_->dataSource(), &PartsListModel::cursorMoved, this, &TfrMain::ADOQueryAfterScroll);
  basket_->grid()->OnDrawColumnCell = [this](QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) {
    bdgSpisokDrawColumnCell(p, o, i);
  };
  // Each region is drawn again from the model once an operation has changed it.
  changes_ = std::make_unique<ModelSignals>(model_);
  connect(changes_.get(), &ModelSignals::changed, drawing_.get(), &Drawing::Redraw);
  connect(changes_.get(), &ModelSignals::changed, plates_.get(), &Plates::Redraw);
  connect(changes_.get(), &ModelSignals::changed, details_.get(), &Details::Redraw);
  connect(changes_.get(), &ModelSignals::changed, basket_.get(), &Basket::Redraw);
  connect(changes_.get(), &ModelSignals::changed, captionBar_.get(), &CaptionBar::Redraw);
  connect(changes_.get(), &ModelSignals::changed, this, &TfrMain::KeepBasket);
  setWindowIcon(QIcon(QStringLiteral(":/assets/app/catalog.svg")));
}

void TfrMain::FormCreate() {
  // Placement.
  const int screenHeight = env_.screenHeight ? env_.screenHeight() : 0;
  if (screenHeight > 600)
    move(112, 96);
  else
    move(0, 0);
  // The help library; a missing one is not an error here.
  LoadHtmlHelp();
  // The catalogue.
  const catalogue::CatalogueFolder& folder = model_.folder();
  catalogue::Status loaded = ADOQuery.LoadFile(base::Utf8FromPath(folder.Native(folder.Table())));
  if (loaded) loaded = ADOQuery.OpenStore();
  if (!loaded) {
    ShowMessage(QStringLiteral("Ошибка доступа к базе данных"));
    startupFailed_ = true;
    return;
  }
  // The catalogue root, with the basket the user had.
  userData_ = std::make_unique<UserData>(env_.userDataDir, env_.settingsFile, model_.folder().base());
  basket_->SetUserData(userData_.get(), env_.ask);
  UserData::Opened saved = userData_->OpenBasket();
  const std::vector<browsing::BasketLine> missing = model_.Start(saved.lines);
  for (const QString& problem : saved.problems) ShowMessage(problem);
  if (!missing.empty()) ShowMessage(MissingText(missing));
}

void TfrMain::KeepBasket(const browsing::Change& change) {
  if (!userData_ || !(change.Has(browsing::kBasket) || change.Has(browsing::kQuantities))) return;
  if (const auto failed = userData_->SaveBasket(model_.BasketLines()))
    ShowMessage(QStringLiteral("Не удалось сохранить корзину:\n") + *failed);
}

void TfrMain::FormClose() {
  if (closed_) return;
  closed_ = true;
  ADOQuery.CloseStore();
  drawing_->Release();
}

void TfrMain::FormDestroy() { FreeHtmlHelp(); }

void TfrMain::closeEvent(QCloseEvent* e) {
  FormClose();
  e->accept();
}
