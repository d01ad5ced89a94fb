// Fuzz target of the profile writer and reader, over content in memory.
//
// Input: the first byte is the separator; the bytes after it are fields split
// at each separator. The first field is the starting content of the file
// (empty stands for a missing file too); every following group of three fields
// is one write, section, key and value, applied in order to the content (at
// most 16 writes; an incomplete last group is ignored). The seeds use NUL as
// the separator, and '|' where the content holds NUL bytes (UTF-16).
// Example: NUL "[a]\r\nx=1\r" NUL "a" NUL "y" NUL "2" writes a/y=2 into that file.
//
// After each write it checks:
// - the writer refuses exactly what cannot be written (line breaks, a ']' in the
//   section, a key that is empty, opens with '[' or holds '=', a name that ends
//   in a lead byte without its trail byte, a UTF-16 file); a refused write
//   changes nothing;
// - an accepted write reads back: the value with blanks and one pair of double
//   quotes trimmed, as the reader hands every value out;
// - every other section and key reads as before;
// - only the written lines change: one key line whose value is replaced, or a
//   key line (after a new section line) inserted, and before it the line end
//   added to an unfinished last line;
// - the real reader agrees with the model below on every section and key of
//   the content before and after the write.
// The model reader is written apart from the real one, simply, on purpose.
//
// Built with libFuzzer by tests/fuzz/CMakeLists.txt (scripts/fuzz runs it);
// replay_main.cpp replays the corpus and the regressions in the native suite.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "host/profile_text.h"

namespace {

// ---- The model ------------------------------------------------------------

const std::string kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool isUtf16File(const std::string& content) {
    return content.compare(0, 2, "\xFF\xFE") == 0 || content.compare(0, 2, "\xFE\xFF") == 0;
}

// Code page 936 characters: 0x81-0xFE lead a double-byte character and take
// the next byte with them, whatever it is, unless the text ends first.
std::vector<std::string> charactersOf(const std::string& text) {
    std::vector<std::string> characters;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = byte >= 0x81 && byte <= 0xFE && at + 1 < text.size() ? 2 : 1;
        characters.push_back(text.substr(at, length));
        at += length;
    }
    return characters;
}

bool isLoneLeadByte(const std::string& character) {
    const auto byte = static_cast<unsigned char>(character[0]);
    return character.size() == 1 && byte >= 0x81 && byte <= 0xFE;
}

std::string stripBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Names compare with blanks stripped and single-byte ASCII letters in lower case.
std::string nameKey(const std::string& name) {
    std::string key;
    for (std::string character : charactersOf(stripBlanks(name))) {
        if (character.size() == 1 && character[0] >= 'A' && character[0] <= 'Z') character[0] += 'a' - 'A';
        key += character;
    }
    return key;
}

// The index of the first (or last) character that is `wanted` on its own, or -1.
int findCharacter(const std::vector<std::string>& characters, const std::string& wanted, bool last) {
    int found = -1;
    for (std::size_t index = 0; index < characters.size(); ++index) {
        if (characters[index] != wanted) continue;
        found = static_cast<int>(index);
        if (!last) break;
    }
    return found;
}

std::string joined(const std::vector<std::string>& characters, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t index = from; index < to; ++index) text += characters[index];
    return text;
}

struct TextLine {
    std::string text;
    std::string end;  // "\r\n", "\r", "\n", or "" for an unfinished last line
    bool operator==(const TextLine& other) const { return text == other.text && end == other.end; }
};

// The lines after a UTF-8 byte-order mark.
std::vector<TextLine> linesOf(const std::string& content) {
    std::vector<TextLine> lines;
    TextLine line;
    const std::size_t start = content.compare(0, 3, kUtf8ByteOrderMark) == 0 ? 3 : 0;
    for (std::size_t at = start; at < content.size(); ++at) {
        const char byte = content[at];
        if (byte != '\r' && byte != '\n') {
            line.text += byte;
            continue;
        }
        line.end = byte == '\r' && at + 1 < content.size() && content[at + 1] == '\n' ? "\r\n" : std::string(1, byte);
        at += line.end.size() - 1;
        lines.push_back(line);
        line = TextLine();
    }
    if (!line.text.empty()) lines.push_back(line);
    return lines;
}

// Section name key -> key name key -> the value as it stands in the file.
using Model = std::map<std::string, std::map<std::string, std::string>>;

Model modelOf(const std::string& content) {
    Model model;
    if (isUtf16File(content)) return model;
    std::map<std::string, std::string>* section = nullptr;  // null before the first section and in a repeated one
    for (const TextLine& line : linesOf(content)) {
        const std::vector<std::string> trimmed = charactersOf(stripBlanks(line.text));
        const int close = findCharacter(trimmed, "]", true);
        if (!trimmed.empty() && trimmed[0] == "[" && close > 0) {
            const std::string name = nameKey(joined(trimmed, 1, static_cast<std::size_t>(close)));
            section = model.count(name) ? nullptr : &model[name];
            continue;
        }
        const std::vector<std::string> characters = charactersOf(line.text);
        const int equals = findCharacter(characters, "=", false);
        if (section == nullptr || equals < 0) continue;
        const std::string key = nameKey(joined(characters, 0, static_cast<std::size_t>(equals)));
        section->emplace(key, joined(characters, static_cast<std::size_t>(equals) + 1, characters.size()));
    }
    return model;
}

// A value as it is handed out: blanks and one pair of double quotes trimmed.
std::string valueAsRead(const std::string& raw) {
    std::string value = stripBlanks(raw);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return value;
}

std::string modelRead(const Model& model, const std::string& section, const std::string& key) {
    const auto foundSection = model.find(nameKey(section));
    if (foundSection == model.end()) return "";
    const auto foundKey = foundSection->second.find(nameKey(key));
    return foundKey == foundSection->second.end() ? "" : valueAsRead(foundKey->second);
}

bool fitsOnOneLine(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool endsInLoneLeadByte(const std::string& name) {
    const std::vector<std::string> characters = charactersOf(name);
    return !characters.empty() && isLoneLeadByte(characters.back());
}

bool modelAccepts(const std::string& content, const std::string& section, const std::string& key,
                  const std::string& value) {
    const std::string trimmedKey = stripBlanks(key);
    return !isUtf16File(content) && fitsOnOneLine(section) && fitsOnOneLine(key) && fitsOnOneLine(value) &&
           findCharacter(charactersOf(section), "]", false) < 0 && !endsInLoneLeadByte(section) &&
           !trimmedKey.empty() && trimmedKey[0] != '[' && findCharacter(charactersOf(trimmedKey), "=", false) < 0 &&
           !endsInLoneLeadByte(trimmedKey);
}

// ---- The checks -----------------------------------------------------------

std::string hex(const std::string& bytes) {
    std::string text;
    char digits[4];
    for (unsigned char byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X ", byte);
        text += digits;
    }
    return text;
}

struct Write {
    std::string section, key, value;
};

[[noreturn]] void fail(const char* what, const std::string& before, const std::string& after, const Write& write) {
    std::fprintf(stderr,
                 "profile fuzz: %s\n  before:  %s\n  after:   %s\n  section: %s\n  key:     %s\n  value:   %s\n", what,
                 hex(before).c_str(), hex(after).c_str(), hex(write.section).c_str(), hex(write.key).c_str(),
                 hex(write.value).c_str());
    std::abort();
}

// The real reader gives what the model gives, for every name the model knows.
bool readerAgreesWithModel(const std::string& content, const Model& model, const Write& write) {
    if (host::readIniValueFromContent(content, write.section, write.key) != modelRead(model, write.section, write.key))
        return false;
    for (const auto& [section, keys] : model)
        for (const auto& [key, raw] : keys)
            if (host::readIniValueFromContent(content, section, key) != valueAsRead(raw)) return false;
    return true;
}

// Every section and key but the written one reads as before.
bool othersReadAsBefore(const Model& before, const Model& after, const Write& write) {
    for (const Model* names : {&before, &after})
        for (const auto& [section, keys] : *names)
            for (const auto& [key, raw] : keys) {
                if (section == nameKey(write.section) && key == nameKey(write.key)) continue;
                if (modelRead(before, section, key) != modelRead(after, section, key)) return false;
            }
    return true;
}

// Only the written lines change: one key line keeps its key and line end and
// ends in the new value, or new lines ending in CR LF are inserted, after the
// line end added to an unfinished last line.
bool onlyWrittenLinesChange(const std::string& before, const std::string& after, const Write& write) {
    if (before == after) return true;
    if ((before.compare(0, 3, kUtf8ByteOrderMark) == 0) != (after.compare(0, 3, kUtf8ByteOrderMark) == 0)) return false;
    const std::vector<TextLine> old = linesOf(before);
    const std::vector<TextLine> now = linesOf(after);
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (prefix + suffix < old.size() && prefix + suffix < now.size() &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    std::vector<TextLine> removed(old.begin() + prefix, old.end() - suffix);
    std::vector<TextLine> added(now.begin() + prefix, now.end() - suffix);

    if (removed.size() == 1 && added.size() == 1 && removed[0].end == added[0].end) {
        const std::string& line = added[0].text;
        if (line.size() <= write.value.size() ||
            line.compare(line.size() - write.value.size(), std::string::npos, write.value) != 0)
            return false;
        const std::string keyPart = line.substr(0, line.size() - write.value.size());
        return keyPart.back() == '=' && removed[0].text.compare(0, keyPart.size(), keyPart) == 0;
    }
    if (removed.size() == 1 && removed[0].end.empty() && !added.empty() && added[0].text == removed[0].text &&
        added[0].end == "\r\n") {
        removed.clear();
        added.erase(added.begin());
    }
    const TextLine keyLine{stripBlanks(write.key) + "=" + write.value, "\r\n"};
    const TextLine sectionLine{"[" + write.section + "]", "\r\n"};
    return removed.empty() &&
           (added == std::vector<TextLine>{keyLine} || added == std::vector<TextLine>{sectionLine, keyLine});
}

void checkWrite(std::string& content, const Write& write) {
    const std::string before = content;
    const Model modelBefore = modelOf(before);
    const bool accepted = host::writeIniValueToContent(content, write.section, write.key, write.value);
    const std::string& after = content;
    if (!readerAgreesWithModel(before, modelBefore, write))
        fail("the reader and the model disagree before the write", before, after, write);
    if (accepted != modelAccepts(before, write.section, write.key, write.value))
        fail(accepted ? "a write that cannot be found again was accepted" : "a good write was refused", before, after,
             write);
    if (!accepted) {
        if (after != before) fail("a refused write changed the content", before, after, write);
        return;
    }
    const Model modelAfter = modelOf(after);
    if (modelRead(modelAfter, write.section, write.key) != valueAsRead(write.value))
        fail("the written value does not read back", before, after, write);
    if (!readerAgreesWithModel(after, modelAfter, write))
        fail("the reader and the model disagree after the write", before, after, write);
    if (!othersReadAsBefore(modelBefore, modelAfter, write))
        fail("another key reads differently after the write", before, after, write);
    if (!onlyWrittenLinesChange(before, after, write))
        fail("lines other than the written ones changed", before, after, write);
}

constexpr std::size_t kMostWrites = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t separator = data[0];
    std::vector<std::string> fields(1);
    for (std::size_t at = 1; at < size; ++at) {
        if (data[at] == separator)
            fields.emplace_back();
        else
            fields.back() += static_cast<char>(data[at]);
    }
    std::string content = fields[0];
    for (std::size_t write = 0; write < kMostWrites && 3 * write + 3 < fields.size(); ++write) {
        const std::size_t first = 3 * write + 1;
        checkWrite(content, {fields[first], fields[first + 1], fields[first + 2]});
    }
    return 0;
}
