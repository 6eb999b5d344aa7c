#pragma once

#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/AppError.h"
#include "platform/PictureObject.h"

namespace tallowmere {

using PropertyValue = std::variant<bool, std::string, std::shared_ptr<const PictureObject>>;

// A control's persistent properties, stored with the window that holds it, by
// name, in the order they were written.
class PropertyBag {
 public:
  PropertyBag() = default;
  PropertyBag(std::initializer_list<std::pair<std::string, PropertyValue>> values)
      : values_(values) {}

  // The stored value, or `fallback` when the bag has none of that name.
  template <typename T>
  T ReadProperty(const std::string& name, T fallback) const {
    const PropertyValue* value = Find(name);
    if (value == nullptr) return fallback;
    if (const T* typed = std::get_if<T>(value)) return *typed;
    throw AppError("Type mismatch reading the property \"" + name + "\"");
  }

  void WriteProperty(const std::string& name, PropertyValue value) {
    for (auto& entry : values_) {
      if (entry.first == name) {
        entry.second = std::move(value);
        return;
      }
    }
    values_.emplace_back(name, std::move(value));
  }

  const std::vector<std::pair<std::string, PropertyValue>>& Values() const { return values_; }

 private:
  const PropertyValue* Find(const std::string& name) const {
    for (const auto& entry : values_) {
      if (entry.first == name) return &entry.second;
    }
    return nullptr;
  }

  std::vector<std::pair<std::string, PropertyValue>> values_;
};

}  // namespace tallowmere
