// The composite's preview through a registered preview that the "user"
// closes once the pages are made: the composite keeps handling messages
// while the preview shows, hears the closing on its message window, and
// frees the printer object then, once.
#include <gtest/gtest.h>

#include <memory>

#include "reportengine/composite/qrcomposite.h"
#include "reportengine/report/qrquickrepbands.h"

namespace {

// Shows nothing but says it does; a timer closes it from the message loop
// once the run is done.
class ClosingPreview : public TQRPreviewInterface {
  DECLARE_CLASS(ClosingPreview, TQRPreviewInterface)

public:
  explicit ClosingPreview(TComponent* AOwner) : TQRPreviewInterface(AOwner) {}
  TCustomForm* Show(TQRPrinter* printer) override {
    Showing = printer;
    printer->SetShowingPreview(true);
    SetTimer(nullptr, 0, 50, &Close);
    return nullptr;
  }

  static void CALLBACK Close(HWND, UINT, UINT_PTR timer, DWORD) {
    if (Showing == nullptr) {
      KillTimer(nullptr, timer);
      return;
    }
    // The run handles messages while it makes the pages; on a busy machine
    // the timer comes before the last one. The "user" waits for them.
    if (!Showing->Prepared())
      return;
    KillTimer(nullptr, timer);
    PagesWhenClosed = Showing->PageCount();
    StatusWhenClosed = Showing->Status();
    TQRPrinter* printer = Showing;
    Showing = nullptr;
    printer->ClosePreview();
  }

  static inline TQRPrinter* Showing = nullptr;
  static inline int PagesWhenClosed = -1;
  static inline int StatusWhenClosed = -1;
};
IMPLEMENT_CLASS(ClosingPreview)

TQuickRep* DetailReport(int records) {
  auto* report = new TQuickRep(nullptr);
  report->SetUnits(MM);
  report->Page()->SetPaperSize(TQRPaperSize::A4);
  report->CreateBand(rbDetail)->Size()->SetHeight(100);
  auto left = std::make_shared<int>(records);
  report->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
  return report;
}

TEST(CompositePreviewTest, ThePreviewShowsTheWholeRunAndItsClosingFreesThePrinterObject) {
  std::unique_ptr<TQuickRep> first(DetailReport(3)), second(DetailReport(3));
  TQRCompositeReport composite(nullptr);
  int addReports = 0;
  composite.OnAddReports = [&](TObject*) {
    ++addReports;
    composite.AddReport(first.get());
    composite.AddReport(second.get());
  };
  RegisterPreviewClass(ClosingPreview::StaticClass());
  composite.Preview();
  RegisterPreviewClass(TQRPreviewInterface::StaticClass());

  EXPECT_EQ(ClosingPreview::Showing, nullptr) << "the preview was closed";
  EXPECT_EQ(ClosingPreview::PagesWhenClosed, 3);
  EXPECT_EQ(ClosingPreview::StatusWhenClosed, mpFinished);
  EXPECT_EQ(addReports, 2);
  EXPECT_EQ(composite.QRPrinter(), nullptr);
  EXPECT_EQ(first->QRPrinter(), nullptr);
  EXPECT_EQ(second->QRPrinter(), nullptr);
  EXPECT_FALSE(composite.Generating());
}

}  // namespace
