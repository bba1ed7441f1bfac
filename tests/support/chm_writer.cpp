#include "support/chm_writer.h"

namespace chm_writer {

void PutLe32(QByteArray& b, qsizetype at, quint32 v) {
  for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xff);
}

void PutLe64(QByteArray& b, qsizetype at, quint64 v) {
  PutLe32(b, at, quint32(v));
  PutLe32(b, at + 4, quint32(v >> 32));
}

QByteArray Number(quint64 v) {
  QByteArray out(1, char(v & 0x7f));
  for (v >>= 7; v; v >>= 7) out.prepend(char(0x80 | (v & 0x7f)));
  return out;
}

QByteArray ListingPage(const std::vector<DirEntry>& entries, qint32 next, const Layout& layout) {
  QByteArray body;
  for (const DirEntry& e : entries)
    body += Number(quint64(e.name.size())) + e.name + Number(e.section) + Number(e.start) + Number(e.length);
  QByteArray page(layout.page, '\0');
  page.replace(0, 4, "PMGL");
  PutLe32(page, 4, quint32(layout.page - 0x14 - body.size()));
  PutLe32(page, 0x0c, quint32(-1));
  PutLe32(page, 0x10, quint32(next));
  page.replace(0x14, body.size(), body);
  return page;
}

QByteArray IndexPage(const std::vector<std::pair<QByteArray, quint32>>& children, const Layout& layout) {
  QByteArray body;
  for (const auto& [name, child] : children) body += Number(quint64(name.size())) + name + Number(child);
  QByteArray page(layout.page, '\0');
  page.replace(0, 4, "PMGI");
  PutLe32(page, 4, quint32(layout.page - 8 - body.size()));
  page.replace(8, body.size(), body);
  return page;
}

QByteArray Container(const std::vector<QByteArray>& pages, qint32 root, qint32 head, const QByteArray& data,
                     const Layout& layout) {
  const quint64 dirLength = 0x54 + quint64(pages.size()) * layout.page;
  QByteArray f(0x78, '\0');
  f.replace(0, 4, "ITSF");
  PutLe32(f, 4, 3);
  PutLe32(f, 8, 0x60);
  PutLe32(f, 0x0c, 1);
  PutLe32(f, 0x14, layout.language);
  PutLe64(f, 0x38, 0x60);
  PutLe64(f, 0x40, 0x18);
  PutLe64(f, 0x48, 0x78);
  PutLe64(f, 0x50, dirLength);
  PutLe64(f, 0x58, 0x78 + dirLength);
  QByteArray itsp(0x54, '\0');
  itsp.replace(0, 4, "ITSP");
  PutLe32(itsp, 4, 1);
  PutLe32(itsp, 8, 0x54);
  PutLe32(itsp, 0x0c, 0x0a);
  PutLe32(itsp, 0x10, layout.page);
  PutLe32(itsp, 0x14, 2);
  PutLe32(itsp, 0x18, root == -1 ? 1 : 2);
  PutLe32(itsp, 0x1c, quint32(root));
  PutLe32(itsp, 0x20, quint32(head));
  PutLe32(itsp, 0x24, quint32(head));
  PutLe32(itsp, 0x28, quint32(-1));
  PutLe32(itsp, 0x2c, quint32(pages.size()));
  f += itsp;
  for (const QByteArray& p : pages) f += p;
  return f + data;
}

std::vector<DirEntry> Lay(const std::vector<std::pair<QByteArray, QByteArray>>& objects, QByteArray* data) {
  std::vector<DirEntry> entries;
  for (const auto& [name, bytes] : objects) {
    entries.push_back({name, 0, quint64(data->size()), quint64(bytes.size())});
    *data += bytes;
  }
  return entries;
}

QByteArray SimpleChm(const std::vector<std::pair<QByteArray, QByteArray>>& objects, const Layout& layout) {
  QByteArray data;
  const std::vector<DirEntry> entries = Lay(objects, &data);
  return Container({ListingPage(entries, -1, layout)}, -1, 0, data, layout);
}

QByteArray SystemData(const std::vector<std::pair<quint16, QByteArray>>& records) {
  QByteArray out(4, '\0');
  PutLe32(out, 0, 3);
  for (const auto& [code, data] : records) {
    QByteArray head(4, '\0');
    head[0] = char(code & 0xff);
    head[1] = char(code >> 8);
    head[2] = char(data.size() & 0xff);
    head[3] = char(data.size() >> 8);
    out += head + data;
  }
  return out;
}

}  // namespace chm_writer
