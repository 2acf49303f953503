#pragma once

#include <bit>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace halvern {

// Where libhalvern.so is looked for, in order: the lib folder beside the program's bin folder,
// the program's own folder, then the bare name for the dynamic linker's normal search.
std::vector<std::string> LibraryCandidates(const std::filesystem::path& program_dir);

// libhalvern.so loaded by name. Functions are bound one by one by their exported names, as the
// main program does, so a library missing one export still serves the others.
class Library {
 public:
  // Searches from the running program's folder. Returns null and sets *error when no candidate
  // loads.
  static std::unique_ptr<Library> Open(std::string* error);
  static std::unique_ptr<Library> OpenFirst(const std::vector<std::string>& candidates,
                                            std::string* error);
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // Null when the library has no such export.
  template <class Fn>
  Fn Bind(const char* name) const {
    return std::bit_cast<Fn>(Symbol(name));
  }

  const std::string& path() const { return path_; }

 private:
  Library(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  void* Symbol(const char* name) const;

  void* handle_;
  std::string path_;
};

}  // namespace halvern
