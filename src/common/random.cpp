#include "common/random.h"

#include <random>
#include <sstream>
#include <string>

namespace {

std::mt19937& Generator() {
    static std::mt19937 gen(12345);
    return gen;
}

}  // namespace

void SeedRandom(uint32_t seed) { Generator().seed(seed); }

int Rand(int a, int b) {
    if (a > b) std::swap(a, b);
    return std::uniform_int_distribution<int>(a, b)(Generator());
}

float Rnd(float a, float b) {
    if (a > b) std::swap(a, b);
    if (a == b) return a;
    return std::uniform_real_distribution<float>(a, b)(Generator());
}

uint64_t RandomStateHash() {
    std::ostringstream s;
    s << Generator();
    const std::string text = s.str();
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    return h;
}
