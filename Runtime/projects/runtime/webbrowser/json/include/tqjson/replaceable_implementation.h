// The implementation an adapter owns: released with the adapter, and
// replaced by a new, empty one whenever a new document starts.
#pragma once

namespace TQJSON {

template <typename Interface, typename Implementation>
class ReplaceableImplementation {
 public:
  ReplaceableImplementation() = default;
  ~ReplaceableImplementation() { Set(nullptr); }
  ReplaceableImplementation(const ReplaceableImplementation&) = delete;
  ReplaceableImplementation& operator=(const ReplaceableImplementation&) = delete;

  // The current implementation; null until one is set or renewed.
  Interface* get() const { return current_; }

  // Takes ownership of `implementation`, releasing the current one.
  void Set(Interface* implementation) {
    if (current_ != nullptr) current_->Release();
    current_ = implementation;
  }

  // Installs a new implementation. It is created before the current one is
  // released, so a failed allocation leaves everything as it was.
  Interface* Renew() {
    Set(new Implementation());
    return current_;
  }

 private:
  Interface* current_ = nullptr;
};

}  // namespace TQJSON
