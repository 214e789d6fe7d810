#include <cstring>
#include <exception>
#include <memory>
#include <new>

#include "client/f_HttpClientImpl.h"
#include "platform/kernel/LastError.h"
#include "platform/text/Utf.h"

// Requests whose answer body is collected in a stream.
namespace {

// The response bytes as text: UTF-8, or the narrow code page (which is UTF-8 here as well).
std::u16string DecodeResponse(const TMemoryStream& Response, bool /*UTF8*/) {
  return text::Utf8ToUtf16(Response.Bytes());
}

void WriteText(IStream& Stream, const std::string& Text) {
  uint32_t written = 0;
  Stream.Write(Text.data(), static_cast<uint32_t>(Text.size()), &written);
}

}  // namespace

bool THttpClient::_HttpRequest(const std::u16string& Verb, const std::u16string& URL,
                               const std::u16string& Headers, std::u16string& ResponseHeaders,
                               IStream* Body, IStream& Response) {
  bool result = false;
  std::string errorText;
  try {
    Response.SetSize(0);
    inet::UniqueHInternet internet, connection, request;
    std::unique_ptr<char[]> buffer;
    std::string objectName = text::Utf16ToUtf8(EscapeUrl(URL));
    bool isHttps = false;
    // One pass that leaves at the first failure; the handles close in reverse order at its end.
    [&] {
      if (!_CreateInternetConnect(objectName, internet, connection, errorText, isHttps)) return;
      request = _OpenRequest(connection.get(), text::Utf16ToUtf8(Verb), objectName, isHttps);
      if (!_AddRequestHeaders(request.get(), text::Utf16ToUtf8(Headers), false, 0)) {
        errorText = "组织请求头失败！";
        return;
      }
      if (!_SendRequest(request.get(), FRetryCount, Body)) {
        errorText = "发生下载请求失败:" + kernel::LastErrorText();
        return;
      }
      uint32_t length = 0;
      inet::HttpQueryInfo(request.get(), inet::HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &length,
                          nullptr);
      std::string headers(length, '\0');
      if (!inet::HttpQueryInfo(request.get(), inet::HTTP_QUERY_RAW_HEADERS_CRLF, headers.data(),
                               &length, nullptr)) {
        errorText = "获取响应头失败:" + kernel::LastErrorText();
        return;
      }
      headers.resize(length);
      ResponseHeaders = text::Utf8ToUtf16(headers);
      if (FBufferSize > 0) buffer.reset(new (std::nothrow) char[FBufferSize]);
      if (!buffer) {
        kernel::SetLastError(FBufferSize > 0 ? ENOMEM : EINVAL);
        errorText = "创建缓冲区失败:" + kernel::LastErrorText();
        return;
      }
      const auto size = static_cast<uint32_t>(FBufferSize);
      for (;;) {
        std::memset(buffer.get(), 0, size);
        uint32_t read = 0;
        if (!inet::InternetReadFile(request.get(), buffer.get(), size, &read)) {
          errorText = "读取响应报文失败：" + kernel::LastErrorText();
          return;
        }
        if (read == 0) break;
        uint32_t written = 0;
        if (Response.Write(buffer.get(), read, &written) != S_OK || written != read) {
          errorText = "将响应报文写入流失败：" + kernel::LastErrorText();
          return;
        }
      }
      result = true;
    }();
  } catch (const std::exception& e) {
    errorText = std::string("[THttpClient._HttpRequest]") + e.what();
    result = false;
  }
  if (!errorText.empty()) WriteText(Response, errorText);
  return result;
}

bool THttpClient::GetStream(const std::u16string& URL, const std::u16string& Headers,
                            IStream& Response) {
  std::u16string discarded;
  return _HttpRequest(u"GET", URL, Headers, discarded, nullptr, Response);
}

bool THttpClient::GetText(const std::u16string& URL, const std::u16string& Headers,
                          std::u16string& Text, bool UTF8) {
  Text.clear();
  TMemoryStream response;
  const bool result = GetStream(URL, Headers, response);
  Text = DecodeResponse(response, UTF8);
  return result;
}

bool THttpClient::PostStream(const std::u16string& URL, const std::u16string& Headers,
                             std::u16string& ResponseHeaders, IStream& Body, IStream& Response) {
  return _HttpRequest(u"POST", URL, Headers, ResponseHeaders, &Body, Response);
}

bool THttpClient::PostText(const std::u16string& URL, const std::u16string& Headers,
                           std::u16string& ResponseHeaders, const std::u16string& Body,
                           std::u16string& Text, bool UTF8) {
  Text.clear();
  TMemoryStream body(text::Utf16ToUtf8(Body));
  TMemoryStream response;
  const bool result = PostStream(URL, Headers, ResponseHeaders, body, response);
  Text = DecodeResponse(response, UTF8);
  return result;
}

bool THttpClient::PostStreamGetText(const std::u16string& URL, const std::u16string& Headers,
                                    std::u16string& ResponseHeaders, IStream& Body,
                                    std::u16string& Text, bool UTF8) {
  Text.clear();
  TMemoryStream response;
  const bool result = PostStream(URL, Headers, ResponseHeaders, Body, response);
  Text = DecodeResponse(response, UTF8);
  return result;
}

bool THttpClient::PostTextGetStream(const std::u16string& URL, const std::u16string& Headers,
                                    std::u16string& ResponseHeaders, const std::u16string& Body,
                                    IStream& Response) {
  TMemoryStream body(text::Utf16ToUtf8(Body));
  return PostStream(URL, Headers, ResponseHeaders, body, Response);
}

bool THttpClient::CheckUrl(const std::u16string& URL) {
  std::u16string discarded;
  return GetText(URL, u"", discarded, true);
}
