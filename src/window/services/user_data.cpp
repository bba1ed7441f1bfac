#include "services/user_data.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSettings>

#include "base/write_file.h"

namespace {

constexpr auto kBasketFormat = "krantek-catalog-basket";
constexpr auto kHistoryFormat = "krantek-catalog-history";
// Files of ours are small; anything larger is not one.
constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;

// The catalogue folder's own name for its files: the same folder, the same files.
QString Key(const QString& folder) {
  return QString::fromLatin1(QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
}

QJsonArray ToJson(const std::vector<browsing::BasketLine>& lines) {
  QJsonArray out;
  for (const browsing::BasketLine& l : lines)
    out.append(QJsonObject{{QStringLiteral("id"), l.id},
                           {QStringLiteral("oboz"), QString::fromStdString(l.oboz)},
                           {QStringLiteral("naim"), QString::fromStdString(l.naim)},
                           {QStringLiteral("quantity"), QString::fromStdString(l.quantity)}});
  return out;
}

std::optional<std::vector<browsing::BasketLine>> LinesFrom(const QJsonValue& value) {
  if (!value.isArray()) return std::nullopt;
  std::vector<browsing::BasketLine> lines;
  for (const QJsonValue& v : value.toArray()) {
    const QJsonObject o = v.toObject();
    const QJsonValue id = o.value(QStringLiteral("id"));
    if (!v.isObject() || !id.isDouble() || !o.value(QStringLiteral("oboz")).isString() ||
        !o.value(QStringLiteral("quantity")).isString())
      return std::nullopt;
    lines.push_back({id.toInt(), o.value(QStringLiteral("oboz")).toString().toStdString(),
                     o.value(QStringLiteral("naim")).toString().toStdString(),
                     o.value(QStringLiteral("quantity")).toString().toStdString()});
  }
  return lines;
}

// A file that is not ours, or damaged, keeps its content under another name beside it.
QString SetAside(const QString& path) {
  const QString aside =
      path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  return QFile::rename(path, aside) ? aside : path;
}

// A file of ours as its object: none when there is no file; when it is damaged or another
// kind of file, `damaged` is set.
std::optional<QJsonObject> Read(const QString& path, const char* format, bool* damaged) {
  *damaged = false;
  QFile f(path);
  if (!f.exists()) return std::nullopt;
  const QFileInfo info(path);
  if (!info.isFile() || info.size() > kMaxFileBytes || !f.open(QIODevice::ReadOnly)) {
    *damaged = true;
    return std::nullopt;
  }
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
  const QJsonObject o = doc.object();
  if (error.error != QJsonParseError::NoError || !doc.isObject() ||
      o.value(QStringLiteral("format")).toString() != QLatin1String(format)) {
    *damaged = true;
    return std::nullopt;
  }
  return o;
}

std::optional<QString> Write(const QString& path, const QJsonObject& o) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  const QByteArray data = QJsonDocument(o).toJson(QJsonDocument::Indented);
  const std::error_code failed = base::WriteWholeFile(std::filesystem::path(path.toStdU16String()),
                                                      std::string_view(data.constData(), data.size()), true);
  if (!failed) return std::nullopt;
  return QString::fromStdString(failed.message());
}

}  // namespace

UserData::UserData(QString dataDir, QString settingsFile, const std::string& catalogueFolder)
    : dataDir_(std::move(dataDir)),
      settingsFile_(std::move(settingsFile)),
      catalogue_(QString::fromStdString(catalogueFolder)) {
  if (dataDir_.isEmpty()) return;
  const QString key = Key(catalogue_);
  basketFile_ = dataDir_ + QStringLiteral("/baskets/") + key + QStringLiteral(".json");
  historyFile_ = dataDir_ + QStringLiteral("/history/") + key + QStringLiteral(".json");
}

UserData::~UserData() = default;

UserData::Opened UserData::OpenBasket() {
  Opened opened;
  if (dataDir_.isEmpty()) return opened;  // nothing of the user's is kept
  QDir().mkpath(QFileInfo(basketFile_).absolutePath());
  // One program keeps a catalogue's basket; a lock left by a program that has gone is taken over.
  auto lock = std::make_unique<QLockFile>(basketFile_ + QStringLiteral(".lock"));
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) {
    lock_ = std::move(lock);
  } else {
    opened.problems << QStringLiteral(
        "Этот каталог открыт ещё в одной копии программы. Изменения корзины в этой копии не будут сохранены.");
  }
  bool damaged = false;
  const auto o = Read(basketFile_, kBasketFormat, &damaged);
  std::optional<std::vector<browsing::BasketLine>> lines;
  if (o) lines = LinesFrom(o->value(QStringLiteral("lines")));
  if (o && !lines) damaged = true;
  if (damaged) {
    // The program that keeps the basket sets the file aside; it writes a new one at the next change.
    const QString aside = lock_ ? SetAside(basketFile_) : basketFile_;
    opened.problems << QStringLiteral("Файл корзины не удалось прочитать, корзина начата заново. Файл сохранён как\n%1")
                           .arg(QDir::toNativeSeparators(aside));
  } else if (lines) {
    opened.lines = std::move(*lines);
  }
  return opened;
}

std::optional<QString> UserData::SaveBasket(const std::vector<browsing::BasketLine>& lines) {
  if (!lock_) return std::nullopt;  // another program keeps this basket (said when it opened)
  const auto failed = Write(basketFile_, QJsonObject{{QStringLiteral("format"), QLatin1String(kBasketFormat)},
                                                     {QStringLiteral("version"), 1},
                                                     {QStringLiteral("catalogue"), catalogue_},
                                                     {QStringLiteral("lines"), ToJson(lines)}});
  // A failure is said once, until a save succeeds again.
  const bool say = failed && !failureSaid_;
  failureSaid_ = failed.has_value();
  return say ? failed : std::nullopt;
}

std::vector<PastOrder> UserData::History(QString* problem) {
  std::vector<PastOrder> orders;
  if (historyFile_.isEmpty()) return orders;
  bool damaged = false;
  const auto o = Read(historyFile_, kHistoryFormat, &damaged);
  if (o) {
    for (const QJsonValue& v : o->value(QStringLiteral("orders")).toArray()) {
      const QJsonObject order = v.toObject();
      const auto lines = LinesFrom(order.value(QStringLiteral("lines")));
      const QDateTime when = QDateTime::fromString(order.value(QStringLiteral("when")).toString(), Qt::ISODate);
      if (!lines || !when.isValid()) {
        damaged = true;
        break;
      }
      orders.push_back({when, order.value(QStringLiteral("file")).toString(), *lines});
    }
  }
  if (damaged) {
    orders.clear();
    if (problem)
      *problem = QStringLiteral("Файл истории заказов не удалось прочитать. Он сохранён как\n%1")
                     .arg(QDir::toNativeSeparators(SetAside(historyFile_)));
  }
  std::reverse(orders.begin(), orders.end());  // newest first
  return orders;
}

std::optional<QString> UserData::Record(const PastOrder& order) {
  if (historyFile_.isEmpty()) return std::nullopt;
  // Programs on the same catalogue take their turns: each adds its order to the file as it is.
  QLockFile turn(historyFile_ + QStringLiteral(".lock"));
  turn.setStaleLockTime(0);
  QDir().mkpath(QFileInfo(historyFile_).absolutePath());
  if (!turn.tryLock(2000)) return QStringLiteral("история заказов занята другой копией программы");
  QString problem;
  std::vector<PastOrder> orders = History(&problem);
  std::reverse(orders.begin(), orders.end());  // oldest first in the file
  orders.push_back(order);
  QJsonArray list;
  for (const PastOrder& o : orders)
    list.append(QJsonObject{{QStringLiteral("when"), o.when.toString(Qt::ISODate)},
                            {QStringLiteral("file"), o.file},
                            {QStringLiteral("lines"), ToJson(o.lines)}});
  auto failed = Write(historyFile_, QJsonObject{{QStringLiteral("format"), QLatin1String(kHistoryFormat)},
                                                {QStringLiteral("version"), 1},
                                                {QStringLiteral("catalogue"), catalogue_},
                                                {QStringLiteral("orders"), list}});
  if (!failed && !problem.isEmpty()) return problem;
  return failed;
}

QString UserData::Customer(const CustomerField& field) const {
  if (settingsFile_.isEmpty()) return {};
  return QSettings(settingsFile_, QSettings::IniFormat)
      .value(QStringLiteral("customer/") + QLatin1String(field.key))
      .toString();
}

void UserData::SetCustomer(const CustomerField& field, const QString& value) {
  if (settingsFile_.isEmpty()) return;
  QSettings(settingsFile_, QSettings::IniFormat)
      .setValue(QStringLiteral("customer/") + QLatin1String(field.key), value);
}
