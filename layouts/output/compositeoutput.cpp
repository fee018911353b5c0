#include "layouts/output/compositeoutput.h"

#include "layouts/core/bindinghints.h"
#include "layouts/output/outputreports.h"
#include "layouts/output/outputsettings.h"
#include "layouts/vtrapor.h"
#include "reportengine/composite/qrcomposite.h"

void OutputCompositeGraphicReport(TQRCompositeReport& Composite, const std::vector<TQuickRep*>& Pages, TVtRapor& Rapor,
                                  const AnsiString& Mode, const std::function<void(TQuickRep&)>& Member) {
  std::vector<TQuickRep*> members;
  for (TQuickRep* page : Pages)
    if (page != nullptr && page->Tag() != PrototypeTag)
      members.push_back(page);
  Rapor.DoBeforeReportPrint(&Composite);
  if (!members.empty())
    SetOutputPreviewSettings(*members.front());
  Composite.OnAddReports = [&Composite, members, Member](TObject*) {
    for (TQuickRep* page : members) {
      Composite.AddReport(page);
      if (Member)
        Member(*page);
    }
  };
  TCompositeOutput output(Composite);
  RunOutputMode(Mode, output, Rapor);
}

TOutputPath ChooseOutputPath(int GraphicPages, int TextPages) {
  if (TextPages >= 2)
    return TOutputPath::CompositeText;
  if (TextPages == 1)
    return TOutputPath::SingleText;
  if (GraphicPages >= 2)
    return TOutputPath::CompositeGraphic;
  return GraphicPages == 1 ? TOutputPath::SingleGraphic : TOutputPath::None;
}
