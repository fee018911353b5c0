// The text preview: its components, the document's notices, rendering of
// pages with styled runs, navigation, keys and search.
#include "textreport/forms/zrprev.h"

#include "classlib/forms/application.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/screen.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"
#include "components/core/uitext.h"
#include "textreport/core/zrconst.h"
#include "textreport/core/zrescapetext.h"
#include "textreport/core/zrescapetokenizer.h"
#include "textreport/forms/zrprevbuttons.h"
#include "textreport/forms/zrsearch.h"

BEGIN_PUBLISHED(TZRPreviewForm)
  METHOD(FormCreate),
  METHOD(FormClose),
  METHOD(FormDestroy),
  METHOD(FirstPageClick),
  METHOD(PrevPageClick),
  METHOD(NextPageClick),
  METHOD(LastPageClick),
  METHOD(PageNoClick),
  METHOD(PrintClick),
  METHOD(SetupClick),
  METHOD(SaveClick),
  METHOD(LoadClick),
  METHOD(ExitClick),
  METHOD(SearchClick),
  METHOD(PreviewSelectionChange),
  METHOD(PreviewKeyDown),
END_PUBLISHED

namespace {

TFontStyles FontStylesOf(TZREscapeStyles Styles) {
  TFontStyles result;
  if (Styles.Contains(zesBold))
    result.Include(fsBold);
  if (Styles.Contains(zesItalic))
    result.Include(fsItalic);
  if (Styles.Contains(zesUnderline))
    result.Include(fsUnderline);
  return result;
}

// The screen shows the application-starting cursor while a page is drawn,
// and the cursor it had afterwards, also when drawing failed.
class BusyCursor {
public:
  BusyCursor() : saved_(Screen->Cursor()) { Screen->SetCursor(crAppStart); }
  ~BusyCursor() { Screen->SetCursor(saved_); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

private:
  TCursor saved_;
};

}  // namespace

// ---- Life -----------------------------------------------------------------------------------
TZRPreviewForm::TZRPreviewForm(TComponent* AOwner, TZRPrinter* ADocument) : TForm(AOwner) {
  BuildComponents();
  FPageNumber = 1;
  SetDocument(ADocument);
  SetWindowState(wsMaximized);
}

TZRPreviewForm::~TZRPreviewForm() { Detach(); }

void TZRPreviewForm::BuildComponents() {
  SetBounds(0, 0, 571, 472);
  SetKeyPreview(true);
  SetPosition(poScreenCenter);
  SetShowHint(true);
  BuildToolbar();
  BuildStatusBar();
  Preview = new TRichEdit(this);
  Preview->SetName("Preview");
  Preview->SetParent(this);
  Preview->SetAlign(alClient);
  Preview->SetReadOnly(true);
  Preview->SetWordWrap(false);
  Preview->SetHideSelection(false);
  Preview->SetPlainText(true);
  Preview->OnSelectionChange = Method<&TZRPreviewForm::PreviewSelectionChange>(this);
  OnCreate = Method<&TZRPreviewForm::FormCreate>(this);
  OnClose = Method<&TZRPreviewForm::FormClose>(this);
  OnDestroy = Method<&TZRPreviewForm::FormDestroy>(this);
  OnKeyDown = Method<&TZRPreviewForm::PreviewKeyDown>(this);
}

void TZRPreviewForm::BuildToolbar() {
  Toolbar = MakePreviewPanel(this, this, "Toolbar", alTop);
  Toolbar->SetHeight(28);
  int left = 2;
  auto button = [&](const char* name, TZRPreviewGlyph glyph, int width, TNotifyEvent onClick) {
    TSpeedButton* made = MakePreviewButton(this, Toolbar, name, glyph, left, width);
    made->OnClick = onClick;
    left += width;
    return made;
  };
  FirstPage = button("FirstPage", zpgFirst, 25, Method<&TZRPreviewForm::FirstPageClick>(this));
  PrevPage = button("PrevPage", zpgPrior, 25, Method<&TZRPreviewForm::PrevPageClick>(this));
  NextPage = button("NextPage", zpgNext, 25, Method<&TZRPreviewForm::NextPageClick>(this));
  LastPage = button("LastPage", zpgLast, 25, Method<&TZRPreviewForm::LastPageClick>(this));
  left += 6;
  Setup = button("Setup", zpgSetup, 25, Method<&TZRPreviewForm::SetupClick>(this));
  Print = button("Print", zpgPrint, 75, Method<&TZRPreviewForm::PrintClick>(this));
  Save = button("Save", zpgSave, 25, Method<&TZRPreviewForm::SaveClick>(this));
  Load = button("Load", zpgLoad, 25, Method<&TZRPreviewForm::LoadClick>(this));
  Load->SetVisible(false);
  Load->SetEnabled(false);
  left -= 25;
  left += 6;
  PageNo = button("PageNo", zpgPageNo, 25, Method<&TZRPreviewForm::PageNoClick>(this));
  Search = button("Search", zpgSearch, 75, Method<&TZRPreviewForm::SearchClick>(this));

  QuitPanel = MakePreviewPanel(this, Toolbar, "QuitPanel", alRight);
  QuitPanel->SetWidth(84);
  Exit = new TBitBtn(this);
  Exit->SetName("Exit");
  Exit->SetParent(QuitPanel);
  Exit->SetBounds(4, 2, 76, 24);
  Exit->SetKind(bkCancel);
  Exit->SetModalResult(mrNone);
  Exit->SetCancel(true);
  Exit->OnClick = Method<&TZRPreviewForm::ExitClick>(this);
}

void TZRPreviewForm::BuildStatusBar() {
  StatusPanel = MakePreviewPanel(this, this, "StatusPanel", alBottom);
  StatusPanel->SetHeight(22);
  ProgressBar = new TProgressBar(this);
  ProgressBar->SetName("ProgressBar");
  ProgressBar->SetParent(StatusPanel);
  ProgressBar->SetBounds(4, 3, 200, 16);
  ProgressBar->SetVisible(false);
  InfoPanel = MakePreviewPanel(this, StatusPanel, "InfoPanel", alRight);
  InfoPanel->SetWidth(160);
  Status = new TLabel(this);
  Status->SetName("Status");
  Status->SetParent(InfoPanel);
  Status->SetBounds(4, 4, 150, 14);
}

void TZRPreviewForm::FormCreate(TObject*) {
  Preview->Lines()->Clear();
  Status->SetCaption(LoadZRString(SZRProcessing));
  Exit->SetCaption(LoadZRString(SZRExit));
  Print->SetCaption(LoadZRString(SZRPrint));
  Search->SetCaption(LoadZRString(SZRSearch));
  FirstPage->SetHint(LoadZRString(SZRFirstPageHint));
  PrevPage->SetHint(LoadZRString(SZRPrevPageHint));
  NextPage->SetHint(LoadZRString(SZRNextPageHint));
  LastPage->SetHint(LoadZRString(SZRLastPageHint));
  PageNo->SetHint(LoadZRString(SZRPageNumberHint));
  Setup->SetHint(LoadZRString(SZRSetupHint));
  Save->SetHint(LoadZRString(SZRSaveHint));
  Load->SetHint(LoadZRString(SZRLoadHint));
  Print->SetHint(LoadZRString(SZRPrintHint));
  Search->SetHint(LoadZRString(SZRSearchHint));
}

// The form leaves the document as soon as it closes: the run that waits for
// the preview to go frees the document then, before the form itself goes.
// Closed while the pages are still being built (its close box, Alt+F4), it
// stops the build as Exit does, rather than leave it running out of sight.
void TZRPreviewForm::FormClose(TObject*, TCloseAction& Action) {
  Action = caFree;
  TZRPrinter* document = FDocument;
  Detach();
  if (document != nullptr && document->State() == TZRDocumentState::Building)
    document->Cancel();
}

void TZRPreviewForm::FormDestroy(TObject*) {
  Detach();
  FPageStarts.clear();
}

void TZRPreviewForm::Detach() { SetDocument(nullptr); }

void TZRPreviewForm::SetDocument(TZRPrinter* Value) {
  if (Value == FDocument)
    return;
  if (FDocument != nullptr && FDocument->PreviewForm() == this)
    FDocument->SetPreviewForm(nullptr);
  FDocument = Value;
  if (Value == nullptr)
    return;
  Value->SetPreviewForm(this);
  if (TFont* font = Value->Report()->FetchFont()) {
    Preview->Font()->Assign(font);
    TTextAttributes* attributes = Preview->DefAttributes();
    attributes->SetCharset(font->Charset());
    attributes->SetName(font->Name());
    attributes->SetPitch(font->Pitch());
    attributes->SetSize(font->Size());
    attributes->SetHeight(font->Height());
    attributes->SetStyle({});
  }
  SetCaption(Value->Report()->FetchTitle());
  UpdateCommands();
}

bool TZRPreviewForm::WholeReport() const {
  return FDocument != nullptr && FDocument->Options().PreviewMode() == zpmWholeReport;
}

// ---- The document's notices -----------------------------------------------------------------
void TZRPreviewForm::DocumentNotice(unsigned Message, int Value) {
  UpdateCommands();
  if (Message == ZRNoticeProgress)
    SetProgress(Value);
  else if (Message == ZRNoticePageDone)
    PagesAvailable(Value);
}

bool TZRPreviewForm::Building() const {
  return FDocument != nullptr && FDocument->State() == TZRDocumentState::Building;
}

// A document still being built can be neither printed nor saved: its last
// pages are missing. Print and Save wait, greyed, until the build is done.
void TZRPreviewForm::UpdateCommands() {
  const bool ready = !Building();
  Print->SetEnabled(ready);
  Save->SetEnabled(ready);
}

void TZRPreviewForm::SetProgress(int Percent) {
  ProgressBar->SetPosition(Percent);
  const bool busy = Percent > 0 && Percent < 100;
  ProgressBar->SetVisible(busy);
  Preview->SetCursor(busy ? crAppStart : crDefault);
}

// Every page that became complete is appended in whole-report mode; a page
// shown alone is drawn once it is complete, and later pages only change the
// status.
void TZRPreviewForm::PagesAvailable(int Count) {
  UpdateStatus();
  if (Count <= FKnownPages)
    return;
  const int known = FKnownPages;
  FKnownPages = Count;
  FPageStarts.resize(static_cast<std::size_t>(Count), 0);
  if (WholeReport()) {
    for (int page = known + 1; page <= Count; ++page)
      RenderPage(page);
  } else if (FPageNumber > known && FPageNumber <= Count) {
    RenderPage(FPageNumber);
  }
}

void TZRPreviewForm::CloseForm() { Close(); }

void TZRPreviewForm::ShowForm() {
  UpdateCommands();
  Show();
}

void TZRPreviewForm::ReleaseForm() {
  Detach();
  Release();
}

void TZRPreviewForm::UpdateStatus() {
  const int count = FDocument != nullptr ? FDocument->PageCount() : 0;
  Status->SetCaption(Format("%s %d %s %d", {"", FPageNumber, LoadZRString(SZRPageOf), count}));
}

// ---- Rendering ------------------------------------------------------------------------------
// Each line goes in with its codes removed; then each run of it is selected
// and given its styles, plain runs too, so no run takes the style of the
// text before it.
void TZRPreviewForm::RenderPage(int Number) {
  if (FDocument == nullptr || Number < 1 || Number > FDocument->PageCount())
    return;
  TZREscapeTokenizer tokenizer;
  const TStringList& lines = FDocument->Pages(Number - 1).Lines();
  BusyCursor busy;
  TStrings& box = *Preview->Lines();
  FRendering = true;
  box.BeginUpdate();
  try {
    if (WholeReport()) {
      FPageStarts[static_cast<std::size_t>(Number - 1)] = Preview->GetTextLen();
      Preview->SetSelStart(Preview->GetTextLen());
    } else {
      box.Clear();
    }
    auto addLine = [&](const AnsiString& line) {
      const int start = Preview->GetTextLen();
      box.Add(StripEscapes(line));
      for (tokenizer.SetText(line); !tokenizer.Token().empty(); tokenizer.NextToken()) {
        Preview->SetSelStart(start + tokenizer.Start() - 1);
        Preview->SetSelLength(static_cast<int>(tokenizer.Token().size()));
        Preview->SelAttributes()->SetStyle(FontStylesOf(tokenizer.Styles()));
      }
    };
    for (int i = 0; i < lines.Count(); ++i)
      addLine(lines.Strings(i));
    if (WholeReport()) {
      // The separator ends in a line break of the printer; the box's own
      // line end stands for it.
      AnsiString separator = FDocument->PageSeparator(true);
      while (!separator.empty() && (separator.back() == '\r' || separator.back() == '\n'))
        separator.pop_back();
      if (!separator.empty())
        addLine(separator);
    }
  } catch (...) {
    FRendering = false;
    box.EndUpdate();
    throw;
  }
  FRendering = false;
  Preview->SetSelStart(0);
  Preview->SetSelLength(0);
  box.EndUpdate();
}

void TZRPreviewForm::ShowCurrentPage() {
  if (!WholeReport()) {
    RenderPage(FPageNumber);
    return;
  }
  if (FPageNumber > FKnownPages)
    return;
  const std::size_t index = static_cast<std::size_t>(FPageNumber - 1);
  const int start = FPageStarts[index];
  const int end = index + 1 < static_cast<std::size_t>(FKnownPages) ? FPageStarts[index + 1] : Preview->GetTextLen();
  Preview->SetSelStart(start);
  Preview->SetSelLength(end - start);
  Preview->SetSelLength(0);
}

// Line starts come from the box itself, which counts a line end as one
// character whatever the line held.
int TZRPreviewForm::LineStart(int Page, int Line) {
  int first = 0;
  if (WholeReport() && Page >= 0 && Page < FKnownPages)
    first = Preview->LineFromChar(FPageStarts[static_cast<std::size_t>(Page)]);
  const int start = Preview->LineIndex(first + Line);
  return start < 0 ? Preview->GetTextLen() : start;
}

int TZRPreviewForm::PageOfPosition(int Position) const {
  int page = 0;
  for (int i = 0; i < FKnownPages && FPageStarts[static_cast<std::size_t>(i)] <= Position; ++i)
    page = i + 1;
  return page < 1 ? 1 : page;
}

// ---- Commands -------------------------------------------------------------------------------
void TZRPreviewForm::GoToPage(int Number) {
  if (Number == FPageNumber || FDocument == nullptr || Number < 1 || Number > FDocument->PageCount())
    return;
  FPageNumber = Number;
  ShowCurrentPage();
  UpdateStatus();
}

void TZRPreviewForm::FirstPageClick(TObject*) { GoToPage(1); }
void TZRPreviewForm::PrevPageClick(TObject*) { GoToPage(FPageNumber - 1); }
void TZRPreviewForm::NextPageClick(TObject*) { GoToPage(FPageNumber + 1); }
void TZRPreviewForm::LastPageClick(TObject*) { GoToPage(FKnownPages); }

void TZRPreviewForm::PageNoClick(TObject*) {
  const AnsiString answer = InputBox(LoadZRString(SZRGoToPage), "", IntToStr(FPageNumber));
  GoToPage(StrToIntDef(Trim(answer), FPageNumber));
}

void TZRPreviewForm::PrintClick(TObject*) {
  if (FDocument != nullptr && !Building() && FDocument->SetupDialog())
    FDocument->Output();
}

void TZRPreviewForm::SetupClick(TObject*) {
  if (FDocument != nullptr)
    FDocument->SetupDialog();
}

void TZRPreviewForm::SaveClick(TObject*) {
  if (FDocument == nullptr || Building())
    return;
  TSaveDialog dialog(nullptr);
  dialog.SetFilter(LoadZRString(SZRTextFileFilter));
  dialog.SetOptions(dialog.Options() + TOpenOptions{ofOverwritePrompt, ofPathMustExist});
  dialog.SetFileName(FDocument->Report()->FetchFileName());
  if (dialog.Execute())
    FDocument->SaveToFile(dialog.FileName());
}

void TZRPreviewForm::LoadClick(TObject*) {}

void TZRPreviewForm::ExitClick(TObject*) {
  if (FDocument != nullptr && FDocument->State() == TZRDocumentState::Building)
    FDocument->Cancel();
  else
    Close();
}

void TZRPreviewForm::PreviewSelectionChange(TObject*) {
  if (FRendering || !WholeReport())
    return;
  FPageNumber = PageOfPosition(Preview->SelStart());
  UpdateStatus();
}

// ---- Keys -----------------------------------------------------------------------------------
void TZRPreviewForm::PreviewKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  const TShiftState keys = Shift * TShiftState{ssShift, ssAlt, ssCtrl};
  const bool plain = keys.Empty();
  const bool ctrl = keys == TShiftState{ssCtrl};
  const bool single = !WholeReport();
  bool acted = true;
  if (Key == VK_ESCAPE && plain) {
    Exit->Click();
  } else if ((Key == VK_PRIOR || Key == VK_NEXT) && single && (plain || ctrl)) {
    if (Key == VK_PRIOR)
      plain ? PrevPageClick(this) : FirstPageClick(this);
    else
      plain ? NextPageClick(this) : LastPageClick(this);
  } else if (Key == VK_UP && single && plain && FPageNumber >= 2 && Preview->SelStart() == 0 &&
             Preview->SelLength() == 0) {
    PrevPageClick(this);
    Preview->SetSelStart(Preview->GetTextLen());
  } else if (Key == VK_DOWN && single && plain &&
             Preview->SelStart() + Preview->SelLength() >= Preview->GetTextLen()) {
    NextPageClick(this);
  } else if (Key == 'F' && ctrl) {
    FContinueSearch = false;
    SearchClick(this);
  } else if (Key == 'P' && ctrl) {
    PrintClick(this);
  } else if ((Key == 'S' && ctrl) || (Key == VK_F2 && plain)) {
    SaveClick(this);
  } else if (Key == VK_F7 && (keys - TShiftState{ssShift}).Empty()) {
    FContinueSearch = keys.Contains(ssShift);
    SearchClick(this);
  } else {
    acted = false;
  }
  if (acted)
    Key = 0;
}

// ---- Search ---------------------------------------------------------------------------------
// A search asked for from a key continues when the key said so; the button
// always asks.
void TZRPreviewForm::SearchClick(TObject*) {
  const bool continuing = FContinueSearch;
  FContinueSearch = false;
  DoSearch(continuing);
}

void TZRPreviewForm::DoSearch(bool Continue) {
  if (FDocument == nullptr)
    return;
  // Continuing with nothing searched for yet asks what to search for.
  if (Continue && FLastSearch.empty())
    Continue = false;
  bool found = false;
  AnsiString text;
  if (!Continue) {
    bool findAgain = false;
    if (!AskSearch(findAgain))
      return;
    Continue = findAgain && !FLastSearch.empty();
  }
  if (Continue) {
    text = FLastSearch;
    found = FDocument->FindNext();
  } else {
    text = FSearchForm->edSearchStr->Text();
    int page = 0, line = 0, column = 1;
    if (FSearchForm->cbFromCurrent->Checked()) {
      // The caret stands at the end of the selection: a search from it goes
      // past the text found last.
      page = FPageNumber - 1;
      const int caret = Preview->SelStart() + Preview->SelLength();
      const int boxLine = Preview->LineFromChar(caret);
      line = boxLine - Preview->LineFromChar(LineStart(page, 0));
      column = caret - Preview->LineIndex(boxLine) + 1;
    }
    found = FDocument->Find(text, !FSearchForm->cbUseCase->Checked(), page, line, column);
  }
  if (found)
    SelectFound(static_cast<int>(TransliterateTurkish(text).size()));
  else
    ShowMessage(Format(LoadZRString(SZRSearchNotFound), {text}));
  FLastSearch = text;
}

void TZRPreviewForm::SelectFound(int Length) {
  GoToPage(FDocument->FoundPage() + 1);
  Preview->SetSelStart(LineStart(FDocument->FoundPage(), FDocument->FoundLine()) + FDocument->FoundColumn() - 1);
  Preview->SetSelLength(Length);
}

bool TZRPreviewForm::AskSearch(bool& FindAgain) {
  if (FSearchForm == nullptr)
    FSearchForm = NewForm<TfmSearch>(this);
  const TModalResult result = FSearchForm->ShowModal();
  FindAgain = result == mrRetry;
  return result == mrOk || result == mrRetry;
}

// ---- Installing -----------------------------------------------------------------------------
void InstallZRPreviewForm() {
  TZRPrinter::PreviewFormFactory = [](TZRPrinter& Document) { NewForm<TZRPreviewForm>(Application, &Document); };
}
