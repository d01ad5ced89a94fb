#include "settings/tool_settings.h"

#include "cluster/texts.h"
#include "host/host.h"

namespace {

struct RememberedField {
    const char* key;
    EditBox box;
};

// The edit boxes the settings file fills, in the order they are loaded.
constexpr RememberedField kLoadedFields[] = {
    {texts::kTokenKey, EditBox::token},
    {texts::kMaxPlayersKey, EditBox::maxPlayers},
    {texts::kClusterNameKey, EditBox::clusterName},
    {texts::kClusterDescriptionKey, EditBox::clusterDescription},
    {texts::kClusterPasswordKey, EditBox::clusterPassword},
};

}  // namespace

std::string toolSettingsPath() { return host::runDirectory() + texts::kToolSettingsFile; }

void loadToolSettings(AppState& state, const EditBoxAccessors& fields) {
    // Any entry of that name counts, a directory too: the question is asked
    // only while nothing is there.
    if (!host::fileExists(toolSettingsPath())) {
        state.documentsDir = host::browseForFolder(texts::kFolderBrowserPrompt);
        // Failing here is not worth a box before the window even shows: the
        // question simply comes back at the next start.
        host::writeIniValue(toolSettingsPath(), texts::kDocumentsSection, texts::kDocumentsDirKey,
                            state.documentsDir);
    }
    for (const RememberedField& field : kLoadedFields)
        fields.writeEditText(field.box, host::readIniValue(toolSettingsPath(), texts::kStartupSection, field.key));
}

bool saveToolSettings(const AppState& state, const EditBoxAccessors& fields, SaveFailures failures) {
    bool allSaved = true;
    // Each edit box is read right before its own write.
    auto save = [&](const char* key, const std::string& value) {
        if (!host::writeIniValue(toolSettingsPath(), texts::kStartupSection, key, value)) allSaved = false;
    };
    save(texts::kTokenKey, fields.readEditText(EditBox::token));
    save(texts::kGameModeKey, state.gameModeKeyword);
    save(texts::kMaxPlayersKey, fields.readEditText(EditBox::maxPlayers));
    save(texts::kPlayStyleKey, state.playStyleKeyword);
    save(texts::kClusterNameKey, fields.readEditText(EditBox::clusterName));
    save(texts::kClusterDescriptionKey, fields.readEditText(EditBox::clusterDescription));
    save(texts::kClusterPasswordKey, fields.readEditText(EditBox::clusterPassword));

    if (!allSaved && failures == SaveFailures::report)
        host::showMessage({texts::kMessageCaption, texts::kSettingsNotSaved + toolSettingsPath(),
                           host::MessageIcon::warning});
    return allSaved;
}
