#pragma once

#include <windows.h>

#include <random>
#include <string>
#include <vector>

namespace test_support
{
// Random stores in the catalogue's registry layout, written with the plain
// registry API as a damaged store, an older version or a user might leave them.
struct StoreShape
{
    // Names of 101 to 255 characters besides the usual ones.
    bool overlongNames = false;
};

// Writes one random store under the program's root key, which should be empty. Some
// keys are written a second time under their case twin, which the registry merges.
void GenerateStore(std::mt19937& random, const StoreShape& shape);

// A random key name: letters, digits, dots, spaces, surrogate pairs and lone
// surrogates, never a backslash, never empty.
std::wstring RandomKeyName(std::mt19937& random, std::size_t maxLength);

// A name for a catalogue built in memory: a random key name ending in a letter from
// "À" to "Ö", and one in five holding a backslash somewhere.
std::wstring RandomCatalogueName(std::mt19937& random);

// The name with the letter case of A to Z and of "À" to "Þ" turned round: another name
// to a plain comparison, the same key to the registry.
std::wstring CaseTwin(const std::wstring& name);

// The scale of the torture runs: 1, or more with PATHMOOR_TORTURE_LONG=1.
unsigned TortureScale();
} // namespace test_support
