// The order document: the basket typed into the table of a document made from the template.

#include <functional>
#include <utility>

#include "basket/zakaz.h"
#include "busy_cursor.h"
#include "tfrmain.h"

using catalogue::Field;

void TfrMain::CreateOrderDocument() {
  BusyCursor busy;
  bool documentMade = false;
  // On every way out: a document that was made is handed over, the notification comes back.
  struct Finish {
    TfrMain* w;
    bool& documentMade;
    std::function<void()> afterScroll;
    ~Finish() {
      if (documentMade && w->word_.WordApp()) w->word_.WordApp()->ExportFinished();
      w->ADOQuery.AfterScroll = std::move(afterScroll);
    }
  } finish{this, documentMade, std::exchange(ADOQuery.AfterScroll, nullptr)};

  WordAutomation& word = word_;
  if (!word.WordConnect()) {
    ShowMessage(QStringLiteral("Не обнаружен Word на данном компьютере"));
    return;
  }
  if (!word.WordSetVisible(true)) {
    ShowMessage(QStringLiteral("Не удалось сделать видимым Word"));
    return;
  }
  if (!word.WordNewDocument(CataloguePath(folder_.Template()))) {
    // The second line says why, where the word processor tells.
    const QString why = word.WordError();
    ShowMessage(QStringLiteral("Не удалось создать документ на основе заданного шаблона") +
                (why.isEmpty() ? QString() : QLatin1Char('\n') + why));
    return;
  }
  documentMade = true;
  if (!word.WordFindText(QStringLiteral("#1"))) {
    ShowMessage(QStringLiteral("Не удалось найти метку в шаблоне. Выполнение заказа прервано."));
    return;
  }

  WalkBasket([&] {
    const int count = ADOQuery.CountRecords();
    int n = count;
    int r = 1;
    auto step = [this](bool ok, const char16_t* message) {
      if (!ok) ShowMessage(QString::fromUtf16(message));
    };
    while (!ADOQuery.AtEnd()) {
      const bool first = n == count;
      if (!first) {
        step(word.WordInsertRows(1), u"Не удалось вставить строку!");
        step(word.WordMoveLeft(1), u"Не удалось перейти в другой столбец!");
      }
      step(word.WordInsertText(QString::number(n)), u"Не удалось вставить слово");
      step(word.WordMoveRight(2), u"Не удалось перейти в другой столбец!");
      if (first) step(word.WordDeleteChars(2), u"Не удалось перейти в другой столбец!");
      step(word.WordInsertText(QString::fromStdString(ADOQuery.GetString(Field::Oboz))), u"Не удалось вставить слово");
      step(word.WordMoveRight(2), u"Что-то не то.");
      if (first) step(word.WordDeleteChars(2), u"Что-то не то.");
      step(word.WordInsertText(QString::fromStdString(ADOQuery.GetString(Field::Naim))), u"Не удалось вставить слово");
      step(word.WordMoveRight(2), u"Что-то не то.");
      if (first) step(word.WordDeleteChars(2), u"Что-то не то.");
      const QString quantity = frZakaz ? frZakaz->sgZakaz->Cell(3, r) : QString();
      step(word.WordInsertText(quantity), u"Не удалось вставить слово");
      ++r;
      --n;
      ADOQuery.MoveNext();
    }
  });
}
