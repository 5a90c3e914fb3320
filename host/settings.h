// The modes of the host's settings service (52225): settingValue(mode, section, key,
// format, target or value). 0 when read or written, 1 when not.
#pragma once

enum SettingMode : int {
  SettingReadInt16 = 1,  // scanf format, int16_t* target: exactly 16 bits written
  SettingWriteInt = 2,   // printf format, int value
  SettingReadText = 8,   // scanf format, char* target
  SettingWriteText = 9,  // printf format, const char* value
};
