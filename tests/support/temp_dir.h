#pragma once
// A fresh folder below the system's temporary folder, removed with the object.
#include <filesystem>
#include <fstream>
#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the program writes folders: with a trailing '/'.
  std::string folder() const { return path_.string() + "/"; }
  // Writes bytes into a file below the folder (sub-folders created) and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
};

std::string read_file_bytes(const std::string& path);
