#include "support/window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

#include "help/help_service.h"
#include "services/user_data.h"
#include "tfrmain.h"

int LongestDarkRun(const QImage& image, QRect r) {
  if (r.isNull()) r = image.rect();
  int best = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(), run = 0; x <= r.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      run = qAlpha(p) > 128 && qGray(p) < 100 ? run + 1 : 0;
      best = std::max(best, run);
    }
  return best;
}

AppEnvironment WindowTest::Environment(int screenHeight) {
  AppEnvironment env;
  env.executablePath = cat.path(QStringLiteral("Catalog"));
  env.screenHeight = [screenHeight] { return screenHeight; };
  env.openUrl = [this](const QUrl& url, QWidget*) {
    openedUrls.append(url);
    return true;
  };
  env.showMessage = [this](const QString& text) { recorder.messages.append(text); };
  env.ask = [this](const QString& question) {
    recorder.questions.append(question);
    return recorder.answer;
  };
  env.copyText = [this](const QString& text) { recorder.copied.append(text); };
  env.sendMail = [this](const QString&, const QString& attachment) {
    recorder.mailed.append(attachment);
    return true;
  };
  env.userDataDir = userData.filePath(QStringLiteral("data"));
  env.settingsFile = userData.filePath(QStringLiteral("settings.ini"));
  env.help = [this] { return MakeBuiltInHelp(QFileInfo(cat.path(QStringLiteral("Catalog"))).absolutePath()); };
  env.wordProcessor = wordProcessor;
  env.documentsDir = documents.path();
  env.processEnvironment = QProcessEnvironment::systemEnvironment().toStringList();
  return env;
}

TfrMainProbe WindowTest::Open(int screenHeight) { return OpenWith(Environment(screenHeight)); }

void WindowTest::KeepBasket(const std::vector<int>& ids, const std::vector<catalogue::RecordData>& table) {
  std::vector<browsing::BasketLine> lines;
  for (int id : ids)
    for (const auto& r : table)
      if (r.id == id) lines.push_back({r.id, r.oboz, r.naim, "1"});
  const AppEnvironment env = Environment();
  UserData data(env.userDataDir, env.settingsFile, QDir::toNativeSeparators(cat.dir()).toStdString());
  data.OpenBasket();
  ASSERT_TRUE(data.KeepsBasket()) << "a window holds the basket: reset it first";
  ASSERT_FALSE(data.SaveBasket(lines));
}

TfrMainProbe WindowTest::OpenWith(AppEnvironment env) {
  window.reset();
  auto frMain = std::make_unique<TfrMain>(std::move(env));
  frMain_ = frMain.get();
  window = std::move(frMain);
  window->show();
  return probe();
}

TfrMainProbe WindowTest::probe() const { return TfrMainProbe(*frMain_); }

void WindowTest::TearDown() {
  if (window) window->close();
  window.reset();
}

void WindowTest::Click(QWidget* w, QPoint at) {
  if (at == QPoint(-1, -1)) at = w->rect().center();
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
}

void WindowTest::Move(QWidget* w, QPoint at) {
  if (at == QPoint(-1, -1)) at = w->rect().center();
  // A move without a pressed button, as the pointer passing over the control.
  QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void WindowTest::Leave(QWidget* w) {
  QEvent e(QEvent::Leave);
  QApplication::sendEvent(w, &e);
}

QWidget* WindowTest::ClickAt(QPoint windowPos) {
  QWidget* target = window->childAt(windowPos);
  if (!target) return nullptr;
  Click(target, target->mapFrom(window.get(), windowPos));
  return target;
}

QWidget* WindowTest::MoveAt(QPoint windowPos) {
  QWidget* target = window->childAt(windowPos);
  if (!target) return nullptr;
  Move(target, target->mapFrom(window.get(), windowPos));
  return target;
}

int WindowTest::WalkBelow(int depth) {
  std::vector<QPoint> targets;
  for (TLabel* l : probe().Callouts())
    if (l->isVisible()) targets.push_back(l->pos() + QPoint(3, 3));
  if (probe().leNext()->isVisible()) targets.push_back(QPoint(450, 515));
  int entered = 0;
  for (QPoint p : targets) {
    ClickAt(p);
    if (probe().FLevel() != depth + 1) {
      ADD_FAILURE() << "no level entered at " << p.x() << "," << p.y() << " on level " << depth;
      continue;
    }
    entered += 1 + WalkBelow(depth + 1);
    Click(probe().leiBack());
    if (probe().FLevel() != depth) ADD_FAILURE() << "back from " << p.x() << "," << p.y() << " not on level " << depth;
  }
  return entered;
}

int WindowTest::WalkTree() {
  int entered = 0;
  for (int i = 0; i < 7; ++i) {
    if (i == 5 || !probe().HotSpots()[i]->Sostoit()) continue;
    ClickAt(Plate(i));
    if (probe().FLevel() != 1) {
      ADD_FAILURE() << "section plate " << i + 1 << " entered no level";
      continue;
    }
    entered += 1 + WalkBelow(1);
    Click(probe().leiBack());
    if (probe().FLevel() != 0) ADD_FAILURE() << "back from section plate " << i + 1 << " not at the root";
  }
  return entered;
}
