// The code generator's form opened from the print page: its captions,
// controls and defaults, "Tamam" filling the main form's label table,
// "Kapat", the messages, and the inputs remembered in Data\Ini\Dozuri.INI.
#include <functional>

#include "app/codegen/k_barkoduretf.h"
#include "classlib/classes/inifiles.h"
#include "classlib/classes/streams.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "tests/app/shell/shell_test_util.h"

namespace {

using Texts = std::vector<AnsiString>;

class CodeGeneratorTest : public shell_test::MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    AnaF = &Create();
  }
  void TearDown() override {
    AnaF = nullptr;
    MainFormTest::TearDown();
  }

  // Opens the generator with "Otomatik Dozuri Üret" and hands it to drive.
  void Open(const std::function<void(TK_BarkodUretF&)>& drive) {
    dialogs.OnModalForm = [&](TCustomForm& form) {
      auto* generator = dynamic_cast<TK_BarkodUretF*>(&form);
      ASSERT_NE(generator, nullptr);
      drive(*generator);
      if (form.ModalResult() == mrNone)
        form.SetModalResult(mrAbort);  // left open: the test sees mrAbort
    };
    form->Button5Click(nullptr);
    // The form is freed once it closed.
    EXPECT_EQ(K_BarkodUretF, nullptr);
  }

  Texts Labels(int field = 1) {
    Texts texts;
    TRxMemoryData& table = *form->RxEtiket;
    for (table.First(); !table.Eof(); table.Next())
      texts.push_back(table.FieldByName(RecordFieldName(field))->AsString());
    return texts;
  }
  void AddLabel(const AnsiString& text) {
    form->RxEtiket->Append();
    form->RxEtiket->FieldByName("METIN1")->SetAsString(text);
    form->RxEtiket->Post();
  }
  // The messages shown, in order.
  Texts Messages() {
    Texts texts;
    for (const auto& r : dialogs.Records())
      if (r.Kind != TDialogKind::ModalForm)
        texts.push_back(r.Text);
    return texts;
  }
  static Texts Items(TStrings* items) {
    Texts texts;
    for (int i = 0; i < items->Count(); ++i)
      texts.push_back(items->Strings(i));
    return texts;
  }
  AnsiString IniFile() { return folder.File("Data\\Ini\\Dozuri.INI"); }
};

TEST_F(CodeGeneratorTest, TheFormShowsEveryInputWithItsDefault) {
  ASSERT_TRUE(form->Button5->Enabled());
  Open([&](TK_BarkodUretF& g) {
    EXPECT_EQ(g.Caption(), "Otomatik Dozuri Oluştur");
    EXPECT_EQ(g.GroupBox1->Caption(), "Dozuri Oluşturma Kriterleri");
    EXPECT_EQ(g.GroupBox2->Caption(), "Diğer Alan Değerleri");
    EXPECT_EQ(g.RxCalcEditBaslangic->Value(), 0);
    EXPECT_EQ(g.RxCalcEditArtis->Value(), 1);
    EXPECT_EQ(g.RxCalcEditMiktar->Value(), 1);
    Texts digits, fields;
    for (int n = 1; n <= 20; ++n) {
      digits.push_back(IntToStr(n) + " Basamak");
      fields.push_back("Metin " + IntToStr(n));
    }
    digits.push_back("");
    fields.push_back("");
    EXPECT_EQ(Items(g.ComboBasamak->Items()), digits);
    EXPECT_EQ(g.ComboBasamak->Text(), "12 Basamak");
    EXPECT_EQ(Items(g.ComboAlan->Items()), fields);
    EXPECT_EQ(g.ComboAlan->Text(), "Metin 1");
    EXPECT_EQ(g.EditBasaEkle->Text(), "");
    EXPECT_EQ(g.EditSonaEkle->Text(), "");
    EXPECT_EQ(Items(g.RadioGroupTip->Items()), (Texts{"Yeni Oluştur", "Eklenmiş Etiketlerin Üzerine Yaz"}));
    EXPECT_EQ(g.RadioGroupTip->ItemIndex(), 0);
    EXPECT_EQ(g.RadioGroupTip->Caption(), "");
    EXPECT_EQ(g.ActiveControl(), g.RxCalcEditBaslangic);
    // Everything fits in the window's client area.
    g.HandleNeeded();
    for (TControl* c : {static_cast<TControl*>(g.GroupBox1), static_cast<TControl*>(g.GroupBox2),
                        static_cast<TControl*>(g.ButtonTamam), static_cast<TControl*>(g.ButtonVazgec)}) {
      EXPECT_LE(c->Left() + c->Width(), g.ClientWidth()) << c->Name();
      EXPECT_LE(c->Top() + c->Height(), g.ClientHeight()) << c->Name();
    }
    for (int k = 0; k < FixedTextCount; ++k) {
      EXPECT_EQ(g.EditMetin[k]->Name(), "EditMetin" + IntToStr(k + 1));
      EXPECT_EQ(g.EditMetin[k]->Text(), "");
    }
    Texts captions;
    for (int i = 0; i < g.ComponentCount(); ++i)
      if (auto* label = dynamic_cast<TLabel*>(g.Components(i)))
        captions.push_back(label->Caption());
    EXPECT_EQ(captions, (Texts{"Başlangıç No", "Artış Miktarı", "Basamak Sayısı", "Dozuri Başına Ekle",
                               "Dozuri Sonuna Ekle", "Barkodun Oluşturulacağı Alan", "Oluşturulacak Etiket Miktarı",
                               "Metin 1", "Metin 2", "Metin 3", "Metin 4", "Metin 5", "Metin 6", "Metin 7",
                               "Metin 8", "Metin 9", "Metin 10"}));
    EXPECT_EQ(g.ButtonTamam->Caption(), "Tamam");
    EXPECT_EQ(g.ButtonVazgec->Caption(), "Kapat");
    EXPECT_TRUE(g.ButtonVazgec->Cancel());  // Esc
    g.ButtonVazgecClick(nullptr);
    EXPECT_EQ(g.ModalResult(), mrCancel);
  });
  EXPECT_EQ(K_BarkodUretF, nullptr);
  EXPECT_TRUE(Labels().empty());
}

TEST_F(CodeGeneratorTest, TamamAppendsTheCodesAndClosesTheForm) {
  Open([&](TK_BarkodUretF& g) {
    g.RxCalcEditBaslangic->SetValue(1);
    g.ComboBasamak->SetItemIndex(4);
    g.EditBasaEkle->SetText("A");
    g.EditSonaEkle->SetText("-X");
    g.RxCalcEditMiktar->SetValue(3);
    g.EditMetin[1]->SetText("Çay");
    g.ButtonTamamClick(nullptr);
    EXPECT_EQ(g.ModalResult(), mrOk);
  });
  EXPECT_EQ(Labels(), (Texts{"A00001-X", "A00002-X", "A00003-X"}));
  EXPECT_EQ(Labels(2), (Texts{"Çay", "Çay", "Çay"}));
  EXPECT_FALSE(form->RxEtiket->ControlsDisabled());
}

TEST_F(CodeGeneratorTest, TheNumberEditsAreCutToWholeNumbers) {
  Open([&](TK_BarkodUretF& g) {
    g.RxCalcEditBaslangic->SetValue(12.9);
    g.RxCalcEditArtis->SetValue(-1.5);
    g.ComboBasamak->SetItemIndex(1);
    g.RxCalcEditMiktar->SetValue(2.7);
    g.ButtonTamamClick(nullptr);
  });
  EXPECT_EQ(Labels(), (Texts{"12", "11"}));
  Open([&](TK_BarkodUretF& g) {
    g.RxCalcEditBaslangic->SetValue(869000000001);
    g.RxCalcEditArtis->SetValue(1);
    g.ComboBasamak->SetItemIndex(11);
    g.RxCalcEditMiktar->SetValue(3);
    g.RadioGroupTip->SetItemIndex(0);
    g.ButtonTamamClick(nullptr);
  });
  EXPECT_EQ(Labels(), (Texts{"12", "11", "869000000001", "869000000002", "869000000003"}));
}

TEST_F(CodeGeneratorTest, OverwriteRewritesEveryLabel) {
  for (const char* text : {"a", "b", "c", "d"})
    AddLabel(text);
  Open([&](TK_BarkodUretF& g) {
    g.RxCalcEditBaslangic->SetValue(5);
    g.ComboBasamak->SetItemIndex(0);
    g.RadioGroupTip->SetItemIndex(1);
    g.ButtonTamamClick(nullptr);
  });
  EXPECT_EQ(Labels(), (Texts{"5", "6", "7", "8"}));
}

TEST_F(CodeGeneratorTest, ARefusalIsShownAndTheFormStaysOpen) {
  struct Case {
    std::function<void(TK_BarkodUretF&)> input;
    AnsiString message;
  } cases[] = {
      {[](TK_BarkodUretF& g) { g.RadioGroupTip->SetItemIndex(1); }, "Hiç etiket eklenmemiş."},
      {[](TK_BarkodUretF& g) { g.RxCalcEditMiktar->SetValue(0); }, "Oluşturulacak etiket miktarını giriniz."},
      {[](TK_BarkodUretF& g) { g.RxCalcEditMiktar->SetValue(20000); }, "En fazla 10000 adet girilebilir."},
      {[](TK_BarkodUretF& g) {
         g.RxCalcEditBaslangic->SetValue(9223372036854775807.0);
         g.RxCalcEditMiktar->SetValue(2);
       },
       "Oluşturulacak numaralar -9223372036854775808 ile 9223372036854775807 arasında kalmalıdır."},
      {[](TK_BarkodUretF& g) { g.ComboAlan->SetItemIndex(20); },
       "Barkodun Oluşturulacağı Alan için \"Metin 1\" ile \"Metin 20\" arasından bir alan seçiniz."},
  };
  for (const Case& c : cases) {
    dialogs.Clear();
    dialogs.AnswerButton(IDOK);
    TModalResult seen = mrNone;
    Open([&](TK_BarkodUretF& g) {
      c.input(g);
      g.ButtonTamamClick(nullptr);
      seen = g.ModalResult();
    });
    EXPECT_EQ(seen, mrNone) << c.message;
    EXPECT_EQ(Messages(), (Texts{c.message}));
    EXPECT_TRUE(Labels().empty()) << c.message;
  }
}

TEST_F(CodeGeneratorTest, TheInputsAreRememberedButNotTheMode) {
  Open([&](TK_BarkodUretF& g) {
    g.RxCalcEditBaslangic->SetValue(869000000001);
    g.RxCalcEditArtis->SetValue(2);
    g.ComboBasamak->SetItemIndex(12);
    g.EditBasaEkle->SetText("ön");
    g.EditSonaEkle->SetText("son");
    g.ComboAlan->SetItemIndex(3);
    g.RxCalcEditMiktar->SetValue(4);
    g.RadioGroupTip->SetItemIndex(1);
    g.EditMetin[9]->SetText("on");
    g.ButtonVazgecClick(nullptr);
  });
  TMemIniFile file(IniFile());
  TStringList lines;
  file.ReadSectionValues("TK_BarkodUretF", &lines);
  EXPECT_EQ(lines.Text(),
            "RxCalcEditBaslangic.Value=869000000001\r\nRxCalcEditArtis.Value=2\r\nComboBasamak.ItemIndex=12\r\n"
            "EditBasaEkle.Text=ön\r\nEditSonaEkle.Text=son\r\nComboAlan.ItemIndex=3\r\nRxCalcEditMiktar.Value=4\r\n"
            "EditMetin1.Text=\r\nEditMetin2.Text=\r\nEditMetin3.Text=\r\nEditMetin4.Text=\r\nEditMetin5.Text=\r\n"
            "EditMetin6.Text=\r\nEditMetin7.Text=\r\nEditMetin8.Text=\r\nEditMetin9.Text=\r\nEditMetin10.Text=on\r\n");
  Open([&](TK_BarkodUretF& g) {
    EXPECT_EQ(g.RxCalcEditBaslangic->Value(), 869000000001.0);
    EXPECT_EQ(g.RxCalcEditArtis->Value(), 2);
    EXPECT_EQ(g.ComboBasamak->Text(), "13 Basamak");
    EXPECT_EQ(g.EditBasaEkle->Text(), "ön");
    EXPECT_EQ(g.EditSonaEkle->Text(), "son");
    EXPECT_EQ(g.ComboAlan->Text(), "Metin 4");
    EXPECT_EQ(g.RxCalcEditMiktar->Value(), 4);
    EXPECT_EQ(g.RadioGroupTip->ItemIndex(), 0);
    EXPECT_EQ(g.RadioGroupTip->Caption(), "");
    EXPECT_EQ(g.ActiveControl(), g.RxCalcEditBaslangic);
    // Everything fits in the window's client area.
    g.HandleNeeded();
    for (TControl* c : {static_cast<TControl*>(g.GroupBox1), static_cast<TControl*>(g.GroupBox2),
                        static_cast<TControl*>(g.ButtonTamam), static_cast<TControl*>(g.ButtonVazgec)}) {
      EXPECT_LE(c->Left() + c->Width(), g.ClientWidth()) << c->Name();
      EXPECT_LE(c->Top() + c->Height(), g.ClientHeight()) << c->Name();
    }
    EXPECT_EQ(g.EditMetin[9]->Text(), "on");
    g.ButtonVazgecClick(nullptr);
  });
}

TEST_F(CodeGeneratorTest, TheOldFileIsReadWhileTheProgramsOwnIsMissing) {
  ScratchFolder windows;
  IniWindowsFolderScope scope(windows.File(""));
  {
    TFileStream old(windows.File("Dozuri.INI"), fmCreate);
    const std::string text = "[TK_BarkodUretF]\r\nEditBasaEkle.Text=eski\r\n";
    old.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
  }
  AnsiString seen;
  Open([&](TK_BarkodUretF& g) {
    seen = g.EditBasaEkle->Text();
    g.EditBasaEkle->SetText("yeni");
    g.ButtonVazgecClick(nullptr);
  });
  EXPECT_EQ(seen, "eski");
  EXPECT_TRUE(FileExists(IniFile()));
  Open([&](TK_BarkodUretF& g) {
    seen = g.EditBasaEkle->Text();
    g.ButtonVazgecClick(nullptr);
  });
  EXPECT_EQ(seen, "yeni");
}

TEST_F(CodeGeneratorTest, ADamagedFileGivesTheDefaultsAndAFailedWriteIsShown) {
  {
    TFileStream damaged(IniFile(), fmCreate);
    const std::string text = std::string("\0\xFF[TK_BarkodUretF]\r\nComboBasamak.ItemIndex=99\r\n", 46) +
                             "RxCalcEditMiktar.Value=x\r\nComboAlan.ItemIndex=-5\r\n";
    damaged.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
  }
  Open([&](TK_BarkodUretF& g) {
    EXPECT_EQ(g.ComboBasamak->Text(), "12 Basamak");
    EXPECT_EQ(g.ComboAlan->Text(), "Metin 1");
    EXPECT_EQ(g.RxCalcEditMiktar->Value(), 1);
    g.ButtonVazgecClick(nullptr);
  });
  // A folder in the file's place: the write fails, the user is told.
  DeleteFile(IniFile());
  ASSERT_TRUE(ForceDirectories(IniFile()));
  dialogs.Clear();
  dialogs.AnswerButton(IDOK);
  Open([&](TK_BarkodUretF& g) {
    g.RxCalcEditMiktar->SetValue(2);
    g.ButtonTamamClick(nullptr);
  });
  EXPECT_EQ(Labels(), (Texts{"000000000000", "000000000001"}));
  EXPECT_EQ(Messages(), (Texts{"Girilen değerler \"" + IniFile() +
                               "\" dosyasına yazılamadı; bir sonraki açılışta hatırlanmayacak."}));
}

}  // namespace
