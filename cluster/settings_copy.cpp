#include "cluster/settings_copy.h"

#include <string_view>

#include "cluster/cluster_texts.h"
#include "host/host_texts.h"

host::Message copyModAndWorldSettings(const std::string& documentsDir) {
    // Plain concatenation: a drive root ("D:\") gives "D:\\Cluster_1", which
    // Windows accepts as it stands.
    const std::string sourceRoot = documentsDir + clusterTexts::kSaveSlotDir;
    const std::string targetRoot = host::runDirectory() + clusterTexts::kClusterDir;

    std::string failedCopies;
    bool cavesLevelDataCopied = false;
    for (const char* part : clusterTexts::kCopiedSettingsFiles) {
        const std::string source = sourceRoot + part;
        const std::string target = targetRoot + part;
        const host::CopyResult result = host::copyFile(source, target);
        if (result.copied) {
            if (std::string_view(part) == clusterTexts::kCavesLevelData) cavesLevelDataCopied = true;
            continue;
        }
        failedCopies += host::kLineEnd + source + clusterTexts::kCopyArrow + target;
        if (!result.reason.empty())
            failedCopies += clusterTexts::kReasonOpen + result.reason + clusterTexts::kReasonClose;
    }

    // The caves' preset would replace the level data just copied; without
    // that copy the caves keep the preset.
    std::string failedRemoval;
    if (cavesLevelDataCopied) {
        const std::string worldgenPath = host::runDirectory() + clusterTexts::kWorldgenOverrideFile;
        const host::RemoveResult removal = host::removeFile(worldgenPath);
        if (!removal.removed)
            failedRemoval = host::kLineEnd + worldgenPath + clusterTexts::kReasonOpen + clusterTexts::kNotRemoved +
                            removal.reason + clusterTexts::kReasonClose;
    }

    if (!failedCopies.empty())
        return {host::kMessageCaption, clusterTexts::kCopyIncomplete + failedCopies + failedRemoval,
                host::MessageIcon::warning};
    if (!failedRemoval.empty())
        return {host::kMessageCaption, clusterTexts::kCopyDoneRemovalFailed + failedRemoval,
                host::MessageIcon::warning};
    return {host::kMessageCaption, clusterTexts::kCopyDone, host::MessageIcon::information};
}
