#pragma once
// What a help page would cost to lay out. The text browser's layout grows steeply with the
// nesting of tables, with deep nesting of any element and with the cells of its tables: a page
// of 20 nested tables takes seconds, of 25 minutes. A page is weighed in one pass over its
// text before it is shown, and one past a limit is not laid out.

#include <QString>

#include <optional>

struct PageWeight {
  qsizetype characters = 0;
  int depth = 0;       // the deepest nesting of elements
  int tableDepth = 0;  // the deepest nesting of tables
  int cells = 0;       // table cells in all
};

// The limits, each kept well under 200 ms of layout on a slow machine.
struct PageLimits {
  qsizetype characters = 1'000'000;
  int depth = 256;
  int tableDepth = 8;
  int cells = 2000;
};

// The weight of a page, weighed until a limit is passed (the rest is not looked at, so a
// hostile page costs no more than the limits allow).
PageWeight WeighPage(const QString& html, const PageLimits& limits = {});

// Why a page of this weight is not shown, for the reader; empty when it is within the limits.
std::optional<QString> PageTooHeavy(const PageWeight& weight, const PageLimits& limits = {});
