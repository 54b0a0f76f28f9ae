// The objects that a container of the deploy-solution tree owns, in order
// (a manager's solutions, a solution's folders), and the mark that keeps an
// object from being owned twice. One thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#include "boundary_guard.h"
#include "json_document.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"

// Set once a container owns the object; never cleared, since the object
// ends with its container.
class CHVAdoptable {
 public:
  bool IsAdopted() const { return m_adopted; }
  void MarkAdopted() { m_adopted = true; }

 private:
  bool m_adopted = false;
};

// Object derives from CHVAdoptable and CHVDeploySolutionArchive; Sequence is
// std::deque or std::vector.
template <typename Object, template <typename...> class Sequence>
class CHVOwnedObjects {
 public:
  using Items = Sequence<std::unique_ptr<Object>>;

  CHVOwnedObjects() = default;
  // Deep copies, owned by the new sequence. Throws std::bad_alloc.
  CHVOwnedObjects(const CHVOwnedObjects& other) {
    for (const auto& object : other.m_items) Append(std::make_unique<Object>(*object));
  }
  CHVOwnedObjects& operator=(const CHVOwnedObjects&) = delete;

  bool Empty() const { return m_items.empty(); }
  unsigned Count() const { return static_cast<unsigned>(m_items.size()); }
  void Clear() { m_items.clear(); }

  // The object at `index`; null at or beyond the end.
  Object* At(std::size_t index) const { return index < m_items.size() ? m_items[index].get() : nullptr; }

  // Takes `object` when it is an Object that no container owns yet; false
  // (and the caller keeps it) otherwise.
  template <typename Interface>
  bool Adopt(Interface* object) {
    auto* own = dynamic_cast<Object*>(object);
    if (own == nullptr || own->IsAdopted()) return false;
    return Guarded(false, [&] {
      m_items.emplace_back(own);
      own->MarkAdopted();
      return true;
    });
  }

  // Appends one new object per element of `array`, each reading itself from
  // its element (its own result is not used). 7 when an object cannot be
  // made (those read so far stay); else 0. Throws std::bad_alloc.
  std::uint32_t ReadArray(JsonDocument& document, const JsonValue& array) {
    for (const JsonValue& element : array.GetArray()) {
      std::unique_ptr<Object> object(new (std::nothrow) Object());
      if (object == nullptr) return CONFIG_ELEMENT_FAILED;
      object->ReadValue(document, element);
      Append(std::move(object));
    }
    return CONFIG_OK;
  }

  // Pushes one object per owned object, each written by the object itself.
  // Throws std::bad_alloc.
  void WriteArray(JsonDocument& document, JsonObjectBuilder& array) const {
    for (const auto& object : m_items) {
      JsonObjectBuilder element(document, JsonObjectBuilder::Kind::kObject);
      object->WriteValue(document, element.Target());
      array.PushValue(element);
    }
  }

  // The first object for which `match` holds, or null; Remove also ends it.
  template <typename Match>
  Object* Find(Match match) const {
    for (const auto& object : m_items) {
      if (match(*object)) return object.get();
    }
    return nullptr;
  }
  template <typename Match>
  bool Remove(Match match) {
    for (auto at = m_items.begin(); at != m_items.end(); ++at) {
      if (!match(**at)) continue;
      m_items.erase(at);
      return true;
    }
    return false;
  }

 private:
  void Append(std::unique_ptr<Object> object) {
    object->MarkAdopted();
    m_items.push_back(std::move(object));
  }

  Items m_items;
};
