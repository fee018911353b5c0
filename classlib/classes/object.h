// The root of the class hierarchy and the class registry.
//
// Every class has one class record: its name, its parent's record, a factory
// (the virtual constructor) and its table of published properties, methods
// and field classes. A class states its place in the hierarchy with
// DECLARE_CLASS in its body and defines its record in its source file:
//
//   // header
//   class TQRLabel : public TQRCustomLabel {
//     DECLARE_CLASS(TQRLabel, TQRCustomLabel)
//   public:
//     explicit TQRLabel(TComponent* AOwner);
//     ...
//   };
//
//   // source (typinfo.h and events.h give PROPERTY, METHOD, FIELD_CLASS)
//   BEGIN_PUBLISHED(TQRLabel)
//     PROPERTY(Caption, GetCaption, SetCaption),
//     PROPERTY(AutoSize, FAutoSize, SetAutoSize).Default(true),
//     METHOD(LabelPrint),
//   END_PUBLISHED
//
//   // or, for a class that publishes nothing of its own:
//   IMPLEMENT_CLASS(TQRCustomLabel)
//
// The class name of the record is the C++ class name as written, so
// ClassName() gives exactly the name the class is declared with ("TQRLabel"),
// the name streams store and FindClass looks up.
//
// Classes the component reader may create by name are registered with
// RegisterClass/RegisterClasses; FindClass raises EClassNotFound for a name
// that is not registered.
#pragma once
#include <cstddef>
#include <initializer_list>
#include <type_traits>

#include "classlib/system/ansistring.h"
#include "classlib/system/exceptions.h"

class TObject;
class TComponent;
class TCollection;
struct TClassRecord;
struct TPublished;
struct TMethodCode;

// A class reference: the address of the class's record.
using TClass = const TClassRecord*;

// What a factory needs to call a class's constructor: components take their
// owner, collection items their collection; other classes take nothing.
struct TCreateContext {
  TComponent* Owner = nullptr;
  TCollection* Collection = nullptr;
};

using TClassFactory = TObject* (*)(const TCreateContext& context);

// The published entries a class declares itself (its parents' are in theirs).
struct TPublishedTable {
  const TPublished* Items = nullptr;
  std::size_t Count = 0;
};

struct TClassRecord {
  const char* Name;
  TClass Parent;             // nullptr for TObject
  TClassFactory Factory;     // nullptr for abstract classes
  TPublishedTable (*Published)();

  // True when this class is ancestor or a descendant of it.
  bool InheritsFrom(TClass ancestor) const;
  // A new instance through the class's constructor; raises EInvalidOperation
  // for classes without a usable constructor.
  TObject* Create(const TCreateContext& context = {}) const;
};

class TObject {
public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  using inherited = TObject;
  static const TClassRecord ClassRecord;
  static TClass StaticClass() { return &ClassRecord; }
  static TPublishedTable PublishedTable_() { return {}; }

  virtual TClass ClassType() const { return &ClassRecord; }
  AnsiString ClassName() const { return ClassType()->Name; }
  TClass ClassParent() const { return ClassType()->Parent; }
  bool InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }
  bool ClassNameIs(const AnsiString& name) const;

  // The published method of that name (case-insensitive) in this class or a
  // parent, or nullptr.
  const TMethodCode* MethodAddress(const AnsiString& name) const;
  // The published name of a method of this class or a parent, or "".
  AnsiString MethodName(const TMethodCode* code) const;

  // Called by Free before the destructor runs, while the object is whole.
  virtual void BeforeDestruction() {}
  // Runs BeforeDestruction, then deletes the object. Prefer it to delete for
  // components, so that they see csDestroying in their own destructors.
  void Free();
};

// Deletes an object through Free and clears the pointer; nil is allowed.
template <class T>
void FreeAndNil(T*& object) {
  T* dying = object;
  object = nullptr;
  if (dying != nullptr)
    dying->Free();
}

// ---- Class registry --------------------------------------------------------
void RegisterComponentClass(TClass aClass);
// <windows.h> turns the name RegisterClass into RegisterClassW. Where it was
// included first, the line below defines that overload; where it comes later,
// the second definition takes the renamed calls. Either way a class record
// argument reaches the registry.
inline void RegisterClass(TClass aClass) { RegisterComponentClass(aClass); }
#if defined(_WIN32) && !defined(RegisterClass)
inline void RegisterClassW(TClass aClass) { RegisterComponentClass(aClass); }
#endif
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass aClass);
// The registered class of that name (case-insensitive), or nullptr.
TClass GetClass(const AnsiString& className);
// As GetClass; raises EClassNotFound "Class %s not found" for an unknown name.
TClass FindClass(const AnsiString& className);

// ---- Declaration macros ----------------------------------------------------
namespace dozuri {

// The constructor a factory calls, chosen by what the class accepts.
template <class C>
constexpr TClassFactory FactoryFor() {
  if constexpr (std::is_abstract_v<C>)
    return nullptr;
  else if constexpr (std::is_constructible_v<C, TComponent*>)
    return [](const TCreateContext& c) -> TObject* { return new C(c.Owner); };
  else if constexpr (std::is_constructible_v<C, TCollection*>)
    return [](const TCreateContext& c) -> TObject* { return new C(c.Collection); };
  else if constexpr (std::is_default_constructible_v<C>)
    return [](const TCreateContext&) -> TObject* { return new C(); };
  else
    return nullptr;
}

}  // namespace dozuri

// In a class body: the class and its direct parent.
#define DECLARE_CLASS(Self, Parent)                          \
 public:                                                     \
  using inherited = Parent;                                  \
  static const TClassRecord ClassRecord;                     \
  static TClass StaticClass() { return &ClassRecord; }       \
  TClass ClassType() const override { return &ClassRecord; } \
  static TPublishedTable PublishedTable_();                  \
                                                             \
 private:

#define DOZURI_CLASS_RECORD(C)                                                         \
  constinit const TClassRecord C::ClassRecord{#C, &C::inherited::ClassRecord, \
                                              ::dozuri::FactoryFor<C>(), &C::PublishedTable_};

// In the class's source file, for a class with no published entries of its own.
#define IMPLEMENT_CLASS(C)                         \
  DOZURI_CLASS_RECORD(C)                           \
  TPublishedTable C::PublishedTable_() { return {}; }

// In the class's source file: BEGIN_PUBLISHED(C) entries... END_PUBLISHED,
// the entries separated by commas (PROPERTY, PROPERTY_RO, METHOD, FIELD_CLASS
// from typinfo.h). The table is built on first use.
#define BEGIN_PUBLISHED(C)                    \
  DOZURI_CLASS_RECORD(C)                      \
  TPublishedTable C::PublishedTable_() {      \
    using Self [[maybe_unused]] = C;          \
    static const TPublished table_[] = {
#define END_PUBLISHED                                                  \
  }                                                                    \
  ;                                                                    \
  return {table_, sizeof(table_) / sizeof(table_[0])};                 \
  }
