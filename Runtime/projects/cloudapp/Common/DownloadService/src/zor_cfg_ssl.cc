#include "zor_cfg_ssl.h"

#include <curl/curl.h>

long CurlSslVersion(int version) {
  switch (version) {
    case 1: return CURL_SSLVERSION_SSLv2;
    case 2: return CURL_SSLVERSION_SSLv3;
    case 3: return CURL_SSLVERSION_TLSv1_0;
    case 4: return CURL_SSLVERSION_TLSv1_1;
    case 5: return CURL_SSLVERSION_TLSv1_2;
    default: return CURL_SSLVERSION_DEFAULT;
  }
}
