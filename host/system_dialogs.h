// Inside the host: the system's own two dialogs, one pair per host, behind the
// replaceable ones that host_common.cpp hands out.
#pragma once

#include <string>

#include "host/host.h"

namespace host::system {

void showMessage(const Message& message);
std::string browseForFolder(const std::string& prompt);

}  // namespace host::system
