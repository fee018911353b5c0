// The design controller: it ties a design stage, an optional palette and an
// optional inspector together and runs design mode.
//
// Activated, it covers the stage and the controls on it with cover agents
// (see dsnctrl.h), which turn mouse input into calls on the controller, and
// it keeps the selection: a target list whose every change is repeated on
// the linked receivers (grips, a property merger, the selection manager of a
// selection partner). Partners (dsnselect.h) hear of every activation
// change. The mouse, clipboard, delete and context-menu operations are
// overridables here; the controller levels in dsnsubml.h, dsnsubgr.h and
// dsnsubdp.h refine them.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/classes/lists.h"
#include "design/dsnunit.h"
#include "design/core/targetlist.h"

class TCustomCmpPlt;
class TCustomInspector;
class TArrowButton;
class TDsnCtrl;
class TDsnRegister;
class TMultiHandler;
class TMultiProps;
class TMultiShape;

// Something that hears of every activation change of a controller.
class TDsnPartner : public TComponent {
  DECLARE_CLASS(TDsnPartner, TComponent)

public:
  explicit TDsnPartner(TComponent* AOwner) : TComponent(AOwner) {}
  // Leaves the controller's partners.
  ~TDsnPartner() override;

  virtual void SetActive(bool Value) { FActive = Value; }
  bool Active() const { return FActive; }
  // False without a controller, else the controller's CanSelectComponent.
  bool CanSelect(TComponent* Component);
  // The controller makes a selection list and keeps it as its selection.
  void MakeSelectionList();
  // The controller's selection list, nullptr when there is none.
  TTargetList* SelectionList() const;

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  TDsnRegister* FController = nullptr;

private:
  bool FActive = false;
};

// The controller's cover agents.
class TDsnList : public TList {};

class TDsnRegister : public TComponent, public TStageController {
  DECLARE_CLASS(TDsnRegister, TComponent)

public:
  explicit TDsnRegister(TComponent* AOwner);
  ~TDsnRegister() override;

  // ---- Published ----
  TDsnStage* DsnStage() const { return FDsnStage; }
  // Copies the stage's grid and outline settings and links the stage to
  // this controller; nullptr only clears the reference.
  void SetDsnStage(TDsnStage* Value);
  TCustomCmpPlt* DsnPanel() const { return FDsnPanel; }
  void SetDsnPanel(TCustomCmpPlt* Value);
  TCustomInspector* DsnInspector() const { return FDsnInspector; }
  void SetDsnInspector(TCustomInspector* Value);
  TArrowButton* ArrowButton() const { return FArrowButton; }
  void SetArrowButton(TArrowButton* Value);
  // Raised after the user moved or resized controls.
  TNotifyEvent OnMoveResize;

  // ---- What the stage and the hosts ask ----
  bool Active() const override { return FActive; }
  void UnselectAll() override;
  int SelectedCount() const override;
  TControl* SelectedControl(int Index) const override;
  void UpdateSelection() override;

  // Clear, add Component, update: the selection list is made when missing.
  void SelectOnly(TComponent* Component);
  // True without a selection, with an empty one, or when every selected
  // control has the parent of the first one.
  bool SameParent() const;
  // Snaps a point to the grid, truncating toward zero; a grid of 0 or less
  // leaves that coordinate as it is.
  void SnapToGrid(int& X, int& Y) const;
  // The component lies on the stage (no form met before it on the way up its
  // parents), the stage's OnCoverQuery accepts it and OnSelectQuery leaves
  // it movable.
  bool CanSelectComponent(TComponent* Component);
  // Makes the agent of Control and every control below it that is owned by
  // the stage's owner, as the stage's OnCoverQuery allows.
  void CoverControl(TWinControl* Control);

  TTargetList* SelectionList() const { return FSelection.get(); }
  void SetSelectionList(TTargetList* Value);
  TDsnList* CoverList() const { return FCoverList.get(); }
  // The cover agent of Control, nullptr when it is not covered.
  TDsnCtrl* CoverOf(const TControl* Control) const;
  int GridWidth() const { return FGridWidth; }
  int GridHeight() const { return FGridHeight; }
  TColor OutlineColor() const { return FOutlineColor; }
  int OutlinePenWidth() const { return FOutlinePenWidth; }
  TControl* CloneResult() const { return FCloneResult; }
  // Copies Template, with the child controls its owner owns, as a new child
  // of Parent owned by Parent's owner: each top-level copy reaches
  // TemplateCloned. The copy comes out nameless; the components nested in it
  // keep their names where the form has no such names yet (see
  // CloneSetName). Template keeps its name. A failing clone frees what it
  // had made and passes the exception on.
  void CloneTemplate(TComponent* Template, TWinControl* Parent);
  // The name hook of a clone or a paste, run for every component the reader
  // makes: the name is made unique in the controller's owner and the stage
  // is told of the new component (OnControlCreate, later).
  void CloneSetName(TReader* Reader, TComponent* Component, AnsiString& Name);
  // The drag in progress ends without effect: its outline is hidden and
  // freed, which lets the cursor go. Runs when the covered window loses the
  // mouse capture and when design mode ends.
  virtual void DropOutlines();
  TMultiShape* DragShape() const { return FDragShape.get(); }
  TMultiHandler* GripHandler() const { return FGripHandler; }
  TMultiProps* Merger() const { return FMerger; }
  // The controller's own context menu while design mode lasts.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  TWinControl* PressParent() const { return FPressParent; }
  // An agent is being freed: the controller forgets it.
  void AgentGone(TDsnCtrl* Agent);

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // ---- Overridables, in slot order ----
  // Before the agent of a destroyed covered control is dropped.
  virtual void CoverRemoving() {}
  // After a destroyed selected component was marked dead.
  virtual void TargetRemoving() {}
  // Starts or ends design mode.
  void SetActive(bool Value) override;
  // The grip handler: four grips for a single selection, inactive grips for
  // several controls.
  virtual TMultiHandler* CreateHandler();
  // A new drag outline for a create drag and a move drag; either replaces
  // the one there is.
  virtual void CreateShape();
  virtual void RenewShape();
  virtual TDsnCtrl* CreateCover(TWinControl* Control);
  // A new selection list linked to the grip handler, the property merger and
  // every receiver.
  virtual TTargetList* CreateTargetList();
  virtual TDsnList* CreateCoverList();
  // The mouse on a covered control: Cover is the covered control, Target
  // the control the press started on; points are in Cover's client area.
  // With a template picked on the palette a drag creates a control, else it
  // selects and moves. A drag that ends by an exception drops its outline.
  virtual void DoMouseDown(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point);
  virtual void DoMouseMove(TWinControl* Cover, TPoint Point, TShiftState Shift);
  virtual void DoMouseUp(TWinControl* Cover, TPoint Point, TShiftState Shift);
  // Creating a control from the palette's template by a drag: a click or a
  // drag of less than 5 pixels gives 50 by 17 pixels.
  virtual void CreateDragStart(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point);
  virtual void CreateDragMove(TWinControl* Cover, TPoint Point, TShiftState Shift);
  virtual void CreateDragEnd(TWinControl* Cover, TPoint Point, TShiftState Shift);
  // Selecting (Shift toggles) and moving the selection by a drag, on the grid.
  virtual void MoveDragStart(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point);
  virtual void MoveDragMove(TWinControl* Cover, TPoint Point, TShiftState Shift);
  virtual void MoveDragEnd(TWinControl* Cover, TPoint Point, TShiftState Shift);
  // Raises the stage's OnCoverDblClick.
  virtual void DoCoverDblClick(TComponent* Component);
  // The context menu of a right click at (X, Y) of Cover: the target is
  // selected, the property items of the selection are made anew after the
  // items borrowed from the stage's CoverMenu, and the menu pops up there.
  virtual void DoContextPopup(TWinControl* Cover, TControl* Target, int X, int Y);
  // Selects the target of a right click as a left press would, without
  // Shift and without starting a drag.
  virtual void SelectForPopup(TWinControl* Cover, TControl* Target, int X, int Y);
  // Clipboard and delete (the clipboard format "Dsn_ClipboardFormat").
  // Copying needs a selection whose controls share one parent.
  virtual bool CanCopy();
  // Pasting needs a selection list with nothing, or one container, selected
  // and design data on the clipboard.
  virtual bool CanPaste();
  // Where a paste goes with nothing selected: the stage.
  virtual TWinControl* PasteParent();
  // Copies, then deletes what the host allows.
  void CutToClipboard() override;
  // The selected components, in selection order, with their children.
  void CopyToClipboard() override;
  // Reads the clipboard's components into the selected container (or the
  // stage); they become the selection. A block that is not design data
  // pastes nothing. A component the reader cannot make ends the paste with
  // the reader's error; those read before stay, named and covered.
  void PasteFromClipboard() override;
  // Frees the selected components the stage's OnDeleteQuery lets go, the
  // deepest first; the selection is empty afterwards.
  void DeleteSelected() override;
  // Keeps the control the palette cloned last.
  virtual void TemplateCloned(TControl* Control) { FCloneResult = Control; }
  // Names a control made from the palette: its class name without the first
  // letter followed by the first number from 1 that gives a name the
  // controller's owner does not hold yet.
  virtual void NameNewComponent(TComponent* Component);
  // Raise OnMoveResize.
  virtual void DoResized();
  virtual void DoMoved();
  virtual void UpdateGroupMarks() {}
  // Borrows the stage's context-menu items (and its OnPopup) for the
  // controller's own menu while design mode lasts.
  virtual void TakeCoverMenu();
  // A property item: the host's OnMenuClick edits the value, which is then
  // written into every selected component.
  virtual void PropMenuClick(TObject* Sender);
  virtual void AddPartner(TDsnPartner* Partner);
  virtual void RemovePartner(TDsnPartner* Partner);
  virtual void AddReceiver(TReceiveTargets* Receiver);
  // A receiver that goes away before the controller.
  void RemoveReceiver(TReceiveTargets* Receiver);

protected:
  // A pasted component: covered when windowed, moved back inside its parent
  // when it starts beyond the parent's width or height (never to a negative
  // place), and added to the selection.
  void PlacePasted(TComponent* Component);
  // SelectForPopup; NeverStage keeps a right click on the stage itself from
  // selecting it.
  void SelectForPopupTarget(TWinControl* Cover, TControl* Target, bool NeverStage);
  // The container a create drag or a rubber band runs in: Cover when it
  // takes child controls, else its parent, with Point moved into it.
  TWinControl* ContainerFor(TWinControl* Cover, TPoint& Point) const;
  // Point in the container of a create drag or a rubber band.
  TPoint InContainer(TWinControl* Cover, TPoint Point) const;
  TPoint Snapped(TPoint Point) const;
  TSelectAccept AskSelect(TComponent* Component);
  TTargetList* MakeSelection();
  bool PaletteHasTemplate() const;

  // The container the current drag runs in and its snapped start point.
  TWinControl* FPressParent = nullptr;
  int FStartX = 0;
  int FStartY = 0;
  // The outline of a move or create drag, from press to release.
  std::unique_ptr<TMultiShape> FDragShape;
  // The grip handler (owned), made with each selection list.
  TMultiHandler* FGripHandler = nullptr;
  // The property merger (owned), made only while an inspector is linked.
  TMultiProps* FMerger = nullptr;
  // The controller's own context menu while active (owned); its Tag counts
  // the items borrowed from the stage's CoverMenu.
  TPopupMenu* FPopupMenu = nullptr;

private:
  void Activate();
  void Deactivate();
  // A failed activation gives back every window covered so far.
  void UndoActivation();
  void FreeCovers();
  void FreeGripsAndMerger();
  void ControlRemoved(TComponent* Component);
  TCoverAccept AskCover(TComponent* Component);

  bool FActive = false;
  TCustomCmpPlt* FDsnPanel = nullptr;
  TDsnStage* FDsnStage = nullptr;
  TCustomInspector* FDsnInspector = nullptr;
  TArrowButton* FArrowButton = nullptr;
  std::unique_ptr<TDsnList> FCoverList;
  std::vector<TReceiveTargets*> FReceivers;
  std::vector<TDsnPartner*> FPartners;
  std::unique_ptr<TTargetList> FSelection;
  int FGridWidth = 0;
  int FGridHeight = 0;
  TColor FOutlineColor = 0;
  int FOutlinePenWidth = 0;
  TControl* FCloneResult = nullptr;
  // Agents whose control is being destroyed, waiting for their window's
  // destroy notice; freed at deactivation at the latest.
  std::vector<TDsnCtrl*> FDeadAgents;
};
