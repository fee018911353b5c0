// TQRMemo: a label that prints its Lines instead of a caption. Each line is
// a paragraph of its own; with AutoSize the lines stand as they are. On the
// design surface an empty memo shows its name.
#pragma once
#include "reportengine/printables/qrlabel.h"

class TQRMemo : public TQRCustomLabel {
  DECLARE_CLASS(TQRMemo, TQRCustomLabel)

public:
  explicit TQRMemo(TComponent* AOwner) : TQRCustomLabel(AOwner) {}

  // Assigns the lines; they are laid out again at the next format.
  void SetLines(TStrings* Value);

  bool IsCaptionBased() override { return false; }
  // A band measures a memo for its height pre-calculation.
  bool StretchesWithData() override { return true; }
  void Print(int OfsX, int OfsY) override;
  // The height the lines need: their count times the line height.
  void MeasureHeight(int& Height) override;

protected:
  void Paint() override;
};
