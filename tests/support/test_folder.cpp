// The main of every test program: the test folder as a GoogleTest environment.
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace testing_support {
namespace {

fs::path folder;

// The system's temporary folder for this process and what it starts: the tests that
// make folders of their own there make them inside the test folder.
void SetTemporaryFolder(const fs::path& p) {
#ifdef _WIN32
  _wputenv((L"TMP=" + p.wstring()).c_str());
  _wputenv((L"TEMP=" + p.wstring()).c_str());
#else
  setenv("TMPDIR", p.c_str(), 1);
#endif
}

class TestFolderEnvironment : public ::testing::Environment {
 public:
  explicit TestFolderEnvironment(std::string program) : program_(std::move(program)) {}

  void SetUp() override {
    std::error_code ec;
    fs::path temp = fs::temp_directory_path(ec);
    ASSERT_FALSE(ec) << "no temporary folder: " << ec.message();
    std::random_device random;
    fs::path made;
    for (int attempt = 0; attempt < 100 && made.empty(); ++attempt) {
      fs::path p = temp / (program_ + "-" + std::to_string(random() % 1000000000u));
      if (fs::create_directory(p, ec)) made = p;
    }
    ASSERT_FALSE(made.empty()) << "cannot make a test folder in " << temp.string();
    outer_ = fs::current_path();
    fs::current_path(made);
    folder = fs::current_path();  // as the system names it, which InTestFolder compares with
    SetTemporaryFolder(folder);
  }

  void TearDown() override {
    if (folder.empty()) return;
    fs::current_path(outer_);
    if (!::testing::UnitTest::GetInstance()->Passed()) {
      std::fprintf(stderr, "The test folder is kept: %s\n", folder.string().c_str());
      return;
    }
    std::string stuck;  // what a handle left open keeps, on Windows
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
      fs::remove_all(e.path(), ec);
      if (ec) stuck += "\n  " + e.path().filename().string() + ": " + ec.message();
    }
    if (stuck.empty()) fs::remove(folder, ec);
    if (!stuck.empty() || ec) ADD_FAILURE() << "cannot remove the test folder " << folder.string() << stuck;
  }

 private:
  std::string program_;
  fs::path outer_;
};

}  // namespace

bool InTestFolder() {
  if (folder.empty()) return false;
  std::error_code ec;
  fs::path here = fs::current_path(ec);
  if (ec) return false;
  auto [end, rest] = std::mismatch(folder.begin(), folder.end(), here.begin(), here.end());
  return end == folder.end();
}

}  // namespace testing_support

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::string program = fs::path(argc > 0 ? argv[0] : "test").stem().string();
  ::testing::AddGlobalTestEnvironment(new testing_support::TestFolderEnvironment(program));
  return RUN_ALL_TESTS();
}
