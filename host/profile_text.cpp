// Profile (INI) text, read and written byte for byte by our own code.
//
// Form: "[section]" lines and "key=value" lines. Sections and keys match without
// regard to the case of ASCII letters; a byte that belongs to a double-byte
// character is never folded. The first of duplicate sections or keys wins.
// A line ends at CR LF, LF alone or CR alone, as Windows' own reader and its
// editors take it. Lines are split byte by byte: CR and LF are never part of a
// double-byte character, even after a lead byte. Every line this code adds
// ends in CR LF. Lines that are neither a section nor hold an '=' are kept and
// never matched. A UTF-16 file reads as empty and is never written.
#include "host/profile_text.h"

#include "host/gbk_bytes.h"
#include "host/host.h"

namespace host {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char byte) { return byte == ' ' || byte == '\t'; }
bool isLineEnd(char byte) { return byte == '\r' || byte == '\n'; }

// Saved as UTF-16, little- or big-endian, with its byte-order mark.
bool isUtf16(std::string_view content) {
    const std::string_view start = content.substr(0, 2);
    return start == "\xFF\xFE" || start == "\xFE\xFF";
}

// Where the first line begins: after a UTF-8 byte-order mark, which stays.
std::size_t firstLineBegin(std::string_view content) {
    return content.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
}

// One line of the content: its text is [begin, end), the next line starts at `next`.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

Line lineAt(std::string_view content, std::size_t begin) {
    Line line{begin, begin, begin};
    while (line.end < content.size() && !isLineEnd(content[line.end])) ++line.end;
    line.next = line.end;
    if (line.next < content.size()) line.next += content.compare(line.next, 2, kLineEnd) == 0 ? 2 : 1;
    return line;
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

Location locate(std::string_view content, std::string_view section, std::string_view key) {
    const std::string wantedSection = comparableName(section);
    const std::string wantedKey = comparableName(key);
    Location location;
    for (std::size_t lineBegin = firstLineBegin(content); lineBegin < content.size();) {
        const Line bounds = lineAt(content, lineBegin);
        const std::string_view line = content.substr(bounds.begin, bounds.end - bounds.begin);
        lineBegin = bounds.next;

        std::string_view name;
        if (readSectionName(line, name)) {
            if (location.sectionFound) break;  // the end of the wanted section
            if (comparableName(name) == wantedSection) {
                location.sectionFound = true;
                location.newKeyAt = bounds.next;
            }
            continue;
        }
        if (!location.sectionFound || trimBlanks(line).empty()) continue;
        location.newKeyAt = bounds.next;
        const std::size_t equals = gbk::firstSingleByte(line, '=');
        if (equals != std::string_view::npos && comparableName(line.substr(0, equals)) == wantedKey) {
            location.keyFound = true;
            location.valueBegin = bounds.begin + equals + 1;
            location.valueEnd = bounds.end;
            break;
        }
    }
    return location;
}

bool holdsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A name whose last byte is a lead byte without its trail byte: written into
// the file, it would take the ']' or '=' after it as its trail byte.
bool endsInLoneLeadByte(std::string_view name) {
    std::size_t lastCharacter = 0;
    for (std::size_t at = 0; at < name.size(); at = gbk::nextCharacter(name, at)) lastCharacter = at;
    return !name.empty() && lastCharacter + 1 == name.size() && gbk::isLeadByte(name.back());
}

// A section, key and value that can be written as one "[section]" and one
// "key=value" line and be found again: no line breaks, no ']' in the section,
// a key that is not empty, holds no '=' and does not open like a section line,
// and no name that ends in half a double-byte character.
bool canBeWritten(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view trimmedKey = trimBlanks(key);
    return !holdsLineBreakOrNul(section) && gbk::firstSingleByte(section, ']') == std::string_view::npos &&
           !endsInLoneLeadByte(section) && !holdsLineBreakOrNul(key) && !trimmedKey.empty() &&
           trimmedKey.front() != '[' && gbk::firstSingleByte(trimmedKey, '=') == std::string_view::npos &&
           !endsInLoneLeadByte(trimmedKey) && !holdsLineBreakOrNul(value);
}

}  // namespace

std::string readIniValueFromContent(std::string_view content, std::string_view section, std::string_view key) {
    if (isUtf16(content)) return {};
    const Location location = locate(content, section, key);
    if (!location.keyFound) return {};
    std::string_view value = trimBlanks(content.substr(location.valueBegin, location.valueEnd - location.valueBegin));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool writeIniValueToContent(std::string& content, std::string_view section, std::string_view key,
                            std::string_view value) {
    if (!canBeWritten(section, key, value) || isUtf16(content)) return false;
    const Location location = locate(content, section, key);
    if (location.keyFound) {
        content.replace(location.valueBegin, location.valueEnd - location.valueBegin, value);
        return true;
    }
    const std::string keyLine = std::string(trimBlanks(key)) + "=" + std::string(value) + std::string(kLineEnd);
    const std::size_t insertAt = location.sectionFound ? location.newKeyAt : content.size();
    std::string lines = location.sectionFound ? keyLine
                                              : "[" + std::string(section) + "]" + std::string(kLineEnd) + keyLine;
    // A last line without its line end gets one before anything follows it.
    if (insertAt > firstLineBegin(content) && !isLineEnd(content[insertAt - 1])) lines.insert(0, kLineEnd);
    content.insert(insertAt, lines);
    return true;
}

}  // namespace host
