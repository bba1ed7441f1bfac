#pragma once

// Compiled HTML help files (.chm).

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct chmFile;

// One .chm file, read through chmlib. chmlib trusts the file it is given: a directory page
// that points back at itself makes it loop for ever, and damaged compression tables make it
// divide by zero or copy past its buffers. So open() first checks the headers, every
// directory page and the compression tables itself and refuses a file that would lead chmlib
// astray, with the reason in errorString(). Objects are then looked up in the directory read
// here and their bytes fetched by chmlib.
class ChmFile {
 public:
  // The largest object read into memory; an object claiming more is refused.
  static constexpr qint64 kMaxObjectSize = qint64(64) * 1024 * 1024;

  ChmFile();
  ~ChmFile();
  ChmFile(const ChmFile&) = delete;
  ChmFile& operator=(const ChmFile&) = delete;

  // Opens the file, closing the one open before. False, with errorString() set, when the file
  // is missing, unreadable or not a sound help file.
  bool open(const QString& path);
  void close();
  bool isOpen() const;
  QString fileName() const;  // as passed to open()

  // Why the last open() or read() failed; empty after a success.
  QString errorString() const;

  // Objects are named by their path inside the file, matched as HTML Help does: the leading
  // "/" may be left out, "\" counts as "/", "." and ".." are resolved, case does not matter.
  bool contains(const QString& objectPath) const;
  // The whole object; nothing (and errorString() set) when it is absent, larger than
  // kMaxObjectSize or cannot be read in full.
  std::optional<QByteArray> read(const QString& objectPath);
  // The size the directory gives an object, without reading it.
  std::optional<quint64> sizeOf(const QString& objectPath) const;
  // Every object and folder in the directory, as stored, in directory order.
  QStringList objectPaths() const;

  // The topic shown first, as an existing object path ("/index.htm"): the default topic of
  // the file's system data, else the first topic of its table of contents, else a usual
  // start page name, else the first page in the file. Empty when the file has no page.
  QString defaultTopic() const;
  // The title from the system data, decoded; empty when there is none.
  QString title() const;
  // The language (Windows LCID) from the system data; 0 when unknown.
  quint32 languageId() const;
  // The 8-bit character set texts without a declared charset are in: that of the language.
  QByteArray codepage() const;

  // The canonical form of an object path: "/dir/page.htm".
  static QString NormalizePath(const QString& objectPath);

  // Zeroes the compile times a CHM compiler stamps into the file header and the system data,
  // so that compiling the same sources twice gives the same bytes. The file is opened for it
  // and closed again; false, with errorString() set, when it cannot be done.
  bool ClearTimestamps(const QString& path);

 private:
  struct Entry {
    QString path;
    quint64 section = 0;
    quint64 start = 0;
    quint64 length = 0;
  };

  bool fail(const QString& why);
  bool checkFile(const QString& path);  // fills entries_, layout and compression data
  const Entry* find(const QString& objectPath) const;
  bool unchangedOnDisk() const;  // same size and time as when checked
  void readSystemData();
  QString firstContentsTopic(const QString& contentsFile);

  chmFile* handle_ = nullptr;
  QString fileName_;
  QString error_;

  qint64 fileSize_ = 0;
  QDateTime fileModified_;
  quint64 dataOffset_ = 0;
  std::vector<Entry> entries_;
  QHash<QString, int> byPath_;    // exact path -> entry
  QHash<QString, int> byFolded_;  // case-folded path -> first such entry

  bool compressed_ = false;         // the compressed section can be read
  quint64 uncompressedLength_ = 0;  // its length once expanded

  QString defaultTopic_;
  QString title_;
  quint32 languageId_ = 0;
};

// The text of a page or style sheet from a help file: a byte-order mark decides first, then
// the charset the text declares (<meta charset>, http-equiv Content-Type, @charset), then
// UTF-8 when the bytes are valid UTF-8, else fallbackCharset.
QString DecodeHelpText(const QByteArray& data, const QByteArray& fallbackCharset);

// The Windows 8-bit character set of a language (LCID): windows-1251 for Russian.
QByteArray CodepageForLanguage(quint32 languageId);
