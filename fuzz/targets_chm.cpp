// The help file reader, as the help window uses it.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "help/chm_file.h"
#include "scratch.h"
#include "targets.h"

namespace {

// Objects read per file, and bytes read in all: enough for any small help file.
constexpr int kMaxObjects = 256;
constexpr qint64 kMaxBytes = qint64(16) * 1024 * 1024;

}  // namespace

int FuzzChm(const std::uint8_t* data, std::size_t size) {
  // The bytes as a page: the help window decodes every page it shows.
  const QByteArray raw = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
  (void)DecodeHelpText(raw, "windows-1251");

  static const std::string path = ScratchPath("help.chm");
  if (!WriteScratch(path, data, size)) return 0;

  ChmFile chm;
  if (!chm.open(QString::fromStdString(path))) {
    FuzzCheck(!chm.errorString().isEmpty(), "a refused help file has a reason");
    FuzzCheck(!chm.isOpen(), "a refused help file is not open");
    return 0;
  }
  const QString topic = chm.defaultTopic();
  if (!topic.isEmpty()) FuzzCheck(chm.contains(topic), "the default topic is an object of the file");
  (void)chm.title();
  (void)chm.codepage();

  const QStringList paths = chm.objectPaths();
  int objects = 0;
  qint64 bytes = 0;
  for (const QString& object : paths) {
    if (++objects > kMaxObjects || bytes > kMaxBytes) break;
    FuzzCheck(chm.contains(object), "every listed object is found by its path");
    const auto content = chm.read(object);
    if (!content) {
      FuzzCheck(!chm.errorString().isEmpty(), "an object that cannot be read has a reason");
      continue;
    }
    FuzzCheck(content->size() <= ChmFile::kMaxObjectSize, "no object is read beyond the size limit");
    bytes += content->size();
    (void)DecodeHelpText(*content, chm.codepage());
  }
  return 0;
}
