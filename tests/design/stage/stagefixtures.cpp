#include "stagefixtures.h"

#include "classlib/classes/objecttext.h"
#include "classlib/classes/filer.h"
#include "classlib/classes/streams.h"

BEGIN_PUBLISHED(TTestPagePanel)
  PROPERTY(Number, Number, Number).Default(0),
  PROPERTY(OnPrint, OnPrint, OnPrint),
END_PUBLISHED

IMPLEMENT_CLASS(TTestBandPanel)

BEGIN_PUBLISHED(TTestLabel)
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Link, Link, SetLink),
  PROPERTY(OnPrint, OnPrint, OnPrint),
END_PUBLISHED

IMPLEMENT_CLASS(TTestUnknownLabel)
IMPLEMENT_CLASS(TTestUnwritableLabel)

void TTestUnwritableLabel::DefineProperties(TFiler& Filer) {
  TTestLabel::DefineProperties(Filer);
  Filer.DefineProperty(
      "Broken", nullptr, [](TWriter&) { throw EWriteError("Broken cannot be written"); }, true);
}

BEGIN_PUBLISHED(TTestDesignForm)
  METHOD(PagePrint),
  METHOD(LabelPrint),
END_PUBLISHED

void TTestLabel::SetLink(TControl* Value) {
  if (FLink == Value)
    return;
  if (FLink != nullptr)
    FLink->RemoveFreeNotification(this);
  FLink = Value;
  if (FLink != nullptr)
    FLink->FreeNotification(this);
}

void TTestLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLink)
    FLink = nullptr;
}

void RegisterStageTestClasses() {
  static bool done = false;
  if (done)
    return;
  RegisterClasses({TTestPagePanel::StaticClass(), TTestBandPanel::StaticClass(), TTestLabel::StaticClass()});
  done = true;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::string ReadStageFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmOpenRead);
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  if (!bytes.empty())
    file.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  return bytes;
}

void WriteStageFile(const AnsiString& FileName, const std::string& Bytes) {
  TFileStream file(FileName, fmCreate);
  if (!Bytes.empty())
    file.WriteBuffer(Bytes.data(), static_cast<std::int32_t>(Bytes.size()));
}

std::string RecordFromText(const std::string& Text) {
  TStringStream input(Text);
  TStringStream output;
  ObjectTextToBinary(input, output);
  return output.DataString();
}
