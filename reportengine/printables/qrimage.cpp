#include "reportengine/printables/qrimage.h"

#include "classlib/classes/streams.h"
#include "classlib/data/blobfields.h"
#include "classlib/data/dataset.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printables/qrprintableexport.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/printer/qrunitfacts.h"

BEGIN_PUBLISHED(TQRImage)
  PROPERTY(AutoSize, AutoSize, SetAutoSize).Default(false),
  PROPERTY(Center, Center, SetCenter).Default(false),
  PROPERTY(Picture, Picture, SetPicture),
  PROPERTY(Stretch, Stretch, SetStretch).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
END_PUBLISHED

BEGIN_PUBLISHED(TQRDBImage)
  PROPERTY(Center, Center, SetCenter).Default(true),
  PROPERTY(DataField, DataField, SetDataField),
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(Stretch, Stretch, SetStretch).Default(false),
END_PUBLISHED

namespace {

// The control's area on the page: its size in 0.1 mm at the band offset,
// each edge converted by the printer object.
RECT DeviceArea(TQRPrintable& Printable, TQRPrinter& Printer, int OfsX, int OfsY) {
  TQRPrintableSize& size = *Printable.Size();
  long double left = OfsX + size.NativeValue(TQRPrintableSize::LeftIndex);
  long double top = OfsY + size.NativeValue(TQRPrintableSize::TopIndex);
  return RECT{Printer.DeviceX(left), Printer.DeviceY(top),
              Printer.DeviceX(left + size.NativeValue(TQRPrintableSize::WidthIndex)),
              Printer.DeviceY(top + size.NativeValue(TQRPrintableSize::HeightIndex))};
}

// Where an unstretched picture prints: the size it has on the screen, in
// device pixels, from the area's top-left corner, or centred in the area.
RECT PrintRect(const RECT& Area, int PictureWidth, int PictureHeight, bool Center, TQRPrinter& Printer) {
  const long double ppi = QRScreenPixelsPerInch();
  int width = static_cast<int>(Round(static_cast<double>(PictureWidth / ppi * 254 * Printer.XFactor())));
  int height = static_cast<int>(Round(static_cast<double>(PictureHeight / ppi * 254 * Printer.YFactor())));
  RECT r{Area.left, Area.top, Area.left + width, Area.top + height};
  if (Center)
    OffsetRect(&r, (Area.right - Area.left - width) / 2, (Area.bottom - Area.top - height) / 2);
  return r;
}

// Clips the canvas to a rectangle for the time of a scope; the device
// state, and with it the clipping, is restored at the end.
class ClipScope {
public:
  ClipScope(TCanvas& Canvas, const RECT& Area) : dc_(Canvas.Handle()), saved_(SaveDC(dc_)) {
    IntersectClipRect(dc_, Area.left, Area.top, Area.right, Area.bottom);
  }
  ~ClipScope() { RestoreDC(dc_, saved_); }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

private:
  HDC dc_;
  int saved_;
};

// A bitmap through its device-independent bits, so the printer driver gets
// the pixels rather than a screen-compatible bitmap it may not render.
void DrawBitmapBits(TCanvas& Canvas, const RECT& r, TBitmap& Bitmap) {
  TMemoryStream stream;
  Bitmap.SaveToStream(stream);
  const auto* data = static_cast<const std::uint8_t*>(stream.Memory());
  ParsedDib dib = ParseBmpFile(data, static_cast<std::size_t>(stream.Size()));
  std::vector<std::uint8_t> info = dib.Rle ? dib.RleInfo : dib.Format.InfoBytes();
  HDC dc = Canvas.Handle();
  int savedMode = SetStretchBltMode(dc, Bitmap.Monochrome() ? GetStretchBltMode(dc) : COLORONCOLOR);
  StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, dib.Format.Width, dib.Format.Height,
                dib.Bits, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, savedMode);
}

// Selects a palette into the canvas and realises it for the time of a scope.
class PaletteScope {
public:
  PaletteScope(TCanvas& Canvas, HPALETTE Palette) : dc_(Canvas.Handle()) {
    if (Palette == nullptr)
      return;
    old_ = SelectPalette(dc_, Palette, FALSE);
    RealizePalette(dc_);
  }
  ~PaletteScope() {
    if (old_ != nullptr)
      SelectPalette(dc_, old_, TRUE);
  }
  PaletteScope(const PaletteScope&) = delete;
  PaletteScope& operator=(const PaletteScope&) = delete;

private:
  HDC dc_;
  HPALETTE old_ = nullptr;
};

HPALETTE PictureBitmapPalette(TPicture& Picture) {
  auto* bitmap = dynamic_cast<TBitmap*>(Picture.Graphic());
  return bitmap != nullptr ? bitmap->Palette() : nullptr;
}

}  // namespace

// ---- TQRImage ----------------------------------------------------------------

TQRImage::TQRImage(TComponent* AOwner) : TQRPrintable(AOwner), FPicture(std::make_unique<TPicture>()) {
  FPicture->OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(Left(), Top(), 105, 105);
}

TQRImage::~TQRImage() { FPicture->OnChange = nullptr; }

void TQRImage::SetAutoSize(bool Value) {
  FAutoSize = Value;
  PictureChanged();
}

void TQRImage::SetCenter(bool Value) {
  if (FCenter == Value)
    return;
  FCenter = Value;
  PictureChanged();
}

void TQRImage::SetStretch(bool Value) {
  if (FStretch == Value)
    return;
  FStretch = Value;
  PictureChanged();
}

HPALETTE TQRImage::GetPalette() { return PictureBitmapPalette(*FPicture); }

TGraphic* TQRImage::BackgroundGraphic() { return FPicture->Graphic(); }

void TQRImage::PictureChanged() {
  int pw = FPicture->Width(), ph = FPicture->Height();
  if (FAutoSize && pw > 0 && ph > 0)
    SetBounds(Left(), Top(), pw, ph);
  bool covering = dynamic_cast<TBitmap*>(FPicture->Graphic()) != nullptr && pw >= Width() && ph >= Height();
  SetTransparent(!covering);
  Invalidate();
}

TCanvas* TQRImage::BitmapCanvas() {
  if (FPicture->Graphic() == nullptr)
    FPicture->Bitmap().SetSize(Width(), Height());
  auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
  return bitmap != nullptr ? &bitmap->Canvas() : nullptr;
}

// While a run prints, the runner may be painting into the picture on its
// own thread; the design view leaves it alone until the run ends.
void TQRImage::Paint() {
  if (IsPrinting())
    return;
  TCanvas& canvas = *Canvas();
  canvas.Pen().SetStyle(psDash);
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetWidth(1);
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(0, 0, Width(), Height());
  TGraphic* graphic = FPicture->Graphic();
  if (graphic == nullptr || graphic->Empty())
    return;
  int pw = FPicture->Width(), ph = FPicture->Height();
  RECT r{0, 0, pw, ph};
  if (FStretch)
    r = ClientRect();
  else if (FCenter)
    OffsetRect(&r, (Width() - pw) / 2, (Height() - ph) / 2);
  if (CurrentZoom() != 100) {
    r.right = r.left + (r.right - r.left) * CurrentZoom() / 100;
    r.bottom = r.top + (r.bottom - r.top) * CurrentZoom() / 100;
  }
  canvas.StretchDraw(r, *graphic);
}

void TQRImage::Print(int OfsX, int OfsY) {
  TQRPrinter* printer = QRPrinter();
  TQRBasePanel* report = ParentReport();
  if (printer == nullptr || report == nullptr)
    return;
  RECT area = DeviceArea(*this, *printer, OfsX, OfsY);
  if (IQRExportFilter* filter = QRExportFilterOf(*this))
    filter->AcceptGraphic(OfsX + Size()->NativeValue(TQRPrintableSize::LeftIndex),
                          OfsY + Size()->NativeValue(TQRPrintableSize::TopIndex), FPicture->Graphic());
  TGraphic* graphic = FPicture->Graphic();
  if (report->UsesPrinterPages() && graphic != nullptr && !graphic->Empty()) {
    TCanvas& canvas = printer->CurrentCanvas();
    if (FStretch) {
      canvas.StretchDraw(area, *graphic);
    } else {
      ClipScope clip(canvas, area);
      RECT r = PrintRect(area, FPicture->Width(), FPicture->Height(), FCenter, *printer);
      if (auto* bitmap = dynamic_cast<TBitmap*>(graphic))
        DrawBitmapBits(canvas, r, *bitmap);
      else if (auto* metafile = dynamic_cast<TMetafile*>(graphic))
        canvas.StretchDraw(r, *metafile);
      else
        canvas.StretchDraw(r, *graphic);
    }
  }
  TQRPrintable::Print(OfsX, OfsY);
}

// ---- TQRDBImage --------------------------------------------------------------

TQRDBImage::TQRDBImage(TComponent* AOwner) : TQRPrintable(AOwner), FPicture(std::make_unique<TPicture>()) {
  TControlStyle style = ControlStyle();
  style.Include(csFramed);
  style.Include(csOpaque);
  SetControlStyle(style);
  FPicture->OnChange = [this](TObject*) {
    FPictureChanged = true;
    Invalidate();
  };
  SetBounds(Left(), Top(), 105, 105);
}

TQRDBImage::~TQRDBImage() {
  FPicture->OnChange = nullptr;
  SetDataSet(nullptr);
}

void TQRDBImage::SetCenter(bool Value) {
  if (FCenter == Value)
    return;
  FCenter = Value;
  Invalidate();
}

void TQRDBImage::SetStretch(bool Value) {
  if (FStretch == Value)
    return;
  FStretch = Value;
  Invalidate();
}

void TQRDBImage::SetDataSet(TDataSet* Value) { ReplaceComponentReference(this, FDataSet, Value); }

void TQRDBImage::Notification(TComponent* AComponent, TOperation Operation) {
  TQRPrintable::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) {
    FDataSet = nullptr;
    FBoundField = nullptr;
  }
}

HPALETTE TQRDBImage::GetPalette() { return PictureBitmapPalette(*FPicture); }

void TQRDBImage::Prepare() {
  TQRPrintable::Prepare();
  FBoundField = FDataSet != nullptr ? FDataSet->FindField(FDataField) : nullptr;
  if (FBoundField != nullptr && FBoundField->IsBlob())
    SetText("");
}

void TQRDBImage::Unprepare() {
  FBoundField = nullptr;
  TQRPrintable::Unprepare();
}

// The field's bytes are read as a bitmap. Bytes that are no bitmap give an
// empty picture: the record prints without its picture instead of the run
// failing on one damaged value.
std::unique_ptr<TPicture> TQRDBImage::LoadFieldPicture() const {
  if (FBoundField == nullptr || !FBoundField->IsBlob())
    return nullptr;
  auto picture = std::make_unique<TPicture>();
  AnsiString bytes = FBoundField->AsString();
  if (bytes.empty())
    return picture;
  try {
    TStringStream stream(bytes);
    picture->Bitmap().LoadFromStream(stream);
  } catch (const Exception&) {
    picture->SetGraphic(nullptr);
  }
  return picture;
}

void TQRDBImage::MeasureHeight(int& Height) {
  Height = TControl::Height();
  if (std::unique_ptr<TPicture> picture = LoadFieldPicture())
    Height = picture->Height();
}

void TQRDBImage::Print(int OfsX, int OfsY) {
  TQRPrinter* printer = QRPrinter();
  TQRBasePanel* report = ParentReport();
  if (printer == nullptr || report == nullptr)
    return;
  std::unique_ptr<TPicture> picture = LoadFieldPicture();
  if (IQRExportFilter* filter = QRExportFilterOf(*this))
    filter->AcceptGraphic(OfsX + Size()->NativeValue(TQRPrintableSize::LeftIndex),
                          OfsY + Size()->NativeValue(TQRPrintableSize::TopIndex),
                          picture != nullptr ? picture->Graphic() : nullptr);
  if (picture != nullptr && report->UsesPrinterPages())
    DrawOnPage(*picture, OfsX, OfsY);
  TQRPrintable::Print(OfsX, OfsY);
}

void TQRDBImage::DrawOnPage(TPicture& Picture, int OfsX, int OfsY) {
  TQRPrinter& printer = *QRPrinter();
  TCanvas& canvas = printer.CurrentCanvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  PaletteScope palette(canvas, PictureBitmapPalette(Picture));
  RECT area = DeviceArea(*this, printer, OfsX, OfsY);
  TGraphic* graphic = Picture.Graphic();
  bool empty = graphic == nullptr || graphic->Empty();
  if (FStretch) {
    if (empty)
      canvas.FillRect(area);
    else
      canvas.StretchDraw(area, *graphic);
    return;
  }
  if (empty)
    return;
  ClipScope clip(canvas, area);
  canvas.StretchDraw(PrintRect(area, Picture.Width(), Picture.Height(), FCenter, printer), *graphic);
}

void TQRDBImage::Paint() {
  if (IsPrinting())
    return;
  TCanvas& canvas = *Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  canvas.SetFont(*Font());
  AnsiString text = "(" + (FBoundField != nullptr ? FBoundField->DisplayLabel() : Name()) + ")";
  SIZE extent = canvas.TextExtent(text);
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut((Width() - extent.cx) / 2, (Height() - extent.cy) / 2, text);
  // The printable's own painting adds the corner marks and the frame. Its
  // white background for opaque controls would cover the colour and the
  // name just drawn, so it runs as for a transparent control.
  TControlStyle style = ControlStyle();
  SetControlStyle(style - TControlStyle{csOpaque});
  TQRPrintable::Paint();
  SetControlStyle(style);
}
