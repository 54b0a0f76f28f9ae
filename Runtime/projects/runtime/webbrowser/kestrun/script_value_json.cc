#include "script_value_json.h"

#include <algorithm>
#include <string_view>

#include "datetime_text.h"
#include "tqjson/json_generator.h"
#include "tqjson/json_generator_adapter.h"
#include "tqjson/rapid_json_generator.h"

namespace Kestrun {
namespace {

using TQJSON::JsonItem;

constexpr char16_t kType[] = u"type";
constexpr char16_t kValue[] = u"value";
constexpr char16_t kUnsupported[] = u"unsupport";
// What one value adds to the text besides its string: at most the element
// object {"type":"undefined","value":"undefined"} and a comma.
constexpr std::size_t kValueOverhead = 42;

bool Succeeded(std::int32_t result) { return result == TQJSON::kJsonSuccess; }

// One writer chain, released with the object.
class Generator {
 public:
  Generator() {
    auto* adapter = new TQJSON::CJsonGeneratorAdapter();
    adapter->SetImplementation(new TQJSON::CRapidJsonGenerator());
    generator_ = new TQJSON::CJsonGenerator(adapter);
  }
  ~Generator() { generator_->Release(); }
  Generator(const Generator&) = delete;
  Generator& operator=(const Generator&) = delete;

  TQJSON::IJsonGenerator* operator->() const { return generator_; }

  // Adds the string member `key` with every unit of `text`, NULs included.
  bool AddText(JsonItem object, const char16_t* key, const CefString& text) {
    JsonItem added = 0;
    return Succeeded(generator_->AddCountedStringMember(object, key, std::u16string_view(text.c_str(), text.length()),
                                                        &added));
  }

  // The compact text of the document; empty when the generator refuses it
  // or it is longer than kMaxValueJsonLength.
  platform::WString Text() const {
    const char16_t* text = nullptr;
    if (!Succeeded(generator_->GetJsonText(&text)) || text == nullptr) return {};
    platform::WString copy(text);
    if (copy.size() > kMaxValueJsonLength) return {};
    return copy;
  }

 private:
  TQJSON::CJsonGenerator* generator_ = nullptr;
};

// Where a value object sits: at the root of the text or in an array.
enum class Place { kRoot, kElement };

// Writes value objects into one document, keeping count of the text they
// make so that a conversion too large to carry stops early.
class ValueObjectWriter {
 public:
  explicit ValueObjectWriter(MillisecondsStyle root_style) : root_style_(root_style) {}

  platform::WString Convert(CefRefPtr<CefV8Value> value) {
    JsonItem root = 0;
    if (!Succeeded(generator_->CreateRootObject(&root))) return {};
    const bool written = value ? Write(root, *value, Place::kRoot) : Tag(root, u"undefined") && Text(root, u"undefined");
    return written ? generator_.Text() : platform::WString();
  }

 private:
  bool Write(JsonItem object, CefV8Value& value, Place place) {
    if (!Charge(kValueOverhead)) return false;
    JsonItem added = 0;
    if (value.IsUndefined()) return Tag(object, u"undefined") && Text(object, u"undefined");
    if (value.IsNull()) {
      if (place == Place::kElement) return Tag(object, u"null") && Text(object, u"null");
      return Tag(object, u"null") && Succeeded(generator_->AddNullMember(object, kValue, &added));
    }
    if (value.IsFunction()) return Tag(object, u"function") && Text(object, kUnsupported);
    if (value.IsBool()) {
      return Tag(object, u"boolean") &&
             Succeeded(generator_->AddBooleanMember(object, kValue, value.GetBoolValue() ? 1 : 0, &added));
    }
    if (value.IsInt()) {
      return Tag(object, u"integer") && Succeeded(generator_->AddIntMember(object, kValue, value.GetIntValue(), &added));
    }
    if (value.IsDouble()) {
      return Tag(object, u"double") &&
             Succeeded(generator_->AddDoubleMember(object, kValue, value.GetDoubleValue(), &added));
    }
    if (value.IsString()) return Tag(object, u"string") && Text(object, value.GetStringValue());
    if (value.IsDate()) {
      const MillisecondsStyle style = place == Place::kRoot ? root_style_ : MillisecondsStyle::kPadded;
      return Tag(object, u"datetime") && Text(object, DatetimeText(value.GetDateValue(), style));
    }
    if (value.IsArray()) return Tag(object, u"array") && (place == Place::kElement || WriteElements(object, value));
    if (value.IsObject()) return Tag(object, u"object") && Text(object, kUnsupported);
    return true;
  }

  // The root's "value": one object per element, in index order. An element
  // that cannot be read (a getter that throws) is left without members. An
  // array whose elements would pass the limit by their overhead alone is
  // refused before any element is read.
  bool WriteElements(JsonItem object, CefV8Value& array) {
    const int length = array.GetArrayLength();
    if (static_cast<std::size_t>(std::max(length, 0)) > (kMaxValueJsonLength - spent_) / kValueOverhead) return false;
    JsonItem elements = 0;
    if (!Succeeded(generator_->AddArrayMember(object, kValue, &elements))) return false;
    for (int index = 0; index < length; ++index) {
      JsonItem element = 0;
      if (!Succeeded(generator_->AppendObject(elements, &element))) return false;
      CefRefPtr<CefV8Value> value = array.GetValue(index);
      if (value && !Write(element, *value, Place::kElement)) return false;
      if (!value && !Charge(kValueOverhead)) return false;
    }
    return true;
  }

  bool Tag(JsonItem object, const char16_t* tag) {
    JsonItem added = 0;
    return Succeeded(generator_->AddStringMember(object, kType, tag, &added));
  }

  bool Text(JsonItem object, const CefString& text) {
    return Charge(text.length()) && generator_.AddText(object, kValue, text);
  }

  bool Charge(std::size_t units) {
    if (units > kMaxValueJsonLength - spent_) return false;
    spent_ += units;
    return true;
  }

  Generator generator_;
  const MillisecondsStyle root_style_;
  std::size_t spent_ = 0;
};

}  // namespace

platform::WString ValueToJson(CefRefPtr<CefV8Value> value) {
  return ValueObjectWriter(MillisecondsStyle::kPadded).Convert(value);
}

platform::WString ArgumentToJson(CefRefPtr<CefV8Value> argument) {
  return ValueObjectWriter(MillisecondsStyle::kPlain).Convert(argument);
}

platform::WString ErrorToJson(const CefString& message) {
  Generator generator;
  JsonItem root = 0;
  JsonItem added = 0;
  if (!Succeeded(generator->CreateRootObject(&root)) ||
      !Succeeded(generator->AddStringMember(root, kType, u"error", &added)) || !generator.AddText(root, kValue, message)) {
    return {};
  }
  return generator.Text();
}

}  // namespace Kestrun
