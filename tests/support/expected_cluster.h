// The exact bytes of a newly written cluster's files, shared by the core's
// tests and the end-to-end tests of Quillorn.exe.
#pragma once

#include <string>

namespace expected {

inline const std::string kWorldgenOverride = "return {\r\n    override_enabled = true,\r\npreset = \"DST_CAVE\",\r\n}";

inline const std::string kCavesServerIni =
    "[NETWORK]\r\nserver_port=11001\r\n"
    "[SHARD]\r\nis_master=false\r\nname=Caves\r\n"
    "[STEAM]\r\nmaster_server_port=27019\r\nauthentication_port=8769\r\n";

inline const std::string kMasterServerIni =
    "[NETWORK]\r\nserver_port=11000\r\n"
    "[SHARD]\r\nis_master=true\r\n"
    "[STEAM]\r\nmaster_server_port=27018\r\nauthentication_port=8768\r\n";

// 我的服务器 in UTF-8, as the game reads it.
inline const std::string kMyServerUtf8 = "\xE6\x88\x91\xE7\x9A\x84\xE6\x9C\x8D\xE5\x8A\xA1\xE5\x99\xA8";

struct ClusterIniValues {
    std::string gameMode, maxPlayers, description, name, playStyle, password;
};

// A cluster.ini written where none existed: four sections, fourteen keys.
inline std::string newClusterIni(const ClusterIniValues& v) {
    return "[GAMEPLAY]\r\n"
           "game_mode=" +
           v.gameMode +
           "\r\n"
           "max_players=" +
           v.maxPlayers +
           "\r\n"
           "pvp=false\r\n"
           "pause_when_empty=true\r\n"
           "[NETWORK]\r\n"
           "cluster_description=" +
           v.description +
           "\r\n"
           "cluster_name=" +
           v.name +
           "\r\n"
           "cluster_intention=" +
           v.playStyle +
           "\r\n"
           "cluster_password=" +
           v.password +
           "\r\n"
           "[MISC]\r\n"
           "console_enabled=false\r\n"
           "[SHARD]\r\n"
           "shard_enabled=true\r\n"
           "bind_ip=127.0.0.1\r\n"
           "master_ip=127.0.0.1\r\n"
           "master_port=10889\r\n"
           "cluster_key=quietlanternox\r\n";
}

}  // namespace expected
