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

catalogue::RecordData Section(int id, int number, const std::string& oboz, bool sostoit) {
  catalogue::RecordData r;
  r.id = id;
  r.fid = 0;
  r.number = number;
  r.oboz = oboz;
  r.naim = "Раздел " + std::to_string(id);
  r.picture = "p" + std::to_string(id);
  r.view = "v" + std::to_string(id);
  r.descript = "Описание " + std::to_string(id);
  r.sostoit = sostoit;
  return r;
}

catalogue::RecordData Part(int id, int fid, int number, int left, int top) {
  catalogue::RecordData r;
  r.id = id;
  r.fid = fid;
  r.number = number;
  r.oboz = "ОБ-" + std::to_string(id);
  r.naim = "Деталь " + std::to_string(id);
  r.picture = "p" + std::to_string(id);
  r.view = "v" + std::to_string(id);
  r.massa = std::to_string(id) + ",5";
  r.count = "2";
  r.left = left;
  r.top = top;
  return r;
}

catalogue::RecordData Item(int id, int fid, bool vozmPokupka, bool sostoit) {
  catalogue::RecordData r = Part(id, fid, 0);
  r.vozmPokupka = vozmPokupka;
  r.sostoit = sostoit;
  return r;
}
