// What both hosts share: the run directory, the byte-rule path cut, the
// dialogs that tests may replace so that nothing ever waits on a modal box,
// and the handler for a system function that cannot be bound.
#include <utility>

#include "host/gbk_bytes.h"
#include "host/host.h"
#include "host/system_dialogs.h"

namespace host {
namespace {

struct HostState {
    std::string runDirectory;
    MessageHandler showMessage;
    FolderBrowser browseForFolder;
    MissingFunctionHandler missingFunction = nullptr;
};

HostState& hostState() {
    static HostState state;
    return state;
}

}  // namespace

std::string runDirectory() { return hostState().runDirectory; }

void setRunDirectory(std::string directory) { hostState().runDirectory = std::move(directory); }

std::string directoryOfPath(std::string_view path) { return std::string(gbk::directoryOf(path)); }

void showMessage(const Message& message) {
    if (hostState().showMessage)
        hostState().showMessage(message);
    else
        system::showMessage(message);
}

std::optional<std::string> browseForFolder(const std::string& prompt) {
    if (hostState().browseForFolder) return hostState().browseForFolder(prompt);
    return system::browseForFolder(prompt);
}

void replaceDialogs(MessageHandler showMessage, FolderBrowser browseForFolder) {
    hostState().showMessage = std::move(showMessage);
    hostState().browseForFolder = std::move(browseForFolder);
}

void setMissingFunctionHandler(MissingFunctionHandler handler) { hostState().missingFunction = handler; }

namespace system {

void reportMissingFunction(const char* library, const char* function) {
    if (hostState().missingFunction) hostState().missingFunction(library, function);
}

}  // namespace system

}  // namespace host
