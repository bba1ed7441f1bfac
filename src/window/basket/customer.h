#pragma once
// The customer's details an order names, asked once and kept in the settings.

#include <QDialog>

#include <vector>

class QLineEdit;
class UserData;

class TfrCustomer : public QDialog {
  Q_OBJECT
 public:
  TfrCustomer(UserData& data, QWidget* owner);

  std::vector<QLineEdit*> fields;  // in the order of kCustomerFields

  // Keeps what was typed.
  void Keep();

 private:
  UserData& data_;
};
