// What the stand-in shows at the console besides its questions, when a person sits at
// one: the host's messages, the text file shown, the plug-in's system message boxes,
// and the host's menu.
// Unset, nothing goes to the console (the transcript records them all the same).
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

struct ConsoleShows {
  // A message of 52028 or 52029 (title and text Mazovia, the service's mode); mode 512
  // stays up while work goes on, until closeWait.
  std::function<void(std::string_view title, std::string_view text, int mode)> message;
  // 52064: the message of mode 512 goes.
  std::function<void()> closeWait;
  // 52405: the file's name (Mazovia); the viewer reads the file itself.
  std::function<void(const std::string& name)> textFile;
  // A system message box (caption and text Mazovia, its flags); returns the answer.
  std::function<int(std::string_view caption, std::string_view text, unsigned flags)> box;
  // The host's own menu "Inne" with the commands' titles (Mazovia); returns the index
  // of the one the person chose, or -1 when they left the menu.
  std::function<int(const std::vector<std::string>& titles)> menu;
};
extern ConsoleShows consoleShows;

}  // namespace hostsim
