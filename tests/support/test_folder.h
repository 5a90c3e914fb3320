// Every test program works in a fresh folder of its own under the system's temporary
// folder (test_folder.cpp): made and entered before the first test, removed when every
// test passed, kept and named when one failed.
#pragma once

namespace testing_support {

// Whether the current folder is the program's folder or lies in it: what a fixture
// that deletes files by name asks first.
bool InTestFolder();

}  // namespace testing_support
