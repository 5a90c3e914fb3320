// The stand-in's report-file services (52405 show a text file, 52407 append a line),
// with what tests configure and read.
#pragma once
#include <string>

namespace hostsim {

struct FileCounters {
  int appends;        // 52407 calls
  int appendsFailed;  // appends the failure plan failed or that could not write
  int shows;          // 52405 calls
};
extern FileCounters fileCounters;

// Reads a whole file as bytes; false when it cannot be opened.
bool ReadWholeFile(const std::string& name, std::string& bytes);

// Back to the defaults: counters zero.
void ResetFiles();

}  // namespace hostsim
