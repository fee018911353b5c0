#include "support/rave/raveproject.h"

#include <algorithm>
#include <cstdio>

#include "classlib/classes/streams.h"

// ---- Components -----------------------------------------------------------------------------
TRaveComponent::TRaveComponent(TRaveComponent* parent, const AnsiString& name) : parent_(parent), name_(name) {}
TRaveComponent::~TRaveComponent() = default;

AnsiString TRaveComponent::FullName() const {
  // The project's root has no part in the name.
  if (parent_ == nullptr || parent_->parent_ == nullptr)
    return name_;
  return parent_->FullName() + "." + name_;
}

void TRaveComponent::DeleteChild(int index) { children_.erase(children_.begin() + index); }

void TRaveComponent::WriteText(TRaveTextWriter& writer) const {
  writer.Begin(name_, ClassName());
  WriteProperties(writer);
  for (const auto& child : children_)
    child->WriteText(writer);
  writer.End();
}

void TRaveComponent::WriteProperties(TRaveTextWriter&) const {}

void TRaveControl::WriteProperties(TRaveTextWriter& writer) const {
  writer.Number("Left", Left);
  writer.Number("Top", Top);
  writer.Number("Width", Width);
  writer.Number("Height", Height);
}

void TRavePage::WriteProperties(TRaveTextWriter& writer) const {
  writer.Number("PageWidth", PageWidth);
  writer.Number("PageHeight", PageHeight);
  if (GotoPage != nullptr)
    writer.Value("GotoPage", GotoPage->Name());
}

const char* RaveBarCodeClassName(TRaveBarCodeKind kind) {
  switch (kind) {
    case TRaveBarCodeKind::EAN: return "TRaveEANBarCode";
    case TRaveBarCodeKind::UPC: return "TRaveUPCBarCode";
    case TRaveBarCodeKind::Code128: return "TRaveCode128BarCode";
    case TRaveBarCodeKind::Code39: return "TRaveCode39BarCode";
    case TRaveBarCodeKind::PostNet: return "TRavePostNetBarCode";
    case TRaveBarCodeKind::I2of5: return "TRaveI2of5BarCode";
  }
  return "TRaveBaseBarCode";
}

AnsiString RaveBarCodeNameBase(TRaveBarCodeKind kind) { return AnsiString(RaveBarCodeClassName(kind)).substr(5); }

const char* TRaveBaseBarCode::ClassName() const { return RaveBarCodeClassName(kind_); }

void TRaveBaseBarCode::WriteProperties(TRaveTextWriter& writer) const {
  TRaveControl::WriteProperties(writer);
  writer.Number("BarWidth", BarWidth);
  writer.Number("BarHeight", BarHeight);
  writer.Boolean("AutoSize", AutoSize);
  writer.Boolean("UseChecksum", UseChecksum);
  writer.Boolean("PrintChecksum", PrintChecksum);
  writer.Boolean("PrintReadable", PrintReadable);
  writer.Value("TextJustify", TextCentered ? "pjCenter" : "pjLeft");
  writer.String("Text", Text);
}

void TRaveText::WriteProperties(TRaveTextWriter& writer) const {
  TRaveControl::WriteProperties(writer);
  writer.String("Font.Name", Font.Name);
  writer.Integer("Font.Size", Font.Size);
  AnsiString style;
  for (auto [on, name] : {std::pair{Font.Bold, "fsBold"}, {Font.Italic, "fsItalic"}, {Font.Underline, "fsUnderline"},
                          {Font.StrikeOut, "fsStrikeOut"}})
    if (on)
      style += (style.empty() ? "" : ", ") + AnsiString(name);
  writer.Value("Font.Style", "[" + style + "]");
  writer.String("Text", Text);
}

// ---- Project --------------------------------------------------------------------------------
void TRaveProject::Open() {
  Close();
  root_ = std::make_unique<TRaveProjectRoot>(nullptr, "RvProject1");
  TRaveReport* report = root_->Add<TRaveReport>("Report1");
  report->Add<TRavePage>("Page1");
}

void TRaveProject::Close() {
  globalPages_.clear();
  counters_.clear();
  root_.reset();
}

TRaveReport* TRaveProject::Report(const AnsiString& name) const {
  if (!root_)
    return nullptr;
  for (int i = 0; i < root_->ChildCount(); ++i)
    if (auto* report = dynamic_cast<TRaveReport*>(root_->Child(i)); report && report->Name() == name)
      return report;
  return nullptr;
}

TRavePage* TRaveProject::FindPage(const AnsiString& fullName) const {
  const auto dot = fullName.find('.');
  if (dot == AnsiString::npos)
    return nullptr;
  TRaveReport* report = Report(fullName.substr(0, dot));
  if (report == nullptr)
    return nullptr;
  const AnsiString pageName = fullName.substr(dot + 1);
  for (int i = 0; i < report->ChildCount(); ++i)
    if (auto* page = dynamic_cast<TRavePage*>(report->Child(i)); page && page->Name() == pageName)
      return page;
  for (TRavePage* page : globalPages_)
    if (page->Name() == pageName)
      return page;
  return nullptr;
}

TRavePage* TRaveProject::NewGlobalPage() {
  if (!root_)
    return nullptr;
  TRavePage* page = root_->Add<TRavePage>("GlobalPage" + std::to_string(globalPages_.size() + 1));
  globalPages_.push_back(page);
  return page;
}

AnsiString TRaveProject::NewName(const AnsiString& base) {
  auto found = std::find_if(counters_.begin(), counters_.end(), [&](const auto& entry) { return entry.first == base; });
  if (found == counters_.end())
    found = counters_.insert(counters_.end(), {base, 0});
  return base + std::to_string(++found->second);
}

std::vector<TRavePage*> TRaveProject::PageChain(const AnsiString& reportName) const {
  std::vector<TRavePage*> chain;
  TRaveReport* report = Report(reportName);
  if (report == nullptr)
    return chain;
  TRavePage* page = nullptr;
  for (int i = 0; i < report->ChildCount() && page == nullptr; ++i)
    page = dynamic_cast<TRavePage*>(report->Child(i));
  while (page != nullptr && std::find(chain.begin(), chain.end(), page) == chain.end()) {
    chain.push_back(page);
    page = page->GotoPage;
  }
  return chain;
}

AnsiString TRaveProject::ComponentText() const {
  TRaveTextWriter writer;
  if (root_)
    root_->WriteText(writer);
  return writer.Text();
}

void TRaveProject::SaveToFile(const AnsiString& fileName) const {
  const AnsiString text = ComponentText();
  TFileStream file(fileName, fmCreate);
  file.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

// ---- Text form ------------------------------------------------------------------------------
void TRaveTextWriter::Indent() { text_.append(static_cast<std::size_t>(depth_) * 2, ' '); }

void TRaveTextWriter::Begin(const AnsiString& name, const char* className) {
  Indent();
  text_ += "object " + name + ": " + className + "\r\n";
  ++depth_;
}

void TRaveTextWriter::End() {
  --depth_;
  Indent();
  text_ += "end\r\n";
}

void TRaveTextWriter::Value(const char* name, const AnsiString& literal) {
  Indent();
  text_ += AnsiString(name) + " = " + literal + "\r\n";
}

void TRaveTextWriter::Number(const char* name, double inches) {
  // Text form numbers are written with "." whatever the locale.
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.6f", inches);
  AnsiString text = buffer;
  for (char& c : text)
    if (c == ',')
      c = '.';
  Value(name, text);
}

void TRaveTextWriter::Integer(const char* name, int value) { Value(name, std::to_string(value)); }
void TRaveTextWriter::Boolean(const char* name, bool value) { Value(name, value ? "True" : "False"); }
void TRaveTextWriter::String(const char* name, const AnsiString& text) { Value(name, RaveQuoted(text)); }

AnsiString RaveQuoted(const AnsiString& text) {
  AnsiString out;
  bool quoted = false;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32) {
      if (quoted)
        out += '\'';
      quoted = false;
      out += "#" + std::to_string(byte);
      continue;
    }
    if (!quoted)
      out += '\'';
    quoted = true;
    out += c == '\'' ? AnsiString("''") : AnsiString(1, c);
  }
  if (quoted)
    out += '\'';
  return out.empty() ? AnsiString("''") : out;
}
