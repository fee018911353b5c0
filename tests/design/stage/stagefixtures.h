// Controls that nest the way report pages do, until the report pages
// exist: a page panel holds band panels, a band holds labels; a label refers
// to another control and carries an event handler of the form. A form that
// publishes the handlers holds the stage.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "classlib/controls/extctrls.h"
#include "classlib/controls/graphiccontrol.h"
#include "classlib/forms/forms.h"
#include "design/dsnunit.h"

class TTestPagePanel : public TPanel {
  DECLARE_CLASS(TTestPagePanel, TPanel)

public:
  explicit TTestPagePanel(TComponent* AOwner) : TPanel(AOwner) {}

  int Number = 0;
  TNotifyEvent OnPrint;
};

class TTestBandPanel : public TPanel {
  DECLARE_CLASS(TTestBandPanel, TPanel)

public:
  explicit TTestBandPanel(TComponent* AOwner) : TPanel(AOwner) {}
};

class TTestLabel : public TGraphicControl {
  DECLARE_CLASS(TTestLabel, TGraphicControl)

public:
  explicit TTestLabel(TComponent* AOwner) : TGraphicControl(AOwner) {}

  TControl* Link() const { return FLink; }
  void SetLink(TControl* Value);
  TNotifyEvent OnPrint;

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TControl* FLink = nullptr;
};

// A label that cannot be written (its extra data fails).
class TTestUnwritableLabel : public TTestLabel {
  DECLARE_CLASS(TTestUnwritableLabel, TTestLabel)

public:
  explicit TTestUnwritableLabel(TComponent* AOwner) : TTestLabel(AOwner) {}
  void DefineProperties(TFiler& Filer) override;
};

// Never registered: the reader cannot find it.
class TTestUnknownLabel : public TTestLabel {
  DECLARE_CLASS(TTestUnknownLabel, TTestLabel)

public:
  explicit TTestUnknownLabel(TComponent* AOwner) : TTestLabel(AOwner) {}
};

class TTestDesignForm : public TForm {
  DECLARE_CLASS(TTestDesignForm, TForm)

public:
  explicit TTestDesignForm(TComponent* AOwner) : TForm(AOwner) {}

  void PagePrint(TObject* Sender) {}
  void LabelPrint(TObject* Sender) {}
};

// A controller that records what the stage asks of it.
class TRecordingController : public TStageController {
public:
  bool Active() const override { return IsActive; }
  void SetActive(bool Value) override {
    IsActive = Value;
    Calls.push_back(Value ? "SetActive(true)" : "SetActive(false)");
  }
  void UnselectAll() override { Calls.push_back("UnselectAll"); }
  int SelectedCount() const override { return static_cast<int>(Selection.size()); }
  TControl* SelectedControl(int Index) const override {
    return Index >= 0 && Index < static_cast<int>(Selection.size()) ? Selection[Index] : nullptr;
  }
  void UpdateSelection() override { Calls.push_back("UpdateSelection"); }
  void DeleteSelected() override { Calls.push_back("DeleteSelected"); }
  void CutToClipboard() override { Calls.push_back("CutToClipboard"); }
  void CopyToClipboard() override { Calls.push_back("CopyToClipboard"); }
  void PasteFromClipboard() override { Calls.push_back("PasteFromClipboard"); }

  bool IsActive = false;
  std::vector<TControl*> Selection;
  std::vector<std::string> Calls;
};

void RegisterStageTestClasses();
// Handles every message waiting in the thread's queue.
void PumpMessages();
std::string ReadStageFile(const AnsiString& FileName);
void WriteStageFile(const AnsiString& FileName, const std::string& Bytes);
// "TPF0" and one component from its text form.
std::string RecordFromText(const std::string& Text);
