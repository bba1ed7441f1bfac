#pragma once
// The display modes of the main window and one level of the path taken through the catalogue.

#include <QString>

enum : int { dmSections = 1, dmDrawing = 2, dmList = 3 };

struct TMyRec {
  int ID = 0;
  int Parent = 0;
  int Page = 0;
  QString Oboz;
  QString Naim;
  QString Massa;
  QString Count;
  QString PictureFile;
  QString ViewFile;
};
