#pragma once
// Temporary catalogues for the tests: a folder with db/my.xml and pictures, removed at the end.

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <vector>

#include "support/standard_table.h"

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

// The standard table written, with every picture present.
void MakeStandardCatalogue(TestCatalogue& cat);
