// Profile (INI) text in memory: a value read from a file's content, and one
// write applied to it. The profile file functions in host.h read and replace
// the file around these; several writes of one file can be applied to one
// content between a single read and a single replacement.
#pragma once

#include <string>
#include <string_view>

namespace host {

// As readIniValue, over the content of a file (empty for a missing file).
std::string readIniValueFromContent(std::string_view content, std::string_view section, std::string_view key);

// As writeIniValue, over the content of a file (empty for a missing file).
// False, leaving `content` as it was, when the write is refused: a section,
// key or value that cannot be written as one line and found again, or a
// UTF-16 file, which these 8-bit lines would damage.
bool writeIniValueToContent(std::string& content, std::string_view section, std::string_view key,
                            std::string_view value);

}  // namespace host
