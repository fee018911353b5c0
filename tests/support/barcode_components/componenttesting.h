// A root component to stream barcode components with, as a layout's page
// holds them.
#pragma once
#include <memory>
#include <string>

#include "classlib/classes/component.h"
#include "classlib/classes/streams.h"

// Writes every component it owns as its child.
class TBarcodeTestRoot : public TComponent {
  DECLARE_CLASS(TBarcodeTestRoot, TComponent)

public:
  explicit TBarcodeTestRoot(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
};

// Expects the published barcode properties both barcode classes share.
void ExpectBarcodeProperties(TClass c);

// Registers TStBarCode and the test root for the reader.
void RegisterBarcodeTestClasses();
// The root written in the binary component format, positioned at its start.
std::unique_ptr<TMemoryStream> WriteRoot(TComponent* root);
// The root in the component text form.
std::string AsObjectText(TComponent* root);
