#include "reportengine/preview/qrsearch.h"

#include "classlib/controls/controlmaking.h"

#include <windows.h>

#include "classlib/graphics/metafile.h"
#include "reportengine/preview/qrtextrecord.h"

IMPLEMENT_CLASS(TSearchDlg)

namespace {

template <class C>
C* MakeAt(TSearchDlg* form, const char* name, int left, int top, int width, int height) {
  return MakeControlAt<C>(form, form, name, left, top, width, height);
}

}  // namespace

TSearchDlg::TSearchDlg(TComponent* AOwner) : TForm(AOwner) {
  SetName("SearchDlg");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{});
  SetPosition(poScreenCenter);
  SetWidth(305);
  SetHeight(118);
  Label1 = MakeAt<TLabel>(this, "Label1", 8, 12, 80, 13);
  Edit1 = MakeAt<TEdit>(this, "Edit1", 96, 8, 193, 21);
  Edit1->SetText("");
  CheckBox1 = MakeAt<TCheckBox>(this, "CheckBox1", 96, 36, 193, 17);
  SpeedButton2 = MakeAt<TSpeedButton>(this, "SpeedButton2", 96, 60, 89, 25);
  SpeedButton1 = MakeAt<TSpeedButton>(this, "SpeedButton1", 200, 60, 89, 25);
  SpeedButton2->OnClick = Method<&TSearchDlg::SpeedButton2Click>(this);
  SpeedButton1->OnClick = Method<&TSearchDlg::SpeedButton1Click>(this);
  OnCreate = Method<&TSearchDlg::FormCreate>(this);
}

void TSearchDlg::FormCreate(TObject*) {
  Label1->SetCaption("Search Text");
  CheckBox1->SetCaption("Match case");
  SpeedButton2->SetCaption("Search");
  SpeedButton1->SetCaption("Cancel");
  SetCaption("Search for Text");
}

// Shown modally, the modal result ends the dialog: Close on a modal form
// would turn Search into a cancel. Shown otherwise, it closes.
void TSearchDlg::SpeedButton2Click(TObject*) {
  cancelled_ = false;
  SetModalResult(mrOk);
  if (!FormState().Contains(fsModal))
    Close();
}

void TSearchDlg::SpeedButton1Click(TObject*) {
  cancelled_ = true;
  SetModalResult(mrCancel);
  if (!FormState().Contains(fsModal))
    Close();
}

namespace {

struct SearchState {
  const TMetafileTextMatcher* matcher;
  bool found;
};

int CALLBACK SearchRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto* state = reinterpret_cast<SearchState*>(data);
  if (state->matcher->RecordMatches(reinterpret_cast<const std::uint8_t*>(record), record->nSize)) {
    state->found = true;
    return 0;
  }
  return 1;
}

}  // namespace

bool MetafileContainsText(const AnsiString& text, const TMetafile& metafile, bool matchCase) {
  const TMetafileTextMatcher matcher(text, matchCase);
  SearchState state{&matcher, false};
  if (metafile.Handle() != nullptr) {
    const RECT empty{0, 0, 0, 0};
    EnumEnhMetaFile(nullptr, metafile.Handle(), SearchRecord, &state, &empty);
  }
  return state.found;
}
