#include "classlib/graphics/picture.h"

#include <vector>

#include "classlib/classes/filer.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/icon.h"
#include "classlib/graphics/jpeg.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/strutils.h"

IMPLEMENT_CLASS(TPicture)

namespace {

struct FileFormat {
  AnsiString Extension;
  AnsiString Description;
  TClass GraphicClass;
};

std::vector<FileFormat>& FileFormats() {
  static std::vector<FileFormat> formats = [] {
    RegisterClasses({TBitmap::StaticClass(), TIcon::StaticClass(), TMetafile::StaticClass(),
                     TJPEGImage::StaticClass(), TGIFImage::StaticClass()});
    return std::vector<FileFormat>{
        {"bmp", "Bitmaps", TBitmap::StaticClass()},
        {"ico", "Icons", TIcon::StaticClass()},
        {"emf", "Enhanced Metafiles", TMetafile::StaticClass()},
        {"wmf", "Metafiles", TMetafile::StaticClass()},
        {"jpg", "JPEG Image File", TJPEGImage::StaticClass()},
        {"jpeg", "JPEG Image File", TJPEGImage::StaticClass()},
        {"gif", "GIF Image", TGIFImage::StaticClass()},
    };
  }();
  return formats;
}

TGraphic* NewGraphic(TClass graphicClass) {
  TObject* object = graphicClass->Create();
  auto* graphic = dynamic_cast<TGraphic*>(object);
  if (graphic == nullptr) {
    delete object;
    throw EInvalidGraphic(AnsiString(graphicClass->Name) + " is not a graphic class");
  }
  return graphic;
}

AnsiString ExtensionOf(const AnsiString& fileName) {
  std::size_t dot = fileName.find_last_of('.');
  std::size_t slash = fileName.find_last_of("\\/:");
  if (dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash))
    return AnsiString();
  return fileName.substr(dot + 1);
}

}  // namespace

TPicture::TPicture() {
  FileFormats();
}

TPicture::~TPicture() {
  delete graphic_;
}

void TPicture::RegisterFileFormat(const AnsiString& extension, const AnsiString& description, TClass graphicClass) {
  FileFormats().insert(FileFormats().begin(), FileFormat{LowerCase(extension), description, graphicClass});
  RegisterClasses({graphicClass});  // RegisterClass is a Win32 macro here
}

void TPicture::UnregisterGraphicClass(TClass graphicClass) {
  auto& formats = FileFormats();
  std::erase_if(formats, [graphicClass](const FileFormat& f) { return f.GraphicClass == graphicClass; });
}

TClass TPicture::FileFormatClass(const AnsiString& extension) {
  for (const FileFormat& f : FileFormats())
    if (SameText(f.Extension, extension))
      return f.GraphicClass;
  return nullptr;
}

void TPicture::Replace(TGraphic* graphic) {
  TGraphic* old = graphic_;
  graphic_ = graphic;
  if (graphic_ != nullptr) {
    graphic_->OnChange = Method<&TPicture::GraphicChanged>(this);
    graphic_->OnProgress = Method<&TPicture::GraphicProgress>(this);
  }
  delete old;
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* value) {
  if (value == graphic_)
    return;
  if (value == nullptr) {
    Replace(nullptr);
    return;
  }
  TGraphic* copy = NewGraphic(value->ClassType());
  try {
    copy->Assign(value);
  } catch (...) {
    delete copy;
    throw;
  }
  Replace(copy);
}

template <class G>
G& TPicture::ForceType() {
  // A graphic of that class or a descendant (a PNG picture is a bitmap) stays.
  auto* typed = dynamic_cast<G*>(graphic_);
  if (typed == nullptr) {
    typed = new G();
    Replace(typed);
  }
  return *typed;
}

TBitmap& TPicture::Bitmap() {
  return ForceType<TBitmap>();
}

TIcon& TPicture::Icon() {
  return ForceType<TIcon>();
}

TMetafile& TPicture::Metafile() {
  return ForceType<TMetafile>();
}

int TPicture::Width() const {
  return graphic_ != nullptr ? graphic_->Width() : 0;
}

int TPicture::Height() const {
  return graphic_ != nullptr ? graphic_->Height() : 0;
}

void TPicture::Assign(TPersistent* Source) {
  if (Source == nullptr)
    SetGraphic(nullptr);
  else if (auto* picture = dynamic_cast<TPicture*>(Source))
    SetGraphic(picture->Graphic());
  else if (auto* graphic = dynamic_cast<TGraphic*>(Source))
    SetGraphic(graphic);
  else
    TPersistent::Assign(Source);
}

void TPicture::LoadFromFile(const AnsiString& fileName) {
  AnsiString extension = ExtensionOf(fileName);
  TClass graphicClass = FileFormatClass(extension);
  if (graphicClass == nullptr)
    throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
  TGraphic* graphic = NewGraphic(graphicClass);
  try {
    graphic->OnProgress = Method<&TPicture::GraphicProgress>(this);
    graphic->LoadFromFile(fileName);
  } catch (...) {
    delete graphic;
    throw;
  }
  Replace(graphic);
}

void TPicture::SaveToFile(const AnsiString& fileName) {
  if (graphic_ != nullptr)
    graphic_->SaveToFile(fileName);
}

void TPicture::ReadData(TStream& stream) {
  unsigned char length = 0;
  stream.ReadBuffer(&length, 1);
  AnsiString className(length, '\0');
  if (length > 0)
    stream.ReadBuffer(className.data(), length);
  TClass graphicClass = nullptr;
  for (const FileFormat& f : FileFormats())
    if (SameText(f.GraphicClass->Name, className))
      graphicClass = f.GraphicClass;
  if (graphicClass == nullptr)
    graphicClass = GetClass(className);
  if (graphicClass == nullptr || !graphicClass->InheritsFrom(TGraphic::StaticClass()))
    throw EClassNotFound("Class " + className + " not found");
  TGraphic* graphic = NewGraphic(graphicClass);
  try {
    graphic->ReadData(stream);
  } catch (...) {
    delete graphic;
    throw;
  }
  Replace(graphic);
}

void TPicture::WriteData(TStream& stream) {
  if (graphic_ == nullptr)
    return;
  AnsiString className = graphic_->ClassName();
  auto length = static_cast<unsigned char>(className.size());
  stream.WriteBuffer(&length, 1);
  stream.WriteBuffer(className.data(), length);
  graphic_->WriteData(stream);
}

void TPicture::DefineProperties(TFiler& Filer) {
  Filer.DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
      graphic_ != nullptr);
}

void TPicture::Changed(TObject* sender) {
  if (OnChange)
    OnChange(this);
}

void TPicture::GraphicChanged(TObject* sender) {
  Changed(sender);
}

void TPicture::GraphicProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                               const RECT& r, const AnsiString& msg) {
  if (OnProgress)
    OnProgress(sender, stage, percentDone, redrawNow, r, msg);
}
