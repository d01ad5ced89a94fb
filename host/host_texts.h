// The host's texts the user sees, kept apart from host.h so that the profile
// code also builds without the code-page-936 execution character set.
#pragma once

namespace host {

// The caption of every message box the two commands and the settings show.
inline constexpr char kMessageCaption[] = "信息：";

}  // namespace host
