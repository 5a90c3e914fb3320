// The options dialog's description read back as the host's dialog service reads it,
// every record against the table of the dialog.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "host/mazovia.h"
#include "hostsim/services/dialogs.h"
#include "reprice/options.h"

namespace {

struct ExpectedRecord {
  uint16_t kind, command, flags, key, x, y, width, height;
  std::string text;
  std::string after;
};

const std::string LabelTail("\x05\x00\x26\x00", 4);
const std::string InputTail("\x00\x00\x00\x00\x00\x00\x00\x80\x00\x08\x00\x00\x00\x80\x00\x01\x00\x00", 18);

const ExpectedRecord Window = {0xFFFF, 1, 0, 0, 0, 0, 45, 20, Mz("Wprowadź"), ""};
const ExpectedRecord Controls[13] = {
    {3, 0xFFFF, 0x0000, 0x0050, 2, 2, 23, 1, Mz("~P~lik przeceny:"), LabelTail},
    {5, 0xFFFF, 0x0400, 0, 2, 3, 41, 1, "", InputTail},
    {3, 0xFFFF, 0x0800, 0, 2, 5, 10, 1, "", ""},
    {1, 0xFFFF, 0x0400, 0x004E, 2, 5, 41, 1, Mz("Ceny z pliku traktować jako ~n~etto"), ""},
    {1, 0xFFFF, 0x0400, 0x0042, 2, 6, 41, 1, Mz("Ceny z pliku traktować jako ~b~rutto"), ""},
    {3, 0xFFFF, 0x0000, 0, 2, 8, 41, 1, "Identyfikacja poprzez:", ""},
    {1, 0xFFFF, 0x0400, 0x0053, 2, 9, 41, 1, "~S~ymbol", ""},
    {1, 0xFFFF, 0x0400, 0x0049, 2, 10, 41, 1, "~I~ndeks", ""},
    {1, 0xFFFF, 0x0400, 0x0055, 2, 11, 41, 1, "~U~wagi", ""},
    {3, 0xFFFF, 0x0000, 0, 2, 13, 41, 1, "Opcje:", ""},
    {2, 0xFFFF, 0x0400, 0x0050, 2, 14, 41, 1, "~P~rzepisz informacje o nazwie towaru", ""},
    {0, 0x5001, 0x0000, 0x5500, 8, 16, 10, 1, "\x05" "F12\x01 OK", ""},
    {0, 0x03E8, 0x0000, 0x3D00, 22, 16, 15, 1, Mz("\x05" "F3\x01 Zmień plik"), ""},
};

void ExpectRecord(const hostsim::DialogRecord& got, const ExpectedRecord& want) {
  EXPECT_EQ(got.kind, want.kind);
  EXPECT_EQ(got.command, want.command);
  EXPECT_EQ(got.flags, want.flags);
  EXPECT_EQ(got.key, want.key);
  EXPECT_EQ(got.x, want.x);
  EXPECT_EQ(got.y, want.y);
  EXPECT_EQ(got.width, want.width);
  EXPECT_EQ(got.height, want.height);
  EXPECT_EQ(got.text, want.text);
  EXPECT_EQ(got.after, want.after);
}

TEST(OptionsDialogTemplate, HeaderCountsTheBytesAndRecords) {
  static_assert(sizeof OptionsDialogTemplate == 530);
  const unsigned char header[8] = {0x0E, 0x02, 0x00, 0x00, 0x0A, 0x02, 0x0D, 0x00};  // 526, 522, 13
  EXPECT_EQ(std::memcmp(OptionsDialogTemplate, header, sizeof header), 0);
}

TEST(OptionsDialogTemplate, EveryRecordAsTheDialogServiceReadsIt) {
  hostsim::DialogDescription d;
  std::string error;
  ASSERT_TRUE(hostsim::ReadDialogDescription(OptionsDialogTemplate, d, error)) << error;
  EXPECT_EQ(d.bytesAfterCount, 526u);
  EXPECT_EQ(d.windowBytes, 522u);
  EXPECT_EQ(d.controlCount, 13u);
  {
    SCOPED_TRACE("window");
    ExpectRecord(d.window, Window);
  }
  ASSERT_EQ(d.controls.size(), 13u);
  for (int i = 0; i < 13; ++i) {
    SCOPED_TRACE("control " + std::to_string(i + 1));
    ExpectRecord(d.controls[i], Controls[i]);
  }
}

TEST(OptionsDialogTemplate, ItsControlsFillRepricingOptionsInOrder) {
  hostsim::DialogDescription d;
  std::string error;
  ASSERT_TRUE(hostsim::ReadDialogDescription(OptionsDialogTemplate, d, error)) << error;
  EXPECT_EQ(d.dataSize, static_cast<int>(sizeof(RepricingOptions)));
  const int offsets[13] = {-1, offsetof(RepricingOptions, path), -1,
                           offsetof(RepricingOptions, gross), offsetof(RepricingOptions, gross), -1,
                           offsetof(RepricingOptions, identifyBy), offsetof(RepricingOptions, identifyBy),
                           offsetof(RepricingOptions, identifyBy), -1, offsetof(RepricingOptions, copyName),
                           -1, -1};
  for (int i = 0; i < 13; ++i) {
    SCOPED_TRACE("control " + std::to_string(i + 1));
    EXPECT_EQ(d.controls[i].dataOffset, offsets[i]);
  }
}

}  // namespace
