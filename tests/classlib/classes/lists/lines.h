// The lines of a string list as a vector, so tests compare whole lists.
#pragma once
#include <vector>

#include "classlib/classes/strings.h"

using Lines = std::vector<AnsiString>;

inline Lines LinesOf(const TStrings& strings) {
  Lines lines;
  for (int i = 0; i < strings.Count(); ++i)
    lines.push_back(strings[i]);
  return lines;
}
