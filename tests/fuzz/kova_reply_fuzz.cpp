// Feeds arbitrary cache-file contents through the reply handling. The first
// byte picks the delimiter; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "kova_cipher.h"
#include "kova_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const Delimiters[] = {"\r", "\n", "", "||", "\r\n", "a"};
    const std::string delimiter = Delimiters[data[0] % 6];
    const std::string file(reinterpret_cast<const char*>(data + 1), size - 1);
    const KovaReply reply = KovaMakeReply(file, delimiter, "t41vb7kQz81Rk3m");
    if (reply.lines.size() > KovaMaxLines) std::abort();
    size_t total = 0;
    for (const std::string& line : reply.lines) total += line.size();
    if (total > reply.text.size()) std::abort();
    if (reply.deciphered && reply.text.size() > file.size() / 2) std::abort();
    // Enciphering what came back must give it back again.
    if (KovaDecipher(KovaEncipher(reply.text, "k"), "k") != reply.text) std::abort();
    return 0;
}
