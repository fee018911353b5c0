// TDatabaseEditorF, the designer's data-set and data-field picker: three
// grids over the designer's picker tables (groups, the group's tables, the
// table's fields), a search box for the fields and the buttons that take
// the current rows, clear the binding or cancel.
//
// The opener fills FieldList (the host's field list), the preset codes and
// one of the two looks (tables only, or fields only), then shows it
// modally; Secildi tells whether the user took a choice, and GrupAdi,
// TableAdi and FieldAdi what was taken (all empty for a cleared binding).
#pragma once
#include <memory>

#include "classlib/classes/strings.h"
#include "classlib/controls/stdctrls.h"
#include "components/vtrxdbgrid.h"
#include "classlib/forms/forms.h"

class TDizaynAnaF;

class TDatabaseEditorF : public TForm {
  DECLARE_CLASS(TDatabaseEditorF, TForm)

public:
  explicit TDatabaseEditorF(TComponent* AOwner);
  ~TDatabaseEditorF() override;

  // ---- Values ----
  AnsiString GrupAdi;
  AnsiString TableAdi;
  AnsiString FieldAdi;
  bool Secildi = false;
  // The picker's own copy of the field list, freed on closing.
  std::unique_ptr<TStringList> FieldList = std::make_unique<TStringList>();
  // The designer whose picker tables the grids show.
  TDizaynAnaF* Designer = nullptr;

  // ---- Controls ----
  TLabel* LabelTitle = nullptr;  // "Database Editoru"
  TLabel* Label1 = nullptr;      // "Arama"
  TEdit* Edit1 = nullptr;        // the search box
  TVTRXDBGrid* DBGrid1 = nullptr;    // groups
  TVTRXDBGrid* DBGrid2 = nullptr;    // tables
  TVTRXDBGrid* DBGrid3 = nullptr;    // fields
  TButton* Button1 = nullptr;    // "Database Bilgilerini &Temizle"
  TButton* Button2 = nullptr;    // "&Vazgec"
  TButton* Button3 = nullptr;    // "&Tamam"

  // ---- The two looks ----
  // Groups and tables, 537 pixels wide.
  void ShowTablesOnly();
  // The fields alone at left 10, 420 wide, on a form 440 wide.
  void ShowFieldsOnly();

  // ---- Handlers ----
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Button1Click(TObject* Sender);  // clear
  void Button3Click(TObject* Sender);  // take
  void Edit1Change(TObject* Sender);
  void Edit1KeyPress(TObject* Sender, char& Key);
  void GridDblClick(TObject* Sender);

private:
  void CreateControls();
  TVTRXDBGrid* AddGrid(const char* Name, int Left, int Width);
  void PlaceButtons();
};

// The picker that is open, nil otherwise; the cascades run only while one is.
extern TDatabaseEditorF* DatabaseEditorF;
