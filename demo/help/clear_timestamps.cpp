// Build step of the help file: clears the compile times chmcmd stamps into a .chm, so that the
// same sources always give the same bytes.

#include <QString>

#include <cstdio>

#include "help/chm_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.chm\n", argv[0]);
    return 2;
  }
  ChmFile file;
  if (!file.ClearTimestamps(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "%s\n", qPrintable(file.errorString()));
    return 1;
  }
  return 0;
}
