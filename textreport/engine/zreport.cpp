#include "textreport/engine/zreport.h"

#include "textreport/engine/zrvariables.h"

BEGIN_PUBLISHED(TZReport)
  PROPERTY(Left, PixelLeft, SetPixelLeft),
  PROPERTY(Top, PixelTop, SetPixelTop),
  PROPERTY(Bands, Bands, SetBands),
  PROPERTY(DataOptions, DataOptions, SetDataOptions),
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(PrintIfEmpty, PrintIfEmpty, SetPrintIfEmpty).Default(false),
  PROPERTY(OnDataStart, OnDataStart, OnDataStart),
  PROPERTY(OnDataNext, OnDataNext, OnDataNext),
  PROPERTY(BeforePrint, BeforePrint, BeforePrint),
  PROPERTY(AfterPrint, AfterPrint, AfterPrint),
END_PUBLISHED

// A page of 76 characters by 60 lines.
TZReport::TZReport(TComponent* AOwner) : TZRCustomController(AOwner), FBands(std::make_unique<TZReportBands>(this)) {
  MakeOwnReport();
  SetColor(clAppWorkSpace);
  SetWidth(76);
  SetHeight(60);
}

TZReport::~TZReport() = default;

void TZReport::SetPixelLeft(int Value) {
  TCustomControl::SetBounds(Value, TControl::Top(), TControl::Width(), TControl::Height());
}

void TZReport::SetPixelTop(int Value) {
  TCustomControl::SetBounds(TControl::Left(), Value, TControl::Width(), TControl::Height());
}

void RegisterZReportClasses() {
  RegisterClasses({TZReport::StaticClass(), TZRBand::StaticClass(), TZRSubDetail::StaticClass(),
                   TZRField::StaticClass(), TZRAggregator::StaticClass()});
}
