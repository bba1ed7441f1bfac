#include "catalogue/check.h"
#include "catalogue/folder.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_map>

namespace catalogue {

std::vector<Finding> CheckCatalogue(const Table& t, const std::string& baseDir) {
  std::vector<Finding> out;
  auto report = [&](int id, std::string what) { out.push_back({id, std::move(what)}); };
  const std::size_t n = t.size();

  // Keys: unique and ascending in file order.
  std::unordered_map<std::int32_t, std::size_t> rowOf;
  for (std::size_t r = 0; r < n; ++r) {
    const int id = t.Integer(r, Field::ID);
    if (!rowOf.emplace(id, r).second)
      report(id, "duplicate ID");
    else if (r > 0 && id <= t.Integer(r - 1, Field::ID))
      report(id, "ID not in ascending order (after " + std::to_string(t.Integer(r - 1, Field::ID)) + ")");
  }

  // Children of each node in file order.
  std::map<std::int32_t, std::vector<std::size_t>> children;
  for (std::size_t r = 0; r < n; ++r) {
    const int id = t.Integer(r, Field::ID);
    const int fid = t.Integer(r, Field::FID);
    if (fid != 0 && !rowOf.count(fid)) report(id, "FID " + std::to_string(fid) + " names no record");
    children[fid].push_back(r);
    const int table = t.Integer(r, Field::Table);
    if (table < 0 || table > 9) report(id, "Table " + std::to_string(table) + " is outside 0 to 9");
  }

  // The root's sections.
  const auto& sections = children[0];
  for (std::size_t i = kMaxSections; i < sections.size(); ++i)
    report(t.Integer(sections[i], Field::ID),
           "root section beyond the first " + std::to_string(kMaxSections) + ": not shown");

  // The form of each node's children, and where callouts stand.
  for (const auto& [fid, rows] : children) {
    if (fid == 0) continue;
    int items = 0;
    for (std::size_t r : rows) items += t.Text(r, Field::Number) == "0";
    const bool itemFirst = t.Text(rows.front(), Field::Number) == "0";
    if (items > 1)
      report(fid, "node with " + std::to_string(items) + " item records");
    else if (items == 1 && rows.size() > 1)
      report(fid, itemFirst ? "node mixes its item record with numbered parts: the parts are not shown"
                            : "node mixes numbered parts with an item record");
    if (!itemFirst && static_cast<int>(rows.size()) > kMaxShownCallouts)
      report(fid, "drawing with " + std::to_string(rows.size()) + " numbered parts: only the first " +
                      std::to_string(kMaxShownCallouts) + " are shown");
    else if (!itemFirst && static_cast<int>(rows.size()) > kMaxCallouts)
      report(fid, "drawing with " + std::to_string(rows.size()) + " numbered parts, more than " +
                      std::to_string(kMaxCallouts));
    if (itemFirst) continue;
    for (std::size_t r : rows) {
      // In 64 bits: a position near the integer limit must not overflow with the label's size.
      const long long left = t.Integer(r, Field::Left);
      const long long top = t.Integer(r, Field::Top);
      // The callout's two lines, at the window font's average width.
      const auto chars = [&](Field f) {
        const auto s = t.Text(r, f);
        return static_cast<int>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
      };
      const long long width = 6LL * std::max(chars(Field::Oboz), chars(Field::Naim));
      const long long height = 26;
      if (left < 0 || top < 0 || left + width > kClientWidth || top + height > kClientHeight)
        report(t.Integer(r, Field::ID), "callout at (" + std::to_string(left) + ", " + std::to_string(top) +
                                            ") is outside the window's client area");
    }
  }

  // Chains of parents that come back to where they began: a record that is its own parent,
  // or records that are each other's. Each cycle is reported once, at its smallest ID.
  std::unordered_map<std::int32_t, char> walked;  // 1: on the chain being followed, 2: done
  std::set<std::int32_t> onCycle;
  for (std::size_t r = 0; r < n; ++r) {
    std::vector<std::int32_t> chain;
    for (std::int32_t id = t.Integer(r, Field::ID); id != 0 && rowOf.count(id) && !walked[id];
         id = t.Integer(rowOf[id], Field::FID)) {
      walked[id] = 1;
      chain.push_back(id);
    }
    if (!chain.empty()) {
      const std::int32_t end = t.Integer(rowOf[chain.back()], Field::FID);
      if (end != 0 && walked[end] == 1) {
        const auto from = std::find(chain.begin(), chain.end(), end);
        std::string ids;
        for (auto it = from; it != chain.end(); ++it) {
          ids += (ids.empty() ? "" : ", ") + std::to_string(*it);
          onCycle.insert(*it);
        }
        report(*std::min_element(from, chain.end()), chain.end() - from == 1
                                                         ? "FID cycle: the record is its own parent"
                                                         : "FID cycle through IDs " + ids + ": none of them is shown");
      }
    }
    for (std::int32_t id : chain) walked[id] = 2;
  }

  // Depth: a chain below the root deeper than the level stack.
  std::unordered_map<std::int32_t, int> depth{{0, 0}};
  std::vector<std::int32_t> queue{0};
  for (std::size_t q = 0; q < queue.size(); ++q) {
    const std::int32_t node = queue[q];
    auto it = children.find(node);
    if (it == children.end()) continue;
    for (std::size_t r : it->second) {
      const int id = t.Integer(r, Field::ID);
      if (depth.count(id)) continue;  // a cycle or a duplicate: visited already
      depth[id] = depth[node] + 1;
      if (depth[id] == kMaxDepth + 1) report(id, "more than " + std::to_string(kMaxDepth) + " levels below the root");
      queue.push_back(id);
    }
  }

  // Records that no path from the root reaches can never be seen. Those whose own FID is
  // broken or lies on a cycle are reported above already.
  for (std::size_t r = 0; r < n; ++r) {
    const int id = t.Integer(r, Field::ID);
    const int fid = t.Integer(r, Field::FID);
    if (!depth.count(id) && rowOf.count(fid) && !onCycle.count(id))
      report(id, "no path from the root reaches it (its parent " + std::to_string(fid) + " is not shown)");
  }

  // Picture paths that climb out of the catalogue folder.
  const CatalogueFolder relativeOnly;  // paths relative to the folder
  for (std::size_t r = 0; r < n; ++r) {
    for (Field f : {Field::Picture, Field::View}) {
      const std::string relative = relativeOnly.Picture(t.Text(r, f));
      if (base::ClimbsOut(relative))
        report(t.Integer(r, Field::ID),
               std::string(FieldName(f)) + " path " + relative + " leaves the catalogue folder");
    }
  }

  // Pictures, found as the program finds them.
  if (!baseDir.empty()) {
    std::string base = baseDir;
    if (base.back() != '/' && base.back() != '\\') base += '/';
    const CatalogueFolder folder(base);
    auto picture = [&](int id, const std::string& path, const char* role) {
      const std::string relative = path.substr(base.size());
      const auto match = folder.Find(path);
      std::error_code ec;
      if (match.found == base::FileLookup::Found::No || !std::filesystem::is_regular_file(match.path, ec))
        report(id, std::string(role) + " " + relative + " is missing");
      else if (match.found == base::FileLookup::Found::IgnoringCase)
        report(id, std::string(role) + " " + relative + " found only ignoring letter case");
    };
    picture(0, folder.RootPicture(), "root picture");
    picture(0, folder.SectionsBackground(), "sections background");
    for (std::size_t r = 0; r < n; ++r) {
      const int id = t.Integer(r, Field::ID);
      // An item record's own picture is shown only when its composition can be opened.
      const bool shown = t.Text(r, Field::Number) != "0" || t.Boolean(r, Field::Sostoit);
      if (shown) picture(id, folder.Picture(t.Text(r, Field::Picture)), "picture");
      picture(id, folder.ListPicture(t.Text(r, Field::View)), "parts-list picture");
    }
  }
  return out;
}

}  // namespace catalogue
