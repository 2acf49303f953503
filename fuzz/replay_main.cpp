// Runs a fuzz target's entry point once on every file of the folders (or the files) named on
// the command line, in name order, so the ordinary builds replay each fuzzer's corpus under
// their own compiler and sanitizers. A target that finds a fault aborts, as under the fuzzer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// The fuzzers run with their default input limit; nothing in a seed corpus comes near it.
constexpr std::uintmax_t kMaxInputBytes = 4096 * 1024;

bool CollectInputs(const fs::path& arg, std::vector<fs::path>& inputs) {
  std::error_code ec;
  if (fs::is_regular_file(arg, ec)) {
    inputs.push_back(arg);
    return true;
  }
  if (!fs::is_directory(arg, ec)) {
    std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", arg.c_str());
    return false;
  }
  std::vector<fs::path> found;
  for (fs::directory_iterator it(arg, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec)) found.push_back(it->path());
  }
  if (ec) {
    std::fprintf(stderr, "replay: cannot list %s: %s\n", arg.c_str(), ec.message().c_str());
    return false;
  }
  std::sort(found.begin(), found.end());
  inputs.insert(inputs.end(), found.begin(), found.end());
  return true;
}

bool ReadInput(const fs::path& path, std::string& data) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec || size > kMaxInputBytes) {
    std::fprintf(stderr, "replay: %s is unreadable or larger than %ju bytes\n", path.c_str(),
                 kMaxInputBytes);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  data.resize(static_cast<std::size_t>(size));
  return in.read(data.data(), static_cast<std::streamsize>(size)) &&
         in.peek() == std::ifstream::traits_type::eof();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!CollectInputs(argv[i], inputs)) return 2;
  }
  // An empty corpus would pass without testing anything.
  if (inputs.empty()) {
    std::fprintf(stderr, "usage: %s CORPUS-FOLDER-OR-FILE... (no input found)\n", argv[0]);
    return 2;
  }
  std::string data;
  for (const auto& path : inputs) {
    if (!ReadInput(path, data)) return 2;
    // A copy of exactly the input's size, so reading one byte past it is an error under ASan,
    // and never a null pointer, as the fuzzer passes even an empty input.
    const auto bytes = std::make_unique<std::uint8_t[]>(data.size());
    std::copy(data.begin(), data.end(), bytes.get());
    LLVMFuzzerTestOneInput(bytes.get(), data.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
