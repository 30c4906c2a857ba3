#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "http_core.h"

int OpenListeningSocket(const std::string& address, int port, int& boundPort, std::string& error) {
    sockaddr_storage storage{};
    socklen_t length = 0;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
    if (inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(uint16_t(port));
        length = sizeof *v4;
    } else if (inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(uint16_t(port));
        length = sizeof *v6;
    } else {
        error = "'" + address + "' is not a numeric IPv4 or IPv6 address";
        return -1;
    }
    const std::string where = (storage.ss_family == AF_INET6 ? "[" + address + "]" : address) + ":" +
                              std::to_string(port);
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error = std::string("cannot open a socket: ") + std::strerror(errno);
        return -1;
    }
    // SO_REUSEADDR only lets a restart bind past old TIME_WAIT connections;
    // unlike SO_REUSEPORT it never lets two live servers share the port.
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&storage), length) != 0 || ::listen(fd, 1024) != 0) {
        const int why = errno;
        ::close(fd);
        error = why == EADDRINUSE ? where + " is already in use (is another server running?)"
                                  : "cannot listen on " + where + ": " + std::strerror(why);
        return -1;
    }
    length = sizeof storage;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&storage), &length);
    boundPort = ntohs(storage.ss_family == AF_INET6 ? v6->sin6_port : v4->sin_port);
    return fd;
}
