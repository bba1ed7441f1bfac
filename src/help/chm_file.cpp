#include "help/chm_file.h"

#include "base/cp1251.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringConverter>
#include <QStringDecoder>

#include <chm_lib.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Layout of the ITSF container (little-endian throughout).
constexpr qint64 kItsfV2Length = 0x58;
constexpr qint64 kItsfV3Length = 0x60;
constexpr qint64 kItsfTimestamp = 0x10;
constexpr qint64 kItspLength = 0x54;
constexpr int kPmglHeader = 0x14;
constexpr int kPmgiHeader = 0x08;
constexpr quint32 kMinDirectoryPage = 0x100;
constexpr quint32 kMaxDirectoryPage = 0x100000;
constexpr quint64 kMaxPathBytes = CHM_MAX_PATHLEN;
// chmlib reads a compressed block into a buffer of the block length plus this much.
constexpr quint64 kCompressedSlack = 6144;
constexpr quint64 kResetTableHeader = 0x28;
constexpr quint64 kControlDataMin = 0x18;
constexpr quint64 kControlDataMax = 0x100;  // chmlib copies it into a 256-byte buffer

// The objects chmlib reads on opening to set up decompression.
const char kContentName[] = "::DataSpace/Storage/MSCompressed/Content";
const char kControlDataName[] = "::DataSpace/Storage/MSCompressed/ControlData";
const char kResetTableName[] =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
    "InstanceData/ResetTable";

// System data record codes.
constexpr quint16 kSysContentsFile = 0;
constexpr quint16 kSysDefaultTopic = 2;
constexpr quint16 kSysTitle = 3;
constexpr quint16 kSysLanguage = 4;
constexpr quint16 kSysTimestamp = 10;

quint32 Le32(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
  return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
quint64 Le64(const QByteArray& b, qsizetype at) { return quint64(Le32(b, at)) | quint64(Le32(b, at + 4)) << 32; }
quint16 Le16(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
  return quint16(p[0] | p[1] << 8);
}

// a + b <= limit, without overflow.
bool FitsWithin(quint64 a, quint64 b, quint64 limit) { return a <= limit && b <= limit - a; }

// Reads exactly len bytes at offset, or nothing.
std::optional<QByteArray> ReadAt(QFile& file, quint64 offset, quint64 len) {
  if (!FitsWithin(offset, len, quint64(file.size())) || len > quint64(ChmFile::kMaxObjectSize)) return std::nullopt;
  if (!file.seek(qint64(offset))) return std::nullopt;
  QByteArray data = file.read(qint64(len));
  if (quint64(data.size()) != len) return std::nullopt;
  return data;
}

// Walks the entries of one directory page, each field checked to lie inside the page.
class PageReader {
 public:
  PageReader(const QByteArray& page, qsizetype from, qsizetype to) : page_(page), at_(from), end_(to) {}
  bool atEnd() const { return at_ >= end_; }
  // A variable-length number as chmlib reads it: 7 bits a byte, most significant first.
  std::optional<quint64> number() {
    quint64 value = 0;
    for (int i = 0; i < 9; ++i) {
      if (at_ >= end_) return std::nullopt;
      const auto byte = uchar(page_[at_++]);
      value = (value << 7) | (byte & 0x7f);
      if (byte < 0x80) return value;
    }
    return std::nullopt;
  }
  std::optional<QByteArray> bytes(quint64 n) {
    if (n > quint64(end_ - at_)) return std::nullopt;
    QByteArray out = page_.mid(at_, qsizetype(n));
    at_ += qsizetype(n);
    return out;
  }

 private:
  const QByteArray& page_;
  qsizetype at_;
  qsizetype end_;
};

// A name as chmlib compares it: a C string, so cut at the first NUL.
QByteArray AsCString(const QByteArray& raw) {
  const qsizetype nul = raw.indexOf('\0');
  return nul < 0 ? raw : raw.left(nul);
}

bool SameAscii(const QByteArray& a, const char* b) { return qstricmp(a.constData(), b) == 0; }

// windows-1251, for Qt builds without a converter for it.
QString DecodeCp1251(const QByteArray& data) {
  QString out;
  out.reserve(data.size());
  for (const char c : data) {
    const auto b = uchar(c);
    const int u = b < 0x80 ? b : base::kCp1251High[b - 0x80];
    out.append(QChar(char16_t(u < 0 ? 0xFFFD : u)));
  }
  return out;
}

bool IsCp1251Name(QByteArray name) {
  name = name.toLower();
  return name == "windows-1251" || name == "cp1251" || name == "x-cp1251" || name == "win-1251";
}

// Decodes with the named character set; nothing when it is unknown here.
std::optional<QString> DecodeAs(const QByteArray& data, const QByteArray& charset) {
  if (charset.isEmpty()) return std::nullopt;
  QStringDecoder decoder(charset.constData(), QStringDecoder::Flag::Stateless);
  if (decoder.isValid()) return QString(decoder.decode(data));
  if (IsCp1251Name(charset)) return DecodeCp1251(data);
  return std::nullopt;
}

bool IsValidUtf8(const QByteArray& data) {
  QStringDecoder decoder(QStringConverter::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(data);  // decoding happens on conversion to QString
  return !decoder.hasError();
}

// Storage objects ("::DataSpace/...") are named outside the folder tree and kept as they are.
QString LookupKey(const QString& path) {
  return path.startsWith(QLatin1String("::")) ? path : ChmFile::NormalizePath(path);
}

}  // namespace

QByteArray CodepageForLanguage(quint32 languageId) {
  const quint32 primary = languageId & 0x3ff;
  switch (primary) {
    case 0x19:
    case 0x22:
    case 0x23:
    case 0x02:
    case 0x2f:
    case 0x3f:
    case 0x40:
    case 0x44:
    case 0x50:
      return "windows-1251";
    case 0x1a:  // Serbian written in Cyrillic, otherwise Croatian or Serbian in Latin letters
      return (languageId == 0x0c1a || languageId == 0x1c1a) ? "windows-1251" : "windows-1250";
    case 0x05:
    case 0x0e:
    case 0x15:
    case 0x18:
    case 0x1b:
    case 0x1c:
    case 0x24:
      return "windows-1250";
    case 0x08:
      return "windows-1253";
    case 0x1f:
    case 0x2c:
    case 0x43:
      return "windows-1254";
    case 0x0d:
      return "windows-1255";
    case 0x01:
    case 0x20:
    case 0x29:
      return "windows-1256";
    case 0x25:
    case 0x26:
    case 0x27:
      return "windows-1257";
    case 0x2a:
      return "windows-1258";
    case 0x1e:
      return "windows-874";
    case 0x11:
      return "Shift_JIS";
    case 0x12:
      return "EUC-KR";
    case 0x04:
      return (languageId == 0x0404 || languageId == 0x0c04 || languageId == 0x1404) ? "Big5" : "GBK";
    default:
      return "windows-1252";
  }
}

QString DecodeHelpText(const QByteArray& data, const QByteArray& fallbackCharset) {
  if (const auto bom = QStringConverter::encodingForData(data)) {
    QStringDecoder decoder(*bom, QStringDecoder::Flag::Stateless);
    return decoder.decode(data);
  }
  // The declaration sits near the top: <meta charset="...">, <meta http-equiv=...
  // content="text/html; charset=...">, or @charset "..." in a style sheet.
  static const QRegularExpression declared(
      QStringLiteral(R"((?:charset\s*=\s*["']?\s*|@charset\s+["'])([A-Za-z0-9._:\-]+))"),
      QRegularExpression::CaseInsensitiveOption);
  const QString head = QString::fromLatin1(data.left(4096));
  const auto match = declared.match(head);
  // A page declaring UTF-16 or UTF-32 without a byte-order mark is in fact 8-bit text (the
  // declaration was copied along when the page was converted): ignored, as browsers do.
  if (match.hasMatch() && !match.captured(1).startsWith(QLatin1String("utf-16"), Qt::CaseInsensitive) &&
      !match.captured(1).startsWith(QLatin1String("utf-32"), Qt::CaseInsensitive) &&
      match.captured(1).compare(QLatin1String("unicode"), Qt::CaseInsensitive) != 0) {
    if (auto text = DecodeAs(data, match.captured(1).toLatin1())) return *text;
  }
  if (IsValidUtf8(data)) return QString::fromUtf8(data);
  if (auto text = DecodeAs(data, fallbackCharset)) return *text;
  return QString::fromLatin1(data);
}

ChmFile::ChmFile() = default;

ChmFile::~ChmFile() { close(); }

void ChmFile::close() {
  if (handle_) chm_close(handle_);
  handle_ = nullptr;
  fileName_.clear();
  fileSize_ = 0;
  fileModified_ = {};
  dataOffset_ = 0;
  entries_.clear();
  byPath_.clear();
  byFolded_.clear();
  compressed_ = false;
  uncompressedLength_ = 0;
  defaultTopic_.clear();
  title_.clear();
  languageId_ = 0;
}

bool ChmFile::isOpen() const { return handle_ != nullptr; }
QString ChmFile::fileName() const { return fileName_; }
QString ChmFile::errorString() const { return error_; }
QString ChmFile::defaultTopic() const { return defaultTopic_; }
QString ChmFile::title() const { return title_; }
quint32 ChmFile::languageId() const { return languageId_; }
QByteArray ChmFile::codepage() const { return CodepageForLanguage(languageId_); }

bool ChmFile::fail(const QString& why) {
  error_ = why;
  return false;
}

QString ChmFile::NormalizePath(const QString& objectPath) {
  QString path = objectPath;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  const bool folder = path.endsWith(QLatin1Char('/'));
  QStringList parts;
  for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    if (part == QLatin1String(".")) continue;
    if (part == QLatin1String("..")) {
      if (!parts.isEmpty()) parts.removeLast();
      continue;
    }
    parts.append(part);
  }
  QString out = QLatin1Char('/') + parts.join(QLatin1Char('/'));
  if (folder && !parts.isEmpty()) out += QLatin1Char('/');
  return out;
}

bool ChmFile::open(const QString& path) {
  close();
  error_.clear();
  if (!checkFile(path)) {
    const QString why = error_;
    close();
    error_ = why;
    return false;
  }
  handle_ = chm_open(QFile::encodeName(path).constData());
  fileName_ = path;
  if (!handle_ || !unchangedOnDisk()) {
    close();
    return fail(QStringLiteral("%1: cannot be opened as it was checked").arg(path));
  }
  readSystemData();
  error_.clear();
  return true;
}

bool ChmFile::checkFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
  fileSize_ = file.size();
  fileModified_ = QFileInfo(file).lastModified();
  const auto size = quint64(fileSize_);
  const QString damaged = QStringLiteral("%1: not a help file or damaged: %2").arg(path);

  // File header: where the directory and the data start.
  const auto itsf = ReadAt(file, 0, quint64(std::min<qint64>(fileSize_, kItsfV3Length)));
  if (!itsf || itsf->size() < kItsfV2Length || !itsf->startsWith("ITSF"))
    return fail(damaged.arg(QStringLiteral("no ITSF header")));
  const quint32 version = Le32(*itsf, 4);
  const quint32 headerLength = Le32(*itsf, 8);
  if (!((version == 2 && headerLength == kItsfV2Length) ||
        (version == 3 && headerLength == kItsfV3Length && itsf->size() >= kItsfV3Length)))
    return fail(damaged.arg(QStringLiteral("unknown header version %1").arg(version)));
  const quint64 dirOffset = Le64(*itsf, 0x48);
  const quint64 dirLength = Le64(*itsf, 0x50);
  if (!FitsWithin(dirOffset, dirLength, size))
    return fail(damaged.arg(QStringLiteral("directory past the end of the file")));
  dataOffset_ = version == 3 ? Le64(*itsf, 0x58) : dirOffset + dirLength;
  if (dataOffset_ > size) return fail(damaged.arg(QStringLiteral("data past the end of the file")));

  // Directory header: page size, the index root, the first listing page.
  const auto itsp = dirLength >= quint64(kItspLength) ? ReadAt(file, dirOffset, kItspLength) : std::nullopt;
  if (!itsp || !itsp->startsWith("ITSP") || Le32(*itsp, 4) != 1 || Le32(*itsp, 8) != kItspLength)
    return fail(damaged.arg(QStringLiteral("no directory header")));
  const quint32 pageLength = Le32(*itsp, 0x10);
  const auto indexRoot = qint32(Le32(*itsp, 0x1c));
  const auto indexHead = qint32(Le32(*itsp, 0x20));
  const quint32 pageCount = Le32(*itsp, 0x2c);
  if (pageLength < kMinDirectoryPage || pageLength > kMaxDirectoryPage)
    return fail(damaged.arg(QStringLiteral("directory page size %1").arg(pageLength)));
  const quint64 pagesOffset = dirOffset + kItspLength;
  if (pageCount == 0 || pageCount > (dirLength - kItspLength) / pageLength)
    return fail(damaged.arg(QStringLiteral("directory pages past its end")));
  const auto validPage = [&](qint64 page) { return page >= 0 && page < qint64(pageCount); };
  if (!validPage(indexHead) || !(indexRoot == -1 || validPage(indexRoot)))
    return fail(damaged.arg(QStringLiteral("directory index outside the directory")));

  // Every page: listing pages (PMGL) hold the entries, index pages (PMGI) point at pages.
  enum class Kind { Other, Listing, Index };
  std::vector<Kind> kinds(pageCount, Kind::Other);
  std::vector<qint32> nextListing(pageCount, -1);
  std::vector<std::vector<quint32>> children(pageCount);
  for (quint32 i = 0; i < pageCount; ++i) {
    const auto page = ReadAt(file, pagesOffset + quint64(i) * pageLength, pageLength);
    if (!page) return fail(damaged.arg(QStringLiteral("directory page %1 unreadable").arg(i)));
    const bool listing = page->startsWith("PMGL");
    if (!listing && !page->startsWith("PMGI")) continue;
    const int header = listing ? kPmglHeader : kPmgiHeader;
    const quint32 freeSpace = Le32(*page, 4);
    if (freeSpace > pageLength - quint32(header))
      return fail(damaged.arg(QStringLiteral("directory page %1 overfull").arg(i)));
    PageReader reader(*page, header, qsizetype(pageLength - freeSpace));
    while (!reader.atEnd()) {
      const auto nameLength = reader.number();
      const auto name = nameLength && *nameLength <= kMaxPathBytes ? reader.bytes(*nameLength) : std::nullopt;
      if (!name) return fail(damaged.arg(QStringLiteral("bad name on directory page %1").arg(i)));
      if (listing) {
        const auto section = reader.number();
        const auto start = reader.number();
        const auto length = reader.number();
        if (!section || !start || !length)
          return fail(damaged.arg(QStringLiteral("bad entry on directory page %1").arg(i)));
        // chmlib reads section 0 as stored and anything else as compressed.
        if (*section > 1) return fail(damaged.arg(QStringLiteral("unknown content section %1").arg(*section)));
        entries_.push_back({QString::fromUtf8(AsCString(*name)), *section, *start, *length});
      } else {
        const auto child = reader.number();
        if (!child || *child >= pageCount)
          return fail(damaged.arg(QStringLiteral("index page %1 points outside the directory").arg(i)));
        children[i].push_back(quint32(*child));
      }
    }
    kinds[i] = listing ? Kind::Listing : Kind::Index;
    if (listing) {
      const auto next = qint32(Le32(*page, 0x10));
      if (next != -1 && !validPage(next))
        return fail(damaged.arg(QStringLiteral("listing page %1 points outside the directory").arg(i)));
      nextListing[i] = next;
    }
  }

  // chmlib walks the listing pages from the head along their links, and descends index pages
  // from the root until it reaches a listing page: neither walk may come back on itself.
  {
    std::vector<bool> seen(pageCount, false);
    for (qint32 page = indexHead; page != -1; page = nextListing[size_t(page)]) {
      if (kinds[size_t(page)] != Kind::Listing)
        return fail(damaged.arg(QStringLiteral("listing chain reaches a page that is no listing")));
      if (seen[size_t(page)]) return fail(damaged.arg(QStringLiteral("listing pages form a loop")));
      seen[size_t(page)] = true;
    }
  }
  {
    const quint32 root = quint32(indexRoot == -1 ? indexHead : indexRoot);
    enum class Mark : char { None, Open, Done };
    std::vector<Mark> marks(pageCount, Mark::None);
    std::vector<std::pair<quint32, size_t>> stack;  // page, next child to visit
    if (kinds[root] == Kind::Index) {
      marks[root] = Mark::Open;
      stack.emplace_back(root, 0);
    }
    while (!stack.empty()) {
      auto& [page, nextChild] = stack.back();
      if (nextChild == children[page].size()) {
        marks[page] = Mark::Done;
        stack.pop_back();
        continue;
      }
      const quint32 child = children[page][nextChild++];
      if (kinds[child] != Kind::Index) continue;
      if (marks[child] == Mark::Open) return fail(damaged.arg(QStringLiteral("index pages form a loop")));
      if (marks[child] == Mark::None) {
        marks[child] = Mark::Open;
        stack.emplace_back(child, 0);
      }
    }
  }

  for (int i = 0; i < int(entries_.size()); ++i) {
    const QString key = LookupKey(entries_[size_t(i)].path);
    if (!byPath_.contains(key)) byPath_.insert(key, i);
    const QString folded = key.toCaseFolded();
    if (!byFolded_.contains(folded)) byFolded_.insert(folded, i);
  }

  // The objects chmlib sets decompression up from. It finds them by a case-blind search that
  // may land on any copy, so each must be there once; it takes them only from section 0.
  const Entry* special[3] = {nullptr, nullptr, nullptr};
  const char* specialNames[3] = {kContentName, kResetTableName, kControlDataName};
  for (const Entry& e : entries_) {
    const QByteArray name = e.path.toUtf8();
    for (int k = 0; k < 3; ++k) {
      if (!SameAscii(name, specialNames[k])) continue;
      if (special[k]) return fail(damaged.arg(QStringLiteral("%1 appears twice").arg(QLatin1String(specialNames[k]))));
      special[k] = &e;
    }
  }
  const Entry* content = special[0];
  const Entry* resetEntry = special[1];
  const Entry* control = special[2];
  compressed_ =
      content && resetEntry && control && content->section == 0 && resetEntry->section == 0 && control->section == 0;
  if (!compressed_) return true;  // chmlib leaves decompression off; compressed objects fail on reading

  for (const Entry* e : {content, resetEntry, control}) {
    if (!FitsWithin(dataOffset_, e->start, size) || !FitsWithin(dataOffset_ + e->start, e->length, size))
      return fail(damaged.arg(QStringLiteral("%1 past the end of the file").arg(e->path)));
  }

  // Control data: the LZX window and how often the decompressor restarts. chmlib divides by
  // half the window and by the restart period, and LZX only knows windows of 2^15..2^21.
  if (control->length < kControlDataMin || control->length > kControlDataMax)
    return fail(damaged.arg(QStringLiteral("compression control data of %1 bytes").arg(control->length)));
  const auto ctl = ReadAt(file, dataOffset_ + control->start, control->length);
  if (!ctl || ctl->mid(4, 4) != "LZXC") return fail(damaged.arg(QStringLiteral("no compression control data")));
  quint32 resetInterval = Le32(*ctl, 0x0c);
  quint32 windowSize = Le32(*ctl, 0x10);
  const quint32 windowsPerReset = Le32(*ctl, 0x14);
  if (Le32(*ctl, 8) == 2) {  // counted in 32 KiB units; chmlib multiplies in 32 bits
    resetInterval *= 0x8000u;
    windowSize *= 0x8000u;
  }
  const bool windowOk = windowSize >= (1u << 15) && windowSize <= (1u << 21) && (windowSize & (windowSize - 1)) == 0;
  const quint64 halfWindow = windowSize / 2;
  const quint64 restartBlocks = windowOk ? quint64(resetInterval) / halfWindow * windowsPerReset : 0;
  if (!windowOk || resetInterval == 0 || resetInterval % halfWindow != 0 || restartBlocks == 0 ||
      restartBlocks > quint64(std::numeric_limits<qint32>::max()))
    return fail(damaged.arg(QStringLiteral("unusable compression parameters")));

  // Reset table: where each compressed block starts. chmlib decompresses a block of blockLength
  // bytes out of the window, reading at most blockLength + 6144 compressed bytes.
  const auto table = resetEntry->length >= kResetTableHeader
                         ? ReadAt(file, dataOffset_ + resetEntry->start, kResetTableHeader)
                         : std::nullopt;
  if (!table || Le32(*table, 0) != 2) return fail(damaged.arg(QStringLiteral("no compression reset table")));
  const quint64 blockCount = Le32(*table, 4);
  const quint64 tableOffset = Le32(*table, 12);
  const quint64 uncompressedLength = Le64(*table, 16);
  const quint64 compressedLength = Le64(*table, 24);
  const quint64 blockLength = Le64(*table, 32);
  if (blockCount == 0 || blockLength == 0 || blockLength > windowSize || windowSize % blockLength != 0 ||
      !FitsWithin(tableOffset, blockCount * 8, resetEntry->length) || compressedLength > content->length ||
      uncompressedLength > blockCount * blockLength)
    return fail(damaged.arg(QStringLiteral("inconsistent compression reset table")));
  const auto starts = ReadAt(file, dataOffset_ + resetEntry->start + tableOffset, blockCount * 8);
  if (!starts) return fail(damaged.arg(QStringLiteral("compression reset table unreadable")));
  for (quint64 b = 0; b < blockCount; ++b) {
    const quint64 begin = Le64(*starts, qsizetype(b * 8));
    const quint64 end = b + 1 < blockCount ? Le64(*starts, qsizetype(b * 8 + 8)) : compressedLength;
    if (begin > end || end > compressedLength || end - begin > blockLength + kCompressedSlack)
      return fail(damaged.arg(QStringLiteral("compressed block %1 out of bounds").arg(b)));
  }
  uncompressedLength_ = uncompressedLength;
  return true;
}

const ChmFile::Entry* ChmFile::find(const QString& objectPath) const {
  const QString path = LookupKey(objectPath);
  auto it = byPath_.constFind(path);
  if (it == byPath_.constEnd()) it = byFolded_.constFind(path.toCaseFolded());
  if (it == byFolded_.constEnd()) return nullptr;
  return &entries_[size_t(*it)];
}

bool ChmFile::unchangedOnDisk() const {
  const QFileInfo info(fileName_);
  return info.exists() && info.size() == fileSize_ && info.lastModified() == fileModified_;
}

bool ChmFile::contains(const QString& objectPath) const { return isOpen() && find(objectPath) != nullptr; }

std::optional<quint64> ChmFile::sizeOf(const QString& objectPath) const {
  const Entry* e = isOpen() ? find(objectPath) : nullptr;
  if (!e) return std::nullopt;
  return e->length;
}

QStringList ChmFile::objectPaths() const {
  QStringList out;
  out.reserve(qsizetype(entries_.size()));
  for (const Entry& e : entries_) out.append(e.path);
  return out;
}

std::optional<QByteArray> ChmFile::read(const QString& objectPath) {
  error_.clear();
  if (!handle_) {
    fail(QStringLiteral("no help file is open"));
    return std::nullopt;
  }
  // chmlib reads the compression tables again from the file as it goes: a file rewritten
  // since it was checked is not read.
  if (!unchangedOnDisk()) {
    fail(QStringLiteral("%1: changed on disk since it was opened").arg(fileName_));
    return std::nullopt;
  }
  const Entry* e = find(objectPath);
  if (!e) {
    fail(QStringLiteral("%1: no object %2").arg(fileName_, NormalizePath(objectPath)));
    return std::nullopt;
  }
  if (e->length > quint64(kMaxObjectSize)) {
    fail(QStringLiteral("%1: object %2 claims %3 bytes, more than %4")
             .arg(fileName_, e->path)
             .arg(e->length)
             .arg(kMaxObjectSize));
    return std::nullopt;
  }
  const bool inside = e->section == 0 ? FitsWithin(dataOffset_, e->start, quint64(fileSize_)) &&
                                            FitsWithin(dataOffset_ + e->start, e->length, quint64(fileSize_))
                                      : compressed_ && FitsWithin(e->start, e->length, uncompressedLength_);
  if (!inside) {
    fail(QStringLiteral("%1: object %2 lies outside the stored data").arg(fileName_, e->path));
    return std::nullopt;
  }
  if (e->length == 0) return QByteArray();
  QByteArray data(qsizetype(e->length), Qt::Uninitialized);
  chmUnitInfo unit{};
  unit.start = e->start;
  unit.length = e->length;
  unit.space = int(e->section);
  const LONGINT64 got =
      chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0, LONGINT64(e->length));
  if (got != LONGINT64(e->length)) {
    fail(QStringLiteral("%1: object %2 is damaged (%3 of %4 bytes read)")
             .arg(fileName_, e->path)
             .arg(qMax<LONGINT64>(got, 0))
             .arg(e->length));
    return std::nullopt;
  }
  return data;
}

void ChmFile::readSystemData() {
  // #SYSTEM: a version, then records of code, length and data. A record running past the end
  // ends the reading; what came before it still counts.
  QByteArray contentsFile, topic, title;
  if (const auto sys = read(QStringLiteral("/#SYSTEM"))) {
    qsizetype at = 4;
    while (at + 4 <= sys->size()) {
      const quint16 code = Le16(*sys, at);
      const quint16 length = Le16(*sys, at + 2);
      if (length > sys->size() - at - 4) break;
      const QByteArray data = sys->mid(at + 4, length);
      switch (code) {
        case kSysContentsFile:
          contentsFile = AsCString(data);
          break;
        case kSysDefaultTopic:
          topic = AsCString(data);
          break;
        case kSysTitle:
          title = AsCString(data);
          break;
        case kSysLanguage:
          if (data.size() >= 4) languageId_ = Le32(data, 0);
          break;
        default:
          break;
      }
      at += 4 + length;
    }
  }
  const QByteArray charset = codepage();
  title_ = DecodeHelpText(title, charset).trimmed();

  // A topic may carry an anchor; the object is the part before it.
  const auto existingPage = [this](const QString& ref) -> QString {
    QString path = ref.section(QLatin1Char('#'), 0, 0).trimmed();
    if (const auto sep = path.indexOf(QLatin1String("::")); sep >= 0) path = path.mid(sep + 2);
    if (path.isEmpty() || path.endsWith(QLatin1Char('/'))) return {};
    const Entry* e = find(path);
    return e ? NormalizePath(e->path) : QString();
  };
  defaultTopic_ = existingPage(DecodeHelpText(topic, charset));
  if (defaultTopic_.isEmpty()) defaultTopic_ = existingPage(firstContentsTopic(DecodeHelpText(contentsFile, charset)));
  for (const char* name : {"/index.htm", "/index.html", "/default.htm", "/default.html"}) {
    if (!defaultTopic_.isEmpty()) break;
    defaultTopic_ = existingPage(QLatin1String(name));
  }
  for (const Entry& e : entries_) {
    if (!defaultTopic_.isEmpty()) break;
    if (e.path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
        e.path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
      defaultTopic_ = existingPage(e.path);
  }
  error_.clear();
}

QString ChmFile::firstContentsTopic(const QString& contentsFile) {
  QString hhc = find(contentsFile) && !contentsFile.isEmpty() ? contentsFile : QString();
  for (const Entry& e : entries_) {
    if (!hhc.isEmpty()) break;
    if (e.path.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive)) hhc = e.path;
  }
  if (hhc.isEmpty()) return {};
  const auto data = read(hhc);
  if (!data) return {};
  // The contents are a sitemap: <param name="Local" value="page.htm"> names each topic.
  static const QRegularExpression local(
      QStringLiteral(R"(<param\s+name\s*=\s*["']?local["']?\s+value\s*=\s*["']([^"']+)["'])"),
      QRegularExpression::CaseInsensitiveOption);
  const auto match = local.match(DecodeHelpText(*data, codepage()));
  if (!match.hasMatch()) return {};
  return match.captured(1).replace(QLatin1String("&amp;"), QLatin1String("&"));
}

bool ChmFile::ClearTimestamps(const QString& path) {
  if (!open(path)) return false;
  const Entry* system = find(QStringLiteral("/#SYSTEM"));
  const auto data = system && system->section == 0 ? read(system->path) : std::nullopt;
  const quint64 systemOffset = data ? dataOffset_ + system->start : 0;
  const QByteArray sys = data.value_or(QByteArray());
  close();
  if (!data) return fail(QStringLiteral("%1: no readable system data").arg(path));
  QFile file(path);
  const auto zeroAt = [&file](quint64 offset, qint64 count) {
    return file.seek(qint64(offset)) && file.write(QByteArray(count, '\0')) == count;
  };
  if (!file.open(QIODevice::ReadWrite) || !zeroAt(kItsfTimestamp, 4))
    return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
  qsizetype at = 4;
  while (at + 4 <= sys.size()) {
    const quint16 code = Le16(sys, at);
    const quint16 length = Le16(sys, at + 2);
    if (length > sys.size() - at - 4) break;
    if (code == kSysTimestamp && !zeroAt(systemOffset + quint64(at) + 4, length))
      return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    at += 4 + length;
  }
  if (!file.flush()) return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
  return true;
}
