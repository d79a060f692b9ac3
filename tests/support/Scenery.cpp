#include "support/Scenery.h"

#include <algorithm>
#include <filesystem>

#include "core/TerConverter.h"
#include "core/TerFileIO.h"

std::vector<TerrainFile> SampleTerrain() {
    return {
        {"alpen.ter",
         "TERRAIN 1\r\nTEXTURE_FILE img/v5kra_8_16_34560_42640.dds\r\nVERTEX 1 2 3\r\n"},
        {"Bodensee.TER",
         "LOAD_CENTER 1 2 3 4\r\nTEXTURE_FILE img/v5kra_16_17_69120_85300_LOW.dds\r\n"
         "TEXTURE_FILE img/empty.dds\r\n"},
        {"rhein.ter", "HEADER\nTEXTURE_FILE img/v5kra_4_15_17280_21320.partial.dds\n\nEND\n"},
    };
}

void WriteTerrain(const CTempDir& dir, const std::vector<TerrainFile>& files) {
    for (const TerrainFile& file : files) WriteBytes(dir / file.name, file.bytes);
}

std::string ConvertedBytes(const std::string& bytes, bool remove) {
    CTempDir scratch;
    WriteBytes(scratch / "in.ter", bytes);
    const LineBuffer lines = TerFileIO.ReadTerFile(scratch / "in.ter").value_or("");
    TerFileIO.WriteTerFile(scratch / "out.ter", TerConverter.ConvertLines(lines, remove));
    return ReadBytes(scratch / "out.ter");
}

std::vector<std::string> Listing(const CTempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int CountConverted(const CTempDir& dir, const std::vector<TerrainFile>& files, bool remove,
                   std::string& failure, const std::set<std::string>& convertedInPlace) {
    int converted = 0;
    for (const TerrainFile& file : files) {
        const std::string now = ReadBytes(dir / file.name);
        const std::string target = ConvertedBytes(file.bytes, remove);
        if (now == target && now != file.bytes) {
            ++converted;
        } else if (now != file.bytes && now != target) {
            failure = file.name + " holds neither its original nor its converted text";
            return converted;
        }
        const std::string backup = dir / (file.name + ".bak");
        const std::string kept = FileExists(backup) ? ReadBytes(backup) : file.bytes;
        if (kept != file.bytes && !(convertedInPlace.count(file.name) && kept == target)) {
            failure = file.name + ".bak differs from the original";
            return converted;
        }
    }
    for (const std::string& name : Listing(dir)) {
        if (name.find(".brvtmp") != std::string::npos) failure = "temporary file left: " + name;
    }
    return converted;
}
