#pragma once
// Temporary catalogues for the tests: a folder with db/my.xml and pictures, removed at the end.

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <vector>

#include "catalogue_writer/ado_writer.h"

class TestCatalogue {
 public:
  TestCatalogue();
  // The folder, with a trailing separator, as the window's base directory.
  QString dir() const { return dir_.path() + QLatin1Char('/'); }
  QString path(const QString& relative) const { return dir() + relative; }

  void WriteTable(const std::vector<catalogue::RecordData>& records);
  // A JPEG picture Images/<name>.jpg of the given size, filled with a colour.
  void AddPicture(const QString& name, int width = 64, int height = 48, QColor colour = Qt::gray,
                  bool progressive = false);
  void AddFile(const QString& relative, const QByteArray& data);
  // The standard pictures of a catalogue: Fon.jpg and Fon2.jpg.
  void AddRootPictures();

 private:
  QTemporaryDir dir_;
};

// Records made short: sections, parts, item records.
catalogue::RecordData Section(int id, int number, const std::string& oboz, bool sostoit = true);
catalogue::RecordData Part(int id, int fid, int number, int left = 10, int top = 10);
catalogue::RecordData Item(int id, int fid, bool vozmPokupka = true, bool sostoit = false);

// A small catalogue used by many window tests, with every picture present:
//   sections 1..7 at the root (1 with Number 1, 2 with Number 12, 3 with Number 0,
//   4 without composition, 6 the parts-list plate);
//   section 1: parts 11, 12, 13 (callouts); 11 has item 111, an orderable assembly whose
//   composition is 1111 and 1112; 12 has item 121, orderable; 13 has no children;
//   section 2: parts 21 and 22; 21 has item 211, not orderable;
//   orderable records: 111, 121, 22, 1111, 1112;
//   Table groups spread over 0..9.
std::vector<catalogue::RecordData> StandardTable();
void MakeStandardCatalogue(TestCatalogue& cat);
