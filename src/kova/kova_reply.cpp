#include "kova_reply.h"

#include <cctype>
#include <fstream>
#include <iterator>

#include "kova_cipher.h"

std::string KovaJoinLines(const std::string& fileBytes, const std::string& delimiter) {
    std::string joined;
    size_t start = 0;
    while (start < fileBytes.size()) {
        size_t end = fileBytes.find('\n', start);
        const size_t next = end == std::string::npos ? fileBytes.size() : end + 1;
        if (end == std::string::npos) end = fileBytes.size();
        if (end > start && fileBytes[end - 1] == '\r') --end;
        const size_t length = end - start;
        if (joined.empty())
            joined.assign(fileBytes, start, length);
        else
            joined.append(delimiter).append(fileBytes, start, length);
        start = next;
    }
    return joined;
}

std::vector<std::string> KovaSplitLines(const std::string& text, const std::string& delimiter, bool deciphered) {
    std::vector<std::string> lines;
    if (delimiter.empty()) {
        if (!text.empty()) lines.push_back(text);
        return lines;
    }
    const std::string separator = deciphered && delimiter == "\r" ? std::string("\n") : delimiter;
    size_t start = 0;
    while (lines.size() < KovaMaxLines) {
        const size_t at = text.find(separator, start);
        if (at == std::string::npos) {
            if (start < text.size()) lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    return lines;
}

KovaReply KovaMakeReply(const std::string& fileBytes, const std::string& delimiter, const std::string& receiveKey) {
    KovaReply reply;
    reply.text = KovaJoinLines(fileBytes, delimiter);
    if (reply.text.size() >= 4) {
        bool marked = true;
        for (size_t n = 0; n < 4; ++n) marked = marked && std::toupper(static_cast<unsigned char>(reply.text[n])) == 'F';
        if (marked) {
            reply.text = KovaDecipher(reply.text.substr(4), receiveKey);
            reply.deciphered = true;
        }
    }
    reply.lines = KovaSplitLines(reply.text, delimiter, reply.deciphered);
    return reply;
}

std::string KovaReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::string();
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
