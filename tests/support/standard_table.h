#pragma once
// Catalogue records for the tests, made short, and the small standard catalogue many tests use.
// No Qt: the browsing model's tests use them too.

#include <string>
#include <vector>

#include "catalogue_writer/ado_writer.h"

// Records made short: sections, parts, item records.
catalogue::RecordData Section(int id, int number, const std::string& oboz, bool sostoit = true);
catalogue::RecordData Part(int id, int fid, int number, int left = 10, int top = 10);
catalogue::RecordData Item(int id, int fid, bool vozmPokupka = true, bool sostoit = false);

// A small catalogue used by many tests:
//   sections 1..7 at the root (1 with Number 1, 2 with Number 12, 3 with Number 0,
//   4 without composition, 6 the parts-list plate);
//   section 1: parts 11, 12, 13 (callouts); 11 has item 111, an orderable assembly whose
//   composition is 1111 and 1112; 12 has item 121, orderable; 13 has no children;
//   section 2: parts 21 and 22; 21 has item 211, not orderable;
//   orderable records: 111, 121, 22, 1111, 1112;
//   Table groups spread over 0..9.
std::vector<catalogue::RecordData> StandardTable();
