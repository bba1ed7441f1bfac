// Start-up and shutdown of the main window.

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

#include "catalogue/search.h"
#include "help/help_service.h"
#include "order/word_backends.h"
#include "tfrmain.h"

TfrMain::TfrMain(AppEnvironment env, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      env_(std::move(env)),
      word_(env_.wordProcessor ? env_.wordProcessor
                               : DefaultWordBackendFactory({[this](const QUrl& url) { return env_.openUrl && env_.openUrl(url, this); },
                                                            env_.documentsDir,
                                                            [this](const QString& p) { return NativeFile(p); },
                                                            [this](const QString& text) { ShowMessage(text); },
                                                            [this](const std::string& path) {
                                                              std::vector<std::string> environment;
                                                              for (const QString& v : env_.processEnvironment)
                                                                environment.push_back(v.toStdString());
                                                              return converted_.Convert(path, environment);
                                                            }})) {
  setWindowTitle(QStringLiteral("Каталог запасных частей ООО \"КРАНТЕК\""));
  setFixedSize(792, 541);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(11);
  setFont(f);
  CreateControls();
  LoadArtwork();
  CreateShortcuts();
  ADOQuery.AfterScroll = [this] { ADOQueryAfterScroll(); };
  FormCreate();
}

TfrMain::~TfrMain() {
  ADOQuery.AfterScroll = nullptr;
  FormDestroy();
}

void TfrMain::ShowMessage(const QString& text) const {
  if (env_.showMessage) env_.showMessage(text);
}

void TfrMain::FormCreate() {
  // 1. Placement.
  const int screenHeight = env_.screenHeight ? env_.screenHeight() : 0;
  if (screenHeight > 600)
    move(112, 96);
  else
    move(0, 0);
  // 2. The help library; a missing one is not an error here.
  LoadHtmlHelp();
  // 3. The help file, named without a directory.
  HelpFile = QStringLiteral("Catalog.chm");
  // 4. The base directory: where the executable is, never the working directory; or the
  // catalogue folder the environment names.
  const QString base = env_.catalogueDir.isEmpty() ? QFileInfo(env_.executablePath).absolutePath()
                                                   : QDir(env_.catalogueDir).absolutePath();
  SetBaseDir(QDir::toNativeSeparators(base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/')));
  // 5. Any non-zero depth, so that the final GoHome runs in full.
  SetLevel(100);
  // 6, 7. Empty basket, no basket buttons.
  SetBasketCount(0);
  SetInBasket(false);
  // 8. The hot-spot and callout arrays.
  HotSpots = {ImageLeave1, ImageLeave2, ImageLeave3, ImageLeave4, ImageLeave5, ImageLeave6, ImageLeave7};
  Callouts = designLabels_;
  // 9. Each hot-spot gets its own copy of the resting plate.
  for (TImageLeave* h : HotSpots) h->AssignFrom(*Image3);
  plateDrawn_.clear();
  // 10. The level stack.
  Levels.assign(15, TMyRec{});
  // 11. Resting faces of the caption buttons.
  PaintHomeButton();
  PaintBackButton();
  PaintMailButton();
  PaintBasketButton();
  PaintRemoveButton();
  PaintAddButton();
  PaintNextButton();
  PaintHelpButton();
  PaintFindButton();
  // 12. The sections background; a failure is silent and leaves it empty.
  Image14->LoadFromFile(NativeFile(CataloguePath(folder_.SectionsBackground())));
  // 13. The catalogue.
  catalogue::Status loaded = ADOQuery.LoadFile(base::Utf8FromPath(folder_.Native(folder_.Table())));
  if (loaded) loaded = ADOQuery.OpenStore();
  if (!loaded) {
    ShowMessage(QStringLiteral("Ошибка доступа к базе данных"));
    startupFailed_ = true;
    return;
  }
  // The basket follows the data: records the file marks as ordered are in it from the start.
  ADOQuery.ApplyFilter(catalogue::Filter::FlagIs(catalogue::Field::Pokupka, true));
  const int marked = ADOQuery.CountRecords();
  ADOQuery.ApplyFilter(catalogue::Filter::All());
  if (marked != 0) SetBasketCount(marked);
  // 14. The catalogue root.
  GoHome();
}

void TfrMain::SetBaseDir(const QString& dir) {
  FBaseDir = dir;
  folder_ = catalogue::CatalogueFolder(dir.toStdString());
}

QString TfrMain::CataloguePath(const std::string& path) { return QString::fromStdString(path); }

QString TfrMain::NativeFile(const QString& cataloguePath) const {
  return QString::fromStdU16String(folder_.Native(cataloguePath.toStdString()).u16string());
}

void TfrMain::FormClose() {
  if (closed_) return;
  closed_ = true;
  ADOQuery.CloseStore();
  imMain->ClearPicture();
  Levels.clear();
  HotSpots.clear();
  Callouts.clear();
}

void TfrMain::FormDestroy() { FreeHtmlHelp(); }

void TfrMain::closeEvent(QCloseEvent* e) {
  FormClose();
  e->accept();
}
