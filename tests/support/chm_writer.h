#pragma once
// Small help files written the way a CHM compiler lays them out, every object stored
// uncompressed: for the tests and the fuzz seeds, which need files a compiler never writes.

#include <QByteArray>

#include <utility>
#include <vector>

namespace chm_writer {

void PutLe32(QByteArray& b, qsizetype at, quint32 v);
void PutLe64(QByteArray& b, qsizetype at, quint64 v);
// The variable-length number of directory entries: 7 bits a byte, most significant first.
QByteArray Number(quint64 v);

struct DirEntry {
  QByteArray name;
  quint64 section = 0, start = 0, length = 0;
};

// Directory page size and the language stamped in the file header.
struct Layout {
  quint32 page = 0x1000;
  quint32 language = 0;
};

QByteArray ListingPage(const std::vector<DirEntry>& entries, qint32 next = -1, const Layout& layout = {});
QByteArray IndexPage(const std::vector<std::pair<QByteArray, quint32>>& children, const Layout& layout = {});
// Header, directory header, the given directory pages, then the content.
QByteArray Container(const std::vector<QByteArray>& pages, qint32 root, qint32 head, const QByteArray& data,
                     const Layout& layout = {});

// Objects appended to *data one after another, as directory entries.
std::vector<DirEntry> Lay(const std::vector<std::pair<QByteArray, QByteArray>>& objects, QByteArray* data);
// Objects stored one after another, listed on one page.
QByteArray SimpleChm(const std::vector<std::pair<QByteArray, QByteArray>>& objects, const Layout& layout = {});

// The #SYSTEM object: version 3, then the records (code, data).
QByteArray SystemData(const std::vector<std::pair<quint16, QByteArray>>& records);

}  // namespace chm_writer
