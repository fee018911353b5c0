// What the units of the banded engine take from the system: whether the
// system's default locale measures in U.S. units (its measurement setting is
// "1"), read once when the engine first asks, and the screen's pixels per
// inch, read whenever a size object is made.
//
// The Windows build asks the locale and the screen facts; the native build
// answers metric and 96. Tests put their own answers in place with
// QRUnitFactsScope.
#pragma once

struct TQRUnitFacts {
  bool USMeasure = false;
  int ScreenPixelsPerInch = 96;
};

// The facts in force: the innermost scope's, else the system's.
bool QRUsesUSMeasure();
int QRScreenPixelsPerInch();

class QRUnitFactsScope {
public:
  explicit QRUnitFactsScope(const TQRUnitFacts& facts);
  ~QRUnitFactsScope();
  QRUnitFactsScope(const QRUnitFactsScope&) = delete;
  QRUnitFactsScope& operator=(const QRUnitFactsScope&) = delete;

private:
  const TQRUnitFacts* saved_;
  TQRUnitFacts facts_;
};

namespace qrunitfacts_detail {
// The system's answers (win/ and posix/ give them).
bool SystemUSMeasure();
int SystemScreenPixelsPerInch();
}  // namespace qrunitfacts_detail
