#include <gtest/gtest.h>

#include "hostsim/answers.h"

namespace {

TEST(Answers, ValuesInFileOrderCommentsSkipped) {
  std::string error;
  ASSERT_TRUE(hostsim::ParseAnswers("# comment\n key = one \n\nother=x\r\nkey= two words\n", error));
  EXPECT_EQ(hostsim::Answers("key"), (std::vector<std::string>{"one", "two words"}));
  EXPECT_EQ(hostsim::Answers("other"), (std::vector<std::string>{"x"}));
  EXPECT_TRUE(hostsim::Answers("absent").empty());
}

TEST(Answers, LineWithoutEqualsIsAnError) {
  std::string error;
  EXPECT_FALSE(hostsim::ParseAnswers("a = 1\nbroken\n", error));
  EXPECT_NE(error.find("line 2"), std::string::npos);
}

}  // namespace
