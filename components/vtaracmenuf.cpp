#include "components/vtaracmenuf.h"

#include "classlib/controls/controlmaking.h"
#include "classlib/forms/application.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/graphics/bitmap.h"
#include "components/uitextmessage.h"
#include "components/vtaraceklef.h"
#include "components/vtaraclar.h"

namespace {

constexpr int AracButtonWidth = 90;
constexpr int AracButtonTop = 262;
enum TAracImage { aiRemove, aiEdit, aiAdd, aiClose, aiCount };

// The buttons' 16 x 16 pictures, drawn on white (see-through): a red cross,
// a pencil, a green plus, a door.
void DrawAracImage(TCanvas& Canvas, TAracImage Image) {
  Canvas.Brush().SetColor(clWhite);
  Canvas.FillRect(RECT{0, 0, 16, 16});
  Canvas.Pen().SetWidth(3);
  switch (Image) {
  case aiRemove:
    Canvas.Pen().SetColor(clRed);
    Canvas.MoveTo(3, 3);
    Canvas.LineTo(13, 13);
    Canvas.MoveTo(13, 3);
    Canvas.LineTo(3, 13);
    break;
  case aiEdit:
    Canvas.Pen().SetColor(clNavy);
    Canvas.MoveTo(3, 13);
    Canvas.LineTo(13, 3);
    break;
  case aiAdd:
    Canvas.Pen().SetColor(clGreen);
    Canvas.MoveTo(8, 2);
    Canvas.LineTo(8, 14);
    Canvas.MoveTo(2, 8);
    Canvas.LineTo(14, 8);
    break;
  default:
    Canvas.Pen().SetWidth(1);
    Canvas.Brush().SetColor(clMaroon);
    Canvas.Rectangle(3, 1, 13, 15);
    Canvas.Pen().SetColor(clYellow);
    Canvas.MoveTo(10, 8);
    Canvas.LineTo(11, 8);
    break;
  }
}

void FillAracImages(TImageList& Images) {
  for (int i = 0; i < aiCount; ++i) {
    TBitmap image;
    image.SetPixelFormat(pf24bit);
    image.SetSize(16, 16);
    DrawAracImage(image.Canvas(), static_cast<TAracImage>(i));
    Images.AddMasked(image, clWhite);
  }
}

}  // namespace

int AracMessageBox(const AnsiString& Caption, const AnsiString& Text, UINT Flags) {
  TMessageBoxRequest request;
  request.Caption = Caption;
  request.Text = Text;
  request.Flags = Flags;
  return DialogService().MessageBox(request);
}

BEGIN_PUBLISHED(TK_VtAracMenuF)
  METHOD(FormShow),
  METHOD(ListBox1Click),
  METHOD(BitBtn1Click),
  METHOD(BitBtn2Click),
  METHOD(kapatExecute),
END_PUBLISHED

TK_VtAracMenuF::TK_VtAracMenuF(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientSize();
  BuildParts();
  OnShow = Method<&TK_VtAracMenuF::FormShow>(this);
}

void TK_VtAracMenuF::BuildParts() {
  ImageList1 = new TImageList(this);
  ImageList1->SetName("ImageList1");
  FillAracImages(*ImageList1);
  VTFormHeader1 = MakeControl<TVTFormHeader>(this, this, "VTFormHeader1");
  VTFormHeader1->SetTitle("Araçlar Menüsünü Düzenle");
  Label1 = MakeControlAt<TLabel>(this, this, "Label1", 8, 38, 380, 16);
  Label1->SetCaption("Araçlar Menüsü Elemanları");
  ListBox1 = MakeControlAt<TListBox>(this, this, "ListBox1", 8, 56, 384, 198);
  ListBox1->OnClick = Method<&TK_VtAracMenuF::ListBox1Click>(this);
  BitBtn1 = MakeButton("BitBtn1", "Kaldır", 8, aiRemove, Method<&TK_VtAracMenuF::BitBtn1Click>(this));
  BitBtn2 = MakeButton("BitBtn2", "Düzenle", 106, aiEdit, Method<&TK_VtAracMenuF::BitBtn2Click>(this));
  BitBtn3 = MakeButton("BitBtn3", "Ekle", 204, aiAdd, Method<&TK_VtAracMenuF::BitBtn2Click>(this));
  BitBtn4 = MakeButton("BitBtn4", "Kapat", 302, aiClose, Method<&TK_VtAracMenuF::kapatExecute>(this));
  StatusBar1 = MakeControl<TStatusBar>(this, this, "StatusBar1");
  StatusBar1->SetSimplePanel(true);
  StatusBar1->SetSimpleText("VORTELIM");
  ActionList1 = new TActionList(this);
  ActionList1->SetName("ActionList1");
  kapat = new TAction(this);
  kapat->SetName("kapat");
  kapat->SetShortCut(VK_ESCAPE);
  kapat->OnExecute = Method<&TK_VtAracMenuF::kapatExecute>(this);
  kapat->SetActionList(ActionList1);
}

TVtWinButton* TK_VtAracMenuF::MakeButton(const char* Name, const AnsiString& Caption, int Left, int ImageIndex,
                                         const TNotifyEvent& OnClick) {
  auto* button = MakeControlAt<TVtWinButton>(this, this, Name, Left, AracButtonTop, AracButtonWidth, 28);
  button->SetCaption(Caption);
  button->SetImages(ImageList1);
  button->SetImageIndex(ImageIndex);
  button->OnClick = OnClick;
  return button;
}

// ---- Rows and entries ---------------------------------------------------------------

TAraclarItem* TK_VtAracMenuF::EntryOfRow(int Row) const {
  if (Araclar == nullptr || Row < 0)
    return nullptr;
  const int fixed = Araclar->Sabitler()->Count();
  if (Row < fixed)
    return Araclar->Sabitler()->Items(Row);
  if (Row - fixed < Araclar->Tanimlar()->Count())
    return Araclar->Tanimlar()->Items(Row - fixed);
  return nullptr;
}

bool TK_VtAracMenuF::IsUserRow(int Row) const {
  return Araclar != nullptr && Row >= Araclar->Sabitler()->Count() && EntryOfRow(Row) != nullptr;
}

// ---- Handlers -----------------------------------------------------------------------

// The client area's size needs the window's frame, known once the window
// exists; before that it only sets a first size.
void TK_VtAracMenuF::SetClientSize() {
  SetClientWidth(400);
  SetClientHeight(320);
}

void TK_VtAracMenuF::FormShow(TObject*) {
  SetClientSize();
  ApplyTranslateForm(this, OnTranslateForm);
  if (Application->MainForm() != nullptr)
    SetCaption(Application->MainForm()->Caption());
  arac_yukle();
}

void TK_VtAracMenuF::arac_yukle() {
  ListBox1->Items()->Clear();
  if (Araclar == nullptr)
    return;
  for (int i = 0; i < Araclar->Sabitler()->Count(); ++i) {
    const AnsiString& caption = Araclar->Sabitler()->Items(i)->Caption();
    ListBox1->Items()->Add(OnTranslateText ? TranslateHookText(caption, OnTranslateText) : caption);
  }
  for (int i = 0; i < Araclar->Tanimlar()->Count(); ++i)
    ListBox1->Items()->Add(Araclar->Tanimlar()->Items(i)->Caption());
}

void TK_VtAracMenuF::ListBox1Click(TObject*) { BitBtn1->SetEnabled(IsUserRow(ListBox1->ItemIndex())); }

void TK_VtAracMenuF::ShowSelectFirst() {
  if (OnTranslateText)
    AracMessageBox(TranslateHookText("Bilgi", OnTranslateText),
                   TranslateHookText("Duzenlenecek elemani seciniz.", OnTranslateText), MB_OK | MB_ICONINFORMATION);
  else
    AracMessageBox("Bilgi", "Düzenlenecek elemanı seçiniz.", MB_OK | MB_ICONINFORMATION);
}

// A fixed row never reaches the removal: only user entries can go.
void TK_VtAracMenuF::BitBtn1Click(TObject*) {
  const int row = ListBox1->ItemIndex();
  if (row < 0) {
    ShowSelectFirst();
    return;
  }
  if (!IsUserRow(row))
    return;
  const AnsiString text = (*ListBox1->Items())[row];
  const bool hooked = static_cast<bool>(OnTranslateText);
  const AnsiString caption = hooked ? TranslateHookText("Onay", OnTranslateText) : AnsiString("Onay");
  const AnsiString question = hooked ? text + " " + TranslateHookText("menusunu silmek istiyor musunuz?", OnTranslateText)
                                     : text + " menusunu silmek istiyor musunuz?";
  if (AracMessageBox(caption, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  Araclar->Tanimlar()->Delete(row - Araclar->Sabitler()->Count());
  ListBox1->Items()->Delete(row);
  ListBox1Click(ListBox1);
}

void TK_VtAracMenuF::BitBtn2Click(TObject* Sender) {
  const bool add = Sender == BitBtn3;
  if (!add && ListBox1->ItemIndex() < 0) {
    ShowSelectFirst();
    return;
  }
  auto* entryForm = new TK_VtAracEkleF(this);
  struct FreeOnExit {
    TK_VtAracEkleF* form;
    ~FreeOnExit() { form->Free(); }
  } freeOnExit{entryForm};
  entryForm->MenuF = this;
  entryForm->AddMode = add;
  entryForm->OnTranslateForm = OnTranslateForm;
  entryForm->OnTranslateText = OnTranslateText;
  entryForm->ShowModal();
  arac_yukle();
}

void TK_VtAracMenuF::kapatExecute(TObject*) { Close(); }
