#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "client/f_HttpClientImpl.h"
#include "platform/text/Utf.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDir.h"
#include "tests/support/http_server/TestHttpServer.h"

// A loopback server with one file, a fresh client set up as the main window sets it up (direct
// access, so that the environment's proxy settings stay out of the tests) and the reports of
// each download.
class DownloadFixture : public ::testing::Test {
 protected:
  struct Report {
    TDownloadState State;
    int64_t Position;
    int64_t Total;
    std::string Message;
    int64_t RemainMs;
    int64_t Speed;
    int32_t ResultCode;
  };

  DownloadFixture() : client_(std::make_shared<THttpClient>()) {
    client_->SetQueryPackageInfo(true);
    client_->SetAccessType(0);
    client_->SetTimeout(5000);
  }

  static std::string Generated(uint64_t size, uint64_t from = 0) {
    std::string bytes(size, '\0');
    for (uint64_t i = 0; i < size; ++i)
      bytes[i] = testhttp::TestHttpServer::GeneratedByte(from + i);
    return bytes;
  }

  std::string Target() const { return dir_.File("package.exe"); }
  std::string PartName() const { return Target() + ".tmp"; }
  std::string SideName() const { return Target() + ".sdc"; }
  std::u16string Url(const std::string& path = "/package.exe") const {
    return text::Utf8ToUtf16(server_.Url(path));
  }

  // Downloads into Target(); stopWhen decides the Stop answer for each report.
  int32_t Download(std::function<bool(const THttpDownloadInfo&)> stopWhen = nullptr,
                   const std::u16string& headers = u"") {
    std::u16string fileName = text::Utf8ToUtf16(Target());
    return DownloadTo(Url(), fileName, std::move(stopWhen), headers);
  }

  int32_t DownloadTo(const std::u16string& url, std::u16string& fileName,
                     std::function<bool(const THttpDownloadInfo&)> stopWhen = nullptr,
                     const std::u16string& headers = u"") {
    reports_.clear();
    return client_->DownloadFile(
        url, fileName,
        [&](const THttpDownloadInfo& info, bool& stop) {
          reports_.push_back({info.State, info.Position, info.Total,
                              text::Utf16ToUtf8(info.Message), info.RemainMs, info.Speed,
                              info.ResultCode});
          stop = stopWhen && stopWhen(info);
        },
        7, u"GET", headers);
  }

  std::vector<TDownloadState> States() const {
    std::vector<TDownloadState> states;
    for (const Report& report : reports_) states.push_back(report.State);
    return states;
  }

  // The requests the server saw with this method.
  std::vector<testhttp::RecordedRequest> Requests(const std::string& method) const {
    std::vector<testhttp::RecordedRequest> found;
    for (const auto& request : server_.Requests()) {
      if (request.method == method) found.push_back(request);
    }
    return found;
  }

  testhttp::TestHttpServer server_;
  TempDir dir_;
  std::shared_ptr<THttpClient> client_;
  std::vector<Report> reports_;
};
