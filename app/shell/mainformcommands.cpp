// The main form's menu commands: closing, help files and the web address.
#include "app/generalhelpers.h"
#include "app/shell/dialoghelpers.h"
#include "app/shell/mainform.h"
#include "app/shell/programidentity.h"
#include "app/shell/shellopen.h"
#include "app/sheet/b3_anaf.h"
#include "classlib/grids/inplaceedit.h"
#include "classlib/system/fileutils.h"

namespace {

// Opens a help file of the program folder, or says it is missing.
void OpenHelpFile(const AnsiString& fileName, const AnsiString& missingMessage) {
  const AnsiString path = ExeDir() + fileName;
  if (!FileExists(path)) {
    ShowInfo(ExeDir() + missingMessage);
    return;
  }
  ShellOpen(TShellOpenRequest{nullptr, "open", path, "", "", SW_SHOWNORMAL});
}

}  // namespace

void TAnaF::k1Click(TObject*) { Close(); }

// Esc reaches the form's shortcut before the focused control sees it, so
// for a list that is dropped down or a cell editor that is open it is
// handed to that control first: the list closes, the editor drops what was
// typed into it. A record being typed is then dropped as the navigator's
// cancel drops it, so the question's default can never save half-typed
// text. Only from a record at rest does Esc ask to close the program.
void TAnaF::KapatExecute(TObject*) {
  if (EscapeClosesListOrEditor() || EscapeCancelsRecordEdit())
    return;
  Close();
}

bool TAnaF::EscapeCancelsRecordEdit() {
  if (RxBarkod == nullptr || (RxBarkod->State() != dsInsert && RxBarkod->State() != dsEdit))
    return false;
  RxBarkod->Cancel();
  return true;
}

bool TAnaF::EscapeClosesListOrEditor() {
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* combo = dynamic_cast<TCustomComboBox*>(Components(i)); combo != nullptr && combo->HandleAllocated() &&
                                                                     combo->DroppedDown()) {
      combo->SetDroppedDown(false);
      return true;
    }
    if (auto* grid = dynamic_cast<TCustomGrid*>(Components(i));
        grid != nullptr && grid->EditorMode() && grid->InplaceEditor() != nullptr &&
        grid->InplaceEditor()->Focused()) {
      SendMessageW(grid->InplaceEditor()->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
      return true;
    }
  }
  return false;
}

void TAnaF::SpeedButton1Click(TObject*) {
  TB3_AnaF* form = nullptr;
  ShowFormModal(form);
}

void TAnaF::Yardm2Click(TObject*) { OpenHelpFile("yardim.chm", "Yardim.Chm dosyası bulunamadı."); }

void TAnaF::rtibat1Click(TObject*) {
  OpenHelpFile("yardim_irtibat.chm", "yardim_irtibat.Chm dosyası bulunamadı.");
}

void TAnaF::WebSiteItemClick(TObject*) {
  ShellOpen(TShellOpenRequest{nullptr, "OPEN", "iexplore.exe", MakerWebAddress, "", SW_SHOWNORMAL});
}

void TAnaF::FormAyar(TForm* Form, TImageList* ImageList, int ImageIndex) {
  Form->SetCaption(Caption());
  if (auto* picture = dynamic_cast<TImage*>(Form->FindComponent("ImageBASLIK1")))
    picture->Picture()->Assign(ImageBaslik1->Picture());
  auto* top = dynamic_cast<TImage*>(Form->FindComponent("ImageTOP"));
  if (top == nullptr || ImageIndex == -1)
    return;
  TImageList* images = ImageList != nullptr ? ImageList : ImageList1;
  images->GetIcon(ImageIndex, top->Picture()->Icon());
}
