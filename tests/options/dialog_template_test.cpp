// The options dialog's description: byte for byte as the dialog's table lays it out,
// and read as the host's dialog service reads it, its controls filling the options.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "hostsim/services/dialogs.h"
#include "reprice/options.h"

namespace {

// The exact bytes a host's dialog service receives, written out from the dialog's
// description: per record kind, command, flags, key, x, y, width, height (16-bit,
// little-endian), 4 zero bytes, the text (Mazovia: \x8D is "ć", \xA4 "ń", \xA6 "ź")
// with its terminator, then the bytes after the text.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

const std::string ExpectedTemplate =
    Bytes("\x0E\x02\x00\x00" "\x0A\x02" "\x0D\x00") +  // 526 bytes follow, 522 from the window on, 13 controls
    // window: 0xFFFF, command 1, at 0,0, 45 x 20
    Bytes("\xFF\xFF\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x2D\x00\x14\x00\x00\x00\x00\x00" "Wprowad\xA6\x00") +
    // 1 static text, key P, at 2,2, 23 x 1, 4 bytes after
    Bytes("\x03\x00\xFF\xFF\x00\x00\x50\x00\x02\x00\x02\x00\x17\x00\x01\x00\x00\x00\x00\x00" "~P~lik przeceny:\x00"
          "\x05\x00\x26\x00") +
    // 2 input line, data, at 2,3, 41 x 1, empty text, 18 bytes after (128 at offsets 7 and 13)
    Bytes("\x05\x00\xFF\xFF\x00\x04\x00\x00\x02\x00\x03\x00\x29\x00\x01\x00\x00\x00\x00\x00" "\x00"
          "\x00\x00\x00\x00\x00\x00\x00\x80\x00\x08\x00\x00\x00\x80\x00\x01\x00\x00") +
    // 3 static text, flags 0x0800, at 2,5, 10 x 1, empty
    Bytes("\x03\x00\xFF\xFF\x00\x08\x00\x00\x02\x00\x05\x00\x0A\x00\x01\x00\x00\x00\x00\x00" "\x00") +
    // 4, 5 radio buttons N, B at 2,5 and 2,6, 41 x 1
    Bytes("\x01\x00\xFF\xFF\x00\x04\x4E\x00\x02\x00\x05\x00\x29\x00\x01\x00\x00\x00\x00\x00"
          "Ceny z pliku traktowa\x8D jako ~n~etto\x00") +
    Bytes("\x01\x00\xFF\xFF\x00\x04\x42\x00\x02\x00\x06\x00\x29\x00\x01\x00\x00\x00\x00\x00"
          "Ceny z pliku traktowa\x8D jako ~b~rutto\x00") +
    // 6 static text at 2,8
    Bytes("\x03\x00\xFF\xFF\x00\x00\x00\x00\x02\x00\x08\x00\x29\x00\x01\x00\x00\x00\x00\x00"
          "Identyfikacja poprzez:\x00") +
    // 7, 8, 9 radio buttons S, I, U at 2,9 to 2,11
    Bytes("\x01\x00\xFF\xFF\x00\x04\x53\x00\x02\x00\x09\x00\x29\x00\x01\x00\x00\x00\x00\x00" "~S~ymbol\x00") +
    Bytes("\x01\x00\xFF\xFF\x00\x04\x49\x00\x02\x00\x0A\x00\x29\x00\x01\x00\x00\x00\x00\x00" "~I~ndeks\x00") +
    Bytes("\x01\x00\xFF\xFF\x00\x04\x55\x00\x02\x00\x0B\x00\x29\x00\x01\x00\x00\x00\x00\x00" "~U~wagi\x00") +
    // 10 static text at 2,13
    Bytes("\x03\x00\xFF\xFF\x00\x00\x00\x00\x02\x00\x0D\x00\x29\x00\x01\x00\x00\x00\x00\x00" "Opcje:\x00") +
    // 11 check box P at 2,14
    Bytes("\x02\x00\xFF\xFF\x00\x04\x50\x00\x02\x00\x0E\x00\x29\x00\x01\x00\x00\x00\x00\x00"
          "~P~rzepisz informacje o nazwie towaru\x00") +
    // 12 button: command 0x5001, key F12 (0x5500), at 8,16, 10 x 1
    Bytes("\x00\x00\x01\x50\x00\x00\x00\x55\x08\x00\x10\x00\x0A\x00\x01\x00\x00\x00\x00\x00" "\x05" "F12\x01 OK\x00") +
    // 13 button: command 1000, key F3 (0x3D00), at 22,16, 15 x 1
    Bytes("\x00\x00\xE8\x03\x00\x00\x00\x3D\x16\x00\x10\x00\x0F\x00\x01\x00\x00\x00\x00\x00"
          "\x05" "F3\x01 Zmie\xA4 plik\x00");

TEST(OptionsDialogTemplate, IsByteForByteTheDescriptionOfTheDialog) {
  ASSERT_EQ(ExpectedTemplate.size(), 530u);
  for (std::size_t i = 0; i < ExpectedTemplate.size(); ++i)
    ASSERT_EQ(+OptionsDialogTemplate[i], +static_cast<unsigned char>(ExpectedTemplate[i])) << "byte " << i;
}

TEST(OptionsDialogTemplate, HeaderCountsTheBytesAndRecords) {
  static_assert(sizeof OptionsDialogTemplate == 530);
  const unsigned char header[8] = {0x0E, 0x02, 0x00, 0x00, 0x0A, 0x02, 0x0D, 0x00};  // 526, 522, 13
  EXPECT_EQ(std::memcmp(OptionsDialogTemplate, header, sizeof header), 0);
}

// The dialog service refuses a description its sizes do not hold, naming why.
TEST(OptionsDialogTemplate, ADescriptionCutShortIsRefused) {
  const struct {
    const char* label;
    uint32_t bytesAfterCount;
    uint16_t windowBytes;
    const char* error;
  } rows[] = {{"an implausible size", 0x7FFFFFFF, 522, "implausible size"},
              {"the window's head cut", 14, 10, "record head past the end"},
              {"the first control's tail cut", 72, 68, "control 1: record tail past the end"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    std::string bytes = ExpectedTemplate;
    std::memcpy(bytes.data(), &row.bytesAfterCount, 4);
    std::memcpy(bytes.data() + 4, &row.windowBytes, 2);
    hostsim::DialogDescription d;
    std::string error;
    EXPECT_FALSE(hostsim::ReadDialogDescription(bytes.data(), d, error));
    EXPECT_EQ(error, row.error);
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
