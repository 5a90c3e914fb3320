// The stand-in program's answers file: lines "key = value" (UTF-8), '#' starts a
// comment line, blank lines are skipped. Each area reads its own keys.
#pragma once
#include <string>
#include <vector>

namespace hostsim {

// Reads the file; false with a message in error when it cannot be read or a line
// has no '='. The answers loaded before are replaced.
bool LoadAnswers(const std::string& path, std::string& error);

// Takes the answers from a text instead of a file (tests).
bool ParseAnswers(const std::string& text, std::string& error);

// The values of key in file order; empty when the key is absent.
const std::vector<std::string>& Answers(const std::string& key);

// Forgets every answer.
void ResetAnswers();

}  // namespace hostsim
