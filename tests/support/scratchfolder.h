// A fresh folder for one test's files, removed with everything in it, and
// whole-file byte helpers for checking what a writer left on disk.
//
// Part of the test main library every test links, so it uses the standard
// library only: names are plain ASCII, as the temporary folder's is. Tests of
// file names in code page 1254 convert them themselves.
#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "classlib/system/ansistring.h"

class ScratchFolder {
public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // A file in the folder; File("") is the folder with a trailing separator.
  AnsiString File(const AnsiString& name) const;
  const std::filesystem::path& Path() const { return path_; }

private:
  std::filesystem::path path_;
};

using FileBytes = std::vector<std::uint8_t>;

// The whole file; empty when it cannot be read.
FileBytes ReadFileBytes(const AnsiString& name);
// Creates or replaces the file with bytes.
void WriteFileBytes(const AnsiString& name, const FileBytes& bytes);
