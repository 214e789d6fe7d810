#include <gtest/gtest.h>

#include "framework/FormDescription.h"

namespace {

TEST(FormDescriptionTest, ReadsTheTreeWithEveryKindOfValue) {
  const TFormObject form = ParseFormDescription(R"(// the failure dialog
Tfrm_Info frm_Info {
  Left = 482
  Top = -3
  Caption = "在线下载异常，\"重新\"下载\n"
  Color = clWhite
  Anchors = [akLeft, akTop]
  Empty = []
  Font.Color = rgb(240, 243, 247)
  OnCreate = FormCreate
  TPanel pnl_Titile {
    Align = alTop
    TLabel lblSysTitle { Caption = "提示信息" }
  }
  TImage Image1 {
    Picture = png("info/icon.png")
  }
}
)",
                                                "frm_Info.form");
  EXPECT_EQ(form.className, "Tfrm_Info");
  EXPECT_EQ(form.name, "frm_Info");
  EXPECT_EQ(form.line, 2);
  ASSERT_EQ(form.properties.size(), 8u);
  EXPECT_EQ(form.properties[0].value.integer, 482);
  EXPECT_EQ(form.properties[1].value.integer, -3);
  EXPECT_EQ(form.properties[2].value.text, "在线下载异常，\"重新\"下载\n");
  EXPECT_EQ(form.properties[3].value.kind, TFormValue::vkName);
  ASSERT_EQ(form.properties[4].value.items.size(), 2u);
  EXPECT_EQ(form.properties[4].value.items[1].text, "akTop");
  EXPECT_TRUE(form.properties[5].value.items.empty());
  EXPECT_EQ(form.properties[6].name, "Font.Color");
  EXPECT_EQ(form.properties[6].value.kind, TFormValue::vkCall);
  EXPECT_EQ(form.properties[6].value.items[2].integer, 247);
  EXPECT_EQ(form.properties[7].line, 10);

  ASSERT_EQ(form.children.size(), 2u);
  EXPECT_EQ(form.children[0].children[0].name, "lblSysTitle");
  EXPECT_EQ(form.children[0].children[0].line, 13);
  EXPECT_EQ(form.children[1].properties[0].value.items[0].text, "info/icon.png");
}

TEST(FormDescriptionTest, ErrorsNameTheFileTheLineAndTheReason) {
  struct Case {
    const char* source;
    const char* message;
  };
  for (const Case& c : {
           Case{"", "f.form:1: expected a class name"},
           Case{"TForm {", "f.form:1: expected a component name after the class name TForm"},
           Case{"TForm f\n  Left = 1", "f.form:2: expected '{' after the component name f"},
           Case{"TForm f {\n  Left = 1\n", "f.form:3: missing '}' for f"},
           Case{"TForm f {\n  Left 1\n}", "f.form:2: expected '=' after the property name Left"},
           Case{"TForm f {\n\n  Caption = \"open\n}", "f.form:3: unterminated string"},
           Case{"TForm f {\n  Caption = \"\\q\"\n}", "f.form:2: unknown escape \\q"},
           Case{"TForm f {\n  Left = 12px\n}", "f.form:2: unexpected character after a number"},
           Case{"TForm f {\n  Left = 99999999999999999999\n}", "f.form:2: number too large"},
           Case{"TForm f {\n  Anchors = [akLeft,\n}", "f.form:3: expected a set member"},
           Case{"TForm f {\n  Color = rgb(1, 2\n}",
                "f.form:3: expected ')' to close the arguments of rgb"},
           Case{"TForm f {\n  Left = ?\n}", "f.form:2: expected a value"},
           Case{"TForm f {\n}\nTForm g {\n}",
                "f.form:3: text after the end of the top-level object"},
       }) {
    try {
      ParseFormDescription(c.source, "f.form");
      ADD_FAILURE() << "no error for: " << c.source;
    } catch (const EFormError& e) {
      EXPECT_EQ(e.Message(), c.message) << c.source;
    }
  }
}

}  // namespace
