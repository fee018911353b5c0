// Window agents: objects that take over the window procedure of a window
// (subclassing) and hand on what they do not handle to the procedure that
// was there before.
//
// TChildAgent makes a window transparent to mouse hit-testing, so clicks on
// it reach the window below. TClientAgent covers a control's window and
// keeps child agents on the windows inside it that are no designed controls
// (the inner edit of a combo box). The cover agent of the design controller
// builds on TClientAgent.
//
// An agent finds its window through a window property; subclassing that the
// system refuses raises "Subclassing is failure.".
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "classlib/controls/wincontrol.h"

class TAgent {
public:
  // Subclasses Handle at once unless it is 0.
  explicit TAgent(HWND Handle);
  // Gives the window back when it still has it, then runs the destroy
  // callback when one is set.
  virtual ~TAgent();
  TAgent(const TAgent&) = delete;
  TAgent& operator=(const TAgent&) = delete;

  // The mouse capture moved elsewhere: the press is over.
  virtual void CaptureChanged();
  virtual void WndProc(TMessage& Message) = 0;
  // Puts the old procedure back and lets go of the window.
  virtual void Unsubclass();
  // Subclasses a new window (after the old one was destroyed and made again).
  virtual void Attach(HWND Handle);

  HWND Window() const { return FWindow; }
  WNDPROC OldProcedure() const { return FOldProcedure; }
  bool Subclassed() const { return FSubclassed; }
  TControl* PressTarget() const { return FPressTarget; }

  // Agents that exist now, for checks that none is left behind.
  static int LiveCount();
  // Installs a window procedure and gives the one replaced, 0 when the
  // system refuses (SetWindowLongPtrW by default; tests replace it).
  static LONG_PTR (*InstallProcedure)(HWND Window, LONG_PTR Procedure);

protected:
  // The old procedure handles Message; its result is the message's result.
  void CallOldProcedure(TMessage& Message);
  // Unsubclasses when still subclassed and runs the destroy callback once.
  // The most derived class calls it from its destructor while it is whole.
  void ReleaseWindow();

  std::function<void()> FDestroyCallback;
  TControl* FPressTarget = nullptr;

private:
  void Subclass(HWND Handle);
  static LRESULT CALLBACK AgentWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

  HWND FWindow = nullptr;
  WNDPROC FOldProcedure = nullptr;
  bool FSubclassed = false;
};

// A window made transparent to the mouse: hit-testing answers HTTRANSPARENT.
class TChildAgent : public TAgent {
public:
  explicit TChildAgent(HWND Handle) : TAgent(Handle) {}
  ~TChildAgent() override { ReleaseWindow(); }

  void WndProc(TMessage& Message) override;
};

// The child agents of one covered window.
class TAgentList {
public:
  TAgentList() = default;
  ~TAgentList() { Clear(); }
  TAgentList(const TAgentList&) = delete;
  TAgentList& operator=(const TAgentList&) = delete;

  TChildAgent* Add(HWND Handle);
  // Handle and, depth first, every window below it.
  void AddTree(HWND Handle);
  // Every agent gives its window back.
  void Clear();
  // The child windows of Handle that are not windowed controls of Control
  // owned by Control's owner get child agents, and so do the windows below
  // them.
  void AddForeignChildren(TWinControl* Control, HWND Handle);
  int Count() const { return static_cast<int>(FAgents.size()); }
  TChildAgent* Items(int Index) const { return FAgents.at(Index).get(); }

private:
  std::vector<std::unique_ptr<TChildAgent>> FAgents;
};

// The child windows of one window in the window manager's order (the first
// child, then each next sibling), each with the windowed child control of
// Parent that has it, or nullptr.
class TChildList {
public:
  struct TEntry {
    HWND Window = nullptr;
    TWinControl* Control = nullptr;
  };

  TChildList(HWND Handle, TWinControl* Parent);
  int Count() const { return static_cast<int>(FEntries.size()); }
  const TEntry& Items(int Index) const { return FEntries.at(Index); }

private:
  std::vector<TEntry> FEntries;
};

// An agent covering a control's window, with child agents on the foreign
// windows inside it. Covering is made in two steps, since the hooks it
// calls belong to the subclass: construct, then Cover.
class TClientAgent : public TAgent {
public:
  explicit TClientAgent(TWinControl* Control);
  ~TClientAgent() override;

  virtual void CoverStarted() = 0;
  virtual void CoverEnded() = 0;
  // After subclassing the new window the child agents are made again.
  void Attach(HWND Handle) override;

  TWinControl* Control() const { return FControl; }
  TAgentList* Children() const { return FChildren.get(); }

protected:
  // CoverStarted, then the control's window (made when needed) is subclassed.
  void Cover();
  // The child agents go, the window is given back and CoverEnded runs. The
  // most derived class calls it from its destructor.
  void Uncover();

private:
  TWinControl* FControl;
  std::unique_ptr<TAgentList> FChildren;
};
