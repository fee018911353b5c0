// TScreen: the forms of the program, the active form and control, the
// cursors, the installed fonts and the screen's size and resolution.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/strings.h"
#include "classlib/controls/control.h"

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
  DECLARE_CLASS(TScreen, TComponent)

public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // Every form, in the order they were made.
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int Index) const;
  int CustomFormCount() const { return FormCount(); }
  TCustomForm* CustomForms(int Index) const { return Forms(Index); }
  TCustomForm* ActiveForm() const { return activeForm_; }
  TCustomForm* ActiveCustomForm() const { return activeForm_; }
  TWinControl* ActiveControl() const;

  // A screen-wide cursor; crDefault lets each control show its own.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  // The cursor of a number: a standard one, or one registered with SetCursors.
  HCURSOR Cursors(TCursor Index) const;
  void SetCursors(TCursor Index, HCURSOR Handle);

  // The names of the installed font families, sorted.
  TStrings* Fonts();
  int PixelsPerInch() const;
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int DesktopWidth() const { return GetSystemMetrics(SM_CXVIRTUALSCREEN); }
  int DesktopHeight() const { return GetSystemMetrics(SM_CYVIRTUALSCREEN); }
  TRect WorkAreaRect() const;
  int WorkAreaWidth() const;
  int WorkAreaHeight() const;

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

private:
  friend class TCustomForm;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);
  void ActiveControlChanged();

  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TCursor cursor_ = crDefault;
  std::map<TCursor, HCURSOR> cursors_;
  std::unique_ptr<TStringList> fonts_;
};

// The program's screen object, made before main runs.
extern TScreen* Screen;
