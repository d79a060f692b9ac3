#pragma once

#include <set>
#include <string>
#include <vector>

#include "support/TempDir.h"

/// A terrain file of a test folder: its name and its bytes before any run.
struct TerrainFile {
    std::string name;
    std::string bytes;
};

/// Three small terrain files: texture lines, an old directive, a placeholder, LF-only ends.
std::vector<TerrainFile> SampleTerrain();

/// Writes the files into dir.
void WriteTerrain(const CTempDir& dir, const std::vector<TerrainFile>& files);

/// The bytes "Go" writes for a file that held bytes (read, converted, written back).
std::string ConvertedBytes(const std::string& bytes, bool remove);

/// The names in dir, sorted.
std::vector<std::string> Listing(const CTempDir& dir);

/// Checks that no file lost a byte: every terrain file holds its original or its converted
/// bytes, every backup holds the original, and no temporary file is left. Returns the number
/// of files that are converted; a description of the first breach goes to failure. Files named
/// in convertedInPlace had their backup refused and were converted all the same: a later run's
/// backup of them holds the converted text.
int CountConverted(const CTempDir& dir, const std::vector<TerrainFile>& files, bool remove,
                   std::string& failure, const std::set<std::string>& convertedInPlace = {});
