// TGraphic: the common face of bitmaps, metafiles, icons and JPEG images:
// drawing into a rectangle of a canvas, a size, and loading and saving in the
// graphic's own file format.
//
// ReadData/WriteData are the form a graphic takes inside a component stream
// (the "Data" of a picture); by default that is the file format itself.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/classes/events.h"
#include "classlib/classes/persistent.h"
#include "classlib/classes/streams.h"
#include "classlib/system/exceptions.h"

class TCanvas;

DOZURI_EXCEPTION(EInvalidGraphicOperation, Exception);

enum TProgressStage { psStarting, psRunning, psEnding };
DOZURI_EVENT(TProgressEvent, void(TObject* Sender, TProgressStage Stage, std::uint8_t PercentDone, bool RedrawNow,
                                  const RECT& R, const AnsiString& Msg));

class TGraphic : public TPersistent {
  DECLARE_CLASS(TGraphic, TPersistent)

public:
  TGraphic() = default;

  // Draws the graphic stretched into r of the canvas (TCanvas::StretchDraw).
  virtual void Draw(TCanvas& canvas, const RECT& r) = 0;

  virtual bool Empty() = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetHeight(int value) = 0;
  virtual bool Transparent() { return transparent_; }
  virtual void SetTransparent(bool value);

  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  void LoadFromFile(const AnsiString& fileName);
  void SaveToFile(const AnsiString& fileName);

  // The graphic inside a component stream (the binary "Data" property).
  virtual void ReadData(TStream& stream) { LoadFromStream(stream); }
  virtual void WriteData(TStream& stream) { SaveToStream(stream); }
  void DefineProperties(TFiler& Filer) override;

  bool Modified() const { return modified_; }
  void SetModified(bool value);

  TNotifyEvent OnChange;
  TProgressEvent OnProgress;

protected:
  virtual void Changed(TObject* sender);
  void Progress(TObject* sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow, const RECT& r,
                const AnsiString& msg);

  bool transparent_ = false;

private:
  bool modified_ = false;
};

// ---- helpers shared by the graphic formats ---------------------------------

// count bytes from the stream (all or EReadError); count < 0 reads to its end.
std::vector<std::uint8_t> ReadStreamBytes(TStream& stream, std::int64_t count = -1);
void WriteStreamBytes(TStream& stream, const std::vector<std::uint8_t>& bytes);

// Reads an int32 length, then that many bytes (the framing bitmaps, metafiles
// and JPEG images use in component streams). A length beyond the stream
// raises EReadError.
std::vector<std::uint8_t> ReadSizedBlock(TStream& stream);
void WriteSizedBlock(TStream& stream, const std::vector<std::uint8_t>& bytes);
