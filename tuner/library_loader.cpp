#include "tuner/library_loader.h"

#include <dlfcn.h>

#include <system_error>

#include "tuner/halvern.h"

namespace halvern {

std::vector<std::string> LibraryCandidates(const std::filesystem::path& program_dir) {
  std::vector<std::string> candidates;
  if (!program_dir.empty()) {
    candidates.push_back((program_dir.parent_path() / "lib" / kLibraryName).string());
    candidates.push_back((program_dir / kLibraryName).string());
  }
  candidates.emplace_back(kLibraryName);
  return candidates;
}

std::unique_ptr<Library> Library::Open(std::string* error) {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return OpenFirst(LibraryCandidates(ec ? std::filesystem::path{} : program.parent_path()), error);
}

std::unique_ptr<Library> Library::OpenFirst(const std::vector<std::string>& candidates,
                                            std::string* error) {
  std::string failures;
  for (const std::string& candidate : candidates) {
    if (void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      return std::unique_ptr<Library>(new Library(handle, candidate));
    }
    const char* why = ::dlerror();
    if (!failures.empty()) failures += "; ";
    failures += why ? why : candidate;
  }
  if (error) *error = failures;
  return nullptr;
}

Library::~Library() {
  ::dlclose(handle_);
}

void* Library::Symbol(const char* name) const {
  return ::dlsym(handle_, name);
}

}  // namespace halvern
