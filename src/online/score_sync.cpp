#include "online/score_sync.h"

#include <cctype>
#include <ctime>

#include "common/score_rows.h"
#include "effects/central_pictures.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/local_scores.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "online/network_library.h"
#include "platform/platform.h"
#include "ui/screen.h"

const char* const GameVersion = "1.00";
std::string MenuFooterText = OldCreditLine;

namespace {

constexpr int UploadCommand = 1;
constexpr int DownloadCommand = 2;
// Names and scores are shown in 10- and 11-character columns; longer ones are cut.
constexpr size_t MaxFieldLength = 32;

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Runs the library until its queue is empty, handing each finished download
// to the given reader, with the notice on screen. The library's transfers
// time out by themselves, but a stalled server can hold each of them for
// seconds: Escape stops the wait. The commands still waiting are cancelled;
// one already running cannot be, and is left to end by itself. False when
// the player stopped it.
template <typename Reader>
bool WaitForQueue(Reader onDownload) {
    while (NetCommandsInQueue() != 0) {
        NetUpdate();
        NetReceive(UploadCommand);
        if (NetReceive(DownloadCommand) == 1 && NetState() == 2) onDownload();
        if (KeyHit(VkEscape) > 0) {
            NetCancel(UploadCommand);
            NetCancel(DownloadCommand);
            return false;
        }
        ShowSyncNotice();
    }
    return true;
}

// A transfer left running by a stopped wait is collected and thrown away
// before anything new is sent, so its late reply is never taken for the
// new one's.
bool ClearLeftTransfers() {
    return WaitForQueue([] {});
}

// The score download's reply into the online table.
void ReadOnlineScores() {
    const int lines = NetLineCount();
    // The last group read is never listed, and the server closes its
    // list with one line for it: that group keeps its place, blank when
    // it is no row. Every other group that is no row is dropped.
    const int closing = lines - (lines - 1) % 3;
    int row = 0;
    for (int n = 1; n <= lines && row < ScoreTableRows; n += 3) {
        std::string name = NetResult(n), level = NetResult(n + 1), score = NetResult(n + 2);
        if (!IsScoreRow(name, level, score)) {
            if (n != closing) continue;
            name = level = score = " ";
        }
        OnlineScores[row].name = CleanServerText(name, MaxFieldLength);
        OnlineScores[row].level = level;
        OnlineScores[row].score = CleanServerText(score, MaxFieldLength);
        OnlineScoreCount = ++row;
    }
}

}  // namespace

std::string CleanServerText(const std::string& text, size_t maxLength) {
    std::string out;
    for (unsigned char c : text)
        if (c >= 32 && c != 127) out += char(c);
    if (out.size() > maxLength) out.resize(maxLength);
    return out.empty() ? " " : out;
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // English month names whatever the machine's locale.
    static const char* const Months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[32];
    std::snprintf(text, sizeof text, "%02d %s %04d", local.tm_mday, Months[local.tm_mon], local.tm_year + 1900);
    return text;
}

std::string UploadRequest(const std::string& date) {
    return "orbivore_win.php?option=addscore&user=" + Lower(LastPlayerName) + "&level=" + LastLevelText +
           "&point=" + std::to_string(LastScore) + "&date=" + date + "&version=" + GameVersion +
           "&mz_ip=127.0.0.1&platform=windows";
}

void DrawTextRow(const std::string& text, float row, uint32_t colour) {
    std::string t = text;
    do {
        t = " " + t + " ";
    } while (t.size() <= 46);
    DrawVectorText(t, 1, row, colour, 0, 0.75f, 0.75f, 0);
}

void ShowSyncNotice() {
    static const char* const Lines[12] = {
        "the game is now attempting to sync",      "your score with the online server.",
        " ",                                       "this shouldn't take more than a second,",
        "but if the game appears to lock up,",     "just leave it be for a few seconds",
        "and it will automatically continue.",     " ",
        "this happens if your firewall blocks the", "games access to the internet. Allow",
        "the game to go online and you won't see", "this message for more than a second or so.",
    };
    BeginScreenFrame();
    DrawPicture(GlowImage, 10000, 10000, 1.0f);
    TPoly::_Begin();
    for (int i = 0; i < 12; ++i) DrawTextRow(Lines[i], 8.0f + 2.0f * float(i), 0xFF80FF40);
    // The key in the highscore screen's colour for it; equal lengths pad alike.
    DrawTextRow("or press        to stop waiting.", 32, 0xFF00FFFF);
    DrawTextRow("         escape                 ", 32, 0xFFFF4F70);
    TPoly::_End();
    ShowFrame();
}

bool SyncScores() {
    OnlineScoreCount = 0;
    ShowSyncNotice();
    const std::string date = TodayText();
    LastLevelText = MakeLevelText(LastGameMode, StartLevel, LastLevel);
    Delay(150);
    FlushKeys();
    bool waited = ClearLeftTransfers();
    if (waited) {
        if (LastScore > 0 && WavesSpawned > 0) NetSend(UploadCommand, UploadRequest(date), 1, 0);
        NetSend(DownloadCommand, "orbivore_win.php?option=getscore&nbscore=25", 1, 0);
        waited = WaitForQueue(ReadOnlineScores);
    }
    // The last group read is never listed; a failed or stopped download
    // leaves -1.
    OnlineScoreCount -= 1;
    Delay(150);
    FlushKeys();
    return waited;
}

void CheckVersion() {
    std::string newest;
    std::string ids[100], versions[100];
    int lines = 0;
    if (!ClearLeftTransfers()) return;
    NetSend(DownloadCommand, "VersionCheck.php?option=getversion&nbscore=80", 1, 0);
    WaitForQueue([&] {
        lines = NetLineCount();
        for (int n = 1, k = 0; n <= lines && k < 100; n += 2, ++k) {
            ids[k] = NetResult(n);
            versions[k] = NetResult(n + 1);
        }
    });
    for (int k = 0; k <= (lines - 1) / 2 && k < 100; ++k)
        if (ids[k] == "orbivore") newest = versions[k];
    if (!newest.empty() && newest != GameVersion)
        MenuFooterText = "  new version (v" + CleanServerText(newest, 16) + ") is available";
    Delay(100);
    FlushKeys();
}
