// The game's requests as the tests and benchmarks send them, and the server
// they send them to.
#pragma once

#include <string>

#include "kova_cipher.h"
#include "score_server.h"

inline const std::string GameKey = "t41vb7kQz81Rk3m";

inline std::string UploadQuery(const std::string& user, long long point, const std::string& level = "001-004") {
    return "option=addscore&user=" + user + "&level=" + level + "&point=" + std::to_string(point) +
           "&date=05 Mar 2024&version=1.00&mz_ip=127.0.0.1&platform=windows";
}

inline std::string ScoresTarget(const std::string& script, const std::string& query) {
    return "/scores/" + script + "?KOVA_argEncrypted=" + KovaEncipher(query + "&KOVA_id=42", GameKey);
}

inline std::string UploadTarget(const std::string& user, long long point) {
    return ScoresTarget("orbivore_win.php", UploadQuery(user, point));
}

inline std::string ListTarget(int count = 25) {
    return ScoresTarget("orbivore_win.php", "option=getscore&nbscore=" + std::to_string(count));
}

// A server on a free loopback port, silent and without limits on uploads or
// connections per address: every test client comes from 127.0.0.1.
inline ScoreServerConfig UnlimitedConfig(const std::string& database) {
    ScoreServerConfig config;
    config.port = 0;
    config.database = database;
    config.uploadsPerMinute = 0;
    config.log = nullptr;
    config.http.connectionsPerAddress = 0;
    return config;
}
