// The node on screen: its picture in imMain and its details at the top right.

#include "messages.h"
#include "tfrmain.h"

namespace {

// Leading and trailing blanks and control characters removed.
QString Trimmed(const QString& text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && text[begin].unicode() <= 32) ++begin;
  while (end > begin && text[end - 1].unicode() <= 32) --end;
  return text.mid(begin, end - begin);
}

}  // namespace

JpegOptions TfrMain::PictureOptions() const {
  JpegOptions o;
  o.quarter = FDisplayMode == dmList;
  o.grayscale = false;
  o.bestQuality = true;
  o.progressiveDisplay = true;
  return o;
}

void TfrMain::SetPicture(const QString& fileName) {
  FPicturePath = fileName;
  // Loaded with the options the picture is shown with, so it is decoded once.
  if (!imMain->LoadFromFile(NativeFile(fileName), PictureOptions()))
    ShowMessage(QStringLiteral("Ошибка загрузки файла картинки"));
  SetJpegOptions();
}

void TfrMain::SetJpegOptions() { imMain->SetJpegOptions(PictureOptions()); }

void TfrMain::SetView(const QString& fileName) { FViewPath = fileName; }

void TfrMain::SetItemOboz(const QString& text) {
  FItemOboz = text;
  lbOboz->SetCaption(Trimmed(text).isEmpty() ? QString() : text);
}

void TfrMain::SetItemNaim(const QString& text) {
  FItemNaim = text;
  lbNaim->SetCaption(Trimmed(text).isEmpty() ? QString() : text);
}

void TfrMain::SetItemMassa(const QString& text) {
  FItemMassa = text;
  lbMassa->SetCaption(Trimmed(text).isEmpty() || text == QLatin1String("0") ? QString() : text);
}

void TfrMain::SetItemCount(const QString& text) {
  FItemCount = text;
  lbCount->SetCaption(Trimmed(text).isEmpty() || text == QLatin1String("0") ? QString() : text);
}
