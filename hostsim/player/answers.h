// The stand-in program's answers file: lines "key = value" (UTF-8, a byte-order mark
// allowed), '#' starts a comment line, blank lines are skipped. Every key and the form
// of its value are checked when the file is read (answer_keys.h); each area reads its
// own keys.
#pragma once
#include <string>
#include <vector>

namespace hostsim {

// Reads the file; false with a message in error ("FILE:LINE: what was expected") when
// it cannot be read, a line has no '=', a key is unknown or a value has the wrong
// form; no answer is kept then. The answers loaded before are replaced.
bool LoadAnswers(const std::string& path, std::string& error);

// Takes the answers from a text instead of a file (tests); source names it in errors.
bool ParseAnswers(const std::string& text, std::string& error, const std::string& source = "answers");

// The values of key in file order; empty when the key is absent.
const std::vector<std::string>& Answers(const std::string& key);

// Forgets every answer.
void ResetAnswers();

}  // namespace hostsim
