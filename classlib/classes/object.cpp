#include "classlib/classes/object.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "classlib/classes/typinfo.h"
#include "classlib/system/strutils.h"

constinit const TClassRecord TObject::ClassRecord{"TObject", nullptr, nullptr, &TObject::PublishedTable_};

bool TClassRecord::InheritsFrom(TClass ancestor) const {
  for (TClass c = this; c != nullptr; c = c->Parent)
    if (c == ancestor)
      return true;
  return false;
}

TObject* TClassRecord::Create(const TCreateContext& context) const {
  if (Factory == nullptr)
    throw EInvalidOperation(AnsiString("Cannot create an instance of ") + Name);
  return Factory(context);
}

bool TObject::ClassNameIs(const AnsiString& name) const { return SameText(ClassType()->Name, name); }

const TMethodCode* TObject::MethodAddress(const AnsiString& name) const {
  for (TClass c = ClassType(); c != nullptr; c = c->Parent) {
    TPublishedTable table = c->Published();
    for (std::size_t i = 0; i < table.Count; ++i) {
      const TPublished& e = table.Items[i];
      if (e.EntryKind == TPublished::PublishedMethod && SameText(e.Method.Name, name))
        return e.Method.Code;
    }
  }
  return nullptr;
}

AnsiString TObject::MethodName(const TMethodCode* code) const {
  if (code == nullptr)
    return {};
  for (TClass c = ClassType(); c != nullptr; c = c->Parent) {
    TPublishedTable table = c->Published();
    for (std::size_t i = 0; i < table.Count; ++i) {
      const TPublished& e = table.Items[i];
      if (e.EntryKind == TPublished::PublishedMethod && e.Method.Code == code)
        return e.Method.Name;
    }
  }
  return {};
}

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

// ---- Registry ------------------------------------------------------------------
namespace {

struct Registry {
  std::mutex lock;
  std::vector<TClass> classes;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

void RegisterComponentClass(TClass aClass) {
  if (aClass == nullptr)
    return;
  Registry& r = TheRegistry();
  std::lock_guard guard(r.lock);
  if (std::find(r.classes.begin(), r.classes.end(), aClass) == r.classes.end())
    r.classes.push_back(aClass);
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass c : classes)
    RegisterComponentClass(c);
}

void UnRegisterClass(TClass aClass) {
  Registry& r = TheRegistry();
  std::lock_guard guard(r.lock);
  r.classes.erase(std::remove(r.classes.begin(), r.classes.end(), aClass), r.classes.end());
}

TClass GetClass(const AnsiString& className) {
  Registry& r = TheRegistry();
  std::lock_guard guard(r.lock);
  for (TClass c : r.classes)
    if (SameText(c->Name, className))
      return c;
  return nullptr;
}

TClass FindClass(const AnsiString& className) {
  TClass c = GetClass(className);
  if (c == nullptr)
    throw EClassNotFound("Class " + className + " not found");
  return c;
}
