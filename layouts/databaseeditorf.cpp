#include "layouts/databaseeditorf.h"

#include "classlib/controls/controlmaking.h"
#include "classlib/data/rxmemorydata.h"
#include "layouts/designpickertables.h"
#include "layouts/dizaynanaf.h"

BEGIN_PUBLISHED(TDatabaseEditorF)
  METHOD(FormShow),
  METHOD(FormClose),
  METHOD(Button1Click),
  METHOD(Button3Click),
  METHOD(Edit1Change),
  METHOD(Edit1KeyPress),
  METHOD(GridDblClick),
END_PUBLISHED

TDatabaseEditorF* DatabaseEditorF = nullptr;

namespace {

constexpr char DatabaseEditorTitle[] = "Database Editoru";
constexpr int PickerGridTop = 64;
constexpr int PickerGridHeight = 280;
constexpr int PickerButtonTop = PickerGridTop + PickerGridHeight + 10;
constexpr int PickerClientHeight = PickerButtonTop + 35;

void AddPickerColumn(TVTRXDBGrid* Grid, const char* Field, const char* Title, int Width) {
  TColumn* column = Grid->Columns()->Add();
  column->SetFieldName(Field);
  column->Title()->SetCaption(Title);
  if (Width > 0)
    column->SetWidth(Width);
}

}  // namespace

TDatabaseEditorF::TDatabaseEditorF(TComponent* AOwner) : TForm(AOwner), Designer(DizaynAnaF) {
  SetName("DatabaseEditorF");
  SetCaption(DatabaseEditorTitle);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  SetWidth(537);
  SetClientHeight(PickerClientHeight);
  CreateControls();
  OnShow = Method<&TDatabaseEditorF::FormShow>(this);
  OnClose = Method<&TDatabaseEditorF::FormClose>(this);
  DatabaseEditorF = this;
}

TDatabaseEditorF::~TDatabaseEditorF() {
  if (DatabaseEditorF == this)
    DatabaseEditorF = nullptr;
  PickerCascadeOn = false;
}

TVTRXDBGrid* TDatabaseEditorF::AddGrid(const char* Name, int Left, int Width) {
  auto* grid = MakeControlAt<TVTRXDBGrid>(this, this, Name, Left, PickerGridTop, Width, PickerGridHeight);
  grid->SetReadOnly(true);
  grid->OnDblClick = Method<&TDatabaseEditorF::GridDblClick>(this);
  return grid;
}

void TDatabaseEditorF::CreateControls() {
  LabelTitle = MakeControlAt<TLabel>(this, this, "LabelTitle", 10, 8, 300, 18);
  LabelTitle->SetCaption(DatabaseEditorTitle);
  LabelTitle->Font()->SetStyle(TFontStyles{fsBold});
  Label1 = MakeControlAt<TLabel>(this, this, "Label1", 10, 38, 45, 16);
  Label1->SetCaption("Arama");
  Edit1 = MakeControlAt<TEdit>(this, this, "Edit1", 60, 34, 200, 21);
  Edit1->OnChange = Method<&TDatabaseEditorF::Edit1Change>(this);
  Edit1->OnKeyPress = Method<&TDatabaseEditorF::Edit1KeyPress>(this);

  DBGrid1 = AddGrid("DBGrid1", 10, 250);
  DBGrid2 = AddGrid("DBGrid2", 270, 250);
  DBGrid3 = AddGrid("DBGrid3", 530, 420);
  AddPickerColumn(DBGrid1, "GRUPADITEXT", "Grup", 0);
  AddPickerColumn(DBGrid2, "TABLEADITEXT", "Tablo", 0);
  AddPickerColumn(DBGrid3, "FIELDADIORG", "Alan", 120);
  AddPickerColumn(DBGrid3, "FIELDADITEXT", "Aciklama", 263);
  if (Designer != nullptr) {
    DBGrid1->SetDataSource(Designer->RxGrup_S);
    DBGrid2->SetDataSource(Designer->RxTable_S);
    DBGrid3->SetDataSource(Designer->RxField_S);
  }

  Button1 = MakeControlAt<TButton>(this, this, "Button1", 10, PickerButtonTop, 190, 25);
  Button1->SetCaption("Database Bilgilerini &Temizle");
  Button1->OnClick = Method<&TDatabaseEditorF::Button1Click>(this);
  Button2 = MakeControlAt<TButton>(this, this, "Button2", 0, PickerButtonTop, 75, 25);
  Button2->SetCaption("&Vazgec");
  Button2->SetCancel(true);  // Esc
  Button2->SetModalResult(mrCancel);
  Button3 = MakeControlAt<TButton>(this, this, "Button3", 0, PickerButtonTop, 75, 25);
  Button3->SetCaption("&Tamam");
  Button3->OnClick = Method<&TDatabaseEditorF::Button3Click>(this);
  ShowTablesOnly();
}

// "&Tamam" and "&Vazgec" keep to the form's right edge.
void TDatabaseEditorF::PlaceButtons() {
  const int right = Width() - 16;
  Button3->SetLeft(right - 10 - Button3->Width());
  Button2->SetLeft(Button3->Left() - 6 - Button2->Width());
}

void TDatabaseEditorF::ShowTablesOnly() {
  DBGrid1->SetVisible(true);
  DBGrid2->SetVisible(true);
  DBGrid3->SetVisible(false);
  SetWidth(537);
  PlaceButtons();
}

void TDatabaseEditorF::ShowFieldsOnly() {
  DBGrid1->SetVisible(false);
  DBGrid2->SetVisible(false);
  DBGrid3->SetVisible(true);
  DBGrid3->SetBounds(10, PickerGridTop, 420, PickerGridHeight);
  SetWidth(440);
  PlaceButtons();
}

void TDatabaseEditorF::FormShow(TObject*) {
  PickerCascadeOn = false;
  if (Designer == nullptr)
    return;
  OpenPickerForm(Designer, *this);
  PreparePickerTables(*Designer, *FieldList, GrupAdi, TableAdi, FieldAdi);
  PickerCascadeOn = true;
  TWinControl* focus = DBGrid3->Visible() ? DBGrid3 : DBGrid2;
  if (focus->CanFocus())
    focus->SetFocus();
}

void TDatabaseEditorF::FormClose(TObject*, TCloseAction&) {
  PickerCascadeOn = false;
  FieldList->Clear();
}

namespace {

AnsiString CurrentCode(TRxMemoryData* Table, const char* Field) {
  return Table != nullptr && Table->Active() && !Table->IsEmpty() ? Table->FieldByName(Field)->AsString()
                                                                  : AnsiString();
}

}  // namespace

// Takes the current rows. With nothing to take (an empty field list, or no
// field for the field picker) the picker closes as if cancelled, so no
// binding is cleared by accident.
void TDatabaseEditorF::Button3Click(TObject*) {
  if (Designer == nullptr) {
    SetModalResult(mrCancel);
    return;
  }
  TableAdi = CurrentCode(Designer->RxTable, "TABLEADIORG");
  FieldAdi = CurrentCode(Designer->RxField, "FIELDADIORG");
  GrupAdi = CurrentCode(Designer->RxGrup, "GRUPADIORG");
  Secildi = !TableAdi.empty() && (!DBGrid3->Visible() || !FieldAdi.empty());
  SetModalResult(Secildi ? mrOk : mrCancel);
}

void TDatabaseEditorF::Button1Click(TObject*) {
  GrupAdi.clear();
  TableAdi.clear();
  FieldAdi.clear();
  Secildi = true;
  SetModalResult(mrOk);
}

void TDatabaseEditorF::Edit1Change(TObject*) {
  if (Designer != nullptr)
    LocateFieldByText(*Designer, Edit1->Text());
}

void TDatabaseEditorF::Edit1KeyPress(TObject*, char& Key) {
  if (Key != '\r')
    return;
  Key = 0;
  Button3Click(this);
}

void TDatabaseEditorF::GridDblClick(TObject* Sender) {
  if (Sender == DBGrid2 || Sender == DBGrid3)
    Button3Click(this);
}
