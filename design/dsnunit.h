// The design stage: the panel on which the controls being designed live, and
// which saves and loads them as a layout file.
//
// The report pages of a layout are the stage's direct child controls, owned
// by the stage's owner form. The stage carries the query and notification
// events through which its host steers design operations, forwards keyboard
// commands and selection queries to its controller, and saves and loads its
// children (see design/core/layoutfile.h for the file). It does no mouse
// handling of its own: in design mode the controller covers it and its
// controls with window agents.
//
// Notices the stage posts to itself (messages 1604 and 1605) and those a
// cover agent posts to it (1600) carry a ticket, not the address of the
// object: a component freed, or an agent gone, before its notice is handled
// is never reached; the notice is dropped.
#pragma once
#include <windows.h>

#include <memory>

#include "classlib/classes/reader.h"
#include "classlib/classes/strings.h"
#include "classlib/controls/extctrls.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/colors.h"
#include "design/core/postednotices.h"

class TSelectedComponents;  // the selection snapshot of the controller

// ---- Private messages of the design surface ------------------------------------
// "Sent to a control" means to the control's window, or to its parent's
// window for a control without one.
// Design-state set-up of a palette prototype (posted to the palette itself;
// WParam: the inserted control).
constexpr UINT DSN_PROTOTYPESETUP = 1594;
// Set the press target (sent to a control; WParam: the control to resize).
constexpr UINT DSN_SETPRESSTARGET = 1597;
// A grip resize ended (sent to a control; WParam: old Left and Top in the
// low and high word, LParam: old Width and Height).
constexpr UINT DSN_RESIZED = 1598;
// Refresh the group marks (sent to the control just added to the selection).
constexpr UINT DSN_GROUPMARKS = 1599;
// A cover agent's window was destroyed (posted; WParam: the agent's ticket).
constexpr UINT DSN_AGENTDESTROYED = 1600;
// Select only this component (sent to a control; WParam: the component).
constexpr UINT DSN_SELECTONLY = 1601;
// Refresh the selection (posted by an inspector).
constexpr UINT DSN_UPDATESELECTION = 1602;
// A component was made by a clone or a paste (posted; WParam: its ticket).
constexpr UINT DSN_CONTROLCREATED = 1604;
// A component was read by LoadFromFile (posted; WParam: its ticket).
constexpr UINT DSN_CONTROLLOADED = 1605;
// Hide the grips of a cleared selection unless a new one took them over
// (posted to a grip).
constexpr UINT DSN_HIDESPAREGRIPS = 1606;

// ---- Query types -------------------------------------------------------------------
enum TCoverAccept { caAllAccept, caNoAccept, caChildrenAccept };
DOZURI_ENUM(TCoverAccept, "caAllAccept", "caNoAccept", "caChildrenAccept");

enum TSelectAcceptItem { saCreate, saMove };
DOZURI_ENUM(TSelectAcceptItem, "saCreate", "saMove");
DOZURI_SET(TSelectAccept, TSelectAcceptItem);

DOZURI_EVENT(TDeleteQuery, void(TObject* Sender, TComponent* Component, bool& CanDelete));
DOZURI_EVENT(TCoverQuery, void(TObject* Sender, TComponent* Component, TCoverAccept& CanCover));
DOZURI_EVENT(TSelectQuery, void(TObject* Sender, TComponent* Component, TSelectAccept& CanSelect));
DOZURI_EVENT(TMoveQuery, void(TObject* Sender, TComponent* Component, bool& CanMove));
DOZURI_EVENT(TControlCreate, void(TObject* Sender, TComponent* Component));
DOZURI_EVENT(TCallCompoEditor, void(TObject* Sender, TComponent* Component));
DOZURI_EVENT(TCallPropEditor,
             void(TObject* Sender, TSelectedComponents* Targets, const AnsiString& PropName, AnsiString& Value));

// ---- Links to the controller and its cover agents ----------------------------------
// What the stage asks of its controller (TDsnRegister). The controller sets
// the link when the stage is assigned to it and clears it when it goes.
class TStageController {
public:
  virtual ~TStageController() = default;

  virtual bool Active() const = 0;
  virtual void SetActive(bool Value) = 0;
  virtual void UnselectAll() = 0;
  // -1 while the controller has no selection list.
  virtual int SelectedCount() const = 0;
  // nullptr when Index is at or past the end.
  virtual TControl* SelectedControl(int Index) const = 0;
  // Every receiver of the selection refreshes (grips follow moved controls).
  virtual void UpdateSelection() = 0;
  virtual void DeleteSelected() = 0;
  virtual void CutToClipboard() = 0;
  virtual void CopyToClipboard() = 0;
  virtual void PasteFromClipboard() = 0;
};

// What the stage asks of a cover agent whose window was destroyed. The
// agent posts the notice through TDsnStage::PostAgentDestroyed; by the time
// it is handled the agent may be gone, which its life token tells.
class TStageAgent : public TObject {
public:
  // The covered control is being destroyed: the agent is to be freed.
  virtual bool Dead() const = 0;
  // Subclasses the covered control's current window (made again when needed).
  virtual void AttachToControl() = 0;
  const TLifeToken& Life() const { return FLife; }

private:
  TLifeToken FLife;
};

// ---- TRubberband ----------------------------------------------------------------------
// Drag-outline and grid settings. The stage sets the values at creation; the
// properties carry no stream default, so forms store them explicitly.
class TRubberband : public TPersistent {
  DECLARE_CLASS(TRubberband, TPersistent)

public:
  TRubberband() = default;
  void Assign(TPersistent* Source) override;

  // Pen colour and width of move, create and resize outlines.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  int PenWidth() const { return FPenWidth; }
  void SetPenWidth(int Value) { FPenWidth = Value; }
  // The snap grid in pixels (0 or less: no snapping).
  int MoveWidth() const { return FMoveWidth; }
  void SetMoveWidth(int Value) { FMoveWidth = Value; }
  int MoveHeight() const { return FMoveHeight; }
  void SetMoveHeight(int Value) { FMoveHeight = Value; }

private:
  TColor FColor = 0;
  int FPenWidth = 0;
  int FMoveWidth = 0;
  int FMoveHeight = 0;
};

// ---- TDsnMenuItem -------------------------------------------------------------------
// An item of the controller's context menu: a property of the selection and
// its common value as text.
class TDsnMenuItem : public TMenuItem {
  DECLARE_CLASS(TDsnMenuItem, TMenuItem)

public:
  explicit TDsnMenuItem(TComponent* AOwner) : TMenuItem(AOwner) {}

  AnsiString PropName;
  AnsiString Value;
};

// ---- TDsnStage ------------------------------------------------------------------------
class TDsnStage : public TPanel {
  DECLARE_CLASS(TDsnStage, TPanel)

public:
  explicit TDsnStage(TComponent* AOwner);
  ~TDsnStage() override;

  // ---- The layout file ----
  // Empties the controller's selection, then writes one record per child
  // control in control order and one 0 byte per record. The bytes go to a
  // new file beside FileName that then replaces it, so a failure part-way
  // leaves the old file as it was. File and stream errors pass on unchanged.
  void SaveToFile(const AnsiString& FileName);
  // Replaces the child controls by those of the file, all or nothing: any
  // failure raises EReadError "<FileName> can not be read" and leaves the
  // children as they were. A linked controller is deactivated for the load
  // and activated again after a successful one when it was active.
  void LoadFromFile(const AnsiString& FileName);

  // ---- Selection and commands (through the controller; nothing without one) ----
  TControl* SelectedControl(int Index);
  // -1 without a controller or while it has no selection list.
  int SelectedCount();
  void UpdateSelection();
  void DeleteSelection();
  void CutSelection();
  void CopySelection();
  void PasteClipboard();

  TStageController* Controller() const { return FController; }
  void SetController(TStageController* Value) { FController = Value; }

  // ---- Notices ----
  // Posts message 1604 for a component made by a clone or a paste:
  // OnControlCreate runs for it later, when it still exists.
  void PostControlCreated(TComponent* Component);
  // Posts message 1600 for a cover agent whose window was destroyed.
  void PostAgentDestroyed(TStageAgent* Agent);

  // ---- Published ----
  TStrings* SelfProps() const { return FSelfProps.get(); }
  void SetSelfProps(TStrings* Value) { FSelfProps->Assign(Value); }
  TStrings* OutProps() const { return FOutProps.get(); }
  void SetOutProps(TStrings* Value) { FOutProps->Assign(Value); }
  TRubberband* Rubberband() const { return FRubberband.get(); }
  void SetRubberband(TRubberband* Value) { FRubberband->Assign(Value); }
  TPopupMenu* CoverMenu() const { return FCoverMenu; }
  void SetCoverMenu(TPopupMenu* Value);
  bool FixPosition = false;
  bool FixSize = false;

  TDeleteQuery OnDeleteQuery;
  TCoverQuery OnCoverQuery;
  TSelectQuery OnSelectQuery;
  TMoveQuery OnMoveQuery;
  TControlCreate OnControlCreate;
  TControlCreate OnControlLoading;
  TControlCreate OnControlLoaded;
  TCallCompoEditor OnCoverDblClick;
  TCallPropEditor OnMenuClick;
  TNotifyEvent OnPopup;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  // ---- Overridables, in slot order ----
  // For every component the reader creates, before it gets its name: makes
  // the name unique in the owner form, raises OnControlLoading and posts
  // message 1605 for it.
  virtual void ReaderSetName(TReader* Reader, TComponent* Component, AnsiString& Name);
  // One record: "TPF0" and Control, written with the owner form as root.
  virtual void WriteControl(TStream& Stream, TControl* Control);
  // Reads the layout in Stream (from its start) into a staging container and
  // replaces the children with it when the whole read succeeded.
  virtual void ReadControls(TStream& Stream);
  // Makes the window of every windowed control under Parent, at any depth.
  static void MakeLoadedWindows(TWinControl* Parent);
  // Every reading error is handled: what cannot be read is skipped.
  virtual void ReaderError(TReader* Reader, const AnsiString& Message, bool& Handled);
  // A handler the owner form does not publish leaves the event unassigned.
  virtual void ReaderFindMethod(TReader* Reader, const AnsiString& MethodName, const TMethodCode*& Address,
                                bool& Error);
  // Called by the controller when design mode ends.
  virtual void ActiveChanged(bool Active);

protected:
  // Delete (key-up): DeleteSelection; the panel's key-up handling still runs.
  void WMKeyUp(TMessage& Message) override;
  // Ctrl+C, Ctrl+X, Ctrl+V are consumed and run CopySelection, CutSelection
  // and PasteClipboard.
  void KeyPress(char& Key) override;

private:
  void PostNotice(UINT Msg, TPostedNotices::TTicket Ticket);
  void AgentDestroyed(TMessage& Message);
  void ControlNotice(TMessage& Message, const TControlCreate& Event);

  std::unique_ptr<TStringList> FSelfProps;
  std::unique_ptr<TStringList> FOutProps;
  std::unique_ptr<TRubberband> FRubberband;
  TPopupMenu* FCoverMenu = nullptr;
  TStageController* FController = nullptr;
  TPostedNotices FNotices;
};
