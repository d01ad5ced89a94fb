#include "cluster/settings_copy.h"

#include "cluster/texts.h"
#include "host/host.h"
#include "settings/tool_settings.h"

void copyModAndWorldSettings(AppState& state) {
    // Read on every click, so an edit of the settings file counts at once.
    state.documentsDir = host::readIniValue(toolSettingsPath(), texts::kDocumentsSection, texts::kDocumentsDirKey);

    // Plain concatenation: a drive root ("D:\") gives "D:\\Cluster_1", which
    // Windows accepts as it stands.
    const std::string sourceRoot = state.documentsDir + texts::kSaveSlotDir;
    const std::string targetRoot = host::runDirectory() + texts::kClusterDir;

    std::string failedCopies;
    for (const char* part : texts::kCopiedSettingsFiles) {
        const std::string source = sourceRoot + part;
        const std::string target = targetRoot + part;
        const host::CopyResult result = host::copyFile(source, target);
        if (result.copied) continue;
        failedCopies += texts::kLineEnd + source + texts::kCopyArrow + target;
        if (!result.reason.empty()) failedCopies += texts::kReasonOpen + result.reason + texts::kReasonClose;
    }

    if (failedCopies.empty())
        host::showMessage({texts::kMessageCaption, texts::kCopyDone, host::MessageIcon::information});
    else
        host::showMessage(
            {texts::kMessageCaption, texts::kCopyIncomplete + failedCopies, host::MessageIcon::warning});
}
