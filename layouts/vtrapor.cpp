#include "layouts/vtrapor.h"

#include <utility>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/printers/printers.h"
#include "classlib/printers/spoolerrequest.h"
#include "classlib/system/fileutils.h"
#include "layouts/raporsecf.h"
#include "layouts/reportlistfile.h"

namespace {

constexpr char NoDesignerMessage[] = "Rapor tasarimcisi kurulu degil; rapor tasarlanamadi.";
constexpr char NoRunnerMessage[] = "Rapor calistirici bu surumde henuz yok; rapor yazdirilamadi.";

TReportRunner& InstalledRunner() {
  static TReportRunner runner;
  return runner;
}

TReportDesigner& InstalledDesigner() {
  static TReportDesigner designer;
  return designer;
}

}  // namespace

TReportRunner SetReportRunner(TReportRunner Runner) { return std::exchange(InstalledRunner(), std::move(Runner)); }

TReportDesigner SetReportDesigner(TReportDesigner Designer) {
  return std::exchange(InstalledDesigner(), std::move(Designer));
}

BEGIN_PUBLISHED(TVtRapor)
  PROPERTY(FieldList, FieldList, SetFieldList),
  PROPERTY(ParametreList, ParametreList, SetParametreList),
  PROPERTY(Hassasiyet, Hassasiyet, SetHassasiyet),
  PROPERTY(OnGetDataSet, OnGetDataSet, OnGetDataSet),
  PROPERTY(OnGetParam, OnGetParam, OnGetParam),
  PROPERTY(OnGetPrinterIndex, OnGetPrinterIndex, OnGetPrinterIndex),
  PROPERTY(OnGetPrinterCopies, OnGetPrinterCopies, OnGetPrinterCopies),
  PROPERTY(OnGetSQLContent, OnGetSQLContent, OnGetSQLContent),
  PROPERTY(OnGetMailAdress, OnGetMailAdress, OnGetMailAdress),
  PROPERTY(OnBeforeReportPrint, OnBeforeReportPrint, OnBeforeReportPrint),
  PROPERTY(OnLabelPrint, OnLabelPrint, OnLabelPrint),
END_PUBLISHED

TVtRapor::TVtRapor(TComponent* AOwner)
    : TComponent(AOwner),
      FFieldList(std::make_unique<TStringList>()),
      FParametreList(std::make_unique<TStringList>()),
      FPrintHelper(std::make_unique<TPrintHelperLibrary>(ProgramFolder())) {}

TVtRapor::~TVtRapor() = default;

// Setting copies the lines; nothing to copy empties the list.
void TVtRapor::SetFieldList(TStrings* Value) {
  if (Value == nullptr)
    FFieldList->Clear();
  else
    FFieldList->Assign(Value);
}

void TVtRapor::SetParametreList(TStrings* Value) {
  if (Value == nullptr)
    FParametreList->Clear();
  else
    FParametreList->Assign(Value);
}

// ---- Entry points ------------------------------------------------------------------
AnsiString TVtRapor::GetDefaultReport(const AnsiString& ListFile, const AnsiString& DefaultLayout, AnsiString& Layout,
                                      bool NoChooser) {
  Layout = DefaultLayout;
  if (!FileExists(ListFile))
    return Layout;
  const TReportListFile list = TReportListFile::Load(ListFile);
  if (list.AskBeforePrint && !NoChooser)
    return ChooseReport(ListFile, DefaultLayout, Layout);
  // A default line that names no file would run nothing without a word (an
  // empty answer means a cancelled choice); the host's default stands then.
  const TReportListEntry* entry = list.DefaultEntry();
  if (entry != nullptr && !entry->FileName.empty())
    Layout = entry->FileName;
  return Layout;
}

AnsiString TVtRapor::ChooseReport(const AnsiString& ListFile, const AnsiString& DefaultLayout, AnsiString& Layout) {
  Layout = ChooseReportForm(ListFile, DefaultLayout, this);
  return Layout;
}

void TVtRapor::PreviewReport(const AnsiString& LayoutFile) { RunReport(LayoutFile, ReportModePreview); }

void TVtRapor::PrintReport(const AnsiString& LayoutFile) { RunReport(LayoutFile, ReportModePrint); }

// An empty name is a cancelled choice: nothing runs, nothing is said.
void TVtRapor::RunReport(const AnsiString& LayoutFile, const AnsiString& Mode) {
  if (LayoutFile.empty())
    return;
  const TReportRunner runner = InstalledRunner();
  if (!runner)
    throw Exception(Translate(NoRunnerMessage));
  // The run's printer objects ask the spooler the same questions: asked once.
  SpoolerRequestScope spoolerAnswers;
  runner(*this, LayoutFile, Mode);
}

// Without an installed designer (a host that never installs one) the call
// fails with a Turkish text rather than doing nothing.
void TVtRapor::DesignReport(const AnsiString& LayoutFile) {
  const TReportDesigner designer = InstalledDesigner();
  if (!designer)
    throw Exception(Translate(NoDesignerMessage));
  try {
    designer(*this, LayoutFile);
  } catch (...) {
    FDesignerForm = nullptr;
    throw;
  }
  FDesignerForm = nullptr;
}

void TVtRapor::ShowReportManager(const AnsiString& ListFile, const AnsiString& DefaultLayout) {
  ShowReportManagerForm(ListFile, DefaultLayout, this);
}

int TVtRapor::PrinterIndexFromList(const AnsiString& ListFile) {
  const int current = Printer().PrinterIndex();
  if (!FileExists(ListFile))
    return current;
  const TReportListFile list = TReportListFile::Load(ListFile);
  if (list.PrinterName.empty())
    return current;
  const int named = Printer().Printers().IndexOf(list.PrinterName);
  return named < 0 ? current : named;
}

// ---- Dispatchers -------------------------------------------------------------------
void TVtRapor::DoGetDataSet(const AnsiString& Name, TDataSet*& DataSet) {
  if (OnGetDataSet)
    OnGetDataSet(this, Name, DataSet);
}

void TVtRapor::DoGetParam(TComponent*& Component, const AnsiString& ParamStr, AnsiString& Value) {
  if (OnGetParam)
    OnGetParam(this, Component, ParamStr, Value);
}

void TVtRapor::DoGetPrinterIndex(int& Index) {
  if (OnGetPrinterIndex)
    OnGetPrinterIndex(this, Index);
}

void TVtRapor::DoGetPrinterCopies(int& Copies) {
  if (OnGetPrinterCopies)
    OnGetPrinterCopies(this, Copies);
}

void TVtRapor::DoGetSQLContent(TQRMemo* Memo) {
  if (!OnGetSQLContent)
    return;
  TQRMemo* copy = Memo;
  OnGetSQLContent(this, copy);
}

void TVtRapor::DoBeforeReportPrint(TComponent* Component) {
  if (OnBeforeReportPrint)
    OnBeforeReportPrint(this, Component);
}

void TVtRapor::DoGetMailAdress(AnsiString& Address) {
  Address.clear();
  if (OnGetMailAdress)
    OnGetMailAdress(this, Address);
}

void TVtRapor::DoLabelPrint(TComponent* Component, AnsiString& Value) {
  if (OnLabelPrint)
    OnLabelPrint(this, Component, Value);
}

AnsiString TVtRapor::Translate(const AnsiString& Text) const {
  if (!OnTranslate)
    return Text;
  AnsiString result = Text;
  OnTranslate(Text, result);
  return result;
}

void TVtRapor::DoFormOpen(TCustomForm* Form) {
  if (OnFormOpen)
    OnFormOpen(Form);
}
