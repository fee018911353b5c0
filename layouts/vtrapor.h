// TVtRapor: the report component a host form drops on itself to work with
// report layouts. It carries the host's data lists (the fields and the
// parameters the designer offers), passes every question a running layout
// raises back to the host through its events, and opens the windows of the
// layout subsystem for the host: the report chooser (management and
// selection), the designer and the hidden report runner.
//
// The runner and the designer are reached through seams (SetReportRunner,
// SetReportDesigner) that their units fill (InstallReportRunner,
// InstallReportDesigner); without one, the entry points raise an exception.
#pragma once
#include <functional>
#include <memory>

#include "classlib/classes/component.h"
#include "classlib/classes/strings.h"
#include "layouts/printhelper.h"

class TCustomForm;
class TDataSet;
class TQRMemo;
class TVtRapor;

// The host's answers.
DOZURI_EVENT(TGetDataSetEvent, void(TObject* Sender, AnsiString DataStr, TDataSet*& Gdataset));
DOZURI_EVENT(TGetParamEvent, void(TObject* Sender, TComponent*& Component, AnsiString ParamStr, AnsiString& GValue));
DOZURI_EVENT(TGetPrinterIndexEvent, void(TObject* Sender, int& PrnIndex));
DOZURI_EVENT(TGetPrinterCopies, void(TObject* Sender, int& Copies));
DOZURI_EVENT(TGetSQLContent, void(TObject* Sender, TQRMemo*& QrMemoComponent));
DOZURI_EVENT(TGetMailAdres, void(TObject* Sender, AnsiString& MailAdress));
DOZURI_EVENT(TBeforeReportPrint, void(TObject* Sender, TComponent* Component));
DOZURI_EVENT(TLabelPrint, void(TObject* Sender, TComponent* Component, AnsiString& Value));

// The host's hooks on the layout subsystem's forms: a form about to be
// used, and a user-facing text about to be shown.
DOZURI_EVENT(TReportFormOpenEvent, void(TCustomForm* Form));
DOZURI_EVENT(TReportTranslateEvent, void(AnsiString Text, AnsiString& Result));

// The modes a runner is started in.
inline constexpr char ReportModePreview[] = "Preview";
inline constexpr char ReportModePrint[] = "Print";

// Runs one layout file in a mode for a report component; exceptions of the
// run pass to the caller. Filled by the runner's unit.
using TReportRunner = std::function<void(TVtRapor& Rapor, const AnsiString& LayoutFile, const AnsiString& Mode)>;
// Opens the designer modally on a layout file ("" for none). Filled by the
// designer's unit; the designer form announces itself with SetDesignerForm.
using TReportDesigner = std::function<void(TVtRapor& Rapor, const AnsiString& LayoutFile)>;

// Install a runner or designer; each gives the one it replaces.
TReportRunner SetReportRunner(TReportRunner Runner);
TReportDesigner SetReportDesigner(TReportDesigner Designer);

class TVtRapor : public TComponent {
  DECLARE_CLASS(TVtRapor, TComponent)

public:
  // Loads the print helper library from the program's folder.
  explicit TVtRapor(TComponent* AOwner);
  ~TVtRapor() override;

  // ---- Published properties
  // One line per field: group code, group text, table code, table text,
  // field code and field text, each followed by "|".
  TStrings* FieldList() const { return FFieldList.get(); }
  void SetFieldList(TStrings* Value);
  // One line per parameter: code "|" text.
  TStrings* ParametreList() const { return FParametreList.get(); }
  void SetParametreList(TStrings* Value);
  // The display mask the runner gives bound printables that have none.
  const AnsiString& Hassasiyet() const { return FHassasiyet; }
  void SetHassasiyet(const AnsiString& Value) { FHassasiyet = Value; }

  TGetDataSetEvent OnGetDataSet;
  TGetParamEvent OnGetParam;
  TGetPrinterIndexEvent OnGetPrinterIndex;
  TGetPrinterCopies OnGetPrinterCopies;
  TGetSQLContent OnGetSQLContent;
  TGetMailAdres OnGetMailAdress;
  TBeforeReportPrint OnBeforeReportPrint;
  TLabelPrint OnLabelPrint;

  // ---- Set by a host in code; never streamed
  TReportFormOpenEvent OnFormOpen;
  TReportTranslateEvent OnTranslate;
  // The file the runner's PDF and page-store modes write; "" asks.
  AnsiString OutputFileName;

  // ---- Entry points
  // The layout to run for a report list file: the chooser's answer when the
  // list asks for the chooser (and NoChooser is false), else the file of the
  // first "[def]" line, else DefaultLayout (also when that line names no
  // file). "" means the user cancelled the chooser. A damaged list file
  // raises EReportListError and is left as it is.
  AnsiString GetDefaultReport(const AnsiString& ListFile, const AnsiString& DefaultLayout, AnsiString& Layout,
                              bool NoChooser);
  // The chooser in selection mode: the confirmed row's file, "" when closed
  // without "Tamam".
  AnsiString ChooseReport(const AnsiString& ListFile, const AnsiString& DefaultLayout, AnsiString& Layout);
  // Run the runner; an empty layout name runs nothing (a cancelled choice).
  // Without an installed runner they raise an exception with a Turkish text.
  void PreviewReport(const AnsiString& LayoutFile);
  void PrintReport(const AnsiString& LayoutFile);
  // The designer, modal, on the layout ("" starts without a file); raises
  // an exception with a Turkish text when no designer is installed.
  void DesignReport(const AnsiString& LayoutFile);
  // The chooser in management mode.
  void ShowReportManager(const AnsiString& ListFile, const AnsiString& DefaultLayout);
  // The printer the list names by its "[*]PRINTER=" line, else the current one.
  int PrinterIndexFromList(const AnsiString& ListFile);

  // ---- Dispatchers: each fires its event when assigned, else leaves the
  // out-arguments as they came.
  void DoGetDataSet(const AnsiString& Name, TDataSet*& DataSet);
  void DoGetParam(TComponent*& Component, const AnsiString& ParamStr, AnsiString& Value);
  void DoGetPrinterIndex(int& Index);
  void DoGetPrinterCopies(int& Copies);
  // The handler gets a copy of the pointer: a replacement it stores is not taken over.
  void DoGetSQLContent(TQRMemo* Memo);
  void DoBeforeReportPrint(TComponent* Component);
  // Clears Address first.
  void DoGetMailAdress(AnsiString& Address);
  void DoLabelPrint(TComponent* Component, AnsiString& Value);
  // The hooks: Translate gives Text as it stands when OnTranslate is unassigned.
  AnsiString Translate(const AnsiString& Text) const;
  void DoFormOpen(TCustomForm* Form);

  // The designer form open at the moment, nil otherwise.
  TCustomForm* DesignerForm() const { return FDesignerForm; }
  void SetDesignerForm(TCustomForm* Form) { FDesignerForm = Form; }
  // The print helper library; its entry is set exactly when it is available.
  const TPrintHelperLibrary& PrintHelper() const { return *FPrintHelper; }
  TPrintHelperExecute PrintHelperExecute() const { return FPrintHelper->Execute(); }

private:
  void RunReport(const AnsiString& LayoutFile, const AnsiString& Mode);

  std::unique_ptr<TStringList> FFieldList;
  std::unique_ptr<TStringList> FParametreList;
  AnsiString FHassasiyet;
  TCustomForm* FDesignerForm = nullptr;
  std::unique_ptr<TPrintHelperLibrary> FPrintHelper;
};
