#include <gtest/gtest.h>

#include "hostsim/player/answer_keys.h"
#include "hostsim/player/answers.h"

namespace {

TEST(Answers, ValuesInFileOrderCommentsAndByteOrderMarkSkipped) {
  std::string error;
  ASSERT_TRUE(hostsim::ParseAnswers("\xEF\xBB\xBF# comment\n warehouse = 2 \n\nvat=1 23\r\nwarehouse= -1\n"
                                    "dialog = type C:\\ceny; tick ; F12\ndialog = answer -3; answer 7\nchoose_file = -1\nbox = Abort\n",
                                    error))
      << error;
  EXPECT_EQ(hostsim::Answers("warehouse"), (std::vector<std::string>{"2", "-1"}));
  EXPECT_EQ(hostsim::Answers("vat"), (std::vector<std::string>{"1 23"}));
  EXPECT_EQ(hostsim::Answers("dialog"), (std::vector<std::string>{"type C:\\ceny; tick ; F12", "answer -3; answer 7"}));
  EXPECT_EQ(hostsim::Answers("choose_file"), (std::vector<std::string>{"-1"}));
  EXPECT_EQ(hostsim::Answers("box"), (std::vector<std::string>{"Abort"}));
  EXPECT_TRUE(hostsim::Answers("notice").empty());
}

// Every mistake names the source, the line and what was expected, and keeps no answer.
TEST(Answers, MistakesAreErrorsThatSayWhere) {
  struct Row {
    const char* text;
    const char* error;
  } rows[] = {
      {"warehouse = 1\nbroken\n", "shop.txt:2: no '=' in \"broken\"; expected key = value"},
      {"warehose = 2\n", "shop.txt:1: unknown key \"warehose\" (hostsim.exe --help lists the keys)"},
      {"vat = 1 abc\n", "shop.txt:1: vat: \"1 abc\" is not of the form CODE PERCENT"},
      {"vat = 1\n", "shop.txt:1: vat: \"1\" is not of the form CODE PERCENT"},
      {"vat = 1 23 x\n", "shop.txt:1: vat: \"1 23 x\" is not of the form CODE PERCENT"},
      {"vat = 1 inf\n", "shop.txt:1: vat: \"1 inf\" is not of the form CODE PERCENT"},
      {"\n# x\nwarehouse = two\n", "shop.txt:3: warehouse: \"two\" is not of the form N"},
      {"warehouse = 0x2\n", "shop.txt:1: warehouse: \"0x2\" is not of the form N"},
      {"fail_store = 0\n", "shop.txt:1: fail_store: \"0\" is not of the form RECORD"},
      {"memory_budget = -5\n", "shop.txt:1: memory_budget: \"-5\" is not of the form BYTES"},
      {"descriptor = yes\n", "shop.txt:1: descriptor: \"yes\" is not of the form none"},
      {"choose = maybe\n", "shop.txt:1: choose: \"maybe\" is not of the form yes | N"},
      {"box = perhaps\n",
       "shop.txt:1: box: \"perhaps\" is not of the form ok | cancel | abort | retry | ignore | yes | no | N"},
      {"dialog = type x; press F12\n",
       "shop.txt:1: dialog: \"press F12\" is no dialog action; expected type TEXT, choose LETTER, tick, "
       "clear, F12, F3, leave or answer N"},
      {"dialog = tick now; F12\n",
       "shop.txt:1: dialog: \"tick now\" is no dialog action; expected type TEXT, choose LETTER, tick, "
       "clear, F12, F3, leave or answer N"},
      {"dialog = answer x\n",
       "shop.txt:1: dialog: \"answer x\" is no dialog action; expected type TEXT, choose LETTER, tick, "
       "clear, F12, F3, leave or answer N"},
      {"dialog = choose BN; F12\n",
       "shop.txt:1: dialog: \"choose BN\": choose takes one letter, the radio button's hot key"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    std::string error;
    EXPECT_FALSE(hostsim::ParseAnswers(r.text, error, "shop.txt"));
    EXPECT_EQ(error, r.error);
    EXPECT_TRUE(hostsim::Answers("warehouse").empty());
  }
}

// hostsim.exe --help: each key with its form, the meaning from column 25 (on a line of
// its own after a long form), and under "fail" every service that can fail.
TEST(Answers, HelpListsEachKeyAndEachServiceThatCanFail) {
  std::string help = hostsim::AnswerKeysHelp();
  for (const char* line :
       {"\n  warehouse = N         one answer of the warehouse choice (default: the one offered)\n",
        "\n  box = ok | cancel | abort | retry | ignore | yes | no | N\n                        the answer",
        "\n  fail = ORDINAL CALL [on] [infinity | minus infinity]\n",
        "\n                          52278 openTableFile: "})
    EXPECT_NE(help.find(line), std::string::npos) << line;
}

TEST(Answers, BoxAnswersByNameAndNumberAndAMissingFile) {
  const struct {
    int id;
    const char* name;
  } rows[] = {{1, "ok"}, {7, "no"}, {42, "42"}, {-1, "-1"}};
  for (const auto& row : rows) EXPECT_EQ(hostsim::BoxAnswerName(row.id), row.name);
  std::string error;
  EXPECT_FALSE(hostsim::LoadAnswers("no such answers.txt", error));
  EXPECT_EQ(error, "cannot read the answers file no such answers.txt");
}

TEST(Answers, AHotKeyMayBeAPolishLetter) {
  std::string error;
  EXPECT_TRUE(hostsim::ParseAnswers("dialog = choose Ś; F12\n", error)) << error;
}

}  // namespace
