#include "basket/customer.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "services/user_data.h"

TfrCustomer::TfrCustomer(UserData& data, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      data_(data) {
  setWindowTitle(QStringLiteral("Сведения о заказчике"));
  auto* form = new QFormLayout;
  for (const CustomerField& f : kCustomerFields) {
    auto* edit = new QLineEdit(data_.Customer(f), this);
    edit->setObjectName(QLatin1String(f.key));
    edit->setMinimumWidth(320);
    form->addRow(QString::fromUtf16(f.label), edit);
    fields.push_back(edit);
  }
  auto* note = new QLabel(QStringLiteral("Эти сведения вписываются в каждую заявку."), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    Keep();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
  if (owner) move(owner->geometry().center() - QPoint(width() / 2, height() / 2));
}

void TfrCustomer::Keep() {
  for (std::size_t i = 0; i < fields.size(); ++i) data_.SetCustomer(kCustomerFields[i], fields[i]->text().trimmed());
}
