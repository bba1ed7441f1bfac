#include "support/standard_table.h"

#include <algorithm>

catalogue::RecordData Section(int id, int number, const std::string& oboz, bool sostoit) {
  catalogue::RecordData r = Part(id, 0, number, 0, 0);
  r.oboz = oboz;
  r.naim = "Раздел " + std::to_string(id);
  r.massa = r.count = "";
  r.descript = "Описание " + std::to_string(id);
  r.sostoit = sostoit;
  return r;
}

catalogue::RecordData Part(int id, int fid, int number, int left, int top) {
  catalogue::RecordData r;
  r.id = id;
  r.fid = fid;
  r.number = number;
  r.oboz = "ОБ-" + std::to_string(id);
  r.naim = "Деталь " + std::to_string(id);
  r.picture = "p" + std::to_string(id);
  r.view = "v" + std::to_string(id);
  r.massa = std::to_string(id) + ",5";
  r.count = "2";
  r.left = left;
  r.top = top;
  return r;
}

catalogue::RecordData Item(int id, int fid, bool vozmPokupka, bool sostoit) {
  catalogue::RecordData r = Part(id, fid, 0);
  r.vozmPokupka = vozmPokupka;
  r.sostoit = sostoit;
  return r;
}

std::vector<catalogue::RecordData> StandardTable() {
  std::vector<catalogue::RecordData> t;
  t.push_back(Section(1, 1, "КМ-1"));
  t.push_back(Section(2, 12, "КМ-2"));
  t.push_back(Section(3, 0, "КМ-3"));
  t.push_back(Section(4, 4, "КМ-4", false));
  t.push_back(Section(5, 5, "КМ-5"));
  t.push_back(Section(6, 6, "КМ-6", false));
  t.push_back(Section(7, 7, "КМ-7"));
  t.push_back(Part(11, 1, 1, 100, 120));
  t.push_back(Part(12, 1, 2, 300, 200));
  t.push_back(Part(13, 1, 3, 500, 300));
  t.push_back(Part(21, 2, 1, 50, 60));
  t.push_back(Part(22, 2, 2, 250, 60));
  t.push_back(Item(111, 11, true, true));
  t.push_back(Item(121, 12, true, false));
  t.push_back(Item(211, 21, false, false));
  t.push_back(Part(1111, 111, 1, 80, 140));
  t.push_back(Part(1112, 111, 2, 400, 40));
  int table = 0;
  for (auto& r : t) {
    r.table = table++ % 10;
    if (r.id == 22 || r.id == 1111 || r.id == 1112) r.vozmPokupka = true;
  }
  // Records of the file are in ascending ID order.
  std::sort(t.begin(), t.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
  return t;
}
