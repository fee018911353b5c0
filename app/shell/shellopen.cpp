#include "app/shell/shellopen.h"

#include <shellapi.h>

#include "classlib/system/win/widestring.h"

namespace {

TShellOpener& Opener() {
  static TShellOpener opener;
  return opener;
}

// Empty texts go to the shell as null pointers, as "no parameters".
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

int ShellOpen(const TShellOpenRequest& request) {
  if (Opener()) {
    Opener()(request);
    return 33;
  }
  const std::wstring verb = AnsiToWide(request.Verb), file = AnsiToWide(request.File);
  const std::wstring parameters = AnsiToWide(request.Parameters), directory = AnsiToWide(request.Directory);
  const HINSTANCE result =
      ShellExecuteW(request.Parent, OrNull(verb), file.c_str(), OrNull(parameters), OrNull(directory), request.Show);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

TShellOpener SetShellOpener(TShellOpener opener) {
  TShellOpener previous = std::move(Opener());
  Opener() = std::move(opener);
  return previous;
}
