#include "order_engine/word97.h"

#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "base/file_lookup.h"
#include "order_engine/docx_engine.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace order {

namespace fs = std::filesystem;
using Converted = base::Result<std::string>;

namespace {

// The reason shown when the conversion itself went wrong.
Converted Failed(const std::string& why) {
  return Converted::Fail("Шаблон в формате Word 97–2003 не удалось преобразовать: " + why +
                         ". Сохраните шаблон в формате Word (.dotx).");
}

#ifndef _WIN32
// The first program of that name on the environment's PATH; empty when there is none.
std::string FindOnPath(std::string_view name, const std::vector<std::string>& environment) {
  std::string_view dirs;
  for (const std::string& entry : environment)
    if (std::string_view(entry).substr(0, 5) == "PATH=") dirs = std::string_view(entry).substr(5);
  while (!dirs.empty()) {
    const auto colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    if (dir.empty()) continue;
    const std::string candidate = std::string(dir) + "/" + std::string(name);
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

// A file: address of a folder, as LibreOffice takes its profile.
std::string FileUrl(const fs::path& dir) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : base::Utf8FromPath(dir)) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}
#endif

}  // namespace

Converted ConvertWord97Template(const std::string& templatePath, const std::string& workDir,
                                const std::vector<std::string>& environment, std::chrono::milliseconds timeout) {
#ifdef _WIN32
  (void)templatePath, (void)workDir, (void)environment, (void)timeout;
  return Converted::Fail(kWord97Template);
#else
  std::string soffice = FindOnPath("soffice", environment);
  if (soffice.empty()) soffice = FindOnPath("libreoffice", environment);
  if (soffice.empty()) return Converted::Fail(kWord97Template);

  const fs::path work = base::PathFromUtf8(workDir);
  const fs::path in = work / "template.dot", out = work / "out", profile = work / "profile";
  std::error_code ec;
  fs::remove_all(out, ec);
  fs::create_directories(out, ec);
  fs::create_directories(profile, ec);
  if (!fs::copy_file(base::PathFromUtf8(templatePath), in, fs::copy_options::overwrite_existing, ec))
    return Failed("файл шаблона не читается");

  std::vector<std::string> args = {soffice,
                                   "--headless",
                                   "--norestore",
                                   "--nologo",
                                   "-env:UserInstallation=" + FileUrl(profile),
                                   "--convert-to",
                                   "docx:MS Word 2007 XML",
                                   "--outdir",
                                   out.string(),
                                   in.string()};
  std::vector<char*> argv, envp;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables = environment;
  for (std::string& v : variables) envp.push_back(v.data());
  envp.push_back(nullptr);

  // In a process group of its own, so that everything it starts can be ended with it.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  for (int fd : {0, 1, 2}) posix_spawn_file_actions_addopen(&files, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, soffice.c_str(), &files, &attr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attr);
  if (spawned != 0) return Failed("LibreOffice не запускается");

  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  pid_t done = 0;
  while ((done = ::waitpid(pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ::kill(-pid, SIGKILL);  // whatever it left running
  if (done == 0) {
    ::waitpid(pid, &status, 0);
    return Failed("LibreOffice не ответил за отведённое время");
  }
  const fs::path converted = out / "template.docx";
  if (done < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || !fs::is_regular_file(converted, ec))
    return Failed("LibreOffice не смог прочитать шаблон");
  return base::Utf8FromPath(converted);
#endif
}

}  // namespace order
