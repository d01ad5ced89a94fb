// Profile (INI) files: the host's whole-file operations around the profile
// text functions, the same in both builds. Windows' narrow profile functions
// are not used: they read values in the system code page and so corrupt the
// UTF-8 values of the cluster file.
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/profile_text.h"

namespace host {

std::string readIniValue(const std::string& file, const std::string& section, const std::string& key) {
    std::string content;
    if (!readFile(file, content)) return {};
    return readIniValueFromContent(content, section, key);
}

std::optional<std::vector<std::string>> readIniValues(const std::string& file, const std::string& section,
                                                      const std::vector<std::string>& keys) {
    std::string content;
    if (!readFile(file, content)) return std::nullopt;
    std::vector<std::string> values;
    values.reserve(keys.size());
    for (const std::string& key : keys) values.push_back(readIniValueFromContent(content, section, key));
    return values;
}

bool writeIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) {
    return writeIniValues(file, {{section, key, value}});
}

bool writeIniValues(const std::string& file, const std::vector<IniWrite>& writes) {
    std::string content;
    if (!readFile(file, content)) {
        // Something that cannot be read stands there (a directory): never replace it.
        if (fileExists(file)) return false;
        content.clear();
    }
    const std::string original = content;
    bool allMade = true;
    for (const IniWrite& write : writes)
        if (!writeIniValueToContent(content, write.section, write.key, write.value)) allMade = false;
    if (content == original) return allMade;  // the values are there already
    const bool replaced = writeFile(file, {content});
    return replaced && allMade;
}

}  // namespace host
