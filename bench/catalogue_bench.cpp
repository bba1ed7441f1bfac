// Catalogue loading and filtering on large synthetic catalogues.
//
// Loading (rows read by the scanner, the program's way) is set beside the same load with
// expat reading the rows, and beside three baselines on the same file: reading its bytes
// into memory (the physical floor), expat parsing it with no handlers (the least an
// expat-based reader can cost) and pugixml building its whole DOM. Peak memory of a load is
// measured in a forked child. Filtering on FID through the store's index is set beside a
// linear scan of the table.

#include <benchmark/benchmark.h>
#include <expat.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <pugixml.hpp>
#include <streambuf>
#include <string>
#include <vector>

#include "bench_support.h"
#include "catalogue/search.h"
#include "catalogue/store.h"
#include "catalogue_writer/ado_writer.h"

namespace {

namespace fs = std::filesystem;
using catalogue::CatalogueStore;
using catalogue::Field;
using catalogue::RecordData;

constexpr int kSizes[] = {100'000, 1'000'000};

// ---------------------------------------------------------------- synthetic catalogue

const char* const kNouns[] = {"Болт",  "Гайка",   "Шайба",  "Кронштейн", "Втулка",    "Палец",      "Ось",
                              "Рычаг", "Крышка",  "Корпус", "Фланец",    "Прокладка", "Уплотнение", "Пружина",
                              "Шток",  "Цилиндр", "Ролик",  "Шкив",      "Вал",       "Подшипник",  "Кольцо",
                              "Тяга",  "Планка",  "Упор",   "Стакан",    "Муфта",     "Шестерня",   "Звёздочка",
                              "Рукав", "Штуцер",  "Хомут",  "Пластина",  "Колонна",   "Опора",      "Траверса"};
const char* const kAdjectives[] = {"опорный",       "направляющий",  "регулировочный", "стопорный", "поворотный",
                                   "промежуточный", "верхний",       "нижний",         "левый",     "правый",
                                   "передний",      "задний",        "усиленный",      "резьбовой", "защитный",
                                   "натяжной",      "гидравлический"};
const char* const kTails[] = {"в сборе", "с креплением",       "стрелы",        "рукояти",          "захвата",
                              "колонны", "механизма поворота", "гидроцилиндра", "поста управления", "удлинителя"};
const char* const kSentences[] = {
    "Устанавливается на поворотную колонну, затяжку проверять после первых пятидесяти часов работы.",
    "Заменять вместе с уплотнениями, перед сборкой смазать тонким слоем консистентной смазки.",
    "Поставляется в сборе с крепёжными деталями, момент затяжки указан в руководстве.",
    "Применяется на машинах ранних выпусков, при замене проверить соосность отверстий.",
    "Допускается замена аналогом по согласованию с сервисной службой изготовителя."};

std::size_t Utf8Letters(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// A part name of 20 to 40 letters.
std::string PartName(bench::Random& rnd) {
  for (;;) {
    std::string name = rnd.Pick(kNouns);
    name += ' ';
    name += rnd.Pick(kAdjectives);
    while (Utf8Letters(name) < 20) {
      name += ' ';
      name += rnd.Pick(kTails);
    }
    if (Utf8Letters(name) <= 40) return name;
  }
}

std::string Format(const char* fmt, int a, int b = 0, int c = 0) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, a, b, c);
  return buf;
}

// The parent of each record (index = ID; FID 0 for the seven sections). IDs ascend in
// breadth-first order, so children always follow their parent in the file; every node
// gets 17 to 23 children until the records run out.
std::vector<int> TreeShape(int records) {
  std::vector<int> fid(static_cast<std::size_t>(records) + 1, 0);
  bench::Random rnd(7);
  int next = 8;  // 1..7 are the sections
  for (int parent = 1; next <= records; ++parent) {
    const int children = 17 + rnd.Below(7);
    for (int k = 0; k < children && next <= records; ++k) fid[next++] = parent;
  }
  return fid;
}

void WriteCatalogue(std::ostream& out, int records) {
  const std::vector<int> fid = TreeShape(records);
  std::vector<int> childCount(fid.size(), 0);
  for (int id = 1; id <= records; ++id) ++childCount[fid[id]];

  bench::Random rnd(1);
  catalogue::WriteAdoHeader(out);
  RecordData r;
  int sibling = 0;
  for (int id = 1; id <= records; ++id) {
    sibling = id > 1 && fid[id] == fid[id - 1] ? sibling + 1 : 1;
    r.id = id;
    r.fid = fid[id];
    r.number = fid[id] == 0 ? id : sibling;
    r.oboz = "КМ-10." + Format("%02d.%03d.%03d", (id / 100000) % 100, (id / 1000) % 1000, id % 1000);
    r.naim = PartName(rnd);
    r.massa = Format("%d,%d", 1 + rnd.Below(250), rnd.Below(10));
    r.count = std::to_string(1 + rnd.Below(8));
    r.picture = Format("kr%07d", fid[id] == 0 ? id : fid[id]);
    r.view = childCount[id] ? Format("vid%07d", id) : std::string();
    r.descript = rnd.Below(4) == 0 ? rnd.Pick(kSentences) : "";
    r.sostoit = childCount[id] > 0;
    r.vozmPokupka = rnd.Below(3) != 0;
    r.pokupka = rnd.Below(5) == 0;
    r.left = rnd.Below(792);
    r.top = rnd.Below(541);
    r.table = rnd.Below(10);
    catalogue::WriteAdoRow(out, r);
  }
  catalogue::WriteAdoFooter(out);
}

// Counts what is written, to learn a file's size without writing it.
class CountingBuffer : public std::streambuf {
 public:
  std::uint64_t count = 0;

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) ++count;
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    count += static_cast<std::uint64_t>(n);
    return n;
  }
};

// The catalogue of that many records in /tmp; a file already there is kept when it has
// the size this generator gives it.
std::string CataloguePath(int records) {
  const std::string path = "/tmp/catalogue_bench_" + std::to_string(records) + ".xml";
  CountingBuffer counter;
  std::ostream counting(&counter);
  WriteCatalogue(counting, records);
  std::error_code ec;
  if (fs::file_size(path, ec) == counter.count && !ec) return path;

  const std::string temp = path + ".part" + std::to_string(getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    WriteCatalogue(out, records);
    if (!out.flush()) {
      std::fprintf(stderr, "cannot write %s\n", temp.c_str());
      std::exit(1);
    }
  }
  fs::rename(temp, path);
  return path;
}

struct Catalogue {
  int records;
  std::string path;
  std::uint64_t bytes;
};

std::vector<Catalogue> g_catalogues;

// ---------------------------------------------------------------- the measured work

constexpr std::size_t kChunk = 1 << 20;

// Expat with no handlers at all, fed in 1 MiB pieces read straight into its buffer.
bool ExpatBare(const std::string& path) {
  XML_Parser parser = XML_ParserCreate(nullptr);
  std::ifstream in(path, std::ios::binary);
  bool ok = parser && in;
  while (ok) {
    void* buf = XML_GetBuffer(parser, kChunk);
    if (!buf) {
      ok = false;
      break;
    }
    in.read(static_cast<char*>(buf), kChunk);
    const auto got = static_cast<int>(in.gcount());
    const bool last = got < static_cast<int>(kChunk);
    ok = XML_ParseBuffer(parser, got, last) != XML_STATUS_ERROR;
    if (last) break;
  }
  if (parser) XML_ParserFree(parser);
  return ok;
}

// Every byte of the file read into memory, 1 MiB at a time, as the readers read it.
bool ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> buffer(kChunk);
  std::uint64_t sum = 0;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(kChunk));
    if (in.gcount() > 0) sum += static_cast<unsigned char>(buffer[static_cast<std::size_t>(in.gcount()) - 1]);
  }
  benchmark::DoNotOptimize(sum);
  return !in.bad();
}

std::unique_ptr<pugi::xml_document> PugixmlDom(const std::string& path) {
  auto doc = std::make_unique<pugi::xml_document>();
  if (!doc->load_file(path.c_str(), pugi::parse_default)) return nullptr;
  return doc;
}

std::unique_ptr<CatalogueStore> LoadStore(const std::string& path,
                                          catalogue::RowReader rows = catalogue::RowReader::Scanner) {
  auto store = std::make_unique<CatalogueStore>();
  if (!store->LoadFile(path, rows)) return nullptr;
  return store;
}

std::string Key(const char* name, const Catalogue& c) { return std::string(name) + "/" + std::to_string(c.records); }

// Megabytes of the file per second of the case's mean time.
void SetRate(benchmark::State& state, const char* name, const Catalogue& c) {
  state.counters["MB/s"] = static_cast<double>(c.bytes) / 1e6 / bench::RecordedMeans()[Key(name, c)];
}

void BM_ExpatBare(benchmark::State& state, const Catalogue& c) {
  bool ok = true;
  bench::Loop(state, Key("ExpatBare", c), [&] { ok = ExpatBare(c.path) && ok; });
  if (!ok) state.SkipWithError("expat refused the file");
  SetRate(state, "ExpatBare", c);
}

void BM_ReadFile(benchmark::State& state, const Catalogue& c) {
  bool ok = true;
  bench::Loop(state, Key("ReadFile", c), [&] { ok = ReadFile(c.path) && ok; });
  if (!ok) state.SkipWithError("the file could not be read");
  SetRate(state, "ReadFile", c);
}

void BM_PugixmlDom(benchmark::State& state, const Catalogue& c) {
  bool ok = true;
  bench::Loop(state, Key("PugixmlDom", c), [&] {
    auto doc = PugixmlDom(c.path);
    ok = ok && doc;
    return doc;
  });
  if (!ok) state.SkipWithError("pugixml refused the file");
  SetRate(state, "PugixmlDom", c);
}

// A load of the whole file into the store, its rows read the given way.
void BM_Load(benchmark::State& state, const Catalogue& c, const char* name, catalogue::RowReader rows) {
  bool ok = true;
  std::size_t records = 0;
  bench::Loop(state, Key(name, c), [&] {
    auto store = LoadStore(c.path, rows);
    ok = ok && store;
    if (store) records = static_cast<std::size_t>(store->CountRecords());
    return store;
  });
  if (!ok || records != static_cast<std::size_t>(c.records)) {
    state.SkipWithError("the store did not load every record");
    return;
  }
  SetRate(state, name, c);
  const double mine = bench::RecordedMeans()[Key(name, c)];
  state.counters["ratio_to_expat"] = mine / bench::MeanOf(Key("ExpatBare", c), [&] { ExpatBare(c.path); });
  state.counters["ratio_to_read"] = mine / bench::MeanOf(Key("ReadFile", c), [&] { ReadFile(c.path); });
  state.counters["ratio_to_pugixml"] = mine / bench::MeanOf(Key("PugixmlDom", c), [&] { return PugixmlDom(c.path); });
}

void BM_LoadFile(benchmark::State& state, const Catalogue& c) {
  BM_Load(state, c, "LoadFile", catalogue::RowReader::Scanner);
  if (auto it = bench::RecordedMeans().find(Key("LoadFileExpatRows", c)); it != bench::RecordedMeans().end())
    state.counters["ratio_to_expat_rows"] = bench::RecordedMeans()[Key("LoadFile", c)] / it->second;
}

void BM_LoadFileExpatRows(benchmark::State& state, const Catalogue& c) {
  BM_Load(state, c, "LoadFileExpatRows", catalogue::RowReader::Expat);
}

// ---------------------------------------------------------------- peak memory

long StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t n = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':') return std::stol(line.substr(n + 1));
  return -1;
}

// Peak resident bytes that `work` adds, measured in a forked child so that nothing the
// benchmark process already holds (or has freed) hides or inflates it. -1 on failure.
template <class Work>
long long PeakBytesOf(Work work) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    close(fds[0]);
    malloc_trim(0);
    long long result = -1;
    // Writing 5 there resets the high-water mark to what the child holds now.
    const int clear = open("/proc/self/clear_refs", O_WRONLY);
    if (clear >= 0 && write(clear, "5", 1) == 1) {
      const long base = StatusKiB("VmRSS");
      const bool ok = work();
      const long peak = StatusKiB("VmHWM");
      if (ok && base >= 0 && peak >= 0) result = (peak - base) * 1024LL;
    }
    if (clear >= 0) close(clear);
    [[maybe_unused]] auto written = write(fds[1], &result, sizeof result);
    _exit(0);
  }
  close(fds[1]);
  long long result = -1;
  if (read(fds[0], &result, sizeof result) != sizeof result) result = -1;
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  return result;
}

template <class Work>
void BM_PeakMemory(benchmark::State& state, const Catalogue& c, Work work) {
  long long peak = -1;
  for (auto _ : state) peak = PeakBytesOf(work);
  if (peak < 0) {
    state.SkipWithError("peak memory could not be measured");
    return;
  }
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["peak_over_file"] = static_cast<double>(peak) / static_cast<double>(c.bytes);
}

// ---------------------------------------------------------------- filtering

CatalogueStore& LoadedStore(const Catalogue& c) {
  static std::unique_ptr<CatalogueStore> store;
  if (!store) store = LoadStore(c.path);
  if (!store) {
    std::fprintf(stderr, "cannot load %s\n", c.path.c_str());
    std::exit(1);
  }
  return *store;
}

// Two parents with exactly 20 children, from the middle of the file.
std::pair<int, int> TwoParentsOfTwenty(const CatalogueStore& store) {
  const auto& table = store.table();
  std::vector<int> children;
  for (std::size_t r = 0; r < table.size(); ++r) {
    const auto fid = static_cast<std::size_t>(table.Integer(r, Field::FID));
    if (fid >= children.size()) children.resize(fid + 1, 0);
    ++children[fid];
  }
  std::vector<int> found;
  for (std::size_t id = children.size() / 2; id < children.size() && found.size() < 2; ++id)
    if (children[id] == 20) found.push_back(static_cast<int>(id));
  if (found.size() < 2) {
    std::fprintf(stderr, "no two parents with 20 children\n");
    std::exit(1);
  }
  return {found[0], found[1]};
}

// What a scan that does not use the index costs: every record's FID tested.
std::int64_t ScanChildren(const CatalogueStore& store, int parent) {
  const auto& table = store.table();
  std::int64_t sum = 0;
  for (std::size_t r = 0; r < table.size(); ++r)
    if (table.Integer(r, Field::FID) == parent) sum += table.Integer(r, Field::ID);
  return sum;
}

void BM_LinearScan(benchmark::State& state, const Catalogue& c) {
  CatalogueStore& store = LoadedStore(c);
  const auto [a, b] = TwoParentsOfTwenty(store);
  bool flip = false;
  std::int64_t sum = 0;
  bench::Loop(state, Key("LinearScan", c), [&] { sum += ScanChildren(store, (flip = !flip) ? a : b); });
  benchmark::DoNotOptimize(sum);
}

void BM_FilterChildren(benchmark::State& state, const Catalogue& c) {
  CatalogueStore& store = LoadedStore(c);
  const auto [a, b] = TwoParentsOfTwenty(store);
  const std::string filters[2] = {"FID = " + std::to_string(a), "FID = " + std::to_string(b)};
  bool flip = false;
  std::int64_t sum = 0;
  int walked = 0;
  bool ok = true;
  bench::Loop(state, Key("FilterChildren", c), [&] {
    ok = store.ApplyFilter(filters[flip = !flip]).ok() && ok;
    walked = 0;
    for (store.MoveFirst(); !store.AtEnd(); store.MoveNext()) {
      sum += store.GetInteger(Field::ID);
      ++walked;
    }
  });
  benchmark::DoNotOptimize(sum);
  if (!ok || walked != 20) {
    state.SkipWithError("the filter did not select the 20 children");
    return;
  }
  // The scan must find the same records as the filter.
  store.ApplyFilter(filters[0]).ok();
  std::int64_t viaFilter = 0;
  for (store.MoveFirst(); !store.AtEnd(); store.MoveNext()) viaFilter += store.GetInteger(Field::ID);
  if (viaFilter != ScanChildren(store, a)) {
    state.SkipWithError("the filter and the scan disagree");
    return;
  }
  state.counters["records"] = walked;
  state.counters["speedup_over_scan"] = bench::MeanOf(Key("LinearScan", c), [&] { return ScanChildren(store, a); }) /
                                        bench::RecordedMeans()[Key("FilterChildren", c)];
}

// ---------------------------------------------------------------- finding a part

// The folded texts of the loaded table, made once.
const catalogue::PartSearch& Search(const Catalogue& c) {
  static std::unique_ptr<catalogue::PartSearch> search;
  if (!search) search = std::make_unique<catalogue::PartSearch>(LoadedStore(c).table());
  return *search;
}

// A bare scan of the folded text for a word: every occurrence counted with memmem, the floor
// a search of the text cannot go below.
std::size_t BareMemmem(const std::string& text, const std::string& needle) {
  std::size_t n = 0;
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  while (const void* hit = ::memmem(at, static_cast<std::size_t>(end - at), needle.data(), needle.size())) {
    ++n;
    at = static_cast<const char*>(hit) + needle.size();
  }
  return n;
}

void BM_SearchBuild(benchmark::State& state, const Catalogue& c) {
  const CatalogueStore& store = LoadedStore(c);
  std::size_t bytes = 0;
  bench::Loop(state, Key("SearchBuild", c), [&] {
    catalogue::PartSearch search(store.table());
    bytes = search.Bytes();
  });
  state.counters["index_to_file"] = static_cast<double>(bytes) / static_cast<double>(c.bytes);
}

void BM_Search(benchmark::State& state, const Catalogue& c, const std::string& query) {
  const catalogue::PartSearch& search = Search(c);
  std::size_t found = 0;
  bench::Loop(state, Key(("Search " + query).c_str(), c), [&] { found = search.Find(query, 500).total; });
  // The yardstick in the same run: memmem over the same folded text for the query's first
  // word, in the form each text holds (designations without their separators).
  const std::string first = query.substr(0, query.find(' '));
  const std::string inDesignations = catalogue::DesignationFold(first), inNames = catalogue::SearchFold(first);
  const auto bareScan = [&] {
    return BareMemmem(search.Designations(), inDesignations) + BareMemmem(search.Names(), inNames);
  };
  const std::size_t hits = bareScan();
  const double bare = bench::MeanOf(Key(("Memmem " + query).c_str(), c), bareScan, 5);
  state.counters["found"] = static_cast<double>(found);
  state.counters["word_hits"] = static_cast<double>(hits);
  state.counters["ratio_to_memmem"] = bench::RecordedMeans()[Key(("Search " + query).c_str(), c)] / bare;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  for (int records : kSizes) {
    const std::string path = CataloguePath(records);
    const auto bytes = static_cast<std::uint64_t>(fs::file_size(path));
    g_catalogues.push_back({records, path, bytes});
    std::printf("%s: %d records, %" PRIu64 " bytes (%.1f MB, %.0f bytes a record)\n", path.c_str(), records, bytes,
                static_cast<double>(bytes) / 1e6, static_cast<double>(bytes) / records);
    ExpatBare(path);  // brings the file into the page cache
  }
  std::fflush(stdout);

  for (const Catalogue& c : g_catalogues) {
    const int iterations = c.records >= 1'000'000 ? 3 : 10;
    const auto n = std::to_string(c.records);
    for (auto* b : {benchmark::RegisterBenchmark(("ReadFile/" + n).c_str(), BM_ReadFile, c),
                    benchmark::RegisterBenchmark(("ExpatBare/" + n).c_str(), BM_ExpatBare, c),
                    benchmark::RegisterBenchmark(("PugixmlDom/" + n).c_str(), BM_PugixmlDom, c),
                    benchmark::RegisterBenchmark(("LoadFileExpatRows/" + n).c_str(), BM_LoadFileExpatRows, c),
                    benchmark::RegisterBenchmark(("LoadFile/" + n).c_str(), BM_LoadFile, c)})
      b->Iterations(iterations)->Unit(benchmark::kMillisecond)->UseRealTime();
  }
  for (const Catalogue& c : g_catalogues) {
    const auto n = std::to_string(c.records);
    benchmark::RegisterBenchmark(
        ("PeakMemory/LoadFile/" + n).c_str(),
        [c](benchmark::State& state) { BM_PeakMemory(state, c, [&] { return LoadStore(c.path) != nullptr; }); })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(
        ("PeakMemory/LoadFileExpatRows/" + n).c_str(),
        [c](benchmark::State& state) {
          BM_PeakMemory(state, c, [&] { return LoadStore(c.path, catalogue::RowReader::Expat) != nullptr; });
        })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(
        ("PeakMemory/PugixmlDom/" + n).c_str(),
        [c](benchmark::State& state) { BM_PeakMemory(state, c, [&] { return PugixmlDom(c.path) != nullptr; }); })
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  const Catalogue& largest = g_catalogues.back();
  const auto n = std::to_string(largest.records);
  benchmark::RegisterBenchmark(("LinearScan/" + n).c_str(), BM_LinearScan, largest)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark(("FilterChildren/" + n).c_str(), BM_FilterChildren, largest)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark(("SearchBuild/" + n).c_str(), BM_SearchBuild, largest)
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  // A designation, the same typed in Latin look-alike letters, a common word of names, two words;
  // then what costs the most: one letter typed a hundred times, eight common letters, a pasted
  // text of a hundred words.
  std::string letterTimes100, pasted;
  for (int i = 0; i < 100; ++i) letterTimes100 += "а ";
  for (int i = 0; i < 100; ++i) pasted += (i % 2 ? "опорный " : "деталь") + std::to_string(i) + " ";
  const std::pair<std::string, std::string> queries[] = {{"КМ-10.05.512.345", "КМ-10.05.512.345"},
                                                         {"KM-10.05.512", "KM-10.05.512"},
                                                         {"втулка", "втулка"},
                                                         {"кронштейн опорный", "кронштейн опорный"},
                                                         {"а x100", letterTimes100},
                                                         {"а о е и н т с р", "а о е и н т с р"},
                                                         {"pasted 100 words", pasted}};
  for (const auto& [name, query] : queries)
    benchmark::RegisterBenchmark(("Search/" + name + "/" + n).c_str(),
                                 [query, &largest](benchmark::State& s) { BM_Search(s, largest, query); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
