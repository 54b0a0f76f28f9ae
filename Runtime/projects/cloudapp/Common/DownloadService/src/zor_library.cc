#include "zor_library.h"

#include <curl/curl.h>

CZorLibrary::CurlGlobal::CurlGlobal() { curl_global_init(CURL_GLOBAL_ALL); }

CZorLibrary::CurlGlobal::~CurlGlobal() { curl_global_cleanup(); }

CZorLibrary& CZorLibrary::Instance() {
  static CZorLibrary library;
  return library;
}
