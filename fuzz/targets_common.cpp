#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "scratch.h"
#include "targets.h"

void FuzzCheck(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::fflush(stderr);
  std::abort();
}

namespace {

std::vector<std::string>& ScratchFiles() {
  static std::vector<std::string> files;
  return files;
}

void RemoveScratchFiles() {
  for (const std::string& f : ScratchFiles()) ::unlink(f.c_str());
}

}  // namespace

std::string ScratchPath(const char* purpose) {
  const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string path = std::string(dir) + "/catalog-fuzz-" + std::to_string(getpid()) + "-" + purpose;
  // Removed when the process ends normally (a crash leaves them for inspection).
  if (ScratchFiles().empty()) std::atexit(RemoveScratchFiles);
  ScratchFiles().push_back(path);
  return path;
}

bool WriteScratch(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out.flush());
}
