#include "synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/random.h"

namespace {

constexpr float Pi = 3.14159265358979f;

// Softens the jump of a saw or square edge so high notes do not alias.
float Blep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

struct Oscillator {
    float phase = 0;
    float noiseFrom = 0, noiseTo = 0;
    bool started = false;

    float Next(const Voice& v, float freq, float phaseOffset) {
        if (!started && v.wave == Wave::Noise) noiseFrom = Rnd(-1, 1), noiseTo = Rnd(-1, 1);
        started = true;
        const float dt = std::fmin(freq / SampleRate, 0.5f);
        float p = phase + phaseOffset;
        p -= std::floor(p);
        float out = 0;
        switch (v.wave) {
        case Wave::Sine: out = std::sin(2 * Pi * p); break;
        case Wave::Triangle: out = 1 - 4 * std::fabs(p - 0.5f); break;
        case Wave::Saw:
            out = 2 * p - 1;
            if (phaseOffset == 0) out -= Blep(p, dt);
            break;
        case Wave::Square:
            out = p < v.duty ? 1.f : -1.f;
            if (phaseOffset == 0) {
                float q = p + 1 - v.duty;
                q -= std::floor(q);
                out += Blep(p, dt) - Blep(q, dt);
            }
            break;
        case Wave::Noise: out = noiseFrom + (noiseTo - noiseFrom) * phase; break;
        }
        phase += freq / SampleRate;
        if (phase >= 1) {
            phase -= std::floor(phase);
            noiseFrom = noiseTo;
            noiseTo = Rnd(-1, 1);
        }
        return out;
    }
};

// A state-variable filter, stable while its cutoff sweeps.
struct Filter {
    float ic1 = 0, ic2 = 0;
    float a1 = 0, a2 = 0, a3 = 0, k = 1.414f;

    void Tune(float cutoff, float resonance) {
        cutoff = std::fmin(std::fmax(cutoff, 10.f), 0.45f * SampleRate);
        const float g = std::tan(Pi * cutoff / SampleRate);
        k = 1.414f * (1 - resonance);
        a1 = 1 / (1 + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    float Run(FilterKind kind, float v0) {
        const float v3 = v0 - ic2;
        const float v1 = a1 * ic1 + a2 * v3;
        const float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        if (kind == FilterKind::Lowpass) return v2;
        if (kind == FilterKind::Bandpass) return v1 * k;
        return v0 - k * v1 - v2;
    }
};

float Envelope(const Voice& v, float t, float gate) {
    float level = 1;
    if (t < v.attack) {
        level = t / v.attack;
    } else if (v.decay > 0) {
        level = v.sustain + (1 - v.sustain) * std::exp(-(t - v.attack) / v.decay);
    }
    if (t > gate) {
        if (v.release <= 0) return 0;
        const float left = 1 - (t - gate) / v.release;
        level *= left > 0 ? left * left : 0;
    }
    return level;
}

bool IsHit(const std::string& token) { return token == "x" || token == "X"; }

// Splits "A3+C4+E4" into its notes; throws on a token that is no note.
std::vector<float> ChordFrequencies(const std::string& token) {
    std::vector<float> out;
    if (IsHit(token)) return {0.f};
    size_t from = 0;
    for (;;) {
        const size_t plus = token.find('+', from);
        const std::string part = token.substr(from, plus == std::string::npos ? std::string::npos : plus - from);
        const float f = NoteFrequency(part);
        if (f <= 0) throw std::runtime_error("\"" + token + "\" is not a note");
        out.push_back(f);
        if (plus == std::string::npos) return out;
        from = plus + 1;
    }
}

void AddAt(std::vector<float>& dest, const std::vector<float>& src, long start, bool circular) {
    const long n = long(dest.size());
    for (size_t i = 0; i < src.size(); ++i) {
        long at = start + long(i);
        if (circular) at %= n;
        else if (at >= n) break;
        dest[size_t(at)] += src[i];
    }
}

// A rate that runs a whole number of times through a loop of `length` seconds.
float FitLoop(float rate, float length) {
    if (rate <= 0) return rate;
    return std::fmax(1.f, std::round(rate * length)) / length;
}

// Plays a voice's notes, `stepSeconds` apart (or, without notes, the voice
// once, `defaultLength` long unless it has its own), into `out`.
void PlayNotes(const Voice& v, const std::vector<std::string>& tokens, double stepSeconds, float defaultLength,
               std::vector<float>& out, bool circular) {
    std::vector<float> own(out.size(), 0.f);
    if (tokens.empty()) {
        const float length = v.length > 0 ? v.length : defaultLength;
        AddAt(own, RenderVoice(v, std::fmax(0.f, length - v.release), 0, 1), long(v.at * SampleRate), circular);
    }
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t == "." || t == "-") continue;
        const int held = HeldSteps(tokens, i);
        const float gate = v.length > 0 ? std::fmax(0.f, v.length - v.release) : float(held * stepSeconds * v.gate);
        const long start = long(std::lround((v.at + double(i) * stepSeconds) * SampleRate));
        const float velocity = t == "x" ? 0.6f : 1.f;
        for (float f : ChordFrequencies(t)) AddAt(own, RenderVoice(v, gate, f, velocity), start, circular);
    }
    if (v.echoMix > 0) {
        // Music counts its echo in steps, so that it stays on the beat.
        const double unit = circular ? stepSeconds : 1.0;
        AddEcho(own, int(v.echoSteps * unit * SampleRate), v.echoFeedback, v.echoMix, circular);
    }
    for (size_t i = 0; i < out.size(); ++i) out[i] += own[i];
}

}  // namespace

std::vector<float> RenderVoice(const Voice& v, float gate, float freq, float velocity) {
    const float total = gate + v.release;
    const size_t n = size_t(std::fmax(total, 0.f) * SampleRate);
    std::vector<float> out(n);
    Oscillator osc, second;
    Filter filter;
    float modPhase = 0;
    const float first = v.pitch.Empty() ? 440.f : v.pitch.points[0];
    const float detune = std::pow(2.f, v.detuneCents / 1200);
    for (size_t i = 0; i < n; ++i) {
        const float t = float(i) / SampleRate;
        const float u = total > 0 ? t / total : 0;
        float f = v.pitch.Empty() ? first : v.pitch.At(u);
        if (freq > 0) f *= freq / first;
        if (v.vibratoDepth != 0) f *= std::pow(2.f, v.vibratoDepth / 12 * std::sin(2 * Pi * v.vibratoRate * t));
        float pm = 0;
        if (v.fmRatio > 0) {
            pm = v.fmIndex.At(u) * std::sin(2 * Pi * modPhase) / (2 * Pi);
            modPhase += v.fmRatio * f / SampleRate;
            modPhase -= std::floor(modPhase);
        }
        float s = osc.Next(v, f, pm);
        if (v.detuneCents != 0) s = 0.5f * (s + second.Next(v, f * detune, pm));
        if (v.filter != FilterKind::None) {
            if (i % 8 == 0) filter.Tune(v.cutoff.At(u), v.resonance);
            s = filter.Run(v.filter, s);
        }
        float amp = Envelope(v, t, gate) * v.volume * velocity;
        if (v.tremoloDepth != 0) amp *= 1 - v.tremoloDepth * (0.5f - 0.5f * std::cos(2 * Pi * v.tremoloRate * t));
        out[i] = s * amp;
    }
    return out;
}

void AddEcho(std::vector<float>& x, int delay, float feedback, float mix, bool circular) {
    const long n = long(x.size());
    if (delay <= 0 || delay >= n) return;
    std::vector<float> wet(x.size(), 0.f);
    // A circular echo settles in two rounds: the second carries what the
    // first let run past the end back to the start.
    for (int round = 0; round < (circular ? 2 : 1); ++round) {
        for (long i = 0; i < n; ++i) {
            long from = i - delay;
            if (from < 0) {
                if (!circular) continue;
                from += n;
            }
            wet[size_t(i)] = x[size_t(from)] + feedback * wet[size_t(from)];
        }
    }
    for (long i = 0; i < n; ++i) x[size_t(i)] += mix * wet[size_t(i)];
}

void Level(std::vector<float>& x, float peak, float drive) {
    auto loudest = [&x] {
        float m = 0;
        for (float s : x) m = std::fmax(m, std::fabs(s));
        return m;
    };
    float m = loudest();
    if (m <= 0) return;
    if (drive > 0) {
        const float norm = std::tanh(drive);
        for (float& s : x) s = std::tanh(drive * s / m) / norm;
        m = loudest();
    }
    for (float& s : x) s *= peak / m;
}

std::vector<float> RenderEffect(const Recipe& r) {
    // A loop is made a little longer and its overhang faded into its start,
    // so that the end runs on into the beginning without a step.
    const float overlap = r.loop ? std::fmin(0.1f, r.length / 4) : 0.f;
    const float total = r.length + overlap;
    std::vector<float> mix(size_t(total * SampleRate), 0.f);
    for (Voice v : r.voices) {
        if (r.loop) {
            v.vibratoRate = FitLoop(v.vibratoRate, r.length);
            v.tremoloRate = FitLoop(v.tremoloRate, r.length);
            if (v.pitch.points.size() == 1) v.pitch.points[0] = FitLoop(v.pitch.points[0], r.length);
        }
        PlayNotes(v, v.notes, v.step, total - v.at, mix, false);
    }
    if (r.echoMix > 0) AddEcho(mix, int(r.echoTime * SampleRate), r.echoFeedback, r.echoMix, false);
    const size_t n = size_t(r.length * SampleRate);
    if (r.loop) {
        const size_t x = mix.size() - n;
        for (size_t i = 0; i < x; ++i) {
            const float w = float(i) / float(x);
            mix[i] = mix[i] * w + mix[n + i] * (1 - w);
        }
    }
    mix.resize(n);
    if (!r.loop) {
        // The last few milliseconds always fade, so an effect never ends on a click.
        const size_t fade = std::min(n, size_t(SampleRate / 200));
        for (size_t i = 0; i < fade; ++i) mix[n - 1 - i] *= float(i) / float(fade);
    }
    Level(mix, r.peak, r.drive);
    return mix;
}

std::vector<float> RenderMusic(const Recipe& r) {
    const double step = 60.0 / r.tempo / r.stepsPerBeat;
    const size_t steps = size_t(r.bars) * 4 * size_t(r.stepsPerBeat);
    const size_t n = size_t(std::lround(double(steps) * step * SampleRate));
    std::vector<float> stereo(2 * n, 0.f);
    for (const PlayLine& line : r.plays) {
        const Voice* v = nullptr;
        for (const Voice& candidate : r.voices)
            if (candidate.name == line.instrument) v = &candidate;
        if (!v) throw std::runtime_error("no instrument \"" + line.instrument + "\"");
        std::vector<std::string> tokens;
        for (const std::string& name : line.patterns) {
            const Pattern* p = nullptr;
            for (const Pattern& candidate : r.patterns)
                if (candidate.name == name) p = &candidate;
            if (!p) throw std::runtime_error("no pattern \"" + name + "\"");
            if (p->steps.size() % (4 * size_t(r.stepsPerBeat)) != 0)
                throw std::runtime_error("pattern \"" + name + "\" is not a whole number of bars");
            tokens.insert(tokens.end(), p->steps.begin(), p->steps.end());
        }
        if (tokens.size() != steps)
            throw std::runtime_error("the " + line.instrument + " line has " + std::to_string(tokens.size()) +
                                     " steps, the song " + std::to_string(steps));
        std::vector<float> mono(n, 0.f);
        Voice timed = *v;
        timed.at = 0;
        PlayNotes(timed, tokens, step, 0, mono, true);
        const float angle = (v->pan + 1) * Pi / 4;
        const float left = std::cos(angle) * 1.414f, right = std::sin(angle) * 1.414f;
        for (size_t i = 0; i < n; ++i) {
            stereo[2 * i] += mono[i] * left;
            stereo[2 * i + 1] += mono[i] * right;
        }
    }
    Level(stereo, r.peak, r.drive);
    return stereo;
}
