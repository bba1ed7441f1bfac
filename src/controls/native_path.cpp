#include "controls/native_path.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

#ifdef Q_OS_WIN
constexpr bool kCaseSensitive = false;
#else
constexpr bool kCaseSensitive = true;
#endif

// Directory listings by folded name, kept while the directory is unchanged, so that many
// look-ups in one large picture folder list it once.
struct Listing {
  QDateTime modified;
  QHash<QString, QString> byFolded;
};

QString MatchInDirectory(const QString& dir, const QString& name) {
  static QHash<QString, Listing> cache;
  const QFileInfo info(dir);
  const QDateTime modified = info.lastModified();
  auto it = cache.find(dir);
  if (it == cache.end() || it->modified != modified) {
    if (cache.size() > 64) cache.clear();
    Listing listing;
    listing.modified = modified;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& e : entries) {
      const QString folded = e.toCaseFolded();
      if (!listing.byFolded.contains(folded)) listing.byFolded.insert(folded, e);
    }
    it = cache.insert(dir, listing);
  }
  return it->byFolded.value(name.toCaseFolded());
}

}  // namespace

QString NativePath(const QString& cataloguePath) {
  QString path = cataloguePath;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (!kCaseSensitive || path.isEmpty() || QFileInfo::exists(path)) return QDir::toNativeSeparators(path);

  const bool absolute = path.startsWith(QLatin1Char('/'));
  const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  QString resolved = absolute ? QStringLiteral("/") : QString();
  for (int i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    const QString base = resolved.isEmpty() ? QStringLiteral(".") : resolved;
    QString next = part;
    if (part != QLatin1String(".") && part != QLatin1String("..") &&
        !QFileInfo::exists(base + QLatin1Char('/') + part)) {
      const QString match = MatchInDirectory(base, part);
      if (match.isEmpty()) return path;  // nothing matches: the path as written
      next = match;
    }
    if (!resolved.isEmpty() && !resolved.endsWith(QLatin1Char('/'))) resolved += QLatin1Char('/');
    resolved += next;
  }
  return resolved;
}

bool FoundOnlyIgnoringCase(const QString& cataloguePath) {
  QString written = cataloguePath;
  written.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (QFileInfo::exists(written)) return false;
  return kCaseSensitive && QFileInfo::exists(NativePath(cataloguePath));
}
