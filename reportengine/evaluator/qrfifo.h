// TQRFiFo: the prepared element sequence of an expression, in prefix order.
//
// The sequence owns its elements. Evaluation reads it from the start: each
// element takes the elements of its operands or arguments from the sequence
// as it computes its value.
#pragma once
#include <memory>
#include <vector>

#include "classlib/classes/object.h"

class TQREvElement;

class TQRFiFo : public TObject {
  DECLARE_CLASS(TQRFiFo, TObject)

public:
  TQRFiFo();
  ~TQRFiFo() override;

  // Takes ownership of Element and puts it at the end.
  void Append(TQREvElement* Element);
  void Restart() { ReadPosition = 0; }
  // The element at ReadPosition, then moves on; nullptr at the end.
  TQREvElement* NextElement() {
    if (ReadPosition >= static_cast<int>(FItems.size()))
      return nullptr;
    return FItems[static_cast<std::size_t>(ReadPosition++)].get();
  }
  int Count() const { return static_cast<int>(FItems.size()); }
  TQREvElement* Items(int Index) const { return FItems.at(static_cast<std::size_t>(Index)).get(); }

  int ReadPosition = 0;
  bool Aggregating = false;

private:
  std::vector<std::unique_ptr<TQREvElement>> FItems;
};
