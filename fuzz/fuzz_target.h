#pragma once
// What every fuzz target defines: the entry libFuzzer calls with one input, and the seed inputs
// the target makes with our own code (documents built through the object model, stores written
// by the registry, answers as servers send them), so that the corpus follows the formats as they
// change.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace qv::fuzz {

std::vector<std::string> Seeds();

// A fault the target found: printed and the process aborted, so that libFuzzer keeps the input
// and the replay run fails.
[[noreturn]] void Fault(const std::string& what);

// Writes the seeds as files seed-0, seed-1, ... into `dir` (made when missing); their number.
size_t WriteSeeds(const std::string& dir);

// Sets up a fresh profile directory for targets that reach the profile (once per process).
void UseTemporaryProfile();

}  // namespace qv::fuzz
