#include "app/shell/labelsperpage.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "classlib/forms/forms.h"
#include "design/dsnunit.h"
#include "layouts/core/bindinghints.h"
#include "layouts/dizaynpreview.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"

namespace {

// A band and the child bands that print right after it, in 0.1 mm.
long double ChainHeight(TQRCustomBand* Band) {
  long double height = 0;
  for (int steps = 0; Band != nullptr && steps < 10000; ++steps) {
    if (Band->Enabled())
      height += Band->Size()->NativeValue(TQRBandSize::LengthIndex);
    Band = Band->ChildBand();
  }
  return height;
}

bool IsClass(const TObject* Object, const char* Name) {
  for (TClass c = Object->ClassType(); c != nullptr; c = c->Parent)
    if (AnsiString(c->Name) == Name)
      return true;
  return false;
}

}  // namespace

int LabelsPerPage(TQuickRep& Page) {
  TQuickRepBands& bands = *Page.Bands();
  TQRCustomBand* detail = bands.DetailBand();
  const long double label = detail != nullptr ? ChainHeight(detail) : 0;
  if (label <= 0)
    return 0;
  TQRPage& sheet = *Page.Page();
  long double room = sheet.NativeValue(TQRPage::LengthIndex) - sheet.NativeValue(TQRPage::TopMarginIndex) -
                     sheet.NativeValue(TQRPage::BottomMarginIndex);
  room -= ChainHeight(bands.TitleBand()) + ChainHeight(bands.ColumnHeaderBand()) +
          ChainHeight(bands.PageFooterBand());
  if (Page.Options().Contains(FirstPageHeader))
    room -= ChainHeight(bands.PageHeaderBand());
  // The engine measures in whole tenths of a millimetre; a label taller
  // than the room left still prints one to a column.
  const long long rows = std::max(1LL, std::llround(room) / std::max(1LL, std::llround(label)));
  return static_cast<int>(std::min<long long>(rows * std::max(1, sheet.Columns()), 1 << 20));
}

int LabelsPerPageOfLayout(const AnsiString& LayoutFile) {
  // The stage reads what the runner can read, whether or not a run came first.
  RegisterRunnerClasses();
  std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* f) { f->Free(); });
  try {
    auto* stage = new TDsnStage(form.get());
    stage->SetVisible(false);
    stage->SetParent(form.get());
    stage->LoadFromFile(LayoutFile);
  } catch (const Exception&) {
    return 0;
  }
  TQuickRep* first = nullptr;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponent* c = form->Components(i);
    if (IsClass(c, "TZReport") && c->Tag() != PrototypeTag)
      return 0;
    if (auto* page = dynamic_cast<TQuickRep*>(c); page != nullptr && first == nullptr && page->Tag() != PrototypeTag)
      first = page;
  }
  return first != nullptr ? LabelsPerPage(*first) : 0;
}
