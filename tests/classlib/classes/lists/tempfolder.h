// A fresh folder for one test's files, removed with everything in it.
#pragma once
#include <filesystem>
#include <string>

#include "classlib/system/ansistring.h"

class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder in code page 1254, without a trailing separator.
  const AnsiString& Name() const { return name_; }
  // A file in the folder, in code page 1254.
  AnsiString File(const AnsiString& fileName) const;
  // The same file for the standard library.
  std::filesystem::path Path(const AnsiString& fileName) const;

private:
  std::filesystem::path folder_;
  AnsiString name_;
};

// Whole file as bytes ("" when missing).
std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);
