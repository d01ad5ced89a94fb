#include "cluster/cluster_writer.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "cluster/cluster_texts.h"
#include "cluster/text_encoding.h"
#include "host/host.h"
#include "host/host_texts.h"

namespace {

// The full paths that could not be written, each once, in the order they failed.
class FailedPaths {
public:
    void add(const std::string& path) {
        if (std::find(paths_.begin(), paths_.end(), path) == paths_.end()) paths_.push_back(path);
    }
    bool empty() const { return paths_.empty(); }

    std::string report() const {
        std::string text = clusterTexts::kConfigureIncomplete;
        for (const std::string& path : paths_) text += host::kLineEnd + path;
        return text;
    }

private:
    std::vector<std::string> paths_;
};

// A keyword chosen by a list position; any other position keeps the old one.
template <size_t count>
std::string chooseKeyword(const char* const (&keywords)[count], int index, const std::string& previous) {
    return index >= 0 && static_cast<size_t>(index) < count ? keywords[index] : previous;
}

std::string valueOf(const clusterTexts::ClusterIniEntry& entry, const ConfigureResult& chosen,
                    const FormValues& values) {
    switch (entry.source) {
        case clusterTexts::ClusterValue::fixed: return entry.fixedValue;
        case clusterTexts::ClusterValue::gameModeKeyword: return chosen.gameModeKeyword;
        case clusterTexts::ClusterValue::maxPlayersText: return values.maxPlayersText;
        case clusterTexts::ClusterValue::clusterDescriptionUtf8: return chosen.clusterDescriptionUtf8;
        case clusterTexts::ClusterValue::clusterNameUtf8: return chosen.clusterNameUtf8;
        case clusterTexts::ClusterValue::playStyleKeyword: return chosen.playStyleKeyword;
        case clusterTexts::ClusterValue::clusterPasswordText: return values.clusterPasswordText;
    }
    return {};
}

// Makes every profile write of one file, in table order, in one replacement of
// the file; it counts as failed when any write is refused or it cannot be replaced.
void writeProfileFile(const char* file, const std::string& runDirectory, const ConfigureResult& chosen,
                      const FormValues& values, FailedPaths& failed) {
    std::vector<host::IniWrite> writes;
    for (const clusterTexts::ClusterIniEntry& entry : clusterTexts::kClusterIniEntries)
        if (std::string_view(entry.file) == file)
            writes.push_back({entry.section, entry.key, valueOf(entry, chosen, values)});
    const std::string path = runDirectory + file;
    if (!host::writeIniValues(path, writes)) failed.add(path);
}

}  // namespace

ConfigureResult configureServer(const FormValues& values, const std::string& previousGameModeKeyword,
                                const std::string& previousPlayStyleKeyword) {
    ConfigureResult result;
    result.gameModeKeyword = chooseKeyword(clusterTexts::kGameModeKeywords, values.gameModeIndex,
                                           previousGameModeKeyword);
    result.playStyleKeyword = chooseKeyword(clusterTexts::kPlayStyleKeywords, values.playStyleIndex,
                                            previousPlayStyleKeyword);

    const std::string runDirectory = host::runDirectory();
    FailedPaths failed;

    // A directory that was there already is fine; a plain file in its place is not.
    for (const char* directory : {clusterTexts::kClusterDir, clusterTexts::kCavesDir, clusterTexts::kMasterDir}) {
        const std::string path = runDirectory + directory;
        host::createDirectory(path);
        if (!host::isDirectory(path)) failed.add(path);
    }

    result.clusterNameUtf8 = convertToUtf8(values.clusterNameText);
    result.clusterDescriptionUtf8 = convertToUtf8(values.clusterDescriptionText);

    const std::string tokenPath = runDirectory + clusterTexts::kClusterTokenFile;
    if (!host::writeFile(tokenPath, {values.tokenText})) failed.add(tokenPath);

    writeProfileFile(clusterTexts::kClusterIni, runDirectory, result, values, failed);
    writeProfileFile(clusterTexts::kCavesServerIni, runDirectory, result, values, failed);

    // The caves' preset only while they have no level data of their own, which
    // the game would let the preset replace.
    const std::string worldgenPath = runDirectory + clusterTexts::kWorldgenOverrideFile;
    const std::string cavesLevelDataPath = runDirectory + clusterTexts::kClusterDir + clusterTexts::kCavesLevelData;
    const auto& pieces = clusterTexts::kWorldgenOverridePieces;
    if (host::isRegularFile(cavesLevelDataPath)) {
        if (!host::removeFile(worldgenPath).removed) failed.add(worldgenPath);
    } else if (!host::writeFile(worldgenPath, {pieces[0], pieces[1], pieces[2], pieces[3]})) {
        failed.add(worldgenPath);
    }

    writeProfileFile(clusterTexts::kMasterServerIni, runDirectory, result, values, failed);

    if (failed.empty())
        result.message = {host::kMessageCaption, clusterTexts::kConfigureDone, host::MessageIcon::information};
    else
        result.message = {host::kMessageCaption, failed.report(), host::MessageIcon::warning};
    return result;
}
