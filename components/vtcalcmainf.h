// TVtCalcMainF: the desk calculator's window. Borderless and shaped by its
// body picture (white is outside the window), dragged by its title area;
// image keys, each with its hint shown in the hint line; a display of at
// most 15 characters, the memory mark, the paper tape and an optional
// confirmation panel before closing. The arithmetic and the typing rules
// are TCalcEngine's; this form turns keys, clicks and key-down commands
// into its calls and shows its state.
#pragma once
#include <array>

#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/image.h"
#include "classlib/stdctrls/memo.h"
#include "components/core/calcengine.h"
#include "components/core/uitext.h"

// An animated desktop character a host may hand the calculator: it moves to
// a screen point and plays a named animation. This program hands none.
class IAgentCharacter {
public:
  virtual ~IAgentCharacter() = default;
  virtual void MoveTo(int X, int Y) = 0;
  virtual void Play(const AnsiString& Animation) = 0;
};

// One image key of the calculator: its place in the key table's order.
inline constexpr int CalcKeyCount = 28;

class TVtCalcMainF : public TForm {
  DECLARE_CLASS(TVtCalcMainF, TForm)

public:
  explicit TVtCalcMainF(TComponent* AOwner);

  // Set by TVtCalc before the form is shown.
  bool NewWindow = true;
  bool ClipBoardCopy = true;
  bool CloseDialog = false;
  bool AgentOkey = false;
  IAgentCharacter* AgentChar = nullptr;
  TTranslateFormEvent OnTranslateForm;

  // ---- Parts of the form ----
  TImage* ImageBody = nullptr;
  TLabel* LabelCaption = nullptr;
  TLabel* LabelDisplay = nullptr;
  TLabel* LabelMemory = nullptr;
  TLabel* LabelHint = nullptr;
  TMemo* MemoTape = nullptr;
  std::array<TImage*, CalcKeyCount> Keys{};
  TImage* ImageClose = nullptr;
  TPanel* PanelConfirm = nullptr;
  TButton* ButtonTamam = nullptr;
  TButton* ButtonIptal = nullptr;

  TCalcEngine& Engine() { return FEngine; }

  // Shows Text (cut to 15 characters) as the current number.
  void SetText(const AnsiString& Text);
  static AnsiString StringFormat(const AnsiString& Text) { return TCalcEngine::StringFormat(Text); }
  // The display face: "Digital Readout" 22 when the system has it, else "Arial" 19.
  bool DigitalFont() const { return FDigitalFont; }
  // The confirmation panel shows and waits for an answer.
  bool Confirming() const { return FConfirming; }

  // ---- Handlers ----
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyPress(TObject* Sender, char& Key);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void KeyClick(TObject* Sender);
  void KeyMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void CloseClick(TObject* Sender);
  void ButtonTamamClick(TObject* Sender);
  void ButtonIptalClick(TObject* Sender);

  // Closes the calculator; with CloseDialog only after "Tamam" on the
  // confirmation panel.
  void CloseCalculator();

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;

private:
  void BuildParts();
  void BuildKeys();
  void BuildConfirmPanel();
  void ResetDisplayFont();
  void ShowEngineState();
  void CopyToClipboard(const AnsiString& Text);
  // Asks on the panel; true for "Tamam".
  bool Confirm();
  void ApplyShape();

  TCalcEngine FEngine;
  bool FDigitalFont = false;
  bool FConfirming = false;
  int FAnswer = 0;
  bool FActivated = false;
};
