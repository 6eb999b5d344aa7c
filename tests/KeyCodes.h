#pragma once

// What the unit and the end-to-end tests expect of every key, written out
// here rather than derived from the key table that they check.
namespace tallowmere {

// Every code of the key table in index order, as a save with every key
// marked writes them: both Enter keys carry 13.
inline constexpr const char* kAllCodes =
    "27,112,113,114,115,116,117,118,119,120,121,122,123,44,145,19,192,49,50,51,52,53,54,55,56,57,"
    "48,189,187,81,87,69,82,84,89,85,73,79,80,219,221,65,83,68,70,71,72,74,75,76,186,222,13,90,88,"
    "67,86,66,78,77,188,190,191,161,8,220,9,20,160,162,163,164,165,91,92,93,33,36,45,34,35,46,106,"
    "111,144,109,105,104,103,107,102,101,100,99,98,97,13,110,96,32,38,40,37,39,";

// The keys that show a picture (the two Windows keys and the menu key), which
// are hidden while marked.
inline bool IsPictureKey(int index) {
  return index == 73 || index == 74 || index == 75;
}

}  // namespace tallowmere
