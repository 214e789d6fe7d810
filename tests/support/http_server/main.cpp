#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/http_server/TestHttpServer.h"

// The loopback test server as a program, for local mirrors and proxies:
//   test_http_server [--port N] [--rate BYTES_PER_S] [--proxy-auth USER:PASSWORD]
//                    [--last-modified "HTTP date"] --file /PATH=SIZE ...
// It prints "listening on PORT" and serves until SIGINT or SIGTERM.
int main(int argc, char** argv) {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  // Blocked before the server's threads start, so that only sigwait receives them.
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  uint16_t port = 0;
  std::string lastModified = testhttp::TestHttpServer::kDefaultLastModified;
  std::vector<std::pair<std::string, uint64_t>> files;
  uint64_t rate = 0;
  std::string proxyAuth;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const std::string value = argv[i + 1];
    if (option == "--port") {
      port = static_cast<uint16_t>(std::stoul(value));
    } else if (option == "--rate") {
      rate = std::stoull(value);
    } else if (option == "--proxy-auth") {
      proxyAuth = value;
    } else if (option == "--last-modified") {
      lastModified = value;
    } else if (option == "--file" && value.find('=') != std::string::npos) {
      files.emplace_back(value.substr(0, value.find('=')),
                         std::stoull(value.substr(value.find('=') + 1)));
    } else {
      std::fprintf(stderr, "unknown option %s\n", option.c_str());
      return 2;
    }
  }
  testhttp::TestHttpServer server(port);
  for (const auto& [path, size] : files) server.SetGeneratedFile(path, size, lastModified);
  server.SetRate(rate);
  if (!proxyAuth.empty()) server.RequireProxyAuth(proxyAuth);
  std::printf("listening on %u\n", server.Port());
  std::fflush(stdout);
  int received = 0;
  sigwait(&stopSignals, &received);
  return 0;
}
