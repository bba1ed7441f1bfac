// The basket review window, filled from the store.

#include "basket/zakaz.h"
#include "busy_cursor.h"
#include "tfrmain.h"

#include <QHash>

#include <memory>

using catalogue::Field;

void TfrMain::leiWordClick(QWidget*) {
  BusyCursor busy;
  // The window lives for this opening only; every way out releases it with its thumbnails.
  auto window = std::make_unique<TfrZakaz>(this);
  frZakaz = window.get();
  struct Forget {
    TfrZakaz*& open;
    ~Forget() { open = nullptr; }
  } forget{frZakaz};
  frZakaz->OnOrder = [this] { CreateOrderDocument(); };
  TStringGrid* grid = frZakaz->sgZakaz;
  grid->SetRowHeight(0, 26);
  grid->SetCell(0, 0, QStringLiteral("№ п/п"));
  grid->SetCell(1, 0, QStringLiteral("Обозначение"));
  grid->SetCell(2, 0, QStringLiteral("Наименование"));
  grid->SetCell(3, 0, QStringLiteral("Количество"));
  grid->SetCell(4, 0, QStringLiteral("Изображение"));
  WalkBasket([&] {
    grid->SetRowCount(ADOQuery.CountRecords() + 1);
    grid->BeginFill();
    int k = 1;
    QHash<QString, bool> readable;  // parents shared by several rows are checked once
    for (ADOQuery.MoveFirst(); !ADOQuery.AtEnd(); ADOQuery.MoveNext(), ++k) {
      grid->SetCell(0, k, QString::number(k));
      grid->SetCell(1, k, QString::fromStdString(ADOQuery.GetString(Field::Oboz)));
      grid->SetCell(2, k, QString::fromStdString(ADOQuery.GetString(Field::Naim)));
      grid->SetCell(3, k, QStringLiteral("1"));
      // The drawing the part is shown on: the picture of its parent record.
      const auto parentPicture = ADOQuery.LookupByID(ADOQuery.GetInteger(Field::FID), Field::Picture);
      const QString path = parentPicture ? CataloguePath(folder_.Picture(*parentPicture)) : QString();
      auto* thumbnail = new Thumbnail(path.isEmpty() ? QString() : NativeFile(path), frZakaz);
      auto known = readable.find(path);
      if (known == readable.end()) known = readable.insert(path, parentPicture && thumbnail->Check());
      if (!*known) {
        ShowMessage(QStringLiteral("Ошибка загрузки изображения"));
        thumbnail->Clear();  // the image cell stays empty
      }
      grid->SetObject(4, k, thumbnail);
    }
    grid->EndFill();
  });
  // The window waits for the user with the ordinary arrow.
  busy.Release();
  frZakaz->exec();
}
