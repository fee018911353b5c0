// Reads the report project's text form back into a tree, so tests look at
// every page's elements as the saved project has them.
#pragma once
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace rave_test {

struct TextObject {
  std::string Name, Class;
  std::map<std::string, std::string> Props;
  std::vector<std::unique_ptr<TextObject>> Children;

  double Number(const std::string& key) const {
    auto found = Props.find(key);
    return found == Props.end() ? -1e9 : std::strtod(found->second.c_str(), nullptr);
  }
  std::string Prop(const std::string& key) const {
    auto found = Props.find(key);
    return found == Props.end() ? std::string("<none>") : found->second;
  }
  const TextObject* Child(const std::string& name) const {
    for (const auto& child : Children)
      if (child->Name == name)
        return child.get();
    return nullptr;
  }
};

inline std::string Trimmed(const std::string& line) {
  const auto first = line.find_first_not_of(" \r");
  const auto last = line.find_last_not_of(" \r");
  return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
}

// The root object; an ill-formed text gives what could be read (tests
// then fail on what is missing).
inline std::unique_ptr<TextObject> ParseProjectText(const std::string& text) {
  std::unique_ptr<TextObject> root;
  std::vector<TextObject*> open;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    line = Trimmed(line);
    if (line.rfind("object ", 0) == 0) {
      auto object = std::make_unique<TextObject>();
      const auto colon = line.find(':');
      object->Name = line.substr(7, colon - 7);
      object->Class = Trimmed(line.substr(colon + 1));
      TextObject* raw = object.get();
      if (open.empty())
        root = std::move(object);
      else
        open.back()->Children.push_back(std::move(object));
      open.push_back(raw);
    } else if (line == "end") {
      if (!open.empty())
        open.pop_back();
    } else if (const auto equals = line.find(" = "); equals != std::string::npos && !open.empty()) {
      open.back()->Props[line.substr(0, equals)] = line.substr(equals + 3);
    }
  }
  return root;
}

// The elements on a page: the children of its region's band.
inline std::vector<const TextObject*> PageElements(const TextObject& page) {
  std::vector<const TextObject*> elements;
  for (const auto& region : page.Children)
    for (const auto& band : region->Children)
      for (const auto& element : band->Children)
        elements.push_back(element.get());
  return elements;
}

}  // namespace rave_test
