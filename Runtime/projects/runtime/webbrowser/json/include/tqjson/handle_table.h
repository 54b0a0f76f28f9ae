// Handles handed out for targets: nodes on the reader, pointer texts on the
// writer. A target keeps the handle it first received; numbers start at 1,
// rise by one per new target and are not reused until Clear. Both
// directions are ordered-map lookups. Not thread-safe.
#pragma once

#include <limits>
#include <map>
#include <stdexcept>

#include "tqjson/json_codes.h"

namespace TQJSON {

template <typename Target>
class HandleTable {
 public:
  // The target's handle, handing out the next number when it has none.
  // Throws std::length_error once every positive number has been used, and
  // std::bad_alloc; the table is unchanged then.
  JsonHandle FindOrAdd(const Target& target) {
    const auto known = handles_.find(target);
    if (known != handles_.end()) return known->second;
    if (counter_ == std::numeric_limits<JsonHandle>::max()) throw std::length_error("no handle left");
    const JsonHandle handle = counter_ + 1;
    const auto added = targets_.emplace(handle, target).first;
    try {
      handles_.emplace(target, handle);
    } catch (...) {
      targets_.erase(added);
      throw;
    }
    counter_ = handle;
    return handle;
  }

  bool Contains(const Target& target) const { return handles_.count(target) != 0; }

  // The target of a handle, or null when the handle was not handed out.
  const Target* Find(JsonHandle handle) const {
    const auto found = targets_.find(handle);
    return found == targets_.end() ? nullptr : &found->second;
  }

  // Forgets every handle; the next one handed out is 1.
  void Clear() {
    targets_.clear();
    handles_.clear();
    counter_ = 0;
  }

 private:
  std::map<JsonHandle, Target> targets_;
  std::map<Target, JsonHandle> handles_;
  JsonHandle counter_ = 0;
};

}  // namespace TQJSON
