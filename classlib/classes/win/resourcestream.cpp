// TResourceStream over FindResourceW/LoadResource: the resource's bytes stay
// in the module's image, so the stream only points at them.
#include <windows.h>

#include "classlib/classes/streams.h"
#include "classlib/system/codepage.h"

TResourceStream::TResourceStream(void* instance, const AnsiString& resourceName, const wchar_t* resourceType) {
  std::u16string name = AnsiToUtf16(resourceName);
  Initialize(instance, reinterpret_cast<const wchar_t*>(name.c_str()), resourceType, resourceName);
}

TResourceStream::TResourceStream(void* instance, int resourceId, const wchar_t* resourceType) {
  Initialize(instance, MAKEINTRESOURCEW(resourceId), resourceType, std::to_string(resourceId));
}

void TResourceStream::Initialize(void* instance, const wchar_t* name, const wchar_t* type,
                                 const AnsiString& shownName) {
  HMODULE module = instance != nullptr ? static_cast<HMODULE>(instance) : GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name, type != nullptr ? type : RT_RCDATA);
  HGLOBAL data = info != nullptr ? LoadResource(module, info) : nullptr;
  if (data == nullptr)
    throw EResNotFound("Resource " + shownName + " not found");
  SetPointer(LockResource(data), SizeofResource(module, info));
}

std::int32_t TResourceStream::Write(const void*, std::int32_t) {
  throw EStreamError("Can't write to a read-only resource stream");
}
