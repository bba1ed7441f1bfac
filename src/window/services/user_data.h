#pragma once
// What belongs to the user, per catalogue folder, in the user's folders: the lasting basket and
// the order history (each a file of the user's data folder, written whole through a temporary
// file and a rename), and the customer's details in the settings. A damaged file is set aside
// under another name and named, never lost and never fatal.

#include <QDateTime>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browsing/model.h"

class QLockFile;

// The customer's details an order names: each asked once, kept in the settings, and written
// where the template has its marker.
struct CustomerField {
  const char* key;
  const char16_t* label;
  const char16_t* marker;
};
inline constexpr std::array<CustomerField, 6> kCustomerFields = {{
    {"organisation", u"Организация", u"#Организация"},
    {"address", u"Адрес доставки", u"#Адрес"},
    {"contact", u"Контактное лицо", u"#Контакт"},
    {"phone", u"Телефон", u"#Телефон"},
    {"email", u"E-mail", u"#Почта"},
    {"crane", u"Кран-манипулятор (модель, заводской номер)", u"#Кран"},
}};

// One order document made.
struct PastOrder {
  QDateTime when;
  QString file;  // empty when the word processor keeps the document unsaved
  std::vector<browsing::BasketLine> lines;
};

class UserData {
 public:
  // `dataDir`: the user's data folder; `settingsFile`: the program's settings.
  UserData(QString dataDir, QString settingsFile, const std::string& catalogueFolder);
  ~UserData();
  UserData(const UserData&) = delete;
  UserData& operator=(const UserData&) = delete;

  // The basket kept for this catalogue. The first program on a catalogue keeps its basket;
  // a second one shows it but does not save it. `problems` says, in the user's words, what
  // could not be read or will not be saved.
  struct Opened {
    std::vector<browsing::BasketLine> lines;
    QStringList problems;
  };
  Opened OpenBasket();
  bool KeepsBasket() const { return lock_ != nullptr; }
  // Writes the basket whole. The reason when that failed and was not said before; else nothing.
  std::optional<QString> SaveBasket(const std::vector<browsing::BasketLine>& lines);

  // The orders made from this catalogue, newest first; a damaged history is set aside, and
  // `problem` says so.
  std::vector<PastOrder> History(QString* problem);
  std::optional<QString> Record(const PastOrder& order);

  QString Customer(const CustomerField& field) const;
  void SetCustomer(const CustomerField& field, const QString& value);

  QString basketFile() const { return basketFile_; }
  QString historyFile() const { return historyFile_; }

 private:
  QString dataDir_, settingsFile_, catalogue_;
  QString basketFile_, historyFile_;
  std::unique_ptr<QLockFile> lock_;
  bool failureSaid_ = false;
};
