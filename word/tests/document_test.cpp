#include <gtest/gtest.h>

#include "word/custom_properties.h"
#include "word/page_setup.h"
#include "word/tests/word_test_support.h"
#include "word/window.h"

namespace qv::word {
namespace {

using automation::Variant;
using automation::err::kInvalidCall;
using automation::err::kNoSuchItem;
using testing::ErrorNumber;
using testing::WordTest;

class DocumentTest : public WordTest {};

TEST_F(DocumentTest, CustomPropertiesByNameAndIndex) {
  auto props = doc->CustomDocumentProperties();
  EXPECT_EQ(ErrorNumber([&] { props->Item(Variant("KZOConvert")); }), kInvalidCall);
  props->Add("KZOConvert", false, msoPropertyTypeString, Variant("7"));
  props->Add("Count", false, msoPropertyTypeNumber, Variant("12"));
  EXPECT_EQ(props->Count(), 2);
  EXPECT_EQ(props->Item(Variant("kzoconvert"))->Value().ToInt32(), 7);
  EXPECT_EQ(props->Item(Variant(2))->Name(), "Count");
  EXPECT_EQ(props->Item(Variant(2))->Type(), msoPropertyTypeNumber);
  EXPECT_EQ(props->Item(Variant("Count"))->Value().GetType(), Variant::Type::Int32);
  EXPECT_FALSE(props->Item(Variant(1))->LinkToContent());
  props->Item(Variant("KZOConvert"))->SetValue(Variant("6"));
  EXPECT_EQ(props->Item(Variant("KZOConvert"))->Value().ToText(), "6");
  EXPECT_EQ(ErrorNumber([&] { props->Add("Count", false, 4, Variant("again")); }), kInvalidCall);
  auto held = props->Item(Variant("Count"));
  held->Delete();
  EXPECT_EQ(props->Count(), 1);
  EXPECT_EQ(ErrorNumber([&] { held->Value(); }), kInvalidCall);
  EXPECT_EQ(ErrorNumber([&] { props->Item(Variant(2)); }), kInvalidCall);
}

TEST_F(DocumentTest, SavedFlagFollowsEveryChange) {
  EXPECT_TRUE(doc->Saved());
  const std::function<void()> changes[] = {
      [&] { doc->Content()->InsertAfter("x"); },
      [&] { doc->Content()->Font()->SetSize(3); },
      [&] { doc->CustomDocumentProperties()->Add("P", false, 4, Variant("v")); },
      [&] { doc->Shapes()->AddShape(1, 0, 0, 1, 1); },
      [&] { doc->Tables()->Add(doc->Range(0, 0), 1, 1); },
      [&] { doc->Tables()->Item(1)->Cell(1, 1)->SetWidth(30); },
      [&] { doc->PageSetup()->Data().leftMargin = 10, doc->PageSetup()->Changed(); },
  };
  for (const auto& change : changes) {
    doc->SetSaved(true);
    change();
    EXPECT_FALSE(doc->Saved());
  }
  doc->SaveAs((profile.Dir() / "saved.doc").string());
  EXPECT_TRUE(doc->Saved());
  EXPECT_EQ(doc->Name(), "saved.doc");
  EXPECT_EQ(doc->Path(), profile.Dir().string());
  EXPECT_EQ(doc->FullName(), (profile.Dir() / "saved.doc").string());
}

TEST_F(DocumentTest, PageSetupDefaultsToUsLetter) {
  const PageSetupData& p = doc->PageSetup()->Data();
  EXPECT_EQ(p.pageWidth, 612);
  EXPECT_EQ(p.pageHeight, 792);
  EXPECT_EQ(p.leftMargin, 90);
  EXPECT_EQ(p.rightMargin, 90);
  EXPECT_EQ(p.topMargin, 72);
  EXPECT_EQ(p.bottomMargin, 72);
  EXPECT_EQ(doc->TextWidth(), 432);
}

TEST_F(DocumentTest, DocumentsCollectionAndTheActiveDocument) {
  auto second = app->Documents()->Add();
  EXPECT_EQ(app->Documents()->Count(), 2);
  EXPECT_EQ(app->ActiveDocument(), second);
  EXPECT_EQ(app->Documents()->Item(Variant("Document1")), doc);
  EXPECT_EQ(ErrorNumber([&] { app->Documents()->Item(Variant(3)); }), kNoSuchItem);
  doc->Activate();
  EXPECT_EQ(app->ActiveDocument(), doc);
  EXPECT_EQ(app->Selection(), doc->Selection());
  doc->Close();
  EXPECT_EQ(app->ActiveDocument(), second);
  EXPECT_EQ(ErrorNumber([&] { doc->Content(); }), automation::err::kObjectDeleted);
  second->Close();
  EXPECT_EQ(ErrorNumber([&] { app->ActiveDocument(); }), 4248);
  EXPECT_EQ(ErrorNumber([&] { app->Selection(); }), 4248);
}

TEST_F(DocumentTest, FormsDesignSnapOptionsAndWindows) {
  EXPECT_FALSE(doc->FormsDesign());
  doc->ToggleFormsDesign();
  EXPECT_TRUE(doc->FormsDesign());
  doc->SetSnapToGrid(false);
  doc->SetSnapToShapes(true);
  EXPECT_FALSE(doc->SnapToGrid());
  EXPECT_TRUE(doc->SnapToShapes());
  auto w = doc->ActiveWindow();
  EXPECT_NE(w->Hwnd(), 0);
  EXPECT_NE(app->Documents()->Add()->ActiveWindow()->Hwnd(), w->Hwnd());
  w->View()->type = wdNormalView;
  EXPECT_EQ(w->View()->type, wdNormalView);
  EXPECT_EQ(w->PaneList().size(), 1u);
  w->SetSplitSpecial(2);
  EXPECT_TRUE(w->Split());
  EXPECT_EQ(w->ActivePane()->View()->type, wdNormalView);
  w->ActivePane()->Close();
  EXPECT_EQ(w->SplitSpecial(), wdPaneNone);
  EXPECT_EQ(w->PaneList().size(), 1u);
}

TEST_F(DocumentTest, PropertyValuesKeepTheirTypes) {
  auto props = doc->CustomDocumentProperties();
  props->Add("Flag", false, msoPropertyTypeBoolean, Variant("True"));
  props->Add("Ratio", false, msoPropertyTypeFloat, Variant(0.6));
  props->Add("When", false, msoPropertyTypeDate, Variant(automation::Date(46000.5)));
  EXPECT_EQ(props->Item(Variant("Flag"))->Value(), Variant(true));
  EXPECT_EQ(props->Item(Variant("Ratio"))->Value().ToDouble(), 0.6);
  EXPECT_EQ(props->Item(Variant("When"))->Value().ToDate(), automation::Date(46000.5));
  EXPECT_EQ(ErrorNumber([&] { props->Add("Bad", false, 1, Variant("not a number")); }),
            automation::err::kTypeMismatch);
  EXPECT_EQ(props->Count(), 3);
}

TEST_F(DocumentTest, SavingANewDocumentAsksForANameAndCloseCanSave) {
  doc->Content()->InsertAfter("text");
  EXPECT_EQ(ErrorNumber([&] { doc->Save(); }), 4198);  // the default chooser answers Cancel
  const auto file = profile.Dir() / "kept.doc";
  doc->SaveAs(file.string());
  doc->Content()->InsertAfter(" more");
  doc->Close(-1);  // wdSaveChanges
  auto again = app->Documents()->Open(file.string());
  EXPECT_EQ(again->Content()->Text(), "text more\r");
  EXPECT_EQ(app->Documents()->Open(file.string()), again);  // an open document is not opened twice
  EXPECT_EQ(app->Documents()->Count(), 1);
  again->Content()->InsertAfter("!");
  app->Quit();
  EXPECT_EQ(app->Documents()->Count(), 0);
  EXPECT_EQ(app->Documents()->Open(file.string())->Content()->Text(), "text more\r");
}

TEST_F(DocumentTest, ObjectsOfAClosedDocumentRaise) {
  auto t = doc->Tables()->Add(doc->Range(0, 0), 1, 1);
  auto r = doc->Content();
  auto pic = doc->InlineShapes()->AddPicture(Gif().string());
  doc->Close();
  EXPECT_EQ(ErrorNumber([&] { t->Cell(1, 1); }), automation::err::kObjectDeleted);
  EXPECT_EQ(ErrorNumber([&] { r->Text(); }), automation::err::kObjectDeleted);
  EXPECT_EQ(ErrorNumber([&] { pic->AlternativeText(); }), automation::err::kObjectDeleted);
}

TEST_F(DocumentTest, AFailedSaveLeavesTheDocumentUnsaved) {
  doc->Content()->InsertAfter("x");
  const auto notAFolder = profile.Dir() / "plain.txt";
  std::ofstream(notAFolder) << "a file, not a folder";
  EXPECT_NE(ErrorNumber([&] { doc->SaveAs((notAFolder / "a.doc").string()); }), 0);
  EXPECT_FALSE(doc->Saved());
  EXPECT_EQ(doc->Name(), "Document1");
}

TEST_F(DocumentTest, ScriptsReachPropertiesAndWindowsByName) {
  using automation::Call;
  using automation::Get;
  using automation::ObjectRef;
  ObjectRef d = doc;
  ObjectRef props = Get(d, "CustomDocumentProperties").ToObject();
  Call(props, "Add", {Variant("Ver"), Variant(false), Variant(4), Variant("27")});
  EXPECT_EQ(Get(Get(props, "Item", {Variant("Ver")}).ToObject(), "Value").ToText(), "27");
  ObjectRef window = Get(d, "ActiveWindow").ToObject();
  automation::Put(Get(window, "View").ToObject(), "Type", Variant(wdWebView));
  EXPECT_EQ(doc->ActiveWindow()->View()->type, wdWebView);
  EXPECT_EQ(Get(d, "hwnd").ToInt32(), doc->ActiveWindow()->Hwnd());
  EXPECT_EQ(Get(Get(ObjectRef(app), "Windows").ToObject(), "Count").ToInt32(), 1);
  automation::Put(d, "UserControl", Variant(false));
  EXPECT_FALSE(doc->UserControl());
}

}  // namespace
}  // namespace qv::word
