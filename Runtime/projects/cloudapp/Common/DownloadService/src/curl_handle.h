// Owning pointer to a libcurl easy handle (curl_easy_cleanup on release).
#pragma once

#include <curl/curl.h>

#include <memory>

struct CurlEasyCleanup {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

using CurlHandle = std::unique_ptr<CURL, CurlEasyCleanup>;
