// The sheet mode's work and its commands, apart from any window: the
// closed, open and modified states, the save question and "Yeni", "Aç",
// "Kaydet", "Farklı Kaydet", closing, "Kopyala", "Kopyala 2" and "Veri Al".
// The form shows the state and answers the questions with real dialogs;
// tests answer them from a script.
#pragma once
#include <functional>

#include "app/sheet/sheetfile.h"

// What the commands ask the user.
class TSheetPrompts {
public:
  enum TAnswer { aYes, aNo, aCancel };
  virtual ~TSheetPrompts() = default;
  // "Yapılan değişiklikler kaydedilsin mi?" captioned "Onayla": Yes, No, Cancel.
  virtual TAnswer AskSaveChanges() = 0;
  // "Veri almayı aktif şablon üzerine yapılsın mı?" captioned "Soru": Yes, No, Cancel.
  virtual TAnswer AskImportIntoOpenSheet() = 0;
  // The file dialogs; false when cancelled.
  virtual bool ChooseSheetToOpen(AnsiString& fileName) = 0;
  virtual bool ChooseSheetToSave(AnsiString& fileName) = 0;
  virtual bool ChooseTransferFile(AnsiString& fileName) = 0;
  // An information message captioned "Bilgi".
  virtual void Inform(const AnsiString& text) = 0;
};

inline constexpr const char* SaveFailedText = "Kayıt sırasında hata meydana geldi";
inline constexpr const char* OpenFailedText = "Dosya açılırken hata meydana geldi\rUyumsuz dosya olabililir";
inline constexpr const char* NewWorkStatus = "Yeni Dozuri Çalışması";

class TSheetWork {
public:
  TSheetWork(TSheetDocument& document, TSheetPrompts& prompts) : document_(document), prompts_(prompts) {}

  // A sheet is open: commands enabled, pages shown.
  bool SheetOpen() const { return open_; }
  bool SheetModified() const { return document_.SheetModified; }
  const AnsiString& SheetFileName() const { return fileName_; }
  const AnsiString& StatusText() const { return status_; }

  // Told before the document is written (the form puts its settings into
  // it), after it was read (the form shows them) and when the state changed.
  std::function<void()> BeforeWrite;
  std::function<void()> AfterRead;
  std::function<void()> StateChanged;

  // The save question: true to go on.
  bool Sor();
  bool Yeni();
  void Ac();
  void Kaydet();
  void FarklKaydet();
  // Closing: true when the form may close.
  bool CanClose() { return Sor(); }
  void Kopyala();
  // From the barcode cell (row, column).
  void Kopyala2(int row, int column);
  void VeriAl();
  // An edit of a setting or cell.
  void Modified() { document_.SheetModified = true; }

private:
  bool Write(const AnsiString& fileName);
  void SetState(bool open, const AnsiString& fileName, const AnsiString& status);

  TSheetDocument& document_;
  TSheetPrompts& prompts_;
  bool open_ = false;
  AnsiString fileName_;
  AnsiString status_;
};
