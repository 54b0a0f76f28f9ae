#include "http_header.h"

#include <strings.h>

#include <cstring>

bool HeaderValue(const std::string& line, const char* name, std::string* value) {
  const std::size_t length = std::strlen(name);
  if (line.size() <= length || line[length] != ':' || ::strncasecmp(line.c_str(), name, length) != 0) return false;
  std::size_t begin = length + 1;
  std::size_t end = line.size();
  while (begin < end && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
  while (end > begin && (line[end - 1] == ' ' || line[end - 1] == '\t' || line[end - 1] == '\r' || line[end - 1] == '\n')) {
    --end;
  }
  *value = line.substr(begin, end - begin);
  return true;
}
