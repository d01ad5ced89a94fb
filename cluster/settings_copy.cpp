#include "cluster/settings_copy.h"

#include "cluster/cluster_texts.h"
#include "host/host_texts.h"

host::Message copyModAndWorldSettings(const std::string& documentsDir) {
    // Plain concatenation: a drive root ("D:\") gives "D:\\Cluster_1", which
    // Windows accepts as it stands.
    const std::string sourceRoot = documentsDir + clusterTexts::kSaveSlotDir;
    const std::string targetRoot = host::runDirectory() + clusterTexts::kClusterDir;

    std::string failedCopies;
    for (const char* part : clusterTexts::kCopiedSettingsFiles) {
        const std::string source = sourceRoot + part;
        const std::string target = targetRoot + part;
        const host::CopyResult result = host::copyFile(source, target);
        if (result.copied) continue;
        failedCopies += host::kLineEnd + source + clusterTexts::kCopyArrow + target;
        if (!result.reason.empty())
            failedCopies += clusterTexts::kReasonOpen + result.reason + clusterTexts::kReasonClose;
    }

    if (failedCopies.empty())
        return {host::kMessageCaption, clusterTexts::kCopyDone, host::MessageIcon::information};
    return {host::kMessageCaption, clusterTexts::kCopyIncomplete + failedCopies, host::MessageIcon::warning};
}
