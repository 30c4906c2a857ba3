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

#include <unistd.h>

#include "settings/settings.h"

const char* const SettingsFileName = "OrbivoreSettings.dat";

namespace {

// A valid file is a few kilobytes; this much is read at the most, so that a
// stray huge file cannot eat the memory.
constexpr size_t MaxFileBytes = 1 << 20;

const char* const TrailerLines[] = {
    "Don't bother trying to changing any",
    "of these values, because they're not",
    "synced with the online server - only",
    "the latest in-game score is synced.",
};

// Reads the records in order. Each read leaves its target alone when the
// bytes have run out, so whatever the file did not hold keeps its default.
struct Reader {
    const std::string& bytes;
    size_t at = 0;

    void Int(int& value) {
        if (bytes.size() - at < 4) {
            at = bytes.size();
            return;
        }
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(bytes[at + size_t(i)]);
        value = int32_t(v);
        at += 4;
    }

    void Byte(int& value) {
        if (at >= bytes.size()) return;
        value = uint8_t(bytes[at++]);
    }

    // Up to the next LF or the end; CR bytes are dropped. Past the longest
    // text the game keeps, the rest of the line is skipped, not stored.
    void Line(std::string& text, size_t most) {
        if (at >= bytes.size()) return;
        text.clear();
        while (at < bytes.size()) {
            const char c = bytes[at++];
            if (c == '\n') break;
            if (c != '\r' && text.size() < most) text += c;
        }
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
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& why) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        why = std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
    if (ok) ok = fsync(fileno(f)) == 0;
    if (!ok) why = std::strerror(errno);
    if (std::fclose(f) != 0 && ok) {
        why = std::strerror(errno);
        ok = false;
    }
    if (!ok) unlink(path.c_str());
    return ok;
}

}  // namespace

void LoadSettingsFromBytes(const std::string& bytes) {
    SetDefaultSettings();
    Reader in{bytes};
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
    in.Line(PlayerName, MaxPlayerNameLength);
    in.Line(SpareText, MaxSettingsLineLength);
    ReadTable(in, OnlineScores);
    ReadTable(in, LocalScores);
    MendSettings();
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

bool LoadSettingsFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        SetDefaultSettings();
        return false;
    }
    // A read error ends the bytes early: the rest keeps its defaults.
    std::string bytes(MaxFileBytes, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    LoadSettingsFromBytes(bytes);
    return true;
}

bool SaveSettingsFile(const std::string& path) {
    const std::string temp = path + ".tmp";
    std::string why;
    if (!WriteWholeFile(temp, SettingsBytes(), why)) {
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

void LoadSettings() { LoadSettingsFile(SettingsFileName); }

bool SaveSettings() { return SaveSettingsFile(SettingsFileName); }
