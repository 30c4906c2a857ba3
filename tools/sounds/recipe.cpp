#include "recipe.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

bool ToFloat(const std::string& s, float& out) {
    char* end = nullptr;
    out = std::strtof(s.c_str(), &end);
    return end && *end == '\0' && !s.empty() && std::isfinite(out);
}

// "F [-> F ...] [lin|fast|slow]" from word `from` on.
bool ParseSweep(const std::vector<std::string>& w, size_t from, Sweep& out) {
    out = Sweep{};
    bool wantValue = true;
    for (size_t i = from; i < w.size(); ++i) {
        if (w[i] == "->") {
            if (wantValue) return false;
            wantValue = true;
        } else if (w[i] == "lin") {
            out.linear = true;
        } else if (w[i] == "fast") {
            out.shape = 1;
        } else if (w[i] == "slow") {
            out.shape = 2;
        } else {
            float v = 0;
            if (!wantValue || !ToFloat(w[i], v)) return false;
            out.points.push_back(v);
            wantValue = false;
        }
    }
    return !out.points.empty() && !wantValue;
}

bool ParseWave(const std::string& s, Wave& out) {
    if (s == "sine") out = Wave::Sine;
    else if (s == "triangle") out = Wave::Triangle;
    else if (s == "square") out = Wave::Square;
    else if (s == "saw") out = Wave::Saw;
    else if (s == "noise") out = Wave::Noise;
    else return false;
    return true;
}

// Reads "key n1 n2 ..." into the given floats; false when the count or a number is wrong.
bool Numbers(const std::vector<std::string>& w, std::initializer_list<float*> out) {
    if (w.size() != out.size() + 1) return false;
    size_t i = 1;
    for (float* f : out)
        if (!ToFloat(w[i++], *f)) return false;
    return true;
}

// Words from `from` on, "|" left out and "word*N" written out N times.
bool Expand(const std::vector<std::string>& w, size_t from, std::vector<std::string>& out) {
    for (size_t i = from; i < w.size(); ++i) {
        if (w[i] == "|") continue;
        std::string word = w[i];
        int times = 1;
        const size_t star = word.find('*');
        if (star != std::string::npos) {
            times = std::atoi(word.c_str() + star + 1);
            word.resize(star);
            if (times < 1 || word.empty()) return false;
        }
        for (int t = 0; t < times; ++t) out.push_back(word);
    }
    return true;
}

bool VoiceSetting(const std::vector<std::string>& w, Voice& v) {
    const std::string& k = w[0];
    if (k == "at") return Numbers(w, {&v.at});
    if (k == "for") return Numbers(w, {&v.length});
    if (k == "pitch") return ParseSweep(w, 1, v.pitch);
    if (k == "notes") {
        v.notes.clear();
        return Expand(w, 1, v.notes) && !v.notes.empty();
    }
    if (k == "step") return Numbers(w, {&v.step}) && v.step > 0;
    if (k == "gate") return Numbers(w, {&v.gate}) && v.gate > 0;
    if (k == "duty") return Numbers(w, {&v.duty}) && v.duty > 0 && v.duty < 1;
    if (k == "vibrato") return Numbers(w, {&v.vibratoRate, &v.vibratoDepth});
    if (k == "tremolo") return Numbers(w, {&v.tremoloRate, &v.tremoloDepth});
    if (k == "fm") return w.size() >= 3 && ToFloat(w[1], v.fmRatio) && ParseSweep(w, 2, v.fmIndex);
    if (k == "detune") return Numbers(w, {&v.detuneCents});
    if (k == "attack") return Numbers(w, {&v.attack}) && v.attack >= 0;
    if (k == "decay") return Numbers(w, {&v.decay}) && v.decay >= 0;
    if (k == "sustain") return Numbers(w, {&v.sustain});
    if (k == "release") return Numbers(w, {&v.release}) && v.release >= 0;
    if (k == "volume") return Numbers(w, {&v.volume});
    if (k == "pan") return Numbers(w, {&v.pan}) && std::fabs(v.pan) <= 1;
    if (k == "resonance") return Numbers(w, {&v.resonance}) && v.resonance >= 0 && v.resonance <= 0.95f;
    if (k == "echo") return Numbers(w, {&v.echoSteps, &v.echoFeedback, &v.echoMix}) && v.echoFeedback < 1;
    if (k == "lowpass" || k == "highpass" || k == "bandpass") {
        v.filter = k == "lowpass" ? FilterKind::Lowpass : k == "highpass" ? FilterKind::Highpass : FilterKind::Bandpass;
        return ParseSweep(w, 1, v.cutoff);
    }
    return false;
}

bool TopSetting(const std::vector<std::string>& w, Recipe& r) {
    const std::string& k = w[0];
    if (k == "length") return Numbers(w, {&r.length}) && r.length > 0;
    if (k == "loop") {
        r.loop = true;
        return w.size() == 1;
    }
    if (k == "peak") return Numbers(w, {&r.peak}) && r.peak > 0 && r.peak <= 1;
    if (k == "drive") return Numbers(w, {&r.drive});
    if (k == "echo") return Numbers(w, {&r.echoTime, &r.echoFeedback, &r.echoMix}) && r.echoFeedback < 1;
    if (k == "tempo") return Numbers(w, {&r.tempo}) && r.tempo > 0;
    float n = 0;
    if (k == "bars") return Numbers(w, {&n}) && (r.bars = int(n)) > 0;
    if (k == "steps") return Numbers(w, {&n}) && (r.stepsPerBeat = int(n)) > 0;
    if (k == "pattern") {
        // A pattern named again goes on where it left off: one bar a line.
        Pattern* p = nullptr;
        for (Pattern& existing : r.patterns)
            if (w.size() > 1 && existing.name == w[1]) p = &existing;
        if (!p) {
            r.patterns.push_back(Pattern{w.size() > 1 ? w[1] : "", {}});
            p = &r.patterns.back();
        }
        return w.size() >= 3 && Expand(w, 2, p->steps);
    }
    if (k == "play") {
        if (w.size() < 3) return false;
        r.plays.push_back(PlayLine{w[1], {}});
        return Expand(w, 2, r.plays.back().patterns);
    }
    return false;
}

}  // namespace

float Sweep::At(float u) const {
    if (points.empty()) return 0;
    if (points.size() == 1) return points[0];
    u = std::fmin(std::fmax(u, 0.f), 1.f) * float(points.size() - 1);
    size_t i = size_t(u);
    if (i >= points.size() - 1) i = points.size() - 2;
    float f = u - float(i);
    if (shape == 1) f = 1 - (1 - f) * (1 - f);
    if (shape == 2) f = f * f;
    const float a = points[i], b = points[i + 1];
    if (!linear && a > 0 && b > 0) return a * std::pow(b / a, f);
    return a + (b - a) * f;
}

float NoteFrequency(std::string_view name) {
    static const int Semitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return 0;
    int semi = Semitone[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') ++semi, ++i;
    else if (name[i] == 'b') --semi, ++i;
    if (i + 1 != name.size() || name[i] < '0' || name[i] > '8') return 0;
    const int midi = 12 * (name[i] - '0' + 1) + semi;
    return 440.f * std::pow(2.f, float(midi - 69) / 12.f);
}

int HeldSteps(const std::vector<std::string>& tokens, size_t i) {
    int n = 1;
    while (i + n < tokens.size() && tokens[i + n] == "-") ++n;
    return n;
}

bool ParseRecipe(std::string_view text, Recipe& out, std::string& error) {
    out = Recipe{};
    Voice* current = nullptr;
    std::istringstream in{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        // "#" after a space starts a comment; inside a word it is a sharp ("C#4").
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
                line.resize(i);
                break;
            }
        }
        const std::vector<std::string> w = Words(line);
        if (w.empty()) continue;
        bool ok = false;
        Wave wave{};
        if (w[0] == "voice" && w.size() == 2 && ParseWave(w[1], wave)) {
            out.voices.push_back(Voice{});
            current = &out.voices.back();
            current->wave = wave;
            ok = true;
        } else if (w[0] == "instrument" && w.size() == 3 && ParseWave(w[2], wave)) {
            out.voices.push_back(Voice{});
            current = &out.voices.back();
            current->name = w[1];
            current->wave = wave;
            ok = true;
        } else if (w[0] == "pattern" || w[0] == "play" || !current) {
            ok = TopSetting(w, out);
        } else {
            ok = VoiceSetting(w, *current) || TopSetting(w, out);
        }
        if (!ok) {
            error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
    }
    if (out.voices.empty()) {
        error = "no voice or instrument";
        return false;
    }
    if (out.IsMusic() && out.bars <= 0) {
        error = "music needs bars";
        return false;
    }
    return true;
}
