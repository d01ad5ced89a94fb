// Profile (INI) files, read and written byte for byte by our own code on top of
// the host's whole-file operations, the same in both builds. Windows' narrow
// profile functions are not used: they read values in the system code page and
// so corrupt the UTF-8 values of the cluster file.
//
// Form: "[section]" lines and "key=value" lines. Sections and keys match without
// regard to the case of ASCII letters; a byte that belongs to a double-byte
// character is never folded. The first of duplicate sections or keys wins.
// Lines may end in CR LF or LF alone; every line this code adds ends in CR LF.
// Lines that are neither a section nor hold an '=' are kept and never matched.
#include <string>
#include <string_view>

#include "host/code_page_936.h"
#include "host/host.h"

namespace host {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char byte) { return byte == ' ' || byte == '\t'; }

// Where the first line begins: after a UTF-8 byte-order mark, which stays.
std::size_t firstLineBegin(std::string_view content) {
    return content.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A section or key name as it is compared: ASCII letters in lower case, except
// the trail bytes of double-byte characters, which are kept as they are.
std::string comparableName(std::string_view name) {
    std::string folded(trimBlanks(name));
    for (std::size_t at = 0; at < folded.size(); at = gbk::nextCharacter(folded, at))
        if (folded[at] >= 'A' && folded[at] <= 'Z') folded[at] = static_cast<char>(folded[at] - 'A' + 'a');
    return folded;
}

// The name inside "[...]" (up to the last ']'), when the line is a section line.
bool readSectionName(std::string_view line, std::string_view& name) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[') return false;
    const std::size_t close = gbk::lastSingleByte(line, ']');
    if (close == std::string_view::npos) return false;
    name = line.substr(1, close - 1);
    return true;
}

// Where a section's keys are, and where the wanted key's value is.
struct Location {
    bool sectionFound = false;
    std::size_t newKeyAt = 0;  // after the section's last non-blank line
    bool keyFound = false;
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;  // before the line end
};

Location locate(std::string_view content, const std::string& section, const std::string& key) {
    const std::string wantedSection = comparableName(section);
    const std::string wantedKey = comparableName(key);
    Location location;
    std::size_t lineBegin = firstLineBegin(content);
    while (lineBegin < content.size()) {
        const std::size_t lineFeed = content.find('\n', lineBegin);
        const std::size_t nextLine = lineFeed == std::string_view::npos ? content.size() : lineFeed + 1;
        std::size_t lineEnd = lineFeed == std::string_view::npos ? content.size() : lineFeed;
        if (lineEnd > lineBegin && content[lineEnd - 1] == '\r') --lineEnd;
        const std::string_view line = content.substr(lineBegin, lineEnd - lineBegin);
        lineBegin = nextLine;

        std::string_view name;
        if (readSectionName(line, name)) {
            if (location.sectionFound) break;  // the end of the wanted section
            if (comparableName(name) == wantedSection) {
                location.sectionFound = true;
                location.newKeyAt = nextLine;
            }
            continue;
        }
        if (!location.sectionFound || trimBlanks(line).empty()) continue;
        location.newKeyAt = nextLine;
        const std::size_t equals = gbk::firstSingleByte(line, '=');
        if (equals != std::string_view::npos && comparableName(line.substr(0, equals)) == wantedKey) {
            location.keyFound = true;
            location.valueBegin = static_cast<std::size_t>(line.data() - content.data()) + equals + 1;
            location.valueEnd = static_cast<std::size_t>(line.data() - content.data()) + line.size();
            break;
        }
    }
    return location;
}

bool holdsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A section, key and value that can be written as one "[section]" and one
// "key=value" line and be found again: no line breaks, no ']' in the section,
// a key that is not empty, holds no '=' and does not open like a section line.
bool canBeWritten(const std::string& section, const std::string& key, const std::string& value) {
    const std::string_view trimmedKey = trimBlanks(key);
    return !holdsLineBreakOrNul(section) && gbk::firstSingleByte(section, ']') == std::string_view::npos &&
           !holdsLineBreakOrNul(key) && !trimmedKey.empty() && trimmedKey.front() != '[' &&
           gbk::firstSingleByte(trimmedKey, '=') == std::string_view::npos && !holdsLineBreakOrNul(value);
}

}  // namespace

std::string readIniValue(const std::string& file, const std::string& section, const std::string& key) {
    std::string content;
    if (!readFile(file, content)) return {};
    const Location location = locate(content, section, key);
    if (!location.keyFound) return {};
    std::string_view value =
        trimBlanks(std::string_view(content).substr(location.valueBegin, location.valueEnd - location.valueBegin));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool writeIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) {
    if (!canBeWritten(section, key, value)) return false;
    std::string content;
    if (!readFile(file, content)) {
        // Something that cannot be read stands there (a directory): never replace it.
        if (fileExists(file)) return false;
        content.clear();
    }
    const std::string original = content;
    const Location location = locate(content, section, key);
    const std::string keyLine = std::string(trimBlanks(key)) + "=" + value + std::string(kLineEnd);
    if (location.keyFound) {
        content.replace(location.valueBegin, location.valueEnd - location.valueBegin, value);
    } else {
        const std::size_t insertAt = location.sectionFound ? location.newKeyAt : content.size();
        std::string lines = location.sectionFound ? keyLine : "[" + section + "]" + std::string(kLineEnd) + keyLine;
        // A last line without its line end gets one before anything follows it.
        if (insertAt > firstLineBegin(content) && content[insertAt - 1] != '\n') lines.insert(0, kLineEnd);
        content.insert(insertAt, lines);
    }
    if (content == original) return true;  // the value is there already
    return writeFile(file, {content});
}

}  // namespace host
