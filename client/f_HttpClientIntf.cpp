#include "client/f_HttpClientIntf.h"

#include "client/f_HttpClientImpl.h"

// A static object: its destructor at the orderly end of the program releases the shared client.
IHttpClientPtr GHttpClient;

IHttpClientPtr GetHttpClient() {
  if (!GHttpClient) GHttpClient = std::make_shared<THttpClient>();
  return GHttpClient;
}
