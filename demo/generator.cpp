// Makes the demo catalogue: db/my.xml and the pictures under Images/, in the folder given.
//   demo-generator OUTPUT_DIR

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/ado_writer.h"
#include "controls/jpeg.h"

using catalogue::RecordData;

namespace {

QString g_out;

bool SavePicture(const QString& name, const QImage& image, bool progressive = false) {
  QByteArray data;
  if (!EncodeJpeg(image, 88, progressive, data)) return false;
  QFile f(g_out + QStringLiteral("/Images/") + name + QStringLiteral(".jpg"));
  return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QImage Drawing(const QString& title, const std::vector<RecordData>& parts) {
  QImage img(792, 541, QImage::Format_RGB888);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 2));
  p.drawRect(QRect(150, 130, 420, 260));
  p.drawEllipse(QPoint(360, 260), 80, 80);
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPixelSize(14);
  p.setFont(f);
  p.drawText(QRect(0, 500, 792, 30), Qt::AlignCenter, title);
  p.setPen(QPen(Qt::black, 1));
  for (const auto& part : parts) p.drawLine(part.left, part.top + 8, 360, 260);
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: demo-generator OUTPUT_DIR\n");
    return 2;
  }
  g_out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(g_out + QStringLiteral("/db"));
  QDir().mkpath(g_out + QStringLiteral("/Images"));

  std::vector<RecordData> recs;
  int nextId = 1;
  auto add = [&](RecordData r) {
    r.id = nextId++;
    recs.push_back(r);
    return r.id;
  };
  const char* sections[7] = {"Манипулятор", "Опорно-поворотное устройство", "Стрела", "Рукоять с удлинителем",
                             "Пост управления", "Перечень запасных частей", "Захват"};
  for (int s = 0; s < 7; ++s) {
    RecordData sec;
    sec.fid = 0;
    sec.number = s + 1;
    sec.oboz = "КМ-10." + std::to_string(s + 1) + "0.000";
    sec.naim = sections[s];
    sec.picture = "sec" + std::to_string(s + 1);
    sec.descript = std::string("Раздел: ") + sections[s];
    sec.sostoit = s != 5;
    sec.table = s;
    const int secId = add(sec);
    std::vector<RecordData> parts;
    for (int i = 0; i < 4; ++i) {
      RecordData part;
      part.fid = secId;
      part.number = i + 1;
      part.oboz = sec.oboz.substr(0, 8) + ".0" + std::to_string(i + 1);
      part.naim = "Деталь " + std::to_string(i + 1);
      part.picture = "sec" + std::to_string(s + 1) + "_" + std::to_string(i + 1);
      part.view = part.picture;
      part.massa = std::to_string(2 + i) + ",5";
      part.count = std::to_string(1 + i % 2);
      part.left = 60 + i * 180;
      part.top = 80 + (i % 2) * 300;
      part.table = (s + i) % 10;
      part.vozmPokupka = true;
      const int partId = add(part);
      parts.push_back(part);
      // Each part has its own item record; the second is an assembly with its own parts.
      RecordData item = part;
      item.fid = partId;
      item.number = 0;
      item.sostoit = i == 1;
      item.vozmPokupka = i != 3;
      const int itemId = add(item);
      if (i == 1) {
        for (int j = 0; j < 3; ++j) {
          RecordData sub;
          sub.fid = itemId;
          sub.number = j + 1;
          sub.oboz = part.oboz + "." + std::to_string(j + 1);
          sub.naim = "Составная часть " + std::to_string(j + 1);
          sub.picture = part.picture + "_" + std::to_string(j + 1);
          sub.view = sub.picture;
          sub.left = 100 + j * 200;
          sub.top = 120;
          sub.table = (s + j + 7) % 10;
          sub.vozmPokupka = true;
          const int subId = add(sub);
          RecordData subItem = sub;
          subItem.fid = subId;
          subItem.number = 0;
          add(subItem);
          SavePicture(QString::fromStdString(sub.picture), Drawing(QString::fromStdString(sub.naim), {}));
        }
      }
      SavePicture(QString::fromStdString(part.picture), Drawing(QString::fromStdString(part.naim), {}));
    }
    SavePicture(QString::fromStdString(sec.picture), Drawing(QString::fromUtf8(sections[s]), parts), s == 2);
  }
  // Root picture and the sections background.
  QImage root(519, 346, QImage::Format_RGB888);
  root.fill(QColor(235, 240, 245));
  SavePicture(QStringLiteral("Fon"), root);
  QImage background(792, 541, QImage::Format_RGB888);
  background.fill(QColor(245, 245, 240));
  SavePicture(QStringLiteral("Fon2"), background);

  if (!catalogue::WriteAdoFile((g_out + QStringLiteral("/db/my.xml")).toStdString(), recs)) {
    std::fprintf(stderr, "demo-generator: cannot write the catalogue\n");
    return 1;
  }
  return 0;
}
