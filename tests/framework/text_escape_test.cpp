// The three escapers over the same bytes: a well-formed UTF-8 character kept, every other byte
// shown as \xNN, control and reserved characters in each format's own way. The trace's column is
// what its quoted texts hold (through TraceLine, as the node name and the messages go), the
// JSON's what `show --json` writes for a node of that name.
#include "framework/text_escape.h"

#include <gtest/gtest.h>

#include <sstream>

#include "control/node_trace.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"
#include "tools/settings_tool.h"

namespace {

struct EscapeCase {
  const char* name;
  std::string text;
  const char* xml;
  const char* json;
  const char* trace;
};

const EscapeCase kCases[] = {
    {"Ascii", "Boiler room 2", "Boiler room 2", R"("Boiler room 2")", "Boiler room 2"},
    {"TwoByte", "K\xC3\xBChlung", "K\xC3\xBChlung", "\"K\xC3\xBChlung\"", "K\xC3\xBChlung"},
    {"ThreeByte", "BL1 \xE2\x86\x92 BL2", "BL1 \xE2\x86\x92 BL2", "\"BL1 \xE2\x86\x92 BL2\"",
     "BL1 \xE2\x86\x92 BL2"},
    {"FourByte", "Heizung \xF0\x9F\x94\xA5", "Heizung \xF0\x9F\x94\xA5",
     "\"Heizung \xF0\x9F\x94\xA5\"", "Heizung \xF0\x9F\x94\xA5"},
    {"Truncated", "a\xE2\x86 b\xF0\x9F\x94", R"(a\xE2\x86 b\xF0\x9F\x94)",
     R"("a\\xE2\\x86 b\\xF0\\x9F\\x94")", R"(a\xE2\x86 b\xF0\x9F\x94)"},
    {"LoneContinuation", "a\x80\xBF", R"(a\x80\xBF)", R"("a\\x80\\xBF")", R"(a\x80\xBF)"},
    {"Latin1Bytes", "\xE9t\xE9", R"(\xE9t\xE9)", R"("\\xE9t\\xE9")", R"(\xE9t\xE9)"},
    {"Overlong", "\xC0\xAF\xE0\x80\xAF\xC1\xBF", R"(\xC0\xAF\xE0\x80\xAF\xC1\xBF)",
     R"("\\xC0\\xAF\\xE0\\x80\\xAF\\xC1\\xBF")", R"(\xC0\xAF\xE0\x80\xAF\xC1\xBF)"},
    {"CesuSurrogates", "\xED\xA0\xBD\xED\xB4\xA5", R"(\xED\xA0\xBD\xED\xB4\xA5)",
     R"("\\xED\\xA0\\xBD\\xED\\xB4\\xA5")", R"(\xED\xA0\xBD\xED\xB4\xA5)"},
    {"BeyondUnicodeAndNonCharacter", "\xF4\x90\x80\x80\xEF\xBF\xBF",
     R"(\xF4\x90\x80\x80\xEF\xBF\xBF)", R"("\\xF4\\x90\\x80\\x80\\xEF\\xBF\\xBF")",
     R"(\xF4\x90\x80\x80\xEF\xBF\xBF)"},
    {"ControlCharacters", "a\x01\t\n\r\x1F\x7F",
     "a&#x2401;&#x2409;&#x240A;&#x240D;&#x241F;&#x2421;",
     R"("a\u0001\u0009\u000A\u000D\u001F\u007F")", R"(a\x01\t\n\r\x1F\x7F)"},
    {"Markup", R"(<b>"x" & \y</b>)", R"(&lt;b&gt;&quot;x&quot; &amp; \y&lt;/b&gt;)",
     R"("<b>\"x\" & \\y</b>")", R"(<b>\"x\" & \\y</b>)"},
};

class EscapedText : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapedText, ReadsTheSameInEveryOutput) {
  const EscapeCase& c = GetParam();
  EXPECT_EQ(fw::XmlText(c.text), c.xml);
  EXPECT_EQ(fw::JsonString(c.text), c.json);
  TraceLine line;
  line.Quoted(c.text.data(), c.text.size());
  EXPECT_EQ(line.Text(), "\"" + std::string(c.trace) + "\"");

  // The tool's JSON names the node so; a name holds no line end.
  if (c.text.find_first_of("\r\n") != std::string::npos) return;
  std::string file = settingsfile_test::TempFolder::Sample("factory.txt");
  file.replace(file.find("Boiler room 2"), 13, c.text);
  std::ostringstream out, err;
  ASSERT_EQ(ShowContent("k.txt", ReadSettingsText(file), false, true, out, err), 0) << err.str();
  EXPECT_NE(out.str().find("\"nodeName\": " + std::string(c.json) + ","), std::string::npos)
      << out.str().substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(Bytes, EscapedText, ::testing::ValuesIn(kCases), testing_support::kByName);

}  // namespace
