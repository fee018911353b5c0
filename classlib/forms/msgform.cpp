#include "classlib/forms/msgform.h"

#include <algorithm>

#include "classlib/controls/stdctrls.h"
#include "classlib/forms/dialogtexts.h"
#include "classlib/forms/screen.h"
#include "classlib/forms/textbounds.h"
#include "classlib/graphics/canvas.h"

namespace {

constexpr int kMargin = 12;
constexpr int kSpacing = 10;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kIconSize = 32;

// The size the text takes in the form's font, wrapped at maxWidth.
SIZE MeasureText(TFont& font, const AnsiString& text, int maxWidth) {
  const RECT r = TextBounds(font, text, maxWidth, DT_WORDBREAK | DT_NOPREFIX);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

LPCWSTR IconOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return IDI_WARNING;
    case mtError: return IDI_ERROR;
    case mtInformation: return IDI_INFORMATION;
    case mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
  }
}

// A button as wide as its caption needs in the form's font, at least the
// standard width; the accelerator's "&" takes no room.
int ButtonWidthFor(TFont& font, const AnsiString& caption) {
  AnsiString shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 >= caption.size() || caption[i + 1] != '&')
        continue;
      ++i;
    }
    shown += caption[i];
  }
  return std::max<int>(kButtonWidth, MeasureText(font, shown, 10000).cx + 2 * kSpacing);
}

TButton* AddButton(TForm* form, const AnsiString& name, const AnsiString& caption, TModalResult result,
                   int left, int top, int width = kButtonWidth) {
  auto* button = new TButton(form);
  button->SetName(name);
  button->SetParent(form);
  button->SetCaption(caption);
  button->SetModalResult(result);
  button->SetBounds(left, top, width, kButtonHeight);
  return button;
}

}  // namespace

AnsiString MessageButtonCaption(TMsgDlgBtn Button) { return MessageButtonText(Button); }

AnsiString MessageButtonName(TMsgDlgBtn Button) {
  static const char* const names[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                      "Ignore", "All", "NoToAll", "YesToAll", "Help"};
  return names[Button];
}

IMPLEMENT_CLASS(TMessageForm)

TMessageForm::TMessageForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
}

TMessageForm::~TMessageForm() = default;

void TMessageForm::Build(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  LPCWSTR iconName = IconOf(DlgType);
  icon_ = iconName != nullptr ? LoadIconW(nullptr, iconName) : nullptr;
  const int textLeft = kMargin + (icon_ != nullptr ? kIconSize + kSpacing : 0);
  const SIZE text = MeasureText(*Font(), Msg, std::max(Screen->Width() / 2, 200));
  iconPos_ = POINT{kMargin, kMargin};

  auto* label = new TLabel(this);
  label->SetName("Message");
  label->SetParent(this);
  label->SetWordWrap(true);
  label->SetShowAccelChar(false);
  label->SetCaption(Msg);
  label->SetBounds(textLeft, kMargin, text.cx, text.cy);

  // Every button takes the width the widest caption needs.
  std::vector<TMsgDlgBtn> buttons;
  int buttonWidth = kButtonWidth;
  for (int b = mbYes; b <= mbHelp; ++b)
    if (Buttons.Contains(static_cast<TMsgDlgBtn>(b))) {
      buttons.push_back(static_cast<TMsgDlgBtn>(b));
      buttonWidth = std::max(buttonWidth, ButtonWidthFor(*Font(), MessageButtonCaption(static_cast<TMsgDlgBtn>(b))));
    }
  const int buttonsWidth =
      static_cast<int>(buttons.size()) * buttonWidth + std::max(0, static_cast<int>(buttons.size()) - 1) * kSpacing;
  const int contentWidth = std::max<int>(textLeft + text.cx + kMargin, buttonsWidth + 2 * kMargin);
  const int buttonsTop = kMargin + std::max<int>(text.cy, icon_ != nullptr ? kIconSize : 0) + 2 * kSpacing;

  const TMsgDlgBtn defaultButton = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
  const TMsgDlgBtn cancelButton = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
  int left = (contentWidth - buttonsWidth) / 2;
  for (TMsgDlgBtn b : buttons) {
    TButton* button = AddButton(this, MessageButtonName(b), MessageButtonCaption(b), ModalResultOf(b), left,
                                buttonsTop, buttonWidth);
    button->SetDefault(b == defaultButton);
    button->SetCancel(b == cancelButton);
    if (b == defaultButton)
      SetActiveControl(button);
    left += buttonWidth + kSpacing;
  }
  // The client size counts from the window's frame, which only a window
  // has: without one the frame would come out of the client area and cut
  // off the buttons.
  HandleNeeded();
  SetClientWidth(contentWidth);
  SetClientHeight(buttonsTop + kButtonHeight + kMargin);
}

void TMessageForm::Paint() {
  if (icon_ != nullptr)
    DrawIconEx(Canvas()->Handle(), iconPos_.x, iconPos_.y, icon_, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  TForm::Paint();
}

TForm* CreateMessageDialog(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  auto* form = new TMessageForm(nullptr);
  try {
    form->SetCaption(MessageDlgCaption(DlgType));
    form->Build(Msg, DlgType, Buttons);
  } catch (...) {
    form->Free();
    throw;
  }
  return form;
}

TForm* CreateInputQueryForm(const AnsiString& ACaption, const AnsiString& APrompt, const AnsiString& Value,
                            TEdit*& Edit) {
  auto* form = new TForm(nullptr);
  try {
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(ACaption);
    const SIZE prompt = MeasureText(*form->Font(), APrompt, 400);
    const int buttonWidth = std::max(ButtonWidthFor(*form->Font(), MessageButtonText(mbOK)),
                                     ButtonWidthFor(*form->Font(), MessageButtonText(mbCancel)));
    const int width = std::max<int>(prompt.cx, 2 * buttonWidth + kSpacing + 100);

    auto* label = new TLabel(form);
    label->SetName("Prompt");
    label->SetParent(form);
    label->SetCaption(APrompt);
    label->SetBounds(kMargin, kMargin, prompt.cx, prompt.cy);

    Edit = new TEdit(form);
    Edit->SetName("Edit");
    Edit->SetParent(form);
    const int editTop = kMargin + prompt.cy + 4;
    Edit->SetBounds(kMargin, editTop, width, 21);
    Edit->SetText(Value);
    label->SetFocusControl(Edit);
    form->SetActiveControl(Edit);

    const int buttonsTop = editTop + 21 + kSpacing + 4;
    const int firstLeft = kMargin + width - (2 * buttonWidth + kSpacing);
    AddButton(form, "OK", MessageButtonText(mbOK), mrOk, firstLeft, buttonsTop, buttonWidth)->SetDefault(true);
    AddButton(form, "Cancel", MessageButtonText(mbCancel), mrCancel, firstLeft + buttonWidth + kSpacing, buttonsTop,
              buttonWidth)
        ->SetCancel(true);
    form->HandleNeeded();  // the frame is known only with a window
    form->SetClientWidth(width + 2 * kMargin);
    form->SetClientHeight(buttonsTop + kButtonHeight + kMargin);
  } catch (...) {
    form->Free();
    throw;
  }
  return form;
}
