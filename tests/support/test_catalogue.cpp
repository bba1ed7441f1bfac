#include "support/test_catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "controls/jpeg.h"

TestCatalogue::TestCatalogue() {
  QDir(dir_.path()).mkpath(QStringLiteral("db"));
  QDir(dir_.path()).mkpath(QStringLiteral("Images"));
}

void TestCatalogue::WriteTable(const std::vector<catalogue::RecordData>& records) {
  catalogue::WriteAdoFile(path(QStringLiteral("db/my.xml")).toStdString(), records);
}

void TestCatalogue::AddFile(const QString& relative, const QByteArray& data) {
  const QString full = path(relative);
  QDir().mkpath(QFileInfo(full).absolutePath());
  QFile f(full);
  if (f.open(QIODevice::WriteOnly)) f.write(data);
}

void TestCatalogue::AddPicture(const QString& name, int width, int height, QColor colour, bool progressive) {
  QImage image(width, height, QImage::Format_RGB888);
  image.fill(colour);
  QByteArray data;
  EncodeJpeg(image, 90, progressive, data);
  AddFile(QStringLiteral("Images/") + name + QStringLiteral(".jpg"), data);
}

void TestCatalogue::AddRootPictures() {
  AddPicture(QStringLiteral("Fon"), 519, 346, QColor(200, 210, 220));
  AddPicture(QStringLiteral("Fon2"), 792, 541, QColor(240, 240, 230));
}

void MakeStandardCatalogue(TestCatalogue& cat) {
  const auto t = StandardTable();
  cat.WriteTable(t);
  cat.AddRootPictures();
  int hue = 0;
  for (const auto& r : t) {
    const QColor c = QColor::fromHsv((hue += 37) % 360, 120, 200);
    cat.AddPicture(QString::fromStdString(r.picture), 792, 541, c);
    cat.AddPicture(QString::fromStdString(r.view), 120, 80, c);
  }
}
