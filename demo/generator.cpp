// Makes the demo catalogue: db/my.xml and the pictures under Images/, in the folder given.
//   demo-generator OUTPUT_DIR
// The catalogue is that of the КМ-120 loader crane; every picture is drawn here. The output
// is the same, byte for byte, on every run.

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "catalogue_writer/ado_writer.h"
#include "controls/jpeg.h"
#include "model.h"
#include "shapes.h"

using catalogue::RecordData;
using namespace demo;

namespace {

constexpr int kQuality = 85;

QString g_out;

bool SaveJpeg(const std::string& name, const QImage& image, bool progressive) {
  QByteArray data;
  if (!EncodeJpeg(image, kQuality, progressive, data)) return false;
  QFile f(g_out + QStringLiteral("/Images/") + QString::fromStdString(name) + QStringLiteral(".jpg"));
  return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Every drawing of the tree, once, in the order first met.
class Drawings {
 public:
  void Collect(const NodeRef& node) {
    if (!visited_.insert(node.get()).second) return;
    for (const DrawingRef& d : {node->picture, node->composition}) {
      if (!d) continue;
      Add(d);
      for (const Use& u : d->parts) Collect(u.node);
    }
  }
  const std::vector<DrawingRef>& all() const { return list_; }
  std::string error;

 private:
  void Add(const DrawingRef& d) {
    auto [it, fresh] = byName_.emplace(d->name, d.get());
    if (fresh)
      list_.push_back(d);
    else if (it->second != d.get() && error.empty())
      error = "two different drawings named " + d->name;
  }
  std::set<const Node*> visited_;
  std::map<std::string, const Drawing*> byName_;
  std::vector<DrawingRef> list_;
};

struct Rendered {
  std::map<std::string, Callout> callouts;  // by anchor
  std::string error, warning;
};

Rendered Render(const Drawing& d) {
  Rendered out;
  Sheet s(d.width, d.height);
  d.draw(s);
  if (d.frame) s.Frame(d.title);
  if (!d.parts.empty()) {
    std::vector<Callout> callouts;
    std::set<std::string> seen;
    for (const Use& u : d.parts) {
      if (!seen.insert(u.anchor).second) {
        out.error = d.name + ": anchor " + u.anchor + " used twice";
        return out;
      }
      auto it = s.anchors().find(u.anchor);
      if (it == s.anchors().end()) {
        out.error = d.name + ": no anchor " + u.anchor;
        return out;
      }
      Callout c;
      c.key = u.anchor;
      c.oboz = QString::fromStdString(u.node->oboz);
      c.naim = QString::fromStdString(u.node->naim);
      c.anchor = it->second;
      callouts.push_back(c);
    }
    s.End();
    std::string why, crossing;
    if (!LayoutCallouts(s.image(), callouts, why, crossing)) {
      out.error = d.name + ": " + why;
      SaveJpeg(d.name, s.image(), false);  // left for a look at what did not fit
      return out;
    }
    if (!crossing.empty()) out.warning = d.name + ": leaders cross: " + crossing;
    s.Resume();
    DrawLeaders(s, callouts);
    for (const Callout& c : callouts) out.callouts[c.key] = c;
  }
  s.End();
  if (!SaveJpeg(d.name, s.image(), d.progressive)) out.error = d.name + ": cannot write the picture";
  return out;
}

class Writer {
 public:
  explicit Writer(const std::map<std::string, Rendered>& rendered) : rendered_(rendered) {}

  void Section(int number, const demo::Section& sec) {
    const Node& n = *sec.node;
    RecordData r;
    r.id = next_++;
    r.fid = 0;
    r.number = number;
    r.oboz = n.oboz;
    r.naim = n.naim;
    r.picture = n.picture->name;
    r.view = n.picture->name;
    r.descript = sec.descript;
    r.sostoit = true;
    r.table = std::max(0, n.table);
    records_.push_back(r);
    Children(*n.picture, r.id, r.table);
  }

  std::vector<RecordData> records() const { return records_; }

 private:
  void Children(const Drawing& d, int fid, int table) {
    const auto& placed = rendered_.at(d.name).callouts;
    std::vector<const Use*> uses;
    for (const Use& u : d.parts) uses.push_back(&u);
    std::stable_sort(uses.begin(), uses.end(), [&](const Use* a, const Use* b) {
      return placed.at(a->anchor).number < placed.at(b->anchor).number;
    });
    for (const Use* u : uses) Part(*u, fid, table, placed.at(u->anchor));
  }

  void Part(const Use& u, int fid, int parentTable, const Callout& c) {
    const Node& n = *u.node;
    RecordData r;
    r.id = next_++;
    r.fid = fid;
    r.number = c.number;
    r.oboz = n.oboz;
    r.naim = n.naim;
    if (n.mass > 0) r.massa = MassText(n.mass).toStdString();
    r.count = std::to_string(u.count);
    r.picture = n.picture->name;
    r.view = n.picture->name;
    r.left = c.rect.left();
    r.top = c.rect.top();
    r.table = n.table >= 0 ? n.table : parentTable;
    records_.push_back(r);
    if (n.IsAssembly()) {
      Children(*n.picture, r.id, r.table);
      return;
    }
    // The item record: what may be ordered, and the way into its composition.
    RecordData item = r;
    item.id = next_++;
    item.fid = r.id;
    item.number = 0;
    item.left = item.top = 0;
    item.vozmPokupka = n.orderable;
    item.sostoit = n.composition != nullptr;
    if (n.composition) item.picture = item.view = n.composition->name;
    records_.push_back(item);
    if (n.composition) Children(*n.composition, item.id, item.table);
  }

  const std::map<std::string, Rendered>& rendered_;
  std::vector<RecordData> records_;
  int next_ = 1;
};

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: demo-generator OUTPUT_DIR\n");
    return 2;
  }
  g_out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(g_out + QStringLiteral("/db"));
  QDir().mkpath(g_out + QStringLiteral("/Images"));

  const std::vector<demo::Section> sections = BuildCatalogue();
  // The plates of the start screen write the designation in bold 19-pixel and the name in
  // 13-pixel Arial (Liberation Sans) from x = 35 of a 225-pixel plate: what is longer is cut.
  for (const demo::Section& s : sections) {
    QFont bold(QStringLiteral("Liberation Sans"));
    bold.setPixelSize(19);
    bold.setBold(true);
    QFont plain(QStringLiteral("Liberation Sans"));
    plain.setPixelSize(13);
    const int room = 225 - 35 - 4;
    if (QFontMetrics(bold).horizontalAdvance(QString::fromStdString(s.node->oboz)) > room ||
        QFontMetrics(plain).horizontalAdvance(QString::fromStdString(s.node->naim)) > room)
      std::fprintf(stderr, "demo-generator: the plate of %s is too narrow for its text\n", s.node->oboz.c_str());
  }
  Drawings drawings;
  for (const demo::Section& s : sections) drawings.Collect(s.node);
  if (!drawings.error.empty()) {
    std::fprintf(stderr, "demo-generator: %s\n", drawings.error.c_str());
    return 1;
  }

  // Drawing and compressing are the bulk of the work: spread over the processors.
  const auto& all = drawings.all();
  std::vector<Rendered> results(all.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i; (i = next++) < all.size();) results[i] = Render(*all[i]);
  };
  const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
  std::vector<std::thread> threads;
  for (unsigned i = 1; i < workers; ++i) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();

  std::map<std::string, Rendered> rendered;
  bool failed = false;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (!results[i].warning.empty()) std::fprintf(stderr, "demo-generator: %s\n", results[i].warning.c_str());
    if (!results[i].error.empty()) {
      std::fprintf(stderr, "demo-generator: %s\n", results[i].error.c_str());
      failed = true;
    }
    rendered.emplace(all[i]->name, std::move(results[i]));
  }
  if (failed) return 1;

  // The start screen.
  QImage root(519, 346, QImage::Format_RGB32);
  DrawRootPicture(root);
  QImage background(792, 541, QImage::Format_RGB32);
  DrawBackground(background);
  if (!SaveJpeg("Fon", root, true) || !SaveJpeg("Fon2", background, false)) {
    std::fprintf(stderr, "demo-generator: cannot write the start screen pictures\n");
    return 1;
  }

  Writer writer(rendered);
  for (std::size_t i = 0; i < sections.size(); ++i) writer.Section(static_cast<int>(i) + 1, sections[i]);
  if (!catalogue::WriteAdoFile((g_out + QStringLiteral("/db/my.xml")).toStdString(), writer.records())) {
    std::fprintf(stderr, "demo-generator: cannot write the catalogue\n");
    return 1;
  }
  return 0;
}
