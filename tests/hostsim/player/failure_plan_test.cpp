// The stand-in's failure plan: each service that can fail gives its own failure at the
// planned call and works again after it; once or from then on; counted per reset; set
// by the answers file.
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "host/arguments.h"
#include "host/services.h"
#include "hostsim/player/answers.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/files.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_settings.h"
#include "reprice/options.h"
#include "tests/warehouse/warehouse_fixture.h"

using namespace testing_goods;
using hostsim::FailingService;

namespace {

class FailurePlanTest : public WarehouseFixture {
 protected:
  GoodsCursor cursor{};
  char name[256];

  // One call of the service, its result in words.
  std::string Call(FailingService service) {
    switch (service) {
      case FailingService::Memory: {
        void* block = reallocMemory(nullptr, 16);
        if (!block) return "null";
        freeMemory(block);
        return "block";
      }
      case FailingService::Dialog: {
        RepricingOptions data{};
        hostsim::dialogs.script.push_back("F12");
        int16_t command = runDialog(OptionsDialogTemplate, 1, &data, 0);
        hostsim::dialogs.script.clear();
        return std::to_string(command);
      }
      case FailingService::Chooser: {
        char path[129] = "old";
        hostsim::dialogs.chooserScript = {"new.txt"};
        int result = chooseFile(ChooseFileKind, path, "C:\\*.*", ReservedArgument);
        return std::to_string(result) + " " + path;
      }
      case FailingService::Rounding: return std::to_string(roundAmount(12345.0, 100));
      case FailingService::Settings: {
        hostsim::EraseSettings();
        int16_t result = settingValue(2, "S", "k", "%d", 7);
        return std::to_string(result) + " " + hostsim::StoredSetting("S", "k").value_or("none");
      }
      case FailingService::TableOpen: {
        tableFileName(1, name, "MMM", ".MGR", TableFileNameKind);
        int opened = openTableFile(&cursor, goodsTable, OpenTableFileKind, name, 1, ReservedArgument);
        closeTableFile(&cursor);
        return std::to_string(opened);
      }
      case FailingService::Fetch: return std::to_string(nextRecord(&cursor));
      case FailingService::Store: return std::to_string(storeRecord(&cursor));
      case FailingService::Conversion: return std::to_string(convertNetGross(2, 1, 100.0));
      case FailingService::Warehouse: {
        hostsim::dialogs.warehouseScript = {5};
        return std::to_string(selectWarehouse(3, SelectWarehouseKind, ReservedArgument));
      }
      case FailingService::Append: {
        appendLine("A.TXT", "x");
        std::string bytes;
        hostsim::ReadWholeFile("A.TXT", bytes);
        std::remove("A.TXT");
        return std::to_string(bytes.size());
      }
      case FailingService::Stop: return std::to_string(stopRequested());
    }
    return "?";
  }
};

TEST_F(FailurePlanTest, EachServiceGivesItsFailureAtThePlannedCallOnly) {
  struct Row {
    FailingService service;
    const char* failed;  // the planned call's result
    const char* worked;  // the next call's
  } rows[] = {
      {FailingService::Memory, "null", "block"},
      {FailingService::Dialog, "32767", "20481"},
      {FailingService::Chooser, "-1 old", "0 new.txt"},
      {FailingService::Rounding, "nan", "12300.000000"},
      {FailingService::Settings, "1 none", "0 7"},
      {FailingService::TableOpen, "0", "1"},
      {FailingService::Fetch, "0", "1"},
      {FailingService::Store, "0", "1"},
      {FailingService::Conversion, "nan", "123.000000"},
      {FailingService::Warehouse, "-1", "5"},
      {FailingService::Append, "0", "3"},
      {FailingService::Stop, "1", "0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(hostsim::NameOf(row.service));
    SetUp();
    WriteGoods(1, {Goods("A", 1, 1), Goods("B", 2, 2)});
    std::remove("A.TXT");
    // The walk's services need an open cursor for update, opened before the plan counts.
    bool walk = row.service == FailingService::Fetch || row.service == FailingService::Store;
    if (walk) {
      tableFileName(1, name, "MMM", ".MGR", TableFileNameKind);
      ASSERT_EQ(openTableFile(&cursor, goodsTable, OpenTableFileKind, name, 1, ReservedArgument), 1);
      if (row.service == FailingService::Store) {
        ASSERT_EQ(nextRecord(&cursor), 1);
      }
    }
    hostsim::ResetFailurePlan();
    hostsim::PlanFailure(row.service, 2);
    EXPECT_EQ(Call(row.service), row.worked) << "call 1";
    EXPECT_EQ(Call(row.service), row.failed) << "call 2";
    EXPECT_EQ(Call(row.service), row.worked) << "call 3";
    EXPECT_EQ(hostsim::CountOf(row.service).calls, 3);
    EXPECT_EQ(hostsim::CountOf(row.service).failed, 1);
    if (walk) closeTableFile(&cursor);
    EXPECT_EQ(hostsim::goodsCounters.openCursors, 0);
    EXPECT_TRUE(hostsim::memory.blocks.empty());
  }
}

TEST_F(FailurePlanTest, TheConversionFailsWithNaNOrEitherInfinity) {
  struct Row {
    int variant;
    double expected;
  } rows[] = {{hostsim::ConversionInfinity, std::numeric_limits<double>::infinity()},
              {hostsim::ConversionMinusInfinity, -std::numeric_limits<double>::infinity()}};
  for (const Row& row : rows) {
    hostsim::ResetFailurePlan();
    hostsim::PlanFailure(FailingService::Conversion, 1, false, row.variant);
    EXPECT_EQ(convertNetGross(1, 1, 123.0), row.expected);
  }
  hostsim::ResetFailurePlan();
  hostsim::PlanFailure(FailingService::Conversion, 1);
  EXPECT_TRUE(std::isnan(convertNetGross(1, 1, 123.0)));
}

TEST_F(FailurePlanTest, OnceOrFromThenOnAndEveryResetStartsCountingAnew) {
  struct Row {
    bool fromThenOn;
    std::string results;  // calls 1 to 5 of the interruption check
    int failed;
  } rows[] = {{false, "00100", 1}, {true, "00111", 3}};
  for (const Row& row : rows) {
    hostsim::ResetHostSim();
    hostsim::PlanFailure(FailingService::Stop, 3, row.fromThenOn);
    std::string results;
    for (int i = 0; i < 5; ++i) results += std::to_string(stopRequested());
    EXPECT_EQ(results, row.results);
    EXPECT_EQ(hostsim::CountOf(FailingService::Stop).failed, row.failed);
  }
  hostsim::ResetHostSim();
  EXPECT_EQ(hostsim::CountOf(FailingService::Stop).calls, 0);
  EXPECT_EQ(hostsim::PlanOf(FailingService::Stop).call, 0);
  EXPECT_EQ(stopRequested(), 0);
}

TEST_F(FailurePlanTest, TheAnswersFilePlansFailures) {
  struct Row {
    const char* answers;
    FailingService service;
    int call;
    bool fromThenOn;
    int variant;
  } rows[] = {
      {"fail = 52280 3\n", FailingService::Store, 3, false, 0},
      {"fail = 52407 1 on\n", FailingService::Append, 1, true, 0},
      {"fail = 52289 2 infinity\n", FailingService::Conversion, 2, false, 1},
      {"fail = 52289 4 on minus infinity\n", FailingService::Conversion, 4, true, 2},
      {"fail = 52225 1\nfail = 52225 5 on\n", FailingService::Settings, 5, true, 0},
      {"fail_alloc = 2\n", FailingService::Memory, 2, false, 0},
      {"fail_alloc_from = 4\n", FailingService::Memory, 4, true, 0},
      {"stop_after = 0\n", FailingService::Stop, 1, true, 0},
      {"stop_after = 7\n", FailingService::Stop, 8, true, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answers);
    hostsim::ResetHostSim();
    std::string error;
    ASSERT_TRUE(hostsim::ParseAnswers(row.answers, error)) << error;
    hostsim::ApplyAnswers();
    const hostsim::ServicePlan& plan = hostsim::PlanOf(row.service);
    EXPECT_EQ(plan.call, row.call);
    EXPECT_EQ(plan.fromThenOn, row.fromThenOn);
    EXPECT_EQ(plan.variant, row.variant);
  }
}

TEST_F(FailurePlanTest, AFailAnswerOfAnotherFormIsAnError) {
  for (const char* value : {"52081 1", "52280 0", "52280", "52280 x", "52280 2 often", "52280 2 infinity",
                            "52289 1 minus", "52289 1 on on", "x 1", "52280 1000000001", "52280 2 onx",
                            "52280 2 on\tx"}) {
    SCOPED_TRACE(value);
    std::string error;
    EXPECT_FALSE(hostsim::ParseAnswers(std::string("fail = ") + value + "\n", error, "shop.txt"));
    EXPECT_EQ(error, std::string("shop.txt:1: fail: \"") + value +
                         "\" is not of the form ORDINAL CALL [on] [infinity | minus infinity]");
  }
}

}  // namespace
