#include <gtest/gtest.h>

#include "failure_message.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/generator/field_text.h"

namespace orvandel {
namespace {

TEST(FieldTextTest, TrimLeadingBlanksRemovesBlanksAndTabsInFrontOnly) {
  EXPECT_EQ(TrimLeadingBlanks(" \t 12 "), "12 ");
  EXPECT_EQ(TrimLeadingBlanks("   "), "");
  EXPECT_EQ(TrimLeadingBlanks(""), "");
}

TEST(FieldTextTest, BlankFields) {
  EXPECT_TRUE(IsBlankField("      "));
  EXPECT_TRUE(IsBlankField(""));
  EXPECT_TRUE(IsBlankField(" \t"));
  EXPECT_FALSE(IsBlankField("  1   "));
}

TEST(FieldTextTest, AcceptsWhatADecimalFieldHolds) {
  EXPECT_EQ(FieldToFloat("1000  "), 1000.0f);
  EXPECT_EQ(FieldToFloat("  -25"), -25.0f);
  EXPECT_EQ(FieldToFloat("+7"), 7.0f);
  EXPECT_EQ(FieldToFloat("0.1"), 0.1f);
  EXPECT_EQ(FieldToFloat(".5"), 0.5f);
  EXPECT_EQ(FieldToFloat("5."), 5.0f);
  EXPECT_EQ(FieldToFloat("1.5e2"), 150.0f);
  EXPECT_EQ(FieldToFloat("25E-1"), 2.5f);
  EXPECT_EQ(FieldToFloat("1e-60"), 0.0f);
}

TEST(FieldTextTest, RefusesEverythingElseWithTheFieldsText) {
  for (const char* text : {"12a", "-", "+", "1 000", "inf", "nan", "0x10", "1e", "1e+", ".", "",
                           "1,5", "e5", "--1", "1e99"}) {
    EXPECT_EQ(test::MessageOf([&] { FieldToFloat(text); }),
              std::string("'") + text + "' is not a valid floating point value.");
  }
}

}  // namespace
}  // namespace orvandel
