// Every key of the stand-in's answers file, with the form its value must have: one
// table, from which the file's checks, the program's --help and its options' usage come.
#pragma once
#include <string>

namespace hostsim {

// Whether value has the form that key asks for. False for a key that is not in the
// table; error then says what was expected (or that the key is unknown), without file
// or line, which the caller adds.
bool CheckAnswer(const std::string& key, const std::string& value, std::string& error);

// Lines for --help: each key with the form of its value and what it answers.
std::string AnswerKeysHelp();

// Lines for hostsim.exe's usage: each option that answers what a key does, with the
// key's meaning.
std::string AnswerKeyOptionsHelp();

// The message box answer named by text ("ok", "abort", ..., any letter case) or given
// as a number; false when it is neither.
bool BoxAnswerId(const std::string& text, int& id);

// The name of a message box answer ("ok", "abort", ...), or its number when it has none.
std::string BoxAnswerName(int id);

}  // namespace hostsim
