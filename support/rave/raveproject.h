// The report project of the sheet mode's report library: a project with the
// report "Report1", its page "Page1" and global pages linked one to the next
// by GotoPage; on a page regions, in a region bands, on a band barcodes and
// texts. Every position and size is in inches, relative to the parent.
//
// The project is built at run time, saved in the text form of components
// ("object Name: TClass ... end") and drawn by the output system (win/).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/system/ansistring.h"

class TRaveProject;
class TRaveTextWriter;

class TRaveComponent {
public:
  TRaveComponent(TRaveComponent* parent, const AnsiString& name);
  virtual ~TRaveComponent();
  TRaveComponent(const TRaveComponent&) = delete;
  TRaveComponent& operator=(const TRaveComponent&) = delete;

  virtual const char* ClassName() const = 0;
  const AnsiString& Name() const { return name_; }
  TRaveComponent* Parent() const { return parent_; }
  // "Report1.Page1": the names from the report (or the project's page) down.
  AnsiString FullName() const;

  int ChildCount() const { return static_cast<int>(children_.size()); }
  TRaveComponent* Child(int index) const { return children_[index].get(); }
  void DeleteChild(int index);

  // Creates a component owned by this one.
  template <class T, class... Args>
  T* Add(const AnsiString& name, Args&&... args) {
    auto child = std::make_unique<T>(this, name, std::forward<Args>(args)...);
    T* raw = child.get();
    children_.push_back(std::move(child));
    return raw;
  }

  // Writes "object Name: TClass", the properties, the children and "end".
  void WriteText(TRaveTextWriter& writer) const;

protected:
  virtual void WriteProperties(TRaveTextWriter& writer) const;

private:
  TRaveComponent* parent_;
  AnsiString name_;
  std::vector<std::unique_ptr<TRaveComponent>> children_;
};

// A component with a place on its parent, in inches.
class TRaveControl : public TRaveComponent {
public:
  using TRaveComponent::TRaveComponent;
  double Left = 0, Top = 0, Width = 0, Height = 0;

protected:
  void WriteProperties(TRaveTextWriter& writer) const override;
};

class TRavePage : public TRaveComponent {
public:
  using TRaveComponent::TRaveComponent;
  const char* ClassName() const override { return "TRavePage"; }
  double PageWidth = 8.5, PageHeight = 11;
  // The page the report goes on to after this one; none ends the report.
  TRavePage* GotoPage = nullptr;

protected:
  void WriteProperties(TRaveTextWriter& writer) const override;
};

class TRaveRegion : public TRaveControl {
public:
  using TRaveControl::TRaveControl;
  const char* ClassName() const override { return "TRaveRegion"; }
};

class TRaveBand : public TRaveControl {
public:
  using TRaveControl::TRaveControl;
  const char* ClassName() const override { return "TRaveBand"; }
};

enum class TRaveBarCodeKind : std::uint8_t { EAN, UPC, Code128, Code39, PostNet, I2of5 };

class TRaveBaseBarCode : public TRaveControl {
public:
  TRaveBaseBarCode(TRaveComponent* parent, const AnsiString& name, TRaveBarCodeKind kind)
      : TRaveControl(parent, name), kind_(kind) {}
  const char* ClassName() const override;
  TRaveBarCodeKind Kind() const { return kind_; }

  AnsiString Text;
  double BarWidth = 0.01;   // the narrow bar, inches
  double BarHeight = 0.5;   // inches
  bool AutoSize = true;     // the width follows the symbol
  bool UseChecksum = false;
  bool PrintChecksum = false;
  bool PrintReadable = true;
  bool TextCentered = true;

protected:
  void WriteProperties(TRaveTextWriter& writer) const override;

private:
  TRaveBarCodeKind kind_;
};

// The class names of the barcode elements, by kind.
const char* RaveBarCodeClassName(TRaveBarCodeKind kind);
// "EANBarCode", "UPCBarCode" ...: the class name without "TRave", which the
// project numbers to name new elements.
AnsiString RaveBarCodeNameBase(TRaveBarCodeKind kind);

struct TRaveFont {
  AnsiString Name = "Arial";
  int Size = 10;  // points
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
};

class TRaveText : public TRaveControl {
public:
  using TRaveControl::TRaveControl;
  const char* ClassName() const override { return "TRaveText"; }
  AnsiString Text;
  TRaveFont Font;  // drawn in black, the library's default colour

protected:
  void WriteProperties(TRaveTextWriter& writer) const override;
};

class TRaveReport : public TRaveComponent {
public:
  using TRaveComponent::TRaveComponent;
  const char* ClassName() const override { return "TRaveReport"; }
};

class TRaveProjectRoot : public TRaveComponent {
public:
  using TRaveComponent::TRaveComponent;
  const char* ClassName() const override { return "TRaveProjectManager"; }
};

class TRaveProject {
public:
  // Opens the project: the report "Report1" with its empty page "Page1".
  void Open();
  // Frees every component.
  void Close();
  bool Active() const { return root_ != nullptr; }

  TRaveReport* Report(const AnsiString& name) const;
  // "Report1.Page1" names a page of the report; "Report1.GlobalPage1" a
  // global page (the report's own pages are looked at first). nullptr when
  // there is none.
  TRavePage* FindPage(const AnsiString& fullName) const;
  // A new global page "GlobalPage" n, n counting the global pages from 1.
  TRavePage* NewGlobalPage();
  // A name not used yet in the project: base followed by 1, 2 ...
  AnsiString NewName(const AnsiString& base);

  // The pages the report prints, in order: its first page, then the
  // GotoPage links (a link back to a page already printed ends the chain).
  std::vector<TRavePage*> PageChain(const AnsiString& reportName) const;

  // The project in the text form of components.
  AnsiString ComponentText() const;
  // Writes ComponentText to fileName; raises EFileStreamError on failure.
  void SaveToFile(const AnsiString& fileName) const;

private:
  std::unique_ptr<TRaveProjectRoot> root_;
  std::vector<TRavePage*> globalPages_;
  std::vector<std::pair<AnsiString, int>> counters_;
};

// Writes the text form: indented "Name = value" lines.
class TRaveTextWriter {
public:
  void Begin(const AnsiString& name, const char* className);
  void End();
  void Value(const char* name, const AnsiString& literal);
  void Number(const char* name, double inches);
  void Integer(const char* name, int value);
  void Boolean(const char* name, bool value);
  void String(const char* name, const AnsiString& text);
  const AnsiString& Text() const { return text_; }

private:
  void Indent();
  AnsiString text_;
  int depth_ = 0;
};

// A Pascal string literal: quoted, quotes doubled, control characters as #n.
AnsiString RaveQuoted(const AnsiString& text);
