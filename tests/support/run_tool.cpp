#include "tests/support/run_tool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "common/find_program.h"

extern char** environ;

namespace varlo::testing {

std::optional<std::string> RunTool(const std::string& name, const std::vector<std::string>& args) {
  const char* pathEnv = std::getenv("PATH");
  const std::string program = FindOnPath(name, pathEnv ? pathEnv : "");
  if (program.empty()) return std::nullopt;
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string text;
  char buf[4096];
  for (ssize_t got; spawned == 0 && (got = ::read(out[0], buf, sizeof buf)) > 0;)
    text.append(buf, static_cast<std::size_t>(got));
  ::close(out[0]);
  int status = 0;
  if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
    return std::nullopt;
  return text;
}

bool Ffmpeg(const std::vector<std::string>& args) {
  std::vector<std::string> all{"-y", "-nostdin", "-loglevel", "error"};
  all.insert(all.end(), args.begin(), args.end());
  return RunTool("ffmpeg", all).has_value();
}

}  // namespace varlo::testing
