// Decoding rendered bitmaps with the independent Linux readers (ZXingReader,
// zbarimg) from a test that runs under Wine.
//
// Wine starts a Linux program when CreateProcessW is given its Unix path, and
// its drive Z: is the Linux root, so the test writes BMP files under
// /tmp through Z:, and one shell script decodes them all. Wine hands out no
// process handle to wait on for a Linux program, so the script reports each
// result in a file of its own and its end by creating a marker file, which
// the test waits for. On Windows itself, or where a reader is missing, the
// batch is unavailable and the decoding tests skip.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "classlib/graphics/bitmap.h"

class TUnixDecodeBatch {
public:
  TUnixDecodeBatch();
  ~TUnixDecodeBatch();
  TUnixDecodeBatch(const TUnixDecodeBatch&) = delete;
  TUnixDecodeBatch& operator=(const TUnixDecodeBatch&) = delete;

  // Empty when the readers can be run, else why not.
  const std::string& Unavailable() const { return unavailable_; }

  // The programs of the list that the Linux side lacks, separated by blanks.
  std::string MissingPrograms(const std::vector<std::string>& programs);

  // Saves the bitmap as a BMP file and queues it for the reader command
  // (its arguments before the file name, e.g. "zbarimg -q --raw"). Returns
  // the index of its result.
  std::size_t Add(TBitmap& bitmap, const std::string& readerCommand);
  // Runs every queued decoding; each result is the reader's output without
  // the final line break, or nothing when it found no symbol.
  std::vector<std::optional<std::string>> Run();

private:
  // Runs the shell script body in the batch's folder and waits for its end.
  bool RunScript(const std::string& body);

  std::string unixFolder_;  // "/tmp/..."
  std::string unavailable_;
  std::vector<std::string> commands_;
};
