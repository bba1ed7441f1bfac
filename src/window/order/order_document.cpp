// The order document: the basket typed into the table of a document made from the template.

#include <QDir>

#include <functional>

#include "basket/basket.h"
#include "busy_cursor.h"
#include "messages.h"
#include "services/user_data.h"
#include "tfrmain.h"

using catalogue::Field;

void TfrMain::CreateOrderDocument() {
  BusyCursor busy;
  WordAutomation& word = order_.word;
  bool documentMade = false, typed = false;
  // On every way out: a document that was made is handed over; one with the basket typed in
  // is recorded in the history and can be sent.
  const std::vector<browsing::BasketLine> ordered = model_.BasketLines();
  struct Finish {
    std::function<void()> made;
    ~Finish() { made(); }
  } finish{[&] {
    if (!documentMade || !word.WordApp()) return;
    word.WordApp()->ExportFinished();
    if (!typed) return;
    const QString file = word.WordApp()->documentPath();
    basket_->DocumentMade(file);
    if (userData_)
      if (const auto failed = userData_->Record({QDateTime::currentDateTime(), file, ordered}))
        ShowMessage(QStringLiteral("Заказ не записан в историю заказов:\n") + *failed);
  }};

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
  auto step = [this](bool ok, const char16_t* message) {
    if (!ok) ShowMessage(QString::fromUtf16(message));
  };
  // The customer's details, where the template has their markers (above the table, in this order).
  for (const CustomerField& f : kCustomerFields)
    if (word.WordFindText(QString::fromUtf16(f.marker)))
      step(word.WordInsertText(userData_ ? userData_->Customer(f) : QString()), u"Не удалось вставить слово");
  if (!word.WordFindText(QStringLiteral("#1"))) {
    ShowMessage(QStringLiteral("Не удалось найти метку в шаблоне. Выполнение заказа прервано."));
    return;
  }

  // The basket in file order, each record with its quantity. The first goes into the marked
  // row with the highest number; each further one into a new row above the one before.
  const std::vector<std::uint32_t> rows(model_.BasketRows().begin(), model_.BasketRows().end());
  const catalogue::Table& t = ADOQuery.table();
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
  typed = true;
}

void TfrMain::SendOrder(const QString& document) {
  if (document.isEmpty()) return;
  if (env_.sendMail && env_.sendMail(kSalesAddress, document)) return;
  // No mail program takes an attachment: the plain mail link, and where the document is.
  liMailClick(nullptr);
  ShowMessage(QStringLiteral("Почтовая программа не приняла вложение. Приложите к письму документ заявки:\n") +
              QDir::toNativeSeparators(document));
}
