// TZRPreviewForm: the pages of a text report document in a read-only rich
// edit, one page at a time or the whole report as one scrolling text, while
// the document is still being built. The style codes of the page lines show
// as bold, italic and underlined runs; the form navigates pages, searches,
// prints through the document's print setup and saves the document as text.
//
// The document makes the form (InstallZRPreviewForm sets its factory) and
// shows it; the form frees itself when closed and leaves the document's
// preview slot as soon as it closes, so a document freed right after the
// form closed is never reached again.
#pragma once
#include <vector>

#include "classlib/comctrls/progressbar.h"
#include "classlib/comctrls/richedit.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/bitbtn.h"
#include "classlib/stdctrls/speedbutton.h"
#include "textreport/output/zrprntr.h"

class TZRPreviewForm : public TForm, public IZRDocumentForm {
  DECLARE_CLASS(TZRPreviewForm, TForm)

public:
  TZRPreviewForm(TComponent* AOwner, TZRPrinter* ADocument);
  ~TZRPreviewForm() override;

  // ---- Components ----
  TPanel* Toolbar = nullptr;
  TSpeedButton* FirstPage = nullptr;
  TSpeedButton* PrevPage = nullptr;
  TSpeedButton* NextPage = nullptr;
  TSpeedButton* LastPage = nullptr;
  TSpeedButton* Setup = nullptr;
  TSpeedButton* Print = nullptr;
  TSpeedButton* Save = nullptr;
  TSpeedButton* Load = nullptr;
  TSpeedButton* PageNo = nullptr;
  TSpeedButton* Search = nullptr;
  TPanel* QuitPanel = nullptr;
  TBitBtn* Exit = nullptr;
  TPanel* StatusPanel = nullptr;
  TProgressBar* ProgressBar = nullptr;
  TPanel* InfoPanel = nullptr;
  TLabel* Status = nullptr;
  TRichEdit* Preview = nullptr;

  // ---- State ----
  TZRPrinter* Document() const { return FDocument; }
  // Attaches the form to a document (nullptr detaches only).
  void SetDocument(TZRPrinter* Value);
  int PageNumber() const { return FPageNumber; }
  int KnownPages() const { return FKnownPages; }
  // Where each known page begins in the text of the box (whole-report mode).
  const std::vector<int>& PageStarts() const { return FPageStarts; }
  // Goes to a page of the document; out-of-range numbers do nothing.
  void GoToPage(int Number);

  // ---- Handlers ----
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void FirstPageClick(TObject* Sender);
  void PrevPageClick(TObject* Sender);
  void NextPageClick(TObject* Sender);
  void LastPageClick(TObject* Sender);
  void PageNoClick(TObject* Sender);
  void PrintClick(TObject* Sender);
  void SetupClick(TObject* Sender);
  void SaveClick(TObject* Sender);
  void LoadClick(TObject* Sender);
  void ExitClick(TObject* Sender);
  void SearchClick(TObject* Sender);
  void PreviewSelectionChange(TObject* Sender);
  void PreviewKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

  // ---- What the document tells the form ----
  void DocumentNotice(unsigned Message, int Value) override;
  void CloseForm() override;
  void ShowForm() override;
  void ReleaseForm() override;

private:
  void BuildComponents();
  void BuildToolbar();
  void BuildStatusBar();
  bool WholeReport() const;
  bool Building() const;
  void UpdateCommands();
  void UpdateStatus();
  void SetProgress(int Percent);
  void PagesAvailable(int Count);
  void RenderPage(int Number);
  void ShowCurrentPage();
  // The position in the box of a line of a page of the document.
  int LineStart(int Page, int Line);
  int PageOfPosition(int Position) const;
  void DoSearch(bool Continue);
  // Shows the search form; true with FindAgain set when it is to continue
  // the last search, false when cancelled.
  bool AskSearch(bool& FindAgain);
  void SelectFound(int Length);
  void Detach();

  TZRPrinter* FDocument = nullptr;
  int FPageNumber = 1;
  int FKnownPages = 0;
  std::vector<int> FPageStarts;
  class TfmSearch* FSearchForm = nullptr;
  AnsiString FLastSearch;
  bool FContinueSearch = false;
  bool FRendering = false;
};

// Lets text report documents show their pages in this form.
void InstallZRPreviewForm();
