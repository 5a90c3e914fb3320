// The preview's folder: where it may be, and the copy of the data folder made there.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "hostsim/preview/scratch_folder.h"

namespace fs = std::filesystem;
using namespace hostsim::preview;

namespace {

void Put(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all("scratch_test");
    Put("scratch_test/shop/MMM1.MGR", "goods");
    Put("scratch_test/shop/mmm12.mgr", "more goods");
    Put("scratch_test/shop/MMMX.MGR", "not a warehouse");
    Put("scratch_test/shop/MMM12.TXT", "not a goods file");
    Put("scratch_test/shop/MMM1234567890.MGR", "beyond any warehouse number");
    Put("scratch_test/shop/MMM", "no extension, no number");
    Put("scratch_test/shop/settings.ini", "[Przecena]\r\n");
    Put("scratch_test/shop/ceny/towary.txt", "KAWA\t1,00\r\n");
  }
  std::string scratch, error;
};

TEST_F(ScratchFolder, CopiesEveryFileAndFolderByteForByte) {
  ASSERT_TRUE(MakeScratchFolder("scratch_test/copy", "scratch_test/shop", scratch, error)) << error;
  ASSERT_TRUE(CopyFolder("scratch_test/shop", scratch, error)) << error;
  EXPECT_EQ(FileBytes("scratch_test/copy/MMM1.MGR"), "goods");
  EXPECT_EQ(FileBytes("scratch_test/copy/settings.ini"), "[Przecena]\r\n");
  EXPECT_EQ(FileBytes("scratch_test/copy/ceny/towary.txt"), "KAWA\t1,00\r\n");
  EXPECT_EQ(GoodsFilesIn("scratch_test/copy"), (std::map<int, std::string>{{1, "MMM1.MGR"}, {12, "mmm12.mgr"}}));
}

TEST_F(ScratchFolder, RefusesAFolderThatHoldsSomethingOrLiesInTheData) {
  struct Row {
    const char* label;
    const char* requested;
    const char* error;
    const char* data = "scratch_test/shop";
  } rows[] = {
      {"a folder of the data folder", "scratch_test/shop/ceny", "the preview folder scratch_test/shop/ceny is the data folder or lies in it; "
                                              "choose one outside it"},
      {"the data folder", "scratch_test/shop", "the preview folder scratch_test/shop is the data folder or lies in it; "
                                               "choose one outside it"},
      {"the folder that holds the data folder", "scratch_test",
       "the preview folder scratch_test is not empty; name an empty or new one"},
      {"inside, new", "scratch_test/shop/preview", "the preview folder scratch_test/shop/preview is the data folder or "
                                                   "lies in it; choose one outside it"},
      {"back into the data folder through ..", "scratch_test/shop/../shop/settings.ini",
       "the preview folder scratch_test/shop/../shop/settings.ini is the data folder or lies in it; choose one outside "
       "it"},
      {"a folder of the data folder named with a trailing separator", "scratch_test/shop/ceny",
       "the preview folder scratch_test/shop/ceny is the data folder or lies in it; choose one outside it",
       "scratch_test/shop/"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    error.clear();
    EXPECT_FALSE(MakeScratchFolder(row.requested, row.data, scratch, error));
    EXPECT_EQ(error, row.error);
  }
  Put("scratch_test/used/old.txt", "keep me");
  EXPECT_FALSE(MakeScratchFolder("scratch_test/used", "scratch_test/shop", scratch, error));
  EXPECT_EQ(error, "the preview folder scratch_test/used is not empty; name an empty or new one");
  EXPECT_EQ(FileBytes("scratch_test/used/old.txt"), "keep me");
  Put("scratch_test/plain", "a file");
  EXPECT_FALSE(MakeScratchFolder("scratch_test/plain", "scratch_test/shop", scratch, error));
  EXPECT_EQ(error, "the preview folder scratch_test/plain is a file");
}

TEST_F(ScratchFolder, ANewFolderUnderTheTemporaryFolderEachTime) {
  std::string first, second;
  ASSERT_TRUE(MakeScratchFolder("", "scratch_test/shop", first, error)) << error;
  ASSERT_TRUE(MakeScratchFolder("", "scratch_test/shop", second, error)) << error;
  EXPECT_NE(first, second);
  EXPECT_EQ(fs::path(first).filename().string().rfind("hostsim-preview-", 0), 0u);
  EXPECT_EQ(fs::path(first).parent_path(), fs::weakly_canonical(fs::temp_directory_path()));
  EXPECT_TRUE(fs::is_empty(first));
  fs::remove(first);
  fs::remove(second);
}

}  // namespace
