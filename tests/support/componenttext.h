// A component and the text form of its stream, both ways, for tests that
// check what is written and read back. Header-only: the component model is
// not part of the test main library.
#pragma once
#include <string>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"

namespace test_support {

// The component as the text form of its stream.
inline std::string ComponentText(TComponent* root) {
  TMemoryStream binary;
  {
    TWriter writer(binary);
    writer.WriteRootComponent(root);
  }
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  return std::string(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
}

// Reads the text form of a component into root.
inline void ReadComponentText(const std::string& source, TComponent* root) {
  TStringStream text(source);
  TMemoryStream binary;
  ObjectTextToBinary(text, binary);
  binary.SetPosition(0);
  TReader reader(binary);
  reader.ReadRootComponent(root);
}

}  // namespace test_support
