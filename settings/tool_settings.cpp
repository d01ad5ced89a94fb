#include "settings/tool_settings.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/host_texts.h"
#include "settings/settings_texts.h"

namespace {

// Where a remembered value comes from when it is saved, and goes when loaded.
enum class Source { editBox, gameModeKeyword, playStyleKeyword };

struct RememberedValue {
    const char* key;
    Source source;
    EditBox box;  // for Source::editBox
};

// The start-up section's seven keys, in the order they are saved. Loading
// fills the edit boxes in the same order; the keywords are not loaded.
constexpr RememberedValue kRememberedValues[] = {
    {settingsTexts::kTokenKey, Source::editBox, EditBox::token},
    {settingsTexts::kGameModeKey, Source::gameModeKeyword, {}},
    {settingsTexts::kMaxPlayersKey, Source::editBox, EditBox::maxPlayers},
    {settingsTexts::kPlayStyleKey, Source::playStyleKeyword, {}},
    {settingsTexts::kClusterNameKey, Source::editBox, EditBox::clusterName},
    {settingsTexts::kClusterDescriptionKey, Source::editBox, EditBox::clusterDescription},
    {settingsTexts::kClusterPasswordKey, Source::editBox, EditBox::clusterPassword},
};

}  // namespace

std::string toolSettingsPath() { return host::runDirectory() + settingsTexts::kToolSettingsFile; }

std::string loadToolSettings(const EditBoxAccessors& fields) {
    std::vector<std::string> keys;
    for (const RememberedValue& value : kRememberedValues)
        if (value.source == Source::editBox) keys.push_back(value.key);

    // The file is read once for all the fields.
    const std::string path = toolSettingsPath();
    const std::optional<std::vector<std::string>> values = host::readIniValues(path, settingsTexts::kStartupSection,
                                                                               keys);
    std::string chosenDocumentsDir;
    // Any entry of that name counts, a directory too: the question is asked
    // only while nothing is there. The file it creates holds no field yet.
    if (!values && !host::fileExists(path)) {
        // No answer at all (the browser could not be shown) stores nothing, so
        // that the question comes back at the next start.
        if (const auto chosen = host::browseForFolder(settingsTexts::kFolderBrowserPrompt)) {
            chosenDocumentsDir = *chosen;
            // Failing here is not worth a box before the window even shows: the
            // question simply comes back at the next start.
            host::writeIniValue(path, settingsTexts::kDocumentsSection, settingsTexts::kDocumentsDirKey,
                                chosenDocumentsDir);
        }
    }
    size_t next = 0;
    for (const RememberedValue& value : kRememberedValues) {
        if (value.source != Source::editBox) continue;
        fields.writeEditText(value.box, values ? (*values)[next++] : std::string());
    }
    return chosenDocumentsDir;
}

std::string readDocumentsDir() {
    return host::readIniValue(toolSettingsPath(), settingsTexts::kDocumentsSection, settingsTexts::kDocumentsDirKey);
}

std::optional<host::Message> saveToolSettings(const std::string& gameModeKeyword, const std::string& playStyleKeyword,
                                              const EditBoxAccessors& fields) {
    // The edit boxes are read in the order of the writes; the file is then
    // replaced once, so a save that fails leaves all of it as it was.
    std::vector<host::IniWrite> writes;
    for (const RememberedValue& value : kRememberedValues) {
        std::string text;
        switch (value.source) {
            case Source::editBox: text = fields.readEditText(value.box); break;
            case Source::gameModeKeyword: text = gameModeKeyword; break;
            case Source::playStyleKeyword: text = playStyleKeyword; break;
        }
        writes.push_back({settingsTexts::kStartupSection, value.key, std::move(text)});
    }
    if (host::writeIniValues(toolSettingsPath(), writes)) return std::nullopt;
    return host::Message{host::kMessageCaption, settingsTexts::kSettingsNotSaved + toolSettingsPath(),
                         host::MessageIcon::warning};
}
