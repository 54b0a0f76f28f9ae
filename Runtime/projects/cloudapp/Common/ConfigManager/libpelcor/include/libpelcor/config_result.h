// Result codes of every load and save operation of libpelcor.
#pragma once

#include <cstdint>

enum EN_CONFIG_RESULT : std::uint32_t {
  CONFIG_OK = 0,
  // The input file could not be opened.
  CONFIG_OPEN_FAILED = 1,
  // The input file holds no bytes.
  CONFIG_EMPTY_FILE = 2,
  // The text is not valid JSON; or the root (or a part the operation
  // requires to be of one JSON type) is of another type; or the document
  // could not be serialised or read for lack of memory.
  CONFIG_INVALID_JSON = 3,
  // A required member is missing.
  CONFIG_MISSING_MEMBER = 4,
  // An existing output file could not be replaced (it is read-only or not a
  // regular file).
  CONFIG_DELETE_FAILED = 5,
  // The output file could not be written.
  CONFIG_CREATE_FAILED = 6,
  // An element object of the deploy-solution list could not be created.
  CONFIG_ELEMENT_FAILED = 7,
};
