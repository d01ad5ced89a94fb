#include "cluster/cluster_writer.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "cluster/text_encoding.h"
#include "cluster/texts.h"
#include "host/host.h"

namespace {

// The full paths that could not be written, each once, in the order they failed.
class FailedPaths {
public:
    void add(const std::string& path) {
        if (std::find(paths_.begin(), paths_.end(), path) == paths_.end()) paths_.push_back(path);
    }
    bool empty() const { return paths_.empty(); }

    std::string report() const {
        std::string text = texts::kConfigureIncomplete;
        for (const std::string& path : paths_) text += texts::kLineEnd + path;
        return text;
    }

private:
    std::vector<std::string> paths_;
};

// A keyword chosen by a list position; any other position keeps the old one.
template <size_t count>
void chooseKeyword(std::string& keyword, const char* const (&keywords)[count], int index) {
    if (index >= 0 && static_cast<size_t>(index) < count) keyword = keywords[index];
}

std::string valueOf(const texts::ClusterIniEntry& entry, const AppState& state, const FormValues& values) {
    switch (entry.source) {
        case texts::ClusterValue::fixed: return entry.fixedValue;
        case texts::ClusterValue::gameModeKeyword: return state.gameModeKeyword;
        case texts::ClusterValue::maxPlayersText: return values.maxPlayersText;
        case texts::ClusterValue::clusterDescriptionUtf8: return state.clusterDescriptionUtf8;
        case texts::ClusterValue::clusterNameUtf8: return state.clusterNameUtf8;
        case texts::ClusterValue::playStyleKeyword: return state.playStyleKeyword;
        case texts::ClusterValue::clusterPasswordText: return values.clusterPasswordText;
    }
    return {};
}

// Makes every profile write of one file, in table order; the file counts as
// failed when any of them fails.
void writeProfileFile(const char* file, const std::string& runDirectory, const AppState& state,
                      const FormValues& values, FailedPaths& failed) {
    const std::string path = runDirectory + file;
    for (const texts::ClusterIniEntry& entry : texts::kClusterIniEntries) {
        if (std::string_view(entry.file) != file) continue;
        if (!host::writeIniValue(path, entry.section, entry.key, valueOf(entry, state, values)))
            failed.add(path);
    }
}

}  // namespace

void configureServer(AppState& state, const FormValues& values) {
    chooseKeyword(state.gameModeKeyword, texts::kGameModeKeywords, values.gameModeIndex);
    chooseKeyword(state.playStyleKeyword, texts::kPlayStyleKeywords, values.playStyleIndex);

    const std::string runDirectory = host::runDirectory();
    FailedPaths failed;

    // A directory that was there already is fine; a plain file in its place is not.
    for (const char* directory : {texts::kClusterDir, texts::kCavesDir, texts::kMasterDir}) {
        const std::string path = runDirectory + directory;
        host::createDirectory(path);
        if (!host::isDirectory(path)) failed.add(path);
    }

    state.clusterNameUtf8 = convertToUtf8(values.clusterNameText);
    state.clusterDescriptionUtf8 = convertToUtf8(values.clusterDescriptionText);

    const std::string tokenPath = runDirectory + texts::kClusterTokenFile;
    if (!host::writeFile(tokenPath, {values.tokenText})) failed.add(tokenPath);

    writeProfileFile(texts::kClusterIni, runDirectory, state, values, failed);
    writeProfileFile(texts::kCavesServerIni, runDirectory, state, values, failed);

    const std::string worldgenPath = runDirectory + texts::kWorldgenOverrideFile;
    const auto& pieces = texts::kWorldgenOverridePieces;
    if (!host::writeFile(worldgenPath, {pieces[0], pieces[1], pieces[2], pieces[3]}))
        failed.add(worldgenPath);

    writeProfileFile(texts::kMasterServerIni, runDirectory, state, values, failed);

    if (failed.empty())
        host::showMessage({texts::kMessageCaption, texts::kConfigureDone, host::MessageIcon::information});
    else
        host::showMessage({texts::kMessageCaption, failed.report(), host::MessageIcon::warning});
}
