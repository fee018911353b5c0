#include "design/dsnunit.h"

#include <vector>

#include "classlib/system/fileutils.h"
#include "design/core/layoutfile.h"
#include "design/core/uniquename.h"

// ---- TRubberband --------------------------------------------------------------------
BEGIN_PUBLISHED(TRubberband)
  PROPERTY(Color, Color, SetColor).TypeName("TColor"),
  PROPERTY(PenWidth, PenWidth, SetPenWidth),
  PROPERTY(MoveWidth, MoveWidth, SetMoveWidth),
  PROPERTY(MoveHeight, MoveHeight, SetMoveHeight),
END_PUBLISHED

void TRubberband::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TRubberband*>(Source)) {
    FColor = other->FColor;
    FPenWidth = other->FPenWidth;
    FMoveWidth = other->FMoveWidth;
    FMoveHeight = other->FMoveHeight;
    return;
  }
  TPersistent::Assign(Source);
}

IMPLEMENT_CLASS(TDsnMenuItem)

// ---- TDsnStage ----------------------------------------------------------------------
BEGIN_PUBLISHED(TDsnStage)
  PROPERTY(SelfProps, SelfProps, SetSelfProps),
  PROPERTY(OutProps, OutProps, SetOutProps),
  PROPERTY(Rubberband, Rubberband, SetRubberband),
  PROPERTY(CoverMenu, CoverMenu, SetCoverMenu),
  PROPERTY(FixPosition, FixPosition, FixPosition),
  PROPERTY(FixSize, FixSize, FixSize),
  PROPERTY(OnDeleteQuery, OnDeleteQuery, OnDeleteQuery),
  PROPERTY(OnCoverQuery, OnCoverQuery, OnCoverQuery),
  PROPERTY(OnSelectQuery, OnSelectQuery, OnSelectQuery),
  PROPERTY(OnMoveQuery, OnMoveQuery, OnMoveQuery),
  PROPERTY(OnControlCreate, OnControlCreate, OnControlCreate),
  PROPERTY(OnControlLoading, OnControlLoading, OnControlLoading),
  PROPERTY(OnControlLoaded, OnControlLoaded, OnControlLoaded),
  PROPERTY(OnCoverDblClick, OnCoverDblClick, OnCoverDblClick),
  PROPERTY(OnMenuClick, OnMenuClick, OnMenuClick),
  PROPERTY(OnPopup, OnPopup, OnPopup),
END_PUBLISHED

TDsnStage::TDsnStage(TComponent* AOwner)
    : TPanel(AOwner),
      FSelfProps(std::make_unique<TStringList>()),
      FOutProps(std::make_unique<TStringList>()),
      FRubberband(std::make_unique<TRubberband>()) {
  FRubberband->SetColor(clGray);
  FRubberband->SetPenWidth(2);
  FRubberband->SetMoveWidth(8);
  FRubberband->SetMoveHeight(8);
}

TDsnStage::~TDsnStage() { FNotices.Clear(); }

void TDsnStage::SetCoverMenu(TPopupMenu* Value) {
  if (FCoverMenu == Value)
    return;
  if (FCoverMenu != nullptr)
    FCoverMenu->RemoveFreeNotification(this);
  FCoverMenu = Value;
  if (FCoverMenu != nullptr)
    FCoverMenu->FreeNotification(this);
}

void TDsnStage::Notification(TComponent* AComponent, TOperation Operation) {
  TPanel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FCoverMenu)
    FCoverMenu = nullptr;
}

// ---- The layout file ------------------------------------------------------------------
void TDsnStage::SaveToFile(const AnsiString& FileName) {
  // Grips live among the selected controls' siblings, for a selected page
  // among the stage's children: the selection goes first.
  if (FController != nullptr)
    FController->UnselectAll();
  // The records are made in memory first, so a control that cannot be
  // written leaves an existing file as it was; the file itself is replaced
  // only once its new bytes are all on disk.
  TMemoryStream layout;
  const int count = ControlCount();
  for (int i = 0; i < count; ++i)
    WriteControl(layout, Controls(i));
  WriteLayoutEnd(layout, count);
  ReplaceFileSafely(FileName, "vlp", [&layout](const AnsiString& temporary) {
    TFileStream file(temporary, fmCreate);
    layout.SaveToStream(file);
  });
}

void TDsnStage::LoadFromFile(const AnsiString& FileName) {
  bool wasActive = false;
  if (FController != nullptr) {
    wasActive = FController->Active();
    FController->SetActive(false);
  }
  try {
    TMemoryStream copy;
    ReadLayoutCopy(FileName, copy);
    ReadControls(copy);
  } catch (const std::exception&) {
    throw LayoutReadError(FileName);
  }
  if (wasActive && FController != nullptr) {
    // Design mode covers windows, and controls read into the stage get
    // theirs only when shown: without them now, the loaded layout would
    // stay uncovered, deaf to the mouse in design mode.
    MakeLoadedWindows(this);
    FController->SetActive(true);
  }
}

void TDsnStage::MakeLoadedWindows(TWinControl* Parent) {
  for (int i = 0; i < Parent->ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(Parent->Controls(i))) {
      child->HandleNeeded();
      MakeLoadedWindows(child);
    }
}

void TDsnStage::WriteControl(TStream& Stream, TControl* Control) { WriteLayoutRecord(Stream, Owner(), Control); }

namespace {

struct FreeObject {
  void operator()(TObject* o) const { o->Free(); }
};

}  // namespace

void TDsnStage::ReadControls(TStream& Stream) {
  if (Owner() == nullptr)
    throw EInvalidOperation("A design stage without an owner form cannot read a layout");
  TReader reader(Stream, LayoutBufferSize);
  reader.OnError = [this](TReader* r, const AnsiString& message, bool& handled) { ReaderError(r, message, handled); };
  reader.OnFindMethod = [this](TReader* r, const AnsiString& name, const TMethodCode*& address, bool& error) {
    ReaderFindMethod(r, name, address, error);
  };
  reader.OnSetName = [this](TReader* r, TComponent* component, AnsiString& name) {
    ReaderSetName(r, component, name);
  };
  reader.SetPosition(0);

  // The records are read into a hidden container of their own: the stage's
  // children stay until the whole layout has been read.
  std::unique_ptr<TPanel, FreeObject> staging(new TPanel(nullptr));
  staging->SetVisible(false);
  std::vector<TComponent*> current;
  for (int i = 0; i < ControlCount(); ++i)
    current.push_back(Controls(i));
  // A control leaves the stage before it is freed, so the stage forgets it
  // while it is still whole (tab list, focus).
  ReplaceWithLayout(reader, Owner(), this, staging.get(), current, [](TComponent* old) {
    if (auto* control = dynamic_cast<TControl*>(old))
      control->SetParent(nullptr);
  });
}

void TDsnStage::ReaderSetName(TReader*, TComponent* Component, AnsiString& Name) {
  MakeUniqueComponentName(Owner(), Component, Name);
  if (OnControlLoading)
    OnControlLoading(this, Component);
  PostNotice(DSN_CONTROLLOADED, FNotices.Issue(Component));
}

void TDsnStage::ReaderError(TReader*, const AnsiString&, bool& Handled) { Handled = true; }

void TDsnStage::ReaderFindMethod(TReader*, const AnsiString&, const TMethodCode*& Address, bool& Error) {
  if (Error) {
    Address = nullptr;
    Error = false;
  }
}

void TDsnStage::ActiveChanged(bool) {}

// ---- Selection and commands -------------------------------------------------------------
TControl* TDsnStage::SelectedControl(int Index) {
  return FController != nullptr ? FController->SelectedControl(Index) : nullptr;
}

int TDsnStage::SelectedCount() { return FController != nullptr ? FController->SelectedCount() : -1; }

void TDsnStage::UpdateSelection() {
  if (FController != nullptr)
    FController->UpdateSelection();
}

void TDsnStage::DeleteSelection() {
  if (FController != nullptr)
    FController->DeleteSelected();
}

void TDsnStage::CutSelection() {
  if (FController != nullptr)
    FController->CutToClipboard();
}

void TDsnStage::CopySelection() {
  if (FController != nullptr)
    FController->CopyToClipboard();
}

void TDsnStage::PasteClipboard() {
  if (FController != nullptr)
    FController->PasteFromClipboard();
}

// ---- Keyboard -----------------------------------------------------------------------------
void TDsnStage::WMKeyUp(TMessage& Message) {
  const bool isDelete = Message.WParam == VK_DELETE;
  if (isDelete)
    DeleteSelection();
  TPanel::WMKeyUp(Message);
  if (isDelete)
    Message.Result = 1;
}

void TDsnStage::KeyPress(char& Key) {
  switch (Key) {
    case 3:  // Ctrl+C
      Key = 0;
      CopySelection();
      return;
    case 24:  // Ctrl+X
      Key = 0;
      CutSelection();
      return;
    case 22:  // Ctrl+V
      Key = 0;
      PasteClipboard();
      return;
    default:
      TPanel::KeyPress(Key);
  }
}

// ---- Notices ----------------------------------------------------------------------------------
void TDsnStage::PostControlCreated(TComponent* Component) { PostNotice(DSN_CONTROLCREATED, FNotices.Issue(Component)); }

void TDsnStage::PostAgentDestroyed(TStageAgent* Agent) {
  if (Agent != nullptr)
    PostNotice(DSN_AGENTDESTROYED, FNotices.Issue(Agent, Agent->Life()));
}

void TDsnStage::PostNotice(UINT Msg, TPostedNotices::TTicket Ticket) {
  if (Ticket == 0)
    return;
  // A stage that cannot have a window (no parent window yet) gets no
  // notices; the ticket that no message carries is dropped at once.
  bool posted = false;
  try {
    posted = PostMessageW(Handle(), Msg, static_cast<WPARAM>(Ticket), 0) != 0;
  } catch (const Exception&) {
  }
  if (!posted)
    FNotices.Redeem(Ticket);
}

void TDsnStage::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case DSN_AGENTDESTROYED:
      AgentDestroyed(Message);
      return;
    case DSN_UPDATESELECTION:
      UpdateSelection();
      return;
    case DSN_CONTROLCREATED:
      ControlNotice(Message, OnControlCreate);
      return;
    case DSN_CONTROLLOADED:
      ControlNotice(Message, OnControlLoaded);
      return;
    default:
      TPanel::Dispatch(Message);
  }
}

void TDsnStage::AgentDestroyed(TMessage& Message) {
  auto* agent = dynamic_cast<TStageAgent*>(FNotices.Redeem(static_cast<TPostedNotices::TTicket>(Message.WParam)));
  if (agent == nullptr)
    return;  // the agent went with its controller's deactivation
  if (agent->Dead())
    agent->Free();
  else
    agent->AttachToControl();
}

void TDsnStage::ControlNotice(TMessage& Message, const TControlCreate& Event) {
  auto* component = dynamic_cast<TComponent*>(FNotices.Redeem(static_cast<TPostedNotices::TTicket>(Message.WParam)));
  if (component != nullptr && Event)
    Event(this, component);
}
