// Page pictures of the runner's e-mail and PDF modes: each stored page is
// saved as "Temp<n>.wmf" and turned into "Temp<n>.Gif" (framed) or
// "Temp<n>.jpg". The files live in a folder of their own for one output
// run, under the user's temporary folder, and go away with it: pages of
// customer labels are not left behind, and two runs never share files.
#pragma once
#include <vector>

#include "classlib/system/ansistring.h"

class TQRPrinter;

class TOutputRunFolder {
public:
  // Makes a new folder under the user's temporary folder. Raises
  // EInOutError when none can be made.
  TOutputRunFolder();
  // Deletes every file handed out by File, then the folder.
  ~TOutputRunFolder();
  TOutputRunFolder(const TOutputRunFolder&) = delete;
  TOutputRunFolder& operator=(const TOutputRunFolder&) = delete;

  // The folder, with a trailing delimiter.
  const AnsiString& Path() const { return path_; }
  // A file of the folder, deleted with it.
  AnsiString File(const AnsiString& Name);

private:
  AnsiString path_;
  std::vector<AnsiString> files_;
};

// "Temp" + page number + extension (".wmf", ".Gif", ".jpg").
AnsiString PagePictureName(int Page, const char* Extension);

// Makes Page the printer object's current page and saves its metafile.
// Raises when the page is not stored.
void SavePageMetafile(TQRPrinter& Printer, int Page, const AnsiString& FileName);

// The metafile file drawn on a bitmap of its own size; GIF with a frame
// around the page, JPEG without.
void MetafileFileToGif(const AnsiString& MetafileName, const AnsiString& GifName);
void MetafileFileToJpeg(const AnsiString& MetafileName, const AnsiString& JpegName);
