#include "layouts/output/mailsender.h"

#include <windows.h>
#include <mapi.h>

#include <string>

#include "classlib/system/codepage.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/numconv.h"

namespace {

// Simple MAPI takes text in the system's ANSI code page; our text is 1254.
std::string SystemAnsi(const AnsiString& text) {
  const std::u16string wide = AnsiToUtf16(text);
  if (wide.empty())
    return {};
  const auto* chars = reinterpret_cast<const wchar_t*>(wide.c_str());
  const int length = WideCharToMultiByte(CP_ACP, 0, chars, static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, chars, static_cast<int>(wide.size()), result.data(), length, nullptr, nullptr);
  return result;
}

class TMapiMailSender : public TMailSender {
public:
  void Send(const TMailMessage& Message) override {
    HMODULE mapi = LoadLibraryW(L"mapi32.dll");
    auto send = mapi ? reinterpret_cast<LPMAPISENDMAIL>(GetProcAddress(mapi, "MAPISendMail")) : nullptr;
    if (send == nullptr) {
      if (mapi)
        FreeLibrary(mapi);
      throw Exception("Bu bilgisayarda e-posta gönderebilecek bir program bulunamadı.");
    }
    const ULONG result = SendWith(send, Message);
    FreeLibrary(mapi);
    if (result != SUCCESS_SUCCESS && result != MAPI_USER_ABORT)
      throw Exception("E-posta gönderilemedi (MAPI hata kodu " + IntToStr(static_cast<int>(result)) + ").");
  }

private:
  static ULONG SendWith(LPMAPISENDMAIL send, const TMailMessage& Message) {
    std::string name = SystemAnsi(Message.Recipient);
    std::string address = "SMTP:" + name;
    std::string subject = SystemAnsi(Message.Subject), body = SystemAnsi(Message.Body);
    std::vector<std::string> paths;
    for (const AnsiString& file : Message.Attachments)
      paths.push_back(SystemAnsi(file));

    MapiRecipDesc recipient{};
    recipient.ulRecipClass = MAPI_TO;
    recipient.lpszName = name.data();
    recipient.lpszAddress = address.data();
    std::vector<MapiFileDesc> files(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
      files[i].nPosition = static_cast<ULONG>(-1);
      files[i].lpszPathName = paths[i].data();
    }
    MapiMessage message{};
    message.lpszSubject = subject.data();
    message.lpszNoteText = body.data();
    message.nRecipCount = 1;
    message.lpRecips = &recipient;
    message.nFileCount = static_cast<ULONG>(files.size());
    message.lpFiles = files.empty() ? nullptr : files.data();
    return send(0, 0, &message, MAPI_DIALOG | MAPI_LOGON_UI, 0);
  }
};

TMapiMailSender mapiSender;
TMailSender* current = nullptr;

}  // namespace

TMailSender& MailSender() { return current ? *current : mapiSender; }

TMailSender* SetMailSender(TMailSender* Sender) {
  TMailSender* previous = current;
  current = Sender;
  return previous;
}
