#include <string>

#include "tqjson/rapidjson_config.h"

namespace TQJSON {

void ThrowRapidJsonAssertion(const char* condition) {
  throw RapidJsonAssertion(std::string("RapidJSON assertion failed: ") + condition);
}

}  // namespace TQJSON
