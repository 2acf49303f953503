#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <string>
#include <vector>

#include "tuner/halvern.h"
#include "tuner/library_loader.h"

namespace halvern {
namespace {

// Loads the library the way the main program does and binds every export by name. It runs on
// the emulated card; the environment is set before the library first touches a port.
TEST(SharedLibrary, ExportsEveryFunctionByNameOnTheEmulatedCard) {
  ::setenv("HALVERN_PORT", "sim", 1);
  ::setenv("HALVERN_SIM_STATIONS", "101.1s,104.3", 1);
  ::setenv("HALVERN_V4L2", "/nonexistent/radio", 1);
  void* handle = ::dlopen(HALVERN_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << ::dlerror();
  auto bind = [&](auto* type_tag, const char* name) {
    void* symbol = ::dlsym(handle, name);
    EXPECT_NE(symbol, nullptr) << name;
    return std::bit_cast<std::remove_pointer_t<decltype(type_tag)>>(symbol);
  };
  const auto set_card = bind(static_cast<SetCardTypeFn*>(nullptr), "set_card_type");
  const auto port = bind(static_cast<SetPortFn*>(nullptr), "set_port");
  const auto tune = bind(static_cast<SetFrequencyFn*>(nullptr), "set_frequency");
  const auto on = bind(static_cast<RadioOnFn*>(nullptr), "radio_on");
  const auto off = bind(static_cast<RadioOffFn*>(nullptr), "radio_off");
  const auto up = bind(static_cast<VolumeUpFn*>(nullptr), "volumeup");
  const auto down = bind(static_cast<VolumeDownFn*>(nullptr), "volumedown");
  const auto stereo = bind(static_cast<StereoDetectFn*>(nullptr), "stereo_detect");
  const auto signal = bind(static_cast<SignalDetectFn*>(nullptr), "signal_detect");
  const auto set_volume = bind(static_cast<SetVolumeFn*>(nullptr), "set_volume");
  const auto get_volume = bind(static_cast<GetVolumeFn*>(nullptr), "get_volume");
  const auto version = bind(static_cast<DllVerFn*>(nullptr), "dll_ver");
  const auto read = bind(static_cast<ReadCardFn*>(nullptr), "read_card");
  const auto init_nt = bind(static_cast<InitNtFn*>(nullptr), "init_NT");
  const auto capture = bind(static_cast<RdsTextFn*>(nullptr), "radio_capture_device");
  if (::testing::Test::HasFailure()) return;

  EXPECT_EQ(get_volume(), 1);
  EXPECT_EQ(version(), 1207);
  EXPECT_EQ(init_nt(), 0);
  EXPECT_EQ(read(), 0xFF);  // Nothing tuned yet.

  // Card type 0 until told otherwise.
  tune(101'100'000);
  on();
  EXPECT_EQ(stereo(), 1);
  EXPECT_EQ(signal(), 1);
  EXPECT_EQ(read(), 0xFC);
  up();
  up();
  down();
  EXPECT_EQ(get_volume(), 4);
  off();

  set_card(2);
  port(0x20C);
  tune(104'300'000);
  EXPECT_EQ(signal(), 1);
  tune(99'000'000);
  EXPECT_EQ(signal(), 0);

  set_card(1);
  set_volume(9);
  EXPECT_EQ(get_volume(), 9);
  EXPECT_EQ(stereo(), 1);

  set_card(3);
  EXPECT_EQ(stereo(), 0);
  EXPECT_EQ(signal(), 0);
  char device[32] = "untouched";
  EXPECT_EQ(capture(device, sizeof device), 0) << "no radio device, no capture device";
  EXPECT_STREQ(device, "");
  ::dlclose(handle);
}

TEST(SharedLibrary, LoaderSearchesBesideTheProgramFirst) {
  EXPECT_EQ(LibraryCandidates("/opt/varlo/bin"),
            (std::vector<std::string>{"/opt/varlo/lib/libhalvern.so",
                                      "/opt/varlo/bin/libhalvern.so", "libhalvern.so"}));
  EXPECT_EQ(LibraryCandidates(""), (std::vector<std::string>{"libhalvern.so"}));

  std::string error;
  EXPECT_EQ(Library::OpenFirst({"/nonexistent/libhalvern.so"}, &error), nullptr);
  EXPECT_NE(error.find("/nonexistent/libhalvern.so"), std::string::npos);

  const auto library =
      Library::OpenFirst({"/nonexistent/libhalvern.so", HALVERN_LIBRARY_PATH}, &error);
  ASSERT_NE(library, nullptr) << error;
  EXPECT_EQ(library->path(), HALVERN_LIBRARY_PATH);
  EXPECT_EQ(library->Bind<DllVerFn>("dll_ver")(), 1207);
  EXPECT_EQ(library->Bind<DllVerFn>("dll_version"), nullptr);
}

// Runs the tool on the emulated card, collecting its standard output; returns its exit status.
int RunTool(const std::vector<std::string>& args, std::string* output) {
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

  std::vector<std::string> words{HALVERN_TOOL_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::string port_env = "HALVERN_PORT=sim";
  std::string stations_env = "HALVERN_SIM_STATIONS=101.1s";
  std::string radio_env = "HALVERN_V4L2=/nonexistent/radio";
  char* envp[] = {port_env.data(), stations_env.data(), radio_env.data(), nullptr};

  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, HALVERN_TOOL_PATH, &actions, nullptr, argv.data(), envp);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[1]);
  char buffer[256];
  ssize_t n = 0;
  while ((n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0) {
    output->append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipe_fds[0]);
  if (spawned != 0) return -1;
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HalvernTool, FindsTheLibraryByNameAndRunsCommandsInOrder) {
  std::string output;
  EXPECT_EQ(RunTool({"card", "0", "port", "0x350", "tune", "101.1", "volume", "5", "down", "detect",
                     "read", "version"},
                    &output),
            0);
  EXPECT_EQ(output, "stereo 1\nsignal 1\nread 0xFC\nversion 1207\nvolume 4\n");

  output.clear();
  EXPECT_EQ(RunTool({"card", "3", "tune", "101.1", "rds", "capture"}, &output), 0);
  EXPECT_EQ(output, "name\ntext\ncapture\nvolume 1\n") << "no radio device: nothing known";

  output.clear();
  EXPECT_EQ(RunTool({"tune"}, &output), 2);
  EXPECT_EQ(RunTool({"port", "0x10000"}, &output), 2);
  EXPECT_EQ(RunTool({"jump"}, &output), 2);
  EXPECT_EQ(output, "");
}

}  // namespace
}  // namespace halvern
