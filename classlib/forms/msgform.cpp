#include "classlib/forms/msgform.h"

#include <algorithm>

#include "classlib/controls/stdctrls.h"
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

TButton* AddButton(TForm* form, const AnsiString& name, const AnsiString& caption, TModalResult result,
                   int left, int top) {
  auto* button = new TButton(form);
  button->SetName(name);
  button->SetParent(form);
  button->SetCaption(caption);
  button->SetModalResult(result);
  button->SetBounds(left, top, kButtonWidth, kButtonHeight);
  return button;
}

}  // namespace

AnsiString MessageButtonCaption(TMsgDlgBtn Button) {
  static const char* const captions[] = {"&Yes",       "&No",         "OK",  "Cancel", "&Abort", "&Retry",
                                         "&Ignore",    "&All",        "N&o to All", "Yes to &All", "&Help"};
  return captions[Button];
}

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

  std::vector<TMsgDlgBtn> buttons;
  for (int b = mbYes; b <= mbHelp; ++b)
    if (Buttons.Contains(static_cast<TMsgDlgBtn>(b)))
      buttons.push_back(static_cast<TMsgDlgBtn>(b));
  const int buttonsWidth =
      static_cast<int>(buttons.size()) * kButtonWidth + std::max(0, static_cast<int>(buttons.size()) - 1) * kSpacing;
  const int contentWidth = std::max<int>(textLeft + text.cx + kMargin, buttonsWidth + 2 * kMargin);
  const int buttonsTop = kMargin + std::max<int>(text.cy, icon_ != nullptr ? kIconSize : 0) + 2 * kSpacing;

  const TMsgDlgBtn defaultButton = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
  const TMsgDlgBtn cancelButton = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
  int left = (contentWidth - buttonsWidth) / 2;
  for (TMsgDlgBtn b : buttons) {
    TButton* button = AddButton(this, MessageButtonName(b), MessageButtonCaption(b), ModalResultOf(b), left,
                                buttonsTop);
    button->SetDefault(b == defaultButton);
    button->SetCancel(b == cancelButton);
    if (b == defaultButton)
      SetActiveControl(button);
    left += kButtonWidth + kSpacing;
  }
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
    const int width = std::max<int>(prompt.cx, 2 * kButtonWidth + kSpacing + 100);

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
    const int firstLeft = kMargin + width - (2 * kButtonWidth + kSpacing);
    AddButton(form, "OK", "OK", mrOk, firstLeft, buttonsTop)->SetDefault(true);
    AddButton(form, "Cancel", "Cancel", mrCancel, firstLeft + kButtonWidth + kSpacing, buttonsTop)->SetCancel(true);
    form->SetClientWidth(width + 2 * kMargin);
    form->SetClientHeight(buttonsTop + kButtonHeight + kMargin);
  } catch (...) {
    form->Free();
    throw;
  }
  return form;
}
