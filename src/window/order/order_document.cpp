// The order document: the basket typed into the table of a document made from the template.

#include "busy_cursor.h"
#include "tfrmain.h"

using catalogue::Field;

void TfrMain::CreateOrderDocument() {
  BusyCursor busy;
  WordAutomation& word = order_.word;
  bool documentMade = false;
  // On every way out: a document that was made is handed over.
  struct Finish {
    WordAutomation& word;
    bool& documentMade;
    ~Finish() {
      if (documentMade && word.WordApp()) word.WordApp()->ExportFinished();
    }
  } finish{word, documentMade};

  if (!word.WordConnect()) {
    ShowMessage(QStringLiteral("Не обнаружен Word на данном компьютере"));
    return;
  }
  if (!word.WordSetVisible(true)) {
    ShowMessage(QStringLiteral("Не удалось сделать видимым Word"));
    return;
  }
  if (!word.WordNewDocument(QString::fromStdString(model_.folder().Template()))) {
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

  // The basket in file order, each record with its quantity. The first goes into the marked
  // row with the highest number; each further one into a new row above the one before.
  const std::vector<std::uint32_t> rows(model_.BasketRows().begin(), model_.BasketRows().end());
  const catalogue::Table& t = ADOQuery.table();
  auto step = [this](bool ok, const char16_t* message) {
    if (!ok) ShowMessage(QString::fromUtf16(message));
  };
  int n = static_cast<int>(rows.size());
  for (std::uint32_t row : rows) {
    const bool first = n == static_cast<int>(rows.size());
    if (!first) {
      step(word.WordInsertRows(1), u"Не удалось вставить строку!");
      step(word.WordMoveLeft(1), u"Не удалось перейти в другой столбец!");
    }
    step(word.WordInsertText(QString::number(n)), u"Не удалось вставить слово");
    step(word.WordMoveRight(2), u"Не удалось перейти в другой столбец!");
    if (first) step(word.WordDeleteChars(2), u"Не удалось перейти в другой столбец!");
    step(word.WordInsertText(QString::fromStdString(t.Format(row, Field::Oboz))), u"Не удалось вставить слово");
    step(word.WordMoveRight(2), u"Что-то не то.");
    if (first) step(word.WordDeleteChars(2), u"Что-то не то.");
    step(word.WordInsertText(QString::fromStdString(t.Format(row, Field::Naim))), u"Не удалось вставить слово");
    step(word.WordMoveRight(2), u"Что-то не то.");
    if (first) step(word.WordDeleteChars(2), u"Что-то не то.");
    step(word.WordInsertText(QString::fromStdString(model_.Quantity(row))), u"Не удалось вставить слово");
    --n;
  }
}
