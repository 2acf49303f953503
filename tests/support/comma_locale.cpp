#include "tests/support/comma_locale.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

extern char** environ;

namespace varlo::testing {
namespace {

constexpr const char* kName = "de_DE.UTF-8";

bool CommaIsTheDecimalPoint() {
  return std::strcmp(std::localeconv()->decimal_point, ",") == 0;
}

bool Switch() {
  return std::setlocale(LC_NUMERIC, kName) != nullptr && CommaIsTheDecimalPoint();
}

// Compiles the locale from the system's locale sources into the build tree (once; later
// test programs find it there) and points the C library at it. Each program builds in a
// folder of its own and renames the result into place, so two at once never meet a half
// written locale. Runs localedef directly, without a shell.
bool BuildLocale() {
  // The C library remembers a locale it failed to find, so it is asked only once the
  // files are there.
  const std::string folder = VARLO_TEST_LOCALE_DIR;
  const std::string built = folder + "/" + kName;
  struct stat st {};
  if (stat((built + "/LC_NUMERIC").c_str(), &st) == 0) {
    setenv("LOCPATH", folder.c_str(), 1);
    return Switch();
  }
  mkdir(folder.c_str(), 0755);
  const std::string own = folder + "/build-" + std::to_string(getpid());
  mkdir(own.c_str(), 0755);
  std::vector<std::string> args = {"localedef",      "-c", "-i", "de_DE", "-f", "UTF-8",
                                   own + "/" + kName};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "localedef", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned == 0) {
    int status = 0;
    waitpid(pid, &status, 0);  // warnings give a non-zero status; whether it loads decides
    std::rename((own + "/" + kName).c_str(), built.c_str());
  }
  std::error_code ec;
  std::filesystem::remove_all(own, ec);  // what is left when another program was first
  setenv("LOCPATH", folder.c_str(), 1);
  return Switch();
}

}  // namespace

CommaDecimalLocale::CommaDecimalLocale() {
  if (const char* now = std::setlocale(LC_NUMERIC, nullptr)) previous_ = now;
  static bool built = false;
  active_ = Switch();
  if (!active_ && !built) {
    built = true;
    active_ = BuildLocale();
  }
}

CommaDecimalLocale::~CommaDecimalLocale() {
  std::setlocale(LC_NUMERIC, previous_.empty() ? "C" : previous_.c_str());
}

}  // namespace varlo::testing
