// The settings file: fixed-order records, little-endian 32-bit ints, two
// single bytes, then texts as CR LF lines with no length prefix, and a
// comment trailer that is written but never read.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "game/settings.h"

const char* const SettingsFileName = "OrbivoreSettings.dat";

namespace {

const char* const TrailerLines[] = {
    "Don't bother trying to changing any",
    "of these values, because they're not",
    "synced with the online server - only",
    "the latest in-game score is synced.",
};

// What the last LoadSettings found: a file that exists but could not be read
// holds the player's own settings and must survive the run.
SettingsFileState LastLoad = SettingsFileState::Missing;

bool SavingAsItGoes = false;

// Reads the records in order from a stream (bytes held in memory come as
// one too). Numbers the stream no longer holds keep their defaults; texts are
// cut to their limit as they are read, so a huge line costs no memory and the
// records after it still come.
struct Reader {
    std::FILE* file = nullptr;
    bool ended = false;
    // Set once all the numbers were there: from then on the file is a real
    // one that was cut short, and a text read at its end is empty.
    bool emptyAtEnd = false;

    int Get() {
        if (ended) return EOF;
        const int c = std::getc(file);
        if (c == EOF) ended = true;
        return c;
    }

    void Int(int& value) {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const int c = Get();
            if (c == EOF) return;
            v |= uint32_t(c) << (8 * i);
        }
        value = int32_t(v);
    }

    void Byte(int& value) {
        const int c = Get();
        if (c != EOF) value = c;
    }

    // Up to the next LF or the end; CR bytes are dropped.
    void Line(std::string& text, size_t most) {
        int c = Get();
        if (c == EOF) {
            if (emptyAtEnd) text.clear();
            return;
        }
        text.clear();
        for (; c != EOF && c != '\n'; c = Get())
            if (c != '\r' && text.size() < most) text += char(c);
    }
};

void PutInt(std::string& out, int value) {
    const uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i) out += char(uint8_t(v >> (8 * i)));
}

void PutByte(std::string& out, int value) { out += char(uint8_t(value)); }

// A CR or LF inside a text would split it into two lines and shift every
// record after it, so they are left out.
void PutLine(std::string& out, const std::string& text) {
    for (char c : text)
        if (c != '\r' && c != '\n') out += c;
    out += "\r\n";
}

void ReadTable(Reader& in, ScoreRow* table) {
    for (int i = 0; i < SavedScoreRows; ++i) {
        in.Line(table[i].name, MaxSettingsLineLength);
        in.Line(table[i].score, MaxSettingsLineLength);
        in.Line(table[i].level, MaxSettingsLineLength);
        in.Line(table[i].spare, MaxSettingsLineLength);
    }
}

void PutTable(std::string& out, const ScoreRow* table) {
    for (int i = 0; i < SavedScoreRows; ++i) {
        PutLine(out, table[i].name);
        PutLine(out, table[i].score);
        PutLine(out, table[i].level);
        PutLine(out, table[i].spare);
    }
}

void ReportSaveFailure(const std::string& path, const std::string& why) {
    std::fprintf(stderr, "orbivore: settings not saved to %s: %s\n", path.c_str(), why.c_str());
}

// Writes all of `bytes` and makes sure they reached the disk before the
// rename makes them the settings.
bool WriteWholeFile(const std::string& path, const std::string& bytes, int mode, std::string& why) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        why = std::strerror(errno);
        return false;
    }
    bool ok = mode < 0 || fchmod(fileno(f), mode_t(mode)) == 0;
    ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
    if (ok) ok = fsync(fileno(f)) == 0;
    if (!ok) why = std::strerror(errno);
    if (std::fclose(f) != 0 && ok) {
        why = std::strerror(errno);
        ok = false;
    }
    if (!ok) unlink(path.c_str());
    return ok;
}

void ReadSettings(Reader& in) {
    SetDefaultSettings();
    int discarded = 0;
    in.Int(FullScreen);
    in.Int(BackgroundOn);
    in.Int(TopScore);
    in.Int(KeyLeft);
    in.Int(KeyRight);
    in.Int(KeyFire);
    in.Int(KeyShield);
    in.Int(JoystickOn);
    in.Int(discarded);
    in.Byte(HighestLevel);
    in.Byte(ClassicUnlocked);
    in.Int(ScreenWidth);
    in.Int(ScreenHeight);
    in.Int(OffsetX);
    in.Int(OffsetY);
    in.Int(OffsetYCopy);
    in.Int(SoundOn);
    in.Int(MusicOn);
    in.Int(GlowAmount);
    in.Int(OnlineScoreCount);
    in.emptyAtEnd = !in.ended;
    in.Line(PlayerName, MaxPlayerNameLength);
    in.Line(SpareText, MaxSettingsLineLength);
    ReadTable(in, OnlineScores);
    ReadTable(in, LocalScores);
    MendSettings();
}

}  // namespace

void LoadSettingsFromBytes(const std::string& bytes) {
    // Read-only, so the buffer is never written through the cast.
    std::FILE* f = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (!f) {
        SetDefaultSettings();
        return;
    }
    Reader in;
    in.file = f;
    ReadSettings(in);
    std::fclose(f);
}

std::string SettingsBytes() {
    std::string out;
    PutInt(out, FullScreen);
    PutInt(out, BackgroundOn);
    PutInt(out, TopScore);
    PutInt(out, KeyLeft);
    PutInt(out, KeyRight);
    PutInt(out, KeyFire);
    PutInt(out, KeyShield);
    PutInt(out, JoystickOn);
    PutInt(out, 0);
    PutByte(out, HighestLevel);
    PutByte(out, ClassicUnlocked);
    PutInt(out, ScreenWidth);
    PutInt(out, ScreenHeight);
    PutInt(out, OffsetX);
    PutInt(out, OffsetY);
    PutInt(out, OffsetYCopy);
    PutInt(out, SoundOn);
    PutInt(out, MusicOn);
    PutInt(out, GlowAmount);
    PutInt(out, OnlineScoreCount);
    PutLine(out, PlayerName);
    PutLine(out, SpareText);
    PutTable(out, OnlineScores);
    PutTable(out, LocalScores);
    out += "\r\n\r\n";
    for (const char* line : TrailerLines) PutLine(out, line);
    return out;
}

SettingsFileState LoadSettingsFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    int why = f ? 0 : errno;
    if (f) {
        Reader in;
        in.file = f;
        ReadSettings(in);
        // A folder opens but cannot be read; a failing disk stops part way.
        if (std::ferror(f)) why = errno ? errno : EIO;
        std::fclose(f);
        if (!why) return SettingsFileState::Read;
    }
    SetDefaultSettings();
    if (why == ENOENT) return SettingsFileState::Missing;
    std::fprintf(stderr, "orbivore: cannot read %s: %s; playing on defaults, and the file is left as it is\n",
                 path.c_str(), std::strerror(why));
    return SettingsFileState::Unreadable;
}

bool SaveSettingsFile(const std::string& path) {
    // The rename would replace a file the player has made read-only, so its
    // protection is checked first; a file kept writable keeps its mode.
    struct stat old {};
    const bool exists = stat(path.c_str(), &old) == 0;
    if (exists && access(path.c_str(), W_OK) != 0) {
        ReportSaveFailure(path, std::strerror(errno));
        return false;
    }
    const std::string temp = path + ".tmp";
    std::string why;
    if (!WriteWholeFile(temp, SettingsBytes(), exists ? int(old.st_mode & 07777) : -1, why)) {
        ReportSaveFailure(path, why);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    if (error) {
        ReportSaveFailure(path, error.message());
        unlink(temp.c_str());
        return false;
    }
    return true;
}

void LoadSettings() { LastLoad = LoadSettingsFile(SettingsFileName); }

bool SaveSettings() {
    // Said once already, when it was read.
    if (LastLoad == SettingsFileState::Unreadable) return false;
    return SaveSettingsFile(SettingsFileName);
}

void SaveSettingsAsItGoes(bool on) { SavingAsItGoes = on; }

void SaveProgress() {
    if (SavingAsItGoes) SaveSettings();
}
