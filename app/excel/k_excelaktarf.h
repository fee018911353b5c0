// TK_ExcelAktarF, "Excel Veri Transferi": appends barcode records from the
// rows of a worksheet. The user ticks the record fields to fill in the
// mapping grid and gives each a worksheet column letter, chooses the
// workbook and the worksheet, says whether the first row holds titles and
// starts the transfer. Cells that cannot be read are collected on the page
// "Hatalar" rather than shown one by one.
#pragma once
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "classlib/comctrls/pagecontrol.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/data/datasource.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/dbctrls/dbgrid.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/filenameedit.h"
#include "classlib/stdctrls/memo.h"
#include "classlib/stdctrls/rxspinedit.h"
#include "components/vtformheader.h"
#include "components/vtprogress.h"
#include "components/vtwinbutton.h"
#include "support/workbook/workbookreader.h"

class TK_ExcelAktarF : public TForm {
  DECLARE_CLASS(TK_ExcelAktarF, TForm)

public:
  using TReaderFactory = std::function<std::unique_ptr<workbook::TWorkbookReader>()>;

  // Records: the record table the rows are appended to.
  TK_ExcelAktarF(TComponent* AOwner, TDataSet* Records);
  ~TK_ExcelAktarF() override;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void DBGrid1CellClick(TColumn* Column);
  void VtWinButton1Click(TObject* Sender);
  // True when every ticked mapping row has a column letter; otherwise names
  // the first row without one.
  bool AlanKontrol();
  // Sets the record field to the text of the current worksheet row's cell
  // in the letter's column; a failure becomes a line of the error list.
  void ImportCell(const AnsiString& FieldName, const AnsiString& Letter);
  // The digits and commas of the text read as a number; 0 when that fails.
  double StringConvertFloat(const AnsiString& Text);

  // The column number of a letter of the mapping grid's list ("A" = 1 ..
  // "BZ" = 78); 0 for anything else.
  static int ColumnOfLetter(const AnsiString& Letter);

  // Where workbooks are read from: the spreadsheet application where it is
  // installed, else the built-in reader. Tests put their own here.
  TReaderFactory ReaderFactory;

  TVTFormHeader* VTFormHeader1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabAktarim = nullptr;
  TTabSheet* TabHatalar = nullptr;  // "Hatalar"
  TRxMemoryData* RxTransfer = nullptr;
  TDataSource* RxTransfer_S = nullptr;
  TDBGrid* DBGrid1 = nullptr;
  TFilenameEdit* FilenameEdit1 = nullptr;  // "Excel Dosyasi Yolu"
  TRxSpinEdit* RxSpinEdit1 = nullptr;      // "Bilgilerin alinacagi calisma sayfasi"
  TCheckBox* CheckBox1 = nullptr;          // "Ilk Satir Basliklari icerir"
  TVtWinButton* VtWinButton1 = nullptr;        // "Bilgileri Aktar"
  TVTProgress* VTProgress1 = nullptr;      // "Excel den aktariliyor"
  TMemo* Memo1 = nullptr;                  // the error list
  TActionList* ActionList1 = nullptr;
  TAction* Kapat = nullptr;                // Esc, without a handler

private:
  void BuildMappingTable();
  void BuildControls();
  // Steps 3 to 6 of the transfer on an opened reader; errors collect in Errors.
  // The field name and column letter of every row marked "Aktar", in order.
  std::vector<std::pair<AnsiString, AnsiString>> MappedFields();
  void TransferRows(workbook::TWorkbookReader& Reader, TStrings& Errors);
  void SetTransferring(bool Transferring);

  TDataSet* records_;
  workbook::TWorkbookReader* reader_ = nullptr;  // during a transfer
  int row_ = 0;                                  // the worksheet row being read
  TStrings* errors_ = nullptr;
};
